#include "module/ModuleFixture.h"
#include "module/register/Przelewy.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace {

const std::string kOczekujace = "DATA_REALIZACJI is null";
const std::string kBezZestawu = kOczekujace + " and coalesce(ZAZNACZ, 0) = 0 and coalesce(ZAZNACZ2, 0) = 0 "
                                              "and coalesce(ZAZNACZ3, 0) = 0";

class PrzelewyTest : public pxtest::ModuleFixture {
protected:
    void TearDown() override {
        if (frmPrzelewy) frmPrzelewy->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ModuleFixture::TearDown();
    }

    TfrmPrzelewy& otworz() {
        module->vPrzelewyMDI(qApp);
        frmPrzelewy->runActivation();
        return *frmPrzelewy;
    }
    data::Dataset& q() { return DMP->quePrzelewy; }
    void sql(const std::string& statement) { dmMain->database().execute(dmMain->transaction(), statement); }
    int id(const std::string& where) {
        return static_cast<int>(sharedCents("select first 1 ID from PR_PRZELEWY where " + where + " order by ID"));
    }
    void naWiersz(int id) { ASSERT_TRUE(q().locate(QStringLiteral("ID"), id)); }
    int biezacy() { return static_cast<int>(q().fieldByName(QStringLiteral("ID")).asInteger()); }
    double wartosc() { return q().fieldByName(QStringLiteral("WARTOSC")).asDouble(); }
    QString warunek() { return q().sql().value(TDMP::kLiniaWarunku); }
    QString porzadek() { return q().sql().value(TDMP::kLiniaPorzadku); }
};

