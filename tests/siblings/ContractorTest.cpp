#include "SuiteFixture.h"

#include "siblings/kontr/TdmKontr.h"

#include <QLineEdit>
#include <QTest>

using pxtest::SuiteTest;

namespace {

class ContractorTest : public SuiteTest {
protected:
    std::int64_t accepted() { return db.scalarInt("select coalesce(ZAAKCEPTOWANE, 0) from ET_BANK_KONTO where ID = 4"); }
};

siblings::ChooserWindow& chooser(QWidget& w) { return dynamic_cast<siblings::ChooserWindow&>(w); }

}  // namespace

TEST_F(ContractorTest, ChosenContractorArrivesInTheOwnersTagBeforeItsActivation)
{
    dialogs->expectModal([](QWidget& w) {
        EXPECT_EQ(chooser(w).dataset().fieldByName("ID").asInteger(), 7);   // the current contractor
        return pxtest::chooseRow(19)(w);
    });
    dmKontr->KontrahentModalne(&owner, 7);
    EXPECT_EQ(owner.activations, 1);
    EXPECT_EQ(owner.tagWhenActivated, 19);
}

TEST_F(ContractorTest, SearchTextWithAnApostropheStaysALiteral)
{
    dialogs->expectModal([](QWidget& w) {
        siblings::ChooserWindow& list = chooser(w);
        EXPECT_EQ(list.dataset().recordCount(), 1);
        EXPECT_EQ(list.dataset().fieldByName("SKROT").asString(), "Bar O'Neill");
        // A text built to break out of the literal finds nothing and breaks nothing.
        list.search("SKROT", "x' or '1'='1");
        EXPECT_TRUE(list.dataset().isActive());
        EXPECT_EQ(list.dataset().recordCount(), 0);
        list.search("KOD_FK", "k0004");
        list.choose();
        return int(ui::mrOk);
    });
    dmKontr->KontrahentModalneTekst(&owner, "SKROT", "O'Neill");
    EXPECT_EQ(owner.tag(), 4);
}

// Escape leaves with no choice: the owner's earlier tag must not pass for one.
TEST_F(ContractorTest, TypingInTheListSearchesEnterChoosesEscapeLeavesNoChoice)
{
    dialogs->expectModal([](QWidget& w) {
        QTest::keyClicks(&chooser(w).grid(), "neill");
        EXPECT_EQ(chooser(w).dataset().recordCount(), 1);
        QTest::keyClick(&chooser(w).grid(), Qt::Key_Return);
        EXPECT_FALSE(w.isVisible());
        return int(ui::mrOk);
    });
    dmKontr->KontrahentModalne(&owner, 0);
    EXPECT_EQ(owner.tag(), 4);

    dialogs->expectModal([](QWidget& w) {
        QTest::keyClick(&chooser(w).searchEdit(), Qt::Key_Escape);
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
        // Only this contractor's accounts, the default one first.
        EXPECT_EQ(chooser(w).dataset().recordCount(), 2);
        EXPECT_EQ(chooser(w).dataset().fieldByName("ID").asInteger(), 2);
        return pxtest::chooseRow(3)(w);
    });
    dmKontr->vKontrahentDane(&owner, 2, 4);
    EXPECT_EQ(owner.tag(), 3);
}

TEST_F(ContractorTest, AcceptanceSwitchesBothWaysAndIsCommitted)
{
    ASSERT_EQ(accepted(), 0);
    dmKontr->vUstawKontoZakceptowane(nullptr, 0, 4, true);
    EXPECT_EQ(accepted(), 1);   // seen by another transaction: committed
    EXPECT_EQ(db.scalarText("select ZAAKCEPTOWAL from ET_BANK_KONTO where ID = 4"), "ADMIN");

    dmKontr->vUstawKontoZakceptowane(nullptr, 0, 4, true);
    EXPECT_EQ(accepted(), 0);
    EXPECT_EQ(db.scalarText("select coalesce(ZAAKCEPTOWAL, '-') from ET_BANK_KONTO where ID = 4"), "-");

    db.exec("update ET_BANK_KONTO set ZAAKCEPTOWANE = null where ID = 4");
    dmKontr->vUstawKontoZakceptowane(nullptr, 0, 4, true);
    EXPECT_EQ(accepted(), 1);
}
