#include "SuiteFixture.h"

#include "siblings/kontr/TdmKontr.h"

#include <QLineEdit>
#include <QTest>

using pxtest::SuiteTest;

namespace {

class ContractorTest : public SuiteTest {
protected:
    std::int64_t accepted() {
        return db.scalarCents("select coalesce(ZAAKCEPTOWANE, 0) from ET_BANK_KONTO where ID = 4");
    }
};

siblings::ChooserWindow& chooser(QWidget& w) { return dynamic_cast<siblings::ChooserWindow&>(w); }

}  // namespace

TEST_F(ContractorTest, ChosenContractorArrivesInTheOwnersTagBeforeItsActivation) {
    dialogs->expectModal([](QWidget& w) {
        EXPECT_EQ(chooser(w).dataset().fieldByName("ID").asInteger(), 7);  // the current contractor
        return pxtest::chooseRow(19)(w);
    });
    dmKontr->KontrahentModalne(&owner, 7);
    EXPECT_EQ(owner.activations, 1);
    EXPECT_EQ(owner.tagWhenActivated, 19);
}

TEST_F(ContractorTest, SearchTextWithAnApostropheStaysALiteral) {
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
TEST_F(ContractorTest, TypingInTheListSearchesEnterChoosesEscapeLeavesNoChoice) {
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

TEST_F(ContractorTest, AccountChosenFromTheContractorsData) {
    dialogs->expectModal([](QWidget& w) {
        // Only this contractor's accounts, the default one first.
        EXPECT_EQ(chooser(w).dataset().recordCount(), 2);
        EXPECT_EQ(chooser(w).dataset().fieldByName("ID").asInteger(), 2);
        return pxtest::chooseRow(3)(w);
    });
    dmKontr->vKontrahentDane(&owner, 2, 4);
    EXPECT_EQ(owner.tag(), 3);
}

TEST_F(ContractorTest, AcceptanceSwitchesOnlyFromTheStateSeenAndIsCommitted) {
    ASSERT_EQ(accepted(), 0);
    dmKontr->vUstawKontoZakceptowane(nullptr, 0, 4, true);
    EXPECT_EQ(accepted(), 1);  // seen by another transaction: committed
    EXPECT_EQ(db.scalarText("select ZAAKCEPTOWAL from ET_BANK_KONTO where ID = 4"), "ADMIN");
    EXPECT_EQ(db.scalarCents("select count(*) from ET_BANK_KONTO where ID = 4 and DATA_AKCEPTACJI is not null"), 1);

    // A second click made on the stale state would cancel what someone just accepted.
    EXPECT_THROW(dmKontr->vUstawKontoZakceptowane(nullptr, 0, 4, true), std::runtime_error);
    EXPECT_EQ(accepted(), 1);

    dmKontr->vUstawKontoZakceptowane(nullptr, 1, 4, true);
    EXPECT_EQ(accepted(), 0);
    EXPECT_EQ(db.scalarText("select coalesce(ZAAKCEPTOWAL, '-') from ET_BANK_KONTO where ID = 4"), "-");

    db.exec("update ET_BANK_KONTO set ZAAKCEPTOWANE = null where ID = 4");
    dmKontr->vUstawKontoZakceptowane(nullptr, 0, 4, true);
    EXPECT_EQ(accepted(), 1);
    EXPECT_THROW(dmKontr->vUstawKontoZakceptowane(nullptr, 0, 999, true), std::runtime_error) << "no such account";
}

TEST_F(ContractorTest, ANewNumberDropsTheAcceptanceAndNamesItsAuthor) {
    EXPECT_EQ(dmKontr->sKontoWpisal(1), "KASIA");
    EXPECT_EQ(dmKontr->sKontoWpisal(999), "");
    db.exec("update ET_BANK_KONTO set NAZWA = 'Bank po fuzji', KONTO_WPISAL = 'ADMIN' where ID = 1");
    EXPECT_EQ(db.scalarCents("select ZAAKCEPTOWANE from ET_BANK_KONTO where ID = 1"), 1) << "only the number counts";
    EXPECT_EQ(dmKontr->sKontoWpisal(1), "KASIA") << "the author cannot be written over";

    // Changed by the suite user of the shared connection, whatever tool writes it.
    dmMain->database().execute(dmMain->transaction(),
                               "update ET_BANK_KONTO set KONTO = '11 1111 2222 3333 4444 5555 6666' where ID = 1");
    dmMain->transaction().commitRetaining();
    EXPECT_EQ(db.scalarText("select ZAAKCEPTOWANE || coalesce(ZAAKCEPTOWAL, '-') || "
                            "coalesce(cast(DATA_AKCEPTACJI as varchar(30)), '-') from ET_BANK_KONTO where ID = 1"),
              "0--");
    EXPECT_EQ(dmKontr->sKontoWpisal(1), "ADMIN");

    // Its author cannot accept it, neither here nor by writing the columns himself.
    try {
        dmKontr->vUstawKontoZakceptowane(nullptr, 0, 1, true);
        ADD_FAILURE() << "accepted by the author of the number";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()),
                  "Numer tego konta bankowego wpisał lub zmienił ten sam użytkownik - "
                  "zaakceptować je musi inna osoba.");
    }
    EXPECT_THROW(dmMain->database().execute(dmMain->transaction(),
                                            "update ET_BANK_KONTO set ZAAKCEPTOWANE = 1, "
                                            "ZAAKCEPTOWAL = 'KASIA' where ID = 1"),
                 fb::Error);
    dmMain->transaction().rollbackRetaining();
    EXPECT_EQ(db.scalarCents("select ZAAKCEPTOWANE from ET_BANK_KONTO where ID = 1"), 0);
}

class ContractorClerkTest : public SuiteTest {
protected:
    ContractorClerkTest() : SuiteTest(QStringLiteral("KASIA")) {}
};

TEST_F(ContractorClerkTest, TheClerkWhoTypedTheAccountsAcceptsNoneOfThem) {
    EXPECT_THROW(dmKontr->vUstawKontoZakceptowane(nullptr, 0, 4, true), std::runtime_error);
    EXPECT_EQ(db.scalarCents("select ZAAKCEPTOWANE from ET_BANK_KONTO where ID = 4"), 0);
    // Cancelling an acceptance needs no second person.
    dmKontr->vUstawKontoZakceptowane(nullptr, 1, 1, true);
    EXPECT_EQ(db.scalarCents("select ZAAKCEPTOWANE from ET_BANK_KONTO where ID = 1"), 0);
}
