// Two users on the company banks register: this user's window read a bank,
// then another user's save (on its own attachment) changed or removed it. This
// user's save must then write nothing, say so and show the bank as it is now.
#include "SuiteFixture.h"

#include "siblings/kartoteka/BankWindow.h"
#include "siblings/kartoteka/TdmKartoteka.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

using pxtest::SuiteTest;

namespace {

const QString kTold = QStringLiteral("Ustawienia banku zmienił w tym czasie inny użytkownik.");

class TwoUsersBankTest : public SuiteTest {
protected:
    // Runs the register modally with bank 2 current, hands it to `work`.
    void withBankTwo(const std::function<void(siblings::BankWindow&)>& work) {
        dialogs->expectModal([&](QWidget& w) {
            auto& banks = dynamic_cast<siblings::BankWindow&>(w);
            EXPECT_TRUE(banks.locateKey(2));
            work(banks);
            return int(ui::mrCancel);
        });
        dmKartoteka->BankModalne(nullptr);
    }
};

}  // namespace

TEST_F(TwoUsersBankTest, ASaveOverAnotherUsersChangeIsRefusedAndWritesNothing) {
    withBankTwo([&](siblings::BankWindow& banks) {
        db.exec(
            "update ET_BANKI set KOD_MPP = '51', ZMIENIL = 'JANINA', DATA_ZMIANY = '2026-12-07 10:00' "
            "where ID = 2");
        const QString folder = banks.folder().text();
        banks.folder().setText("/tmp/moje");
        banks.splitCode().setText("55");
        dialogs->expectMessage(kTold, ui::Answer::Ok);
        EXPECT_FALSE(banks.save());
        EXPECT_FALSE(banks.dataset().isEditing());
        EXPECT_EQ("51" + folder, banks.splitCode().text() + banks.folder().text()) << "the bank as it is now";

        // Having seen the other user's values, this user may change them.
        banks.grouping().setChecked(true);
        EXPECT_TRUE(banks.save());
    });
    EXPECT_EQ(db.scalarText("select PROCEDURA || '|' || GRUPOWANIE || '|' || KOD_MPP || '|' || ZMIENIL from ET_BANKI "
                            "where ID = 2"),
              "2|1|51|ADMIN");
}

TEST_F(TwoUsersBankTest, ABankRemovedMeanwhileIsNotWrittenAgain) {
    withBankTwo([&](siblings::BankWindow& banks) {
        db.exec("delete from ET_BANKI where ID = 2");
        banks.grouping().setChecked(true);
        dialogs->expectMessage(kTold, ui::Answer::Ok);
        EXPECT_FALSE(banks.save());
        EXPECT_FALSE(banks.locateKey(2)) << "the list was read again";
    });
    EXPECT_EQ(0, db.scalarCents("select count(*) from ET_BANKI where ID = 2"));
}

TEST_F(TwoUsersBankTest, SavingTwiceInOneWindowIsNotTakenForAnotherUser) {
    withBankTwo([&](siblings::BankWindow& banks) {
        banks.procedure().setCurrentIndex(banks.procedure().findData(5));
        banks.folder().setText("/tmp/bank O'Brien");
        banks.splitCode().setText("55");
        EXPECT_TRUE(banks.save());
        banks.splitCode().clear();
        EXPECT_TRUE(banks.save()) << "the window's own first save is no other user's change";
    });
    EXPECT_EQ(db.scalarText("select PROCEDURA || '|' || SCIEZKA_PRZELEWOW || '|' || coalesce(KOD_MPP, '-') || '|' || "
                            "ZMIENIL from ET_BANKI where ID = 2"),
              "5|/tmp/bank O'Brien|-|ADMIN");
}
