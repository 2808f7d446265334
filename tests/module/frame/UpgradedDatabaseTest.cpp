// The module on a database of the first layout, upgraded: the register and
// the realized list open on the rows the old program wrote.
#include "module/frame/CPrzelew.h"
#include "module/frame/TDMP.h"
#include "module/realized/Zrealizowane.h"
#include "module/register/Przelewy.h"
#include "siblings/core/Suite.h"
#include "siblings/core/TdmMain.h"
#include "suitedb/Upgrades.h"
#include "support/FirstLayoutDatabase.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QToolButton>

namespace {

class UpgradedDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        fb::Attachment att = fb::Attachment::connect(old.params());
        // A batch paid today by the old program: no step flags, no link to the transfer.
        const QString sql = QStringLiteral(
            "execute block as begin "
            "insert into PR_WYSTAWIONE (ID, DATA_REALIZACJI, KOLEJNY, ID_BANKU) values (9001, '%1', 'Z', 1); "
            "insert into PR_PRZELEWY_ZREALIZOWANE (ID, ID_KONTRAHENTA, ID_KONTA_BANK, ID_KONTA_FIRMY, DATA_REALIZACJI, "
            "KOLEJNY, NR_FAKTURY, TRESC1, WN, WARTOSC) values (9001, 1, 1, 1, '%1', 'Z', 'FV/9001', 'Faktura', "
            "'201-K0001', 500); end");
        fb::Transaction tr(att);
        att.execute(tr, sql.arg(QDate::currentDate().toString(Qt::ISODate)).toStdString());
        tr.commit();
        suitedb::createUpgradeTable(att);
        for (const auto& u : suitedb::layoutState(att).pending) suitedb::applyUpgrade(att, u);
        att.detach();
        suite = std::make_unique<siblings::Suite>(old.params());
        module = std::make_unique<CPrzelew>();
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* form = qobject_cast<ui::FormBase*>(w)) form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        module.reset();
        suite.reset();
    }

    pxtest::FirstLayoutDatabase old;
    pxtest::ScopedDialogs dialogs;
    std::unique_ptr<siblings::Suite> suite;
    std::unique_ptr<CPrzelew> module;
};

}  // namespace

// No unfinished batch is offered (old batches count as finished), the register
// lists every pending transfer and the realized list shows the old row.
TEST_F(UpgradedDatabaseTest, RegisterAndRealizedListWorkOnTheOldRows) {
    module->vPrzelewyMDI(qApp);
    ASSERT_TRUE(frmPrzelewy);
    frmPrzelewy->runActivation();
    const std::int64_t pending = pxtest::scalarCents(
        dmMain->transaction(),
        "select count(*) from PR_PRZELEWY a join ET_KONTAKT b on a.ID_KONTRAHENTA = b.ID join "
        "ET_BANK_KONTO c on a.ID_KONTA_BANK = c.ID where a.DATA_REALIZACJI is null");
    EXPECT_GT(pending, 100);
    EXPECT_EQ(pending, DMP->quePrzelewy.recordCount());

    frmPrzelewy->spbZrealizowane->click();
    ASSERT_TRUE(frmZrealizowane);
    frmZrealizowane->runActivation();
    ASSERT_TRUE(DMP->queZrealizowane.locate(QStringLiteral("ID"), 9001));
    EXPECT_EQ(QStringLiteral("FV/9001"), DMP->queZrealizowane.fieldByName(QStringLiteral("NR_FAKTURY")).asString());
}
