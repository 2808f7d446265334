#include "SuiteFixture.h"

#include "platform/text/Nrb.h"
#include "siblings/kontr/AccountPanel.h"
#include "siblings/kontr/TdmKontr.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using pxtest::SuiteTest;

namespace {

const QString kGood = QStringLiteral("61 1090 1014 0000 0712 1981 2874");
const QString kSlip = QStringLiteral("61 1090 1014 0000 0712 1981 2847");  // the last two digits swapped

class AccountPanelTest : public SuiteTest {
protected:
    // Opens contractor 2's data and runs the steps on its account panel.
    void withPanel(std::function<void(siblings::AccountPanel&)> steps) {
        dialogs->expectModal([steps](QWidget& w) {
            auto* panel = w.findChild<siblings::AccountPanel*>();
            EXPECT_NE(panel, nullptr);
            if (panel) steps(*panel);
            return int(ui::mrCancel);
        });
        dmKontr->vKontrahentDane(&owner, 2, 4);
    }
    static void type(QLineEdit& edit, const QString& text) {
        edit.setFocus();
        edit.selectAll();
        QTest::keyClicks(&edit, text);
    }
    // Bank names of the contractor's accounts with the mistyped number.
    std::string slipBanks() {
        return db.scalarText("select list(NAZWA) from ET_BANK_KONTO where KONTO = '" + kSlip.toStdString() + "'");
    }
};

}  // namespace

// Demo transfers to a mistyped account would be stopped at issuing.
TEST_F(AccountPanelTest, EveryDemoAccountHasRightCheckDigits) {
    for (const char* table : {"ET_BANK_KONTO", "ET_BANKI"}) {
        const std::string sql = std::string("select list(KONTO, '|') from ") + table + " where ID > 0";
        for (const QString& account : QString::fromStdString(db.scalarText(sql)).split(u'|'))
            EXPECT_NE(text::checkNrb(account), text::NrbCheck::WrongChecksum) << account.toStdString();
    }
}

TEST_F(AccountPanelTest, AMistypedNumberIsNamedAndSavedOnlyWhenTheUserInsists) {
    withPanel([&](siblings::AccountPanel& panel) {
        QTest::mouseClick(&panel.newButton(), Qt::LeftButton);
        type(panel.account(), kSlip);
        type(panel.bank(), QStringLiteral("PKO BP"));
        dialogs->expectMessage(kSlip + QStringLiteral(" ma błędne cyfry kontrolne"), ui::Answer::No);
        QTest::mouseClick(&panel.saveButton(), Qt::LeftButton);
        EXPECT_EQ(panel.account().text(), kSlip) << "what was typed stays to be corrected";
        EXPECT_EQ(slipBanks(), "");

        dialogs->expectMessage(kSlip, ui::Answer::Yes);
        QTest::mouseClick(&panel.saveButton(), Qt::LeftButton);
    });
    EXPECT_EQ(slipBanks(), "PKO BP");  // once, and committed: another attachment sees it
}

TEST_F(AccountPanelTest, ACorrectedNumberIsSavedWithoutAQuestionAndNeedsAcceptingAgain) {
    const std::string id2 = "select KONTO || '/' || ZAAKCEPTOWANE from ET_BANK_KONTO where ID = 2";
    ASSERT_EQ(db.scalarText(id2).back(), '1');
    withPanel([&](siblings::AccountPanel& panel) {
        type(panel.account(), kGood);  // the list opens on the default account, ID 2
        QTest::mouseClick(&panel.saveButton(), Qt::LeftButton);
    });
    EXPECT_EQ(db.scalarText(id2), kGood.toStdString() + "/0");

    // Changed by someone else after the list was read: nothing is written.
    withPanel([&](siblings::AccountPanel& panel) {
        db.exec("update ET_BANK_KONTO set NAZWA = 'Inny bank' where ID = 2");
        type(panel.account(), QStringLiteral("27 1140 2004 0000 3002 0135 5387"));
        dialogs->expectMessage(QStringLiteral("inny użytkownik"), ui::Answer::Ok);
        QTest::mouseClick(&panel.saveButton(), Qt::LeftButton);
    });
    EXPECT_EQ(db.scalarText(id2), kGood.toStdString() + "/0");
}
