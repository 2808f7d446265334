#include "module/ModuleFixture.h"
#include "module/realized/Przelewydoakceptacji.h"
#include "module/register/Przelewy.h"

#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

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
        return committedCents("select coalesce(ZAAKCEPTOWANE, 0) from ET_BANK_KONTO where ID = " + std::to_string(konto));
    }
    void zmienNumer(int konto, const std::string& numer) {
        dmMain->database().execute(dmMain->transaction(), "update ET_BANK_KONTO set KONTO = '" + numer +
                                                              "' where ID = " + std::to_string(konto));
        dmMain->transaction().commitRetaining();
    }
    int biezacyZaakceptowany() {
        for (q().first(); !q().eof(); q().next())
            if (q().fieldByName(QStringLiteral("ZAAKCEPTOWANE")).asInteger() == 1) return biezacy();
        return 0;
    }
    // Unaccepted accounts of transfers marked in any set.
    std::int64_t nieZaakceptowaneZaznaczone() {
        return committedCents("select count(distinct c.ID) from PR_PRZELEWY a join ET_BANK_KONTO c on c.ID = "
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
    TfrmPrzelewyDoAkceptacji& okno = otworz();
    EXPECT_EQ(25, q().recordCount()) << "the transfers marked in any of the three sets";
    EXPECT_EQ(QStringLiteral("12"), okno.pnlIlosc->text());
    module->vPrzelewyDoAkceptacjiMDI(qApp);
    EXPECT_EQ(&okno, frmPrzelewyDoAkceptacji);
}

TEST_F(PrzelewyDoAkceptacjiTest, AcceptingShowsEveryTransferOfTheAccountAcceptedAndStaysOnTheRow) {
    TfrmPrzelewyDoAkceptacji& okno = otworz();
    naWiersz(kPierwszy);
    ASSERT_EQ(0, stanWiersza(kDrugi));
    okno.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&okno));
    okno.grdPrzelewy->setFocus();
    QTest::keyClick(okno.grdPrzelewy, Qt::Key_F3);
    EXPECT_EQ(kPierwszy, biezacy());
    EXPECT_EQ(1, stanWiersza(kPierwszy));
    EXPECT_EQ(1, stanWiersza(kDrugi));
    EXPECT_EQ(1, zaakceptowane(kKonto)) << "committed";
    EXPECT_EQ("ADMIN", db.scalarText("select ZAAKCEPTOWAL from ET_BANK_KONTO where ID = 23"));

    dialogs->expectMessage(QStringLiteral("To konto już było zaakceptowane"), ui::Answer::Ok);
    naWiersz(kDrugi);
    okno.btnAkceptuj->click();
    EXPECT_EQ(1, zaakceptowane(kKonto)) << "a second accept switches nothing back";

    // Cancelling goes back to the first row; a second cancel is refused.
    QTest::keyClick(okno.grdPrzelewy, Qt::Key_Delete);
    EXPECT_EQ(0, zaakceptowane(kKonto));
    EXPECT_EQ(0, q().recNo());
    naWiersz(kDrugi);
    dialogs->expectMessage(QStringLiteral("To konto miało już anulownie akceptacji"), ui::Answer::Ok);
    okno.btnOdAkceptuj->click();

    // An account gone since the list was read is not accepted either.
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
    EXPECT_EQ("KASIA", db.scalarText("select ZAAKCEPTOWAL from ET_BANK_KONTO where ID = 23"));
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
    EXPECT_EQ(QStringLiteral("NIE JEST ZAAKCEPTOWANE konto bankowe ->Kontrahenta:"), dialogs->shown().back().caption);
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
    db.exec("create trigger T_TEST_AKCEPTACJA for ET_BANK_KONTO before update as begin "
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

TEST_F(PrzelewyDoAkceptacjiTest, SwitchingTheSetCountsItsMarksAndKeepsTheList) {
    TfrmPrzelewyDoAkceptacji& okno = otworz();
    naWiersz(kDrugi);
    const int wiersze = q().recordCount();
    for (int zestaw : {2, 3, 1}) {
        okno.grpZestawy->button(zestaw - 1)->click();
        const std::string pole = zestaw == 1 ? "ZAZNACZ" : "ZAZNACZ" + std::to_string(zestaw);
        EXPECT_EQ(QString::number(committedCents("select count(*) from PR_PRZELEWY where " + pole + " = 1")),
                  okno.pnlIlosc->text()) << zestaw;
        EXPECT_EQ(wiersze, q().recordCount());
        EXPECT_EQ(kDrugi, biezacy());
    }
}

// The register's sorted list and titles underneath; the acceptance column sorts, the account does not.
TEST_F(PrzelewyDoAkceptacjiTest, TitlesSortingAndSearchingWorkAsInTheRegister) {
    TfrmPrzelewyDoAkceptacji& okno = otworz();
    for (int c = 0; c < okno.grdPrzelewy->columnCount(); ++c)
        EXPECT_NE(okno.grdPrzelewy->columnTitle(c), okno.grdPrzelewy->columnField(c)) << "raw column name";
    EXPECT_EQ(QStringLiteral("b.KOD_FK ASC"), q().sql().value(8));
    okno.grpWszystkie->button(1)->click();
    okno.lista->vKliknietyTytul(QStringLiteral("ZAAKCEPTOWANE"));
    EXPECT_EQ(QStringLiteral("c.ZAAKCEPTOWANE ASC"), q().sql().value(8));
    okno.lista->vKliknietyTytul(QStringLiteral("KONTRAHENT_KONTO"));
    EXPECT_EQ(QStringLiteral("c.ZAAKCEPTOWANE ASC"), q().sql().value(8)) << "the account does not sort";

    okno.lista->vKliknietyTytul(QStringLiteral("KONTRAHENT_NAZWA"));
    const QStringList zapytanie = q().sql();
    QTest::keyClicks(okno.grdPrzelewy, QStringLiteral("bar o'"));
    EXPECT_EQ(QStringLiteral("Bar O'Neill"), q().fieldByName(QStringLiteral("KONTRAHENT_SKROT")).asString());
    EXPECT_EQ(zapytanie, q().sql()) << "the search never changes the query";
}

TEST_F(PrzelewyDoAkceptacjiTest, TheAcceptanceColumnReadsTakInGreyAndNieInRed) {
    TfrmPrzelewyDoAkceptacji& okno = otworz();
    okno.resize(1400, 700);
    ui::DbGrid& grid = *okno.grdPrzelewy;
    const auto kolory = [&](int id) {
        naWiersz(id);
        const QModelIndex i = grid.model()->index(q().recNo(), grid.columnIndex(QStringLiteral("ZAAKCEPTOWANE")));
        grid.scrollTo(i);
        const QImage obraz = grid.viewport()->grab().toImage().copy(grid.visualRect(i));
        QSet<QRgb> jakie;
        for (int x = 0; x < obraz.width(); ++x)
            for (int y = 0; y < obraz.height(); ++y) jakie.insert(obraz.pixel(x, y));
        return jakie;
    };
    const QSet<QRgb> nie = kolory(kPierwszy);
    EXPECT_TRUE(nie.contains(qRgb(255, 255, 255)));
    EXPECT_TRUE(nie.contains(qRgb(255, 0, 0)));
    const QSet<QRgb> tak = kolory(biezacyZaakceptowany());
    EXPECT_TRUE(tak.contains(qRgb(128, 128, 128)));
    EXPECT_FALSE(tak.contains(qRgb(255, 0, 0)));
}

}  // namespace