TEST_F(PrzelewyTest, EscapeClosesTheOneWindowAndItsLayoutComesBack) {
    ui::DbGrid* grid = otworz().grdPrzelewy;
    grid->setColumnVisible(QStringLiteral("DODAL"), false);
    grid->setColumnWidthOf(QStringLiteral("NR_FAKTURY"), 177);
    QTest::keyClick(grid, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(nullptr, frmPrzelewy);
    EXPECT_EQ(nullptr, DMP->grdPrzelewy.data());
    EXPECT_FALSE(q().isActive());
    EXPECT_EQ(1, committedCents("select count(*) from SU_UKLADY_SIATEK where NAZWA_OKNA = 'TfrmPrzelewy'"));

    module->vPrzelewyMDI(qApp);
    TfrmPrzelewy* pierwsze = frmPrzelewy;
    grid = pierwsze->grdPrzelewy;
    EXPECT_FALSE(grid->isColumnVisible(QStringLiteral("DODAL")));
    EXPECT_EQ(177, grid->columnWidthOf(QStringLiteral("NR_FAKTURY")));
    grid->setColumnVisible(QStringLiteral("DODAL"), true);
    module->vPrzelewyMDI(qApp);
    EXPECT_EQ(pierwsze, frmPrzelewy);
    EXPECT_FALSE(grid->isColumnVisible(QStringLiteral("DODAL"))) << "restored again";
}

TEST_F(PrzelewyTest, OnlyTheReenablingModeGivesTheOwnerBack) {
    module->vPrzelewyModalne(qApp);
    EXPECT_TRUE(frmPrzelewy->bPrzywrocWlasciciela);
    frmPrzelewy->close();
    for (bool przywroc : {true, false}) {
        QWidget wlasciciel;
        wlasciciel.setEnabled(false);
        (new TfrmPrzelewy(&wlasciciel, przywroc))->close();
        EXPECT_EQ(przywroc, wlasciciel.isEnabled());
    }
}

TEST_F(PrzelewyTest, SortingAndSearchingTheList) {
    TfrmPrzelewy& okno = otworz();
    okno.grdPrzelewyTitleClick(QStringLiteral("KONTRAHENT_NAZWA"));
    const QStringList lista = q().sql();
    QTest::keyClicks(okno.edtTekst, QStringLiteral("prz"));
    EXPECT_EQ(QStringLiteral("PRZ"), okno.edtTekst->text());
    EXPECT_TRUE(q().fieldByName(QStringLiteral("KONTRAHENT_NAZWA")).asString().toUpper().startsWith("PRZ"));
    EXPECT_EQ(lista, q().sql()) << "the search never changes the query";
    QTest::keyClick(okno.grdPrzelewy, Qt::Key_Delete);
    EXPECT_TRUE(okno.lista->sSzukanyTekst.isEmpty());

    const int wiersz = id(kOczekujace + " and ID > 100");
    naWiersz(wiersz);
    okno.grdPrzelewyTitleClick(QStringLiteral("KONTRAHENT_NAZWA"));
    EXPECT_EQ(QStringLiteral("UPPER(b.PELNA) COLLATE PXW_PLK DESC"), porzadek());
    EXPECT_EQ(wiersz, biezacy()) << "the row stays current";
    okno.grdPrzelewyTitleClick(QStringLiteral("INNA_KWOTA_cal"));
    EXPECT_EQ(QStringLiteral("UPPER(b.PELNA) COLLATE PXW_PLK DESC"), porzadek()) << "the arrow column does not sort";
    okno.grdPrzelewyTitleClick(QStringLiteral("MPP_cal"));
    EXPECT_EQ(QStringLiteral("a.MPP ASC"), porzadek()) << "split payments sort by their flag";
    EXPECT_TRUE(q().isActive());

    ui::DbGrid& grid = *okno.grdPrzelewy;
    QHeaderView& naglowek = *grid.horizontalHeader();
    const int termin = grid.columnIndex(QStringLiteral("TERMIN_ZAPLATY"));
    QTest::mouseClick(naglowek.viewport(), Qt::LeftButton, {},
                      QPoint(naglowek.sectionViewportPosition(termin) + 5, naglowek.height() / 2));
    EXPECT_EQ(QStringLiteral("a.TERMIN_ZAPLATY ASC"), porzadek());

    // Shift+arrow sorts by the next column and drops a search typed before.
    grid.setSelectedField(QStringLiteral("NR_FAKTURY"));
    QTest::keyClicks(&grid, QStringLiteral("fv"));
    QTest::keyRelease(&grid, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(QStringLiteral("b.WYROZNIONY ASC"), porzadek());
    EXPECT_TRUE(okno.lista->sPoprzedniTekst.isEmpty());
}

TEST_F(PrzelewyTest, RealizedRowsShowOnRequestAndRefuseChanges) {
    TfrmPrzelewy& okno = otworz();
    const int oczekujace = q().recordCount();
    okno.spbWszystkie->click();
    EXPECT_GT(q().recordCount(), oczekujace);
    naWiersz(id("DATA_REALIZACJI is not null"));
    dialogs->expectMessage(QStringLiteral("Przelew  juz zrealizowany "), ui::Answer::Ok);
    QTest::keyClick(okno.grdPrzelewy, Qt::Key_Return);
    dialogs->expectMessage(QStringLiteral("Przelew juz zrealizowany "), ui::Answer::Ok);
    okno.actUsun->trigger();
    const std::string zaznaczone = "select count(*) from PR_PRZELEWY where ZAZNACZ = 1";
    const auto przed = committedCents(zaznaczone);
    okno.btnZaznaczClick();
    EXPECT_EQ(2u, dialogs->shown().size()) << "marking passes realized rows over silently";
    EXPECT_EQ(przed, committedCents(zaznaczone));
    okno.spbWszystkie->click();
    EXPECT_EQ(oczekujace, q().recordCount());
}

TEST_F(PrzelewyTest, DeletingWarnsAboutGeneratedRowsAndLeavesTheCountRight) {
    TfrmPrzelewy& okno = otworz();
    const QString pytanie = QStringLiteral("Czy chcesz usunąć wybrany przelew?");
    for (int zrodlo : {0, 3}) {
        naWiersz(id(kBezZestawu + " and WPROWADZONY = " + std::to_string(zrodlo)));
        dialogs->expectMessage(QStringLiteral("Przelew utworzony automatycznie z faktury ZAKUPU !\n") + pytanie,
                               ui::Answer::No);
        okno.btnUsunClick();
    }
    const int wpisany = id(kBezZestawu + " and WPROWADZONY = 1");
    naWiersz(wpisany);
    dialogs->expectMessage(pytanie, ui::Answer::Yes);
    okno.btnUsunClick();
    EXPECT_EQ(pytanie, dialogs->shown().back().text);
    EXPECT_EQ(0, committedCents("select count(*) from PR_PRZELEWY where ID = " + std::to_string(wpisany)));

    // A marked row takes its amount out of the set's sum.
    const double razem = okno.zestaw.dRazem();
    naWiersz(id(kOczekujace + " and ZAZNACZ = 1"));
    const double kwota = wartosc();
    dialogs->expectMessage(pytanie, ui::Answer::Yes);
    okno.btnUsunClick();
    EXPECT_EQ(QStringLiteral("11"), okno.pnlIlosc->text());
    EXPECT_NEAR(razem - kwota, okno.zestaw.dRazem(), 0.005);
}

TEST_F(PrzelewyTest, ARowMarkedInAnotherSetIsRefusedAndTheQueryStaysFree) {
    TfrmPrzelewy& okno = otworz();
    const int wolny = id(kBezZestawu);
    naWiersz(wolny);
    okno.btnZaznacz->click();
    EXPECT_EQ(13, okno.zestaw.iIlosc());
    EXPECT_EQ(1, committedCents("select ZAZNACZ from PR_PRZELEWY where ID = " + std::to_string(wolny)));

    okno.findChild<QRadioButton*>(QStringLiteral("rgKtoryZestaw2"))->click();
    EXPECT_EQ(8, okno.zestaw.iIlosc());
    EXPECT_EQ(wolny, biezacy());
    dialogs->expectMessage(QStringLiteral("Już zaznaczono w innym zestawie"), ui::Answer::Ok);
    okno.btnZaznaczClick();
    EXPECT_EQ(8, okno.zestaw.iIlosc());
    EXPECT_EQ(0, committedCents("select coalesce(ZAZNACZ2, 0) from PR_PRZELEWY where ID = " + std::to_string(wolny)));
    EXPECT_FALSE(q().isEditing()) << "the invoice module could not add to an edited query";
}

TEST_F(PrzelewyTest, PartialPaymentMovesTheSumAndUnmarkingRestoresTheAmountOwed) {
    TfrmPrzelewy& okno = otworz();
    naWiersz(id(kBezZestawu));
    dialogs->expectMessage(QStringLiteral("Faktura nie zaznaczona !"), ui::Answer::Ok);
    okno.actCzesciowaOplata->trigger();

    const int wiersz = id(kOczekujace + " and ZAZNACZ = 1");
    naWiersz(wiersz);
    const double razem = okno.zestaw.dRazem();
    const double kwota = wartosc();
    dialogs->expectModal([this](QWidget&) {
        q().edit();
        q().fieldByName(QStringLiteral("WARTOSC")).setDouble(10);
        q().post();
        return ui::mrOk;
    });
    okno.CzesciowaOplataClick();
    EXPECT_EQ(12, okno.zestaw.iIlosc());
    EXPECT_NEAR(razem - kwota + 10, okno.zestaw.dRazem(), 0.005);

    okno.btnZaznaczClick();
    EXPECT_EQ(11, okno.zestaw.iIlosc());
    EXPECT_NEAR(razem - kwota, okno.zestaw.dRazem(), 0.005);
    EXPECT_EQ(0, committedCents("select WARTOSC - WARTOSC_CALA + coalesce(WARTOSC_WYPLACONA, 0) from PR_PRZELEWY "
                              "where ID = " + std::to_string(wiersz)));
}

TEST_F(PrzelewyTest, MarkAllSkipsOtherSetsOnceEachAndUnmarkAllEmptiesTheSet) {
    TfrmPrzelewy& okno = otworz();
    const auto innych = sharedCents("select count(*) from PR_PRZELEWY where " + kOczekujace +
                                  " and (ZAZNACZ2 = 1 or ZAZNACZ3 = 1)");
    for (int i = 0; i < innych; ++i)
        dialogs->expectMessage(QStringLiteral("Już zaznaczono w innym zestawie"), ui::Answer::Ok);
    okno.actZaznaczWszystkie->trigger();
    const std::string moje = kOczekujace + " and coalesce(ZAZNACZ2, 0) = 0 and coalesce(ZAZNACZ3, 0) = 0";
    EXPECT_EQ(q().recordCount() - innych, okno.zestaw.iIlosc());
    EXPECT_NEAR(sharedCents("select sum(WARTOSC_CALA - coalesce(WARTOSC_WYPLACONA, 0)) from PR_PRZELEWY where " + moje) /
                    100.0, okno.zestaw.dRazem(), 0.005);
    EXPECT_EQ(okno.zestaw.iIlosc(), committedCents("select count(*) from PR_PRZELEWY where ZAZNACZ = 1 and " + moje));

    dialogs->expectShowMessage(QStringLiteral("Odznaczono wszystkie przelewy"));
    okno.actOdznaczWszystkie->trigger();
    EXPECT_EQ(QStringLiteral("0"), okno.pnlRazem->text());
    EXPECT_EQ(0, committedCents("select count(*) from PR_PRZELEWY where ZAZNACZ = 1 and " + kOczekujace));
    EXPECT_EQ(8, committedCents("select count(*) from PR_PRZELEWY where ZAZNACZ2 = 1"));
}

TEST_F(PrzelewyTest, TheSetSumIsRoundedToCents) {
    TZestawZaznaczonych zestaw;
    for (int i = 0; i < 3; ++i) zestaw.vDodaj(0.10);
    // Unrounded the sum is 0.30000000000000004, which the display would hide.
    EXPECT_EQ(0.3, zestaw.dRazem());
    EXPECT_EQ(QStringLiteral("0,3"), zestaw.sRazem());
    zestaw.vOdejmij(0.10);
    EXPECT_EQ(0.2, zestaw.dRazem());
}

TEST_F(PrzelewyTest, IssuingChecksEveryAccountOfTheSetAndRestoresTheList) {
    sql("update PR_PRZELEWY set ZAZNACZ3 = 0");
    // Numbers typed by another user, so that this one may accept them below.
    db.exec("update ET_BANK_KONTO set KONTO = '61109010140000071219812874'");
    TfrmPrzelewy& okno = otworz();
    const QStringList lista = q().sql();
    const auto sprawdz = [&](const char* krok) {
        EXPECT_EQ(lista, q().sql()) << krok;
        EXPECT_TRUE(q().isActive()) << krok;
    };

    okno.rgKtoryZestawClick(2);
    dialogs->expectMessage(QStringLiteral("Nie zaznaczono faktur !"), ui::Answer::Ok);
    okno.btnWystaw->click();
    okno.rgKtoryZestawClick(0);

    const auto konto = std::to_string(
        sharedCents("select first 1 ID_KONTA_BANK from PR_PRZELEWY where ZAZNACZ = 1 order by ID_KONTRAHENTA desc"));
    const QString nazwa = QString::fromStdString(db.scalarText(
        "select k.PELNA from ET_KONTAKT k join ET_BANK_KONTO c on c.ID_KONTR = k.ID where c.ID = " + konto));
    sql("update ET_BANK_KONTO set KONTO = '1234567890123456789012345' where ID = " + konto);
    dmMain->transaction().commitRetaining();
    dialogs->expectMessage(nazwa, ui::Answer::Ok);
    okno.btnWystawClick();
    EXPECT_EQ(QStringLiteral("Brak konta bankowego->Kontrahenta:"), dialogs->shown().back().caption);
    sprawdz("25 characters fail");

    db.exec("update ET_BANK_KONTO set KONTO = '61109010140000071219812874', ZAAKCEPTOWANE = 1, ZAAKCEPTOWAL = 'KASIA'");
    db.exec("update ET_BANK_KONTO set ZAAKCEPTOWANE = 0 where ID = " + konto);
    DMP->iCzyAkceptacjaKontaBankowego = 1;
    dialogs->expectMessage(nazwa + "\n61109010140000071219812874", ui::Answer::Ok);
    okno.btnWystawClick();
    EXPECT_EQ(QStringLiteral("NIE JEST ZAAKCEPTOWANE konto bankowe ->Kontrahenta:"), dialogs->shown().back().caption);
    sprawdz("acceptance required");
}

TEST_F(PrzelewyTest, ReturningFromOtherWindowsRestoresTheirPartOfTheList) {
    TfrmPrzelewy& okno = otworz();
    okno.grdPrzelewyTitleClick(QStringLiteral("KONTRAHENT_NAZWA"));
    okno.spbWydruk->click();
    q().setSqlLine(TDMP::kLiniaPorzadku, QStringLiteral("a.ID"));
    okno.runActivation();
    EXPECT_EQ(QStringLiteral("UPPER(b.PELNA) COLLATE PXW_PLK ASC"), porzadek());
    EXPECT_TRUE(q().isActive());
    EXPECT_EQ(0, okno.iStanPowrotu);

    okno.spbWszystkie->click();
    okno.vPoWystawieniu();
    EXPECT_EQ(QStringLiteral("and a.DATA_REALIZACJI is NULL "), warunek()) << "issuing starts from the pending list";
}

TEST_F(PrzelewyTest, HighlightedContractorsShowARedCellWithoutItsNumber) {
    TfrmPrzelewy& okno = otworz();
    okno.resize(1400, 700);
    ui::DbGrid& grid = *okno.grdPrzelewy;
    const auto komorka = [&] {
        q().first();
        const QModelIndex i = grid.model()->index(0, grid.columnIndex(QStringLiteral("WYROZNIONY")));
        return grid.viewport()->grab().toImage().copy(grid.visualRect(i).adjusted(1, 1, -1, -1));
    };
    okno.grdPrzelewyTitleClick(QStringLiteral("WYROZNIONY"));
    okno.grdPrzelewyTitleClick(QStringLiteral("WYROZNIONY"));
    EXPECT_EQ(QColor(255, 0, 0), komorka().pixelColor(2, 2));
    ASSERT_EQ(1, q().fieldByName(QStringLiteral("WYROZNIONY")).asInteger());

    okno.grdPrzelewyTitleClick(QStringLiteral("WYROZNIONY"));
    const QImage zwykla = komorka();
    EXPECT_NE(QColor(255, 0, 0), zwykla.pixelColor(2, 2));
    for (int x = 0; x < zwykla.width(); ++x)
        for (int y = 0; y < zwykla.height(); ++y)
            ASSERT_EQ(zwykla.pixelColor(0, 0), zwykla.pixelColor(x, y)) << "no number in the cell";
}

}  // namespace
