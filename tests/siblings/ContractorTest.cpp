#include "SuiteFixture.h"

#include "siblings/core/ChooserWindow.h"
#include "siblings/kontr/TdmKontr.h"

#include <QLineEdit>
#include <QTest>

using pxtest::SuiteTest;

namespace {

class ContractorTest : public SuiteTest {
protected:
    pxtest::ScopedDialogs dialogs;
    pxtest::OwnerProbe owner;
};

std::int64_t accepted(pxtest::TestDatabase& db, int account)
{
    return db.scalarInt("select coalesce(ZAAKCEPTOWANE, 0) from ET_BANK_KONTO where ID = " + std::to_string(account));
}

}  // namespace

TEST_F(ContractorTest, ChosenContractorArrivesInTheOwnersTagBeforeItsActivation)
{
    owner.setTag(99);
    dialogs->expectModal([](QWidget& w) {
        EXPECT_EQ(w.windowTitle(), "Kartoteka kontrahentów");
        auto& chooser = dynamic_cast<siblings::ChooserWindow&>(w);
        EXPECT_EQ(chooser.dataset().fieldByName("ID").asInteger(), 7);   // the current contractor
        return pxtest::chooseRow(19)(w);
    });
    dmKontr->KontrahentModalne(&owner, 7);
    EXPECT_EQ(owner.tag(), 19);
    EXPECT_EQ(owner.activations, 1);
    EXPECT_EQ(owner.tagWhenActivated, 19);
}

TEST_F(ContractorTest, CancelledChooserLeavesNoChoice)
{
    owner.setTag(19);
    dialogs->expectModal([](QWidget&) { return int(ui::mrCancel); });
    dmKontr->KontrahentModalne(&owner, 0);
    EXPECT_EQ(owner.tag(), 0);
    EXPECT_EQ(owner.activations, 1);
}

TEST_F(ContractorTest, SearchTextWithAnApostropheStaysALiteral)
{
    dialogs->expectModal([](QWidget& w) {
        auto& chooser = dynamic_cast<siblings::ChooserWindow&>(w);
        EXPECT_EQ(chooser.searchEdit().text(), "O'Neill");
        EXPECT_EQ(chooser.dataset().recordCount(), 1);
        EXPECT_EQ(chooser.dataset().fieldByName("SKROT").asString(), "Bar O'Neill");
        // A text built to break out of the literal finds nothing and breaks nothing.
        chooser.search("SKROT", "x' or '1'='1");
        EXPECT_TRUE(chooser.dataset().isActive());
        EXPECT_EQ(chooser.dataset().recordCount(), 0);
        chooser.search("KOD_FK", "k0004");
        EXPECT_EQ(chooser.dataset().recordCount(), 1);
        chooser.choose();
        return int(ui::mrOk);
    });
    dmKontr->KontrahentModalneTekst(&owner, "SKROT", "O'Neill");
    EXPECT_EQ(owner.tag(), 4);
}

TEST_F(ContractorTest, TypingInTheListSearchesEnterChoosesEscapeLeaves)
{
    dialogs->expectModal([](QWidget& w) {
        auto& chooser = dynamic_cast<siblings::ChooserWindow&>(w);
        QTest::keyClicks(&chooser.grid(), "neill");
        EXPECT_EQ(chooser.searchEdit().text(), "neill");
        EXPECT_EQ(chooser.dataset().recordCount(), 1);
        QTest::keyClick(&chooser.grid(), Qt::Key_Return);
        EXPECT_FALSE(w.isVisible());
        return int(ui::mrOk);
    });
    dmKontr->KontrahentModalne(&owner, 0);
    EXPECT_EQ(owner.tag(), 4);

    dialogs->expectModal([](QWidget& w) {
        QTest::keyClick(&dynamic_cast<siblings::ChooserWindow&>(w).searchEdit(), Qt::Key_Escape);
        EXPECT_FALSE(w.isVisible());
        return int(ui::mrCancel);
    });
    dmKontr->KontrahentModalne(&owner, 0);
    EXPECT_EQ(owner.tag(), 0);
    EXPECT_EQ(owner.activations, 2);
}

TEST_F(ContractorTest, AccountChosenFromTheContractorsData)
{
    dialogs->expectModal([](QWidget& w) {
        EXPECT_EQ(w.windowTitle(), "Dane kontrahenta");
        auto& chooser = dynamic_cast<siblings::ChooserWindow&>(w);
        // Only this contractor's accounts, the default one first.
        EXPECT_EQ(chooser.dataset().recordCount(), 2);
        EXPECT_EQ(chooser.dataset().fieldByName("ID").asInteger(), 2);
        EXPECT_EQ(chooser.dataset().fieldByName("DOMYSLNE").displayText(), "Tak");
        return pxtest::chooseRow(3)(w);
    });
    dmKontr->vKontrahentDane(&owner, 2, 4);
    EXPECT_EQ(owner.tag(), 3);
}

TEST_F(ContractorTest, AcceptanceSwitchesBothWaysAndIsCommitted)
{
    ASSERT_EQ(accepted(db, 4), 0);
    dmKontr->vUstawKontoZakceptowane(nullptr, 0, 4, true);
    EXPECT_EQ(accepted(db, 4), 1);   // seen by another transaction: committed
    EXPECT_EQ(db.scalarText("select ZAAKCEPTOWAL from ET_BANK_KONTO where ID = 4"), "ADMIN");

    // A query of the shared transaction opened again sees it as well.
    auto reopened = dmMain->ibStworzIBSQL(true, "select ZAAKCEPTOWANE from ET_BANK_KONTO where ID = 4", false);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->fieldByName("ZAAKCEPTOWANE").asInteger(), 1);

    dmKontr->vUstawKontoZakceptowane(nullptr, 0, 4, true);
    EXPECT_EQ(accepted(db, 4), 0);
    EXPECT_EQ(db.scalarText("select coalesce(ZAAKCEPTOWAL, '-') from ET_BANK_KONTO where ID = 4"), "-");

    db.exec("update ET_BANK_KONTO set ZAAKCEPTOWANE = null where ID = 4");
    dmKontr->vUstawKontoZakceptowane(nullptr, 0, 4, true);
    EXPECT_EQ(accepted(db, 4), 1);
}
