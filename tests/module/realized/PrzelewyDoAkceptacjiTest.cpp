#include "module/ModuleFixture.h"
#include "module/realized/Przelewydoakceptacji.h"
#include "module/register/Przelewy.h"

#include <QApplication>
#include <QButtonGroup>
#include <QPushButton>

namespace {

// Demo: transfers 130 and 133 (set 1, set 1's only unaccepted account) pay to
// the unaccepted account 23, transfer 75 (set 3) to the unaccepted account 27.
constexpr int kPierwszy = 130, kDrugi = 133, kKonto = 23, kPrzelewZestawu3 = 75;

class PrzelewyDoAkceptacjiTest : public pxtest::ModuleFixture {
protected:
    void SetUp() override {
        ModuleFixture::SetUp();
        db.exec("update RE_PARAMETRY set CZY_AKCEPTACJA_KONTA_BANKOWEGO = 1");
    }
    void TearDown() override {
        zamknij();
        ModuleFixture::TearDown();
    }
    void zamknij() {
        if (frmPrzelewyDoAkceptacji) frmPrzelewyDoAkceptacji->close();
        if (frmPrzelewy) frmPrzelewy->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The module again, for another suite user on the same database.
    void jako(const QString& uzytkownik) {
        zamknij();
        module.reset();
        suite.reset();
        suite = std::make_unique<siblings::Suite>(db.params(), uzytkownik);
        module = std::make_unique<CPrzelew>();
    }

    TfrmPrzelewyDoAkceptacji& otworz() {
        module->vPrzelewyDoAkceptacjiMDI(qApp);
        EXPECT_NE(nullptr, frmPrzelewyDoAkceptacji);
        frmPrzelewyDoAkceptacji->runActivation();
        return *frmPrzelewyDoAkceptacji;
    }
    data::Dataset& q() { return frmPrzelewyDoAkceptacji->queRobPrzelewy; }
    void naWiersz(int id) { ASSERT_TRUE(q().locate(QStringLiteral("ID"), id)) << id; }
    int biezacy() { return static_cast<int>(q().fieldByName(QStringLiteral("ID")).asInteger()); }
    int stanWiersza(int id) {
        const int byl = biezacy();
        naWiersz(id);
        const int stan = static_cast<int>(q().fieldByName(QStringLiteral("ZAAKCEPTOWANE")).asInteger());
        naWiersz(byl);
        return stan;
    }
    std::int64_t zaakceptowane(int konto) {
        return committedCents("select coalesce(ZAAKCEPTOWANE, 0) from ET_BANK_KONTO where ID = " +
                              std::to_string(konto));
    }
    void zmienNumer(int konto, const std::string& numer) {
        dmMain->database().execute(dmMain->transaction(), "update ET_BANK_KONTO set KONTO = '" + numer +
                                                              "' where ID = " + std::to_string(konto));
        dmMain->transaction().commitRetaining();
    }
    // Unaccepted accounts of transfers marked in any set.
    std::int64_t nieZaakceptowaneZaznaczone() {
        return committedCents(
            "select count(distinct c.ID) from PR_PRZELEWY a join ET_BANK_KONTO c on c.ID = "
            "a.ID_KONTA_BANK where (a.ZAZNACZ > 0 or a.ZAZNACZ2 > 0 or a.ZAZNACZ3 > 0) and "
            "c.ZAAKCEPTOWANE is distinct from 1");
    }
};

TEST_F(PrzelewyDoAkceptacjiTest, OpensOnlyWhileTheParametersAskForAcceptance) {
    db.exec("update RE_PARAMETRY set CZY_AKCEPTACJA_KONTA_BANKOWEGO = 0");
    dialogs->expectMessage(QStringLiteral("Nie ustawiono w parametrach akceptacji kont bankowych"), ui::Answer::Ok);
    module->vPrzelewyDoAkceptacjiMDI(qApp);
    EXPECT_EQ(nullptr, frmPrzelewyDoAkceptacji);

    // Switched on elsewhere: read again when asked, no restart.
    db.exec("update RE_PARAMETRY set CZY_AKCEPTACJA_KONTA_BANKOWEGO = 1");
    const ui::DbGrid& grid = *otworz().grdPrzelewy;
    EXPECT_EQ(25, q().recordCount()) << "the transfers marked in any of the three sets";
    for (int c = 0; c < grid.columnCount(); ++c) EXPECT_NE(grid.columnTitle(c), grid.columnField(c)) << "raw name";
}

TEST_F(PrzelewyDoAkceptacjiTest, AcceptingShowsEveryTransferOfTheAccountAcceptedAndStaysOnTheRow) {
    TfrmPrzelewyDoAkceptacji& okno = otworz();
    naWiersz(kPierwszy);
    ASSERT_EQ(0, stanWiersza(kDrugi));
    okno.btnAkceptuj->click();
    EXPECT_EQ(kPierwszy, biezacy());
    EXPECT_EQ(std::pair(1, 1), std::pair(stanWiersza(kPierwszy), stanWiersza(kDrugi)));
    EXPECT_EQ(1, zaakceptowane(kKonto)) << "committed";

    dialogs->expectMessage(QStringLiteral("To konto już było zaakceptowane"), ui::Answer::Ok);
    naWiersz(kDrugi);
    okno.btnAkceptuj->click();
    EXPECT_EQ(1, zaakceptowane(kKonto)) << "a second accept switches nothing back";

    // Cancelled once; an account gone since the list was read is refused.
    okno.btnOdAkceptuj->click();
    EXPECT_EQ(0, zaakceptowane(kKonto));
    naWiersz(kPrzelewZestawu3);
    dmMain->database().execute(dmMain->transaction(), "delete from ET_BANK_KONTO where ID = 27");
    dialogs->expectMessage(QStringLiteral("To konto miało już anulownie akceptacji"), ui::Answer::Ok);
    okno.btnOdAkceptuj->click();
    dmMain->transaction().rollbackRetaining();
}

// Set 1 waits only for account 23: its author cannot accept it, another user
// can, and then the set goes to issuing until the number changes again.
TEST_F(PrzelewyDoAkceptacjiTest, TheAuthorOfANumberCannotAcceptItAnotherUserCan) {
    zmienNumer(kKonto, "61109010140000071219812874");
    otworz();
    naWiersz(kPierwszy);
    dialogs->expectMessage(QStringLiteral("Numer tego konta bankowego wpisał lub zmienił ten sam użytkownik"),
                           ui::Answer::Ok);
    frmPrzelewyDoAkceptacji->btnAkceptuj->click();
    EXPECT_EQ(0, zaakceptowane(kKonto));

    jako(QStringLiteral("KASIA"));
    otworz();
    naWiersz(kPierwszy);
    frmPrzelewyDoAkceptacji->actZaznacz->trigger();
    EXPECT_EQ(1, zaakceptowane(kKonto));
    module->vPrzelewyMDI(qApp);
    frmPrzelewy->runActivation();
    bool wystawianie = false;
    dialogs->expectModal([&](QWidget& okno) {
        wystawianie = okno.objectName() == QLatin1String("frmWystawPrzelewy");
        return int(ui::mrCancel);
    });
    frmPrzelewy->btnWystawClick();
    EXPECT_TRUE(wystawianie);

    // A new number after the acceptance: not accepted any more, and issuing the set refuses it.
    zmienNumer(kKonto, "27114020040000300201355387");
    EXPECT_EQ(0, zaakceptowane(kKonto));
    dialogs->expectMessage(QStringLiteral("27114020040000300201355387"), ui::Answer::Ok);
    frmPrzelewy->btnWystawClick();
}

TEST_F(PrzelewyDoAkceptacjiTest, AcceptAllWorksOnTheMarkedListOnlyAndLeavesOwnNumbersToOthers) {
    TfrmPrzelewyDoAkceptacji& okno = otworz();
    okno.grpWszystkie->button(1)->click();
    EXPECT_GT(q().recordCount(), 200);
    dialogs->expectMessage(QStringLiteral("Akceptacja wszystkich niedozwolona !"), ui::Answer::Ok);
    okno.actAkceptujWszystkie->trigger();
    EXPECT_EQ(3, nieZaakceptowaneZaznaczone());

    okno.grpWszystkie->button(0)->click();
    zmienNumer(12, "11112222333344445555666677");
    dialogs->expectMessage(QStringLiteral("Nie zaakceptowano 1 kont(a)"), ui::Answer::Ok);
    okno.actAkceptujWszystkie->trigger();
    EXPECT_EQ(1, nieZaakceptowaneZaznaczone()) << "only the account whose number this user typed is left";
    EXPECT_EQ(0, zaakceptowane(12));
    EXPECT_EQ(0, zaakceptowane(4)) << "accounts of unmarked transfers stay as they were";
}

TEST_F(PrzelewyDoAkceptacjiTest, AFailureHalfWayThroughAcceptAllUndoesTheWholeWalk) {
    // The second account accepted in this run fails.
    module.reset();
    suite.reset();
    db.exec("create exception E_TEST_AKCEPTACJA 'awaria w trakcie akceptacji'");
    db.exec(
        "create trigger T_TEST_AKCEPTACJA for ET_BANK_KONTO before update as begin "
        "if (new.ZAAKCEPTOWANE = 1 and exists(select 1 from ET_BANK_KONTO where ZAAKCEPTOWANE = 1 and "
        "DATA_AKCEPTACJI >= current_date)) then exception E_TEST_AKCEPTACJA; end");
    suite = std::make_unique<siblings::Suite>(db.params());
    module = std::make_unique<CPrzelew>();

    TfrmPrzelewyDoAkceptacji& okno = otworz();
    dialogs->expectShowMessage(QStringLiteral("frmPrzelewyDoAkceptacji->AkceptacjaWszystkie1Click() \n\n"));
    okno.actAkceptujWszystkie->trigger();
    EXPECT_EQ(3, nieZaakceptowaneZaznaczone());
    EXPECT_EQ(0, sharedCents("select count(*) from ET_BANK_KONTO where DATA_AKCEPTACJI >= current_date"))
        << "nothing of the walk is left in the shared transaction either";
    EXPECT_EQ(0, stanWiersza(kPierwszy)) << "the list shows the database again";
}

}  // namespace
