#include "SuiteFixture.h"

#include "siblings/kontr/TdmKontr.h"

#include <QLineEdit>
#include <QTest>

using pxtest::SuiteTest;

namespace {

class ContractorTest : public SuiteTest {
protected:
    explicit ContractorTest(QString user = QStringLiteral("ADMIN")) : SuiteTest(std::move(user)) {}
    // Accepted flag, who accepted and whether the date is set.
    std::string acceptance(int id) {
        return db.scalarText(
            "select coalesce(ZAAKCEPTOWANE, 0) || coalesce(ZAAKCEPTOWAL, '-') || "
            "iif(DATA_AKCEPTACJI is null, '-', '+') from ET_BANK_KONTO where ID = " +
            std::to_string(id));
    }
};

siblings::ChooserWindow& chooser(QWidget& w) { return dynamic_cast<siblings::ChooserWindow&>(w); }

}  // namespace

TEST_F(ContractorTest, SearchTextWithAnApostropheStaysALiteral) {
    dialogs->expectModal([](QWidget& w) {
        siblings::ChooserWindow& list = chooser(w);
        EXPECT_EQ(list.dataset().recordCount(), 1);
        // A text built to break out of the literal finds nothing and breaks nothing.
        list.search("SKROT", "x' or '1'='1");
        EXPECT_TRUE(list.dataset().isActive() && list.dataset().recordCount() == 0);
        list.search("KOD_FK", "k0004");
        list.choose();
        return int(ui::mrOk);
    });
    dmKontr->KontrahentModalneTekst(&owner, "SKROT", "O'Neill");
    EXPECT_EQ(owner.tag(), 4);
}

// The choice reaches the owner's tag before its activation. Escape leaves with
// no choice: the owner's earlier tag must not pass for one.
TEST_F(ContractorTest, TypingInTheListSearchesEnterChoosesEscapeLeavesNoChoice) {
    dialogs->expectModal([](QWidget& w) {
        EXPECT_EQ(chooser(w).dataset()["ID"].asInteger(), 7);  // the current contractor
        QTest::keyClicks(&chooser(w).grid(), "neill");
        QTest::keyClick(&chooser(w).grid(), Qt::Key_Return);
        EXPECT_FALSE(w.isVisible());
        return int(ui::mrOk);
    });
    dmKontr->KontrahentModalne(&owner, 7);
    EXPECT_EQ(std::pair(1, 4), std::pair(owner.activations, owner.tagWhenActivated));

    dialogs->expectModal([](QWidget& w) {
        QTest::keyClick(&chooser(w).searchEdit(), Qt::Key_Escape);
        EXPECT_FALSE(w.isVisible());
        return int(ui::mrCancel);
    });
    dmKontr->KontrahentModalne(&owner, 0);
    EXPECT_EQ(std::pair(0, 2), std::pair(owner.tag(), owner.activations));
}

TEST_F(ContractorTest, AcceptanceSwitchesOnlyFromTheStateSeenAndIsCommitted) {
    dmKontr->vUstawKontoZakceptowane(nullptr, 0, 4, true);
    EXPECT_EQ(acceptance(4), "1ADMIN+");  // seen by another transaction: committed

    // A second click made on the stale state would cancel what someone just accepted.
    EXPECT_THROW(dmKontr->vUstawKontoZakceptowane(nullptr, 0, 4, true), std::runtime_error);
    EXPECT_EQ(acceptance(4), "1ADMIN+");

    // A flag never set counts as not accepted.
    db.exec("update ET_BANK_KONTO set ZAAKCEPTOWANE = null where ID = 4");
    dmKontr->vUstawKontoZakceptowane(nullptr, 0, 4, true);
    EXPECT_EQ(acceptance(4).front(), '1');
    EXPECT_THROW(dmKontr->vUstawKontoZakceptowane(nullptr, 0, 999, true), std::runtime_error) << "no such account";
}

TEST_F(ContractorTest, ANewNumberDropsTheAcceptanceAndItsAuthorCannotAcceptIt) {
    db.exec("update ET_BANK_KONTO set NAZWA = 'Bank po fuzji', KONTO_WPISAL = 'ADMIN' where ID = 1");
    // Only the number counts, and its author cannot be written over.
    EXPECT_EQ(acceptance(1).front() + dmKontr->sKontoWpisal(1).toStdString(), "1KASIA");

    // Changed by the suite user of the shared connection, whatever tool writes it.
    dmMain->database().execute(dmMain->transaction(),
                               "update ET_BANK_KONTO set KONTO = '11 1111 2222 3333 4444 5555 6666' where ID = 1");
    dmMain->transaction().commitRetaining();
    EXPECT_EQ(acceptance(1) + dmKontr->sKontoWpisal(1).toStdString(), "0--ADMIN");

    // Neither here nor by writing the columns himself.
    EXPECT_THROW(dmKontr->vUstawKontoZakceptowane(nullptr, 0, 1, true), std::runtime_error);
    EXPECT_THROW(dmMain->database().execute(dmMain->transaction(),
                                            "update ET_BANK_KONTO set ZAAKCEPTOWANE = 1, "
                                            "ZAAKCEPTOWAL = 'KASIA' where ID = 1"),
                 fb::Error);
    dmMain->transaction().rollbackRetaining();
    EXPECT_EQ(acceptance(1), "0--");
}

class ContractorClerkTest : public ContractorTest {
protected:
    ContractorClerkTest() : ContractorTest(QStringLiteral("KASIA")) {}
};

TEST_F(ContractorClerkTest, TheClerkWhoTypedTheAccountsAcceptsNoneOfThem) {
    EXPECT_THROW(dmKontr->vUstawKontoZakceptowane(nullptr, 0, 4, true), std::runtime_error);
    EXPECT_EQ(acceptance(4).front(), '0');
    // Cancelling an acceptance needs no second person.
    dmKontr->vUstawKontoZakceptowane(nullptr, 1, 1, true);
    EXPECT_EQ(acceptance(1).front(), '0');
}
