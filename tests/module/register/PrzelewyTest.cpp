#include "RegisterWindows.h"

#include <QRadioButton>
#include <QToolButton>

namespace {

const std::string kOczekujace = "DATA_REALIZACJI is null";
const std::string kBezZestawu = kOczekujace +
                                " and coalesce(ZAZNACZ, 0) = 0 and coalesce(ZAZNACZ2, 0) = 0 "
                                "and coalesce(ZAZNACZ3, 0) = 0";
const QString kPytanie = QStringLiteral("Czy chcesz usunąć wybrany przelew?");

class PrzelewyTest : public pxtest::RegisterWindows {
protected:
    qint64 id(const std::string& where) {
        return sharedCents("select first 1 ID from PR_PRZELEWY where " + where + " order by ID");
    }
    qint64 biezacy() { return q()["ID"].asInteger(); }
    double wartosc() { return q()["WARTOSC"].asDouble(); }
    QString porzadek() { return q().sql().value(TDMP::kLiniaPorzadku); }
};

TEST_F(PrzelewyTest, EscapeClosesTheOneWindowAndItsLayoutComesBack) {
    ui::DbGrid* grid = rejestr().grdPrzelewy;
    grid->setColumnWidthOf(QStringLiteral("NR_FAKTURY"), 177);
    QTest::keyClick(grid, Qt::Key_Escape);
    zamknieto();
    EXPECT_EQ(nullptr, frmPrzelewy);
    EXPECT_FALSE(q().isActive());

    module->vPrzelewyMDI(qApp);
    TfrmPrzelewy* pierwsze = frmPrzelewy;
    EXPECT_EQ(177, pierwsze->grdPrzelewy->columnWidthOf(QStringLiteral("NR_FAKTURY")));
    module->vPrzelewyMDI(qApp);
    EXPECT_EQ(pierwsze, frmPrzelewy);
}

TEST_F(PrzelewyTest, OnlyTheReenablingModeGivesTheOwnerBack) {
    for (bool przywroc : {true, false}) {
        QWidget wlasciciel;
        wlasciciel.setEnabled(false);
        (new TfrmPrzelewy(&wlasciciel, przywroc))->close();
        EXPECT_EQ(przywroc, wlasciciel.isEnabled());
    }
}

TEST_F(PrzelewyTest, SortingKeepsTheRowAndSearchingNeverChangesTheQuery) {
    TfrmPrzelewy& okno = rejestr();
    const qint64 wiersz = id(kOczekujace + " and ID > 100");
    naWiersz(wiersz);
    okno.grdPrzelewyTitleClick(QStringLiteral("KONTRAHENT_NAZWA"));
    EXPECT_EQ(wiersz, biezacy()) << "the row stays current";
    okno.grdPrzelewyTitleClick(QStringLiteral("INNA_KWOTA_cal"));
    EXPECT_EQ(QStringLiteral("UPPER(b.PELNA) COLLATE PXW_PLK ASC"), porzadek()) << "the arrow column does not sort";

    const QStringList lista = q().sql();
    QTest::keyClicks(okno.edtTekst, QStringLiteral("prz"));
    EXPECT_TRUE(tekst("KONTRAHENT_NAZWA").toUpper().startsWith("PRZ"));
    EXPECT_EQ(lista, q().sql());
    QTest::keyClick(okno.grdPrzelewy, Qt::Key_Delete);
    EXPECT_TRUE(okno.lista->sSzukanyTekst.isEmpty());

    // Shift+arrow sorts by the next column and drops a search typed before.
    ui::DbGrid& grid = *okno.grdPrzelewy;
    grid.setSelectedField(QStringLiteral("NR_FAKTURY"));
    QTest::keyClicks(&grid, QStringLiteral("fv"));
    QTest::keyRelease(&grid, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(QStringLiteral("b.WYROZNIONY ASC"), porzadek());
    EXPECT_TRUE(okno.lista->sPoprzedniTekst.isEmpty());
    okno.grdPrzelewyTitleClick(QStringLiteral("MPP_cal"));
    EXPECT_EQ(QStringLiteral("a.MPP ASC"), porzadek()) << "split payments sort by their flag";
    EXPECT_TRUE(q().isActive());
}

TEST_F(PrzelewyTest, RealizedRowsShowOnRequestAndRefuseChanges) {
    TfrmPrzelewy& okno = rejestr();
    const int oczekujace = q().recordCount();
    okno.spbWszystkie->click();
    naWiersz(id("DATA_REALIZACJI is not null"));
    dialogs->expectMessage(QStringLiteral("Przelew  juz zrealizowany "), ui::Answer::Ok);
    QTest::keyClick(okno.grdPrzelewy, Qt::Key_Return);
    dialogs->expectMessage(QStringLiteral("Przelew juz zrealizowany "), ui::Answer::Ok);
    okno.actUsun->trigger();
    const std::string zaznaczone = "select count(*) from PR_PRZELEWY where ZAZNACZ = 1";
    const auto przed = committedCents(zaznaczone);
    okno.btnZaznaczClick();
    EXPECT_EQ(przed, committedCents(zaznaczone)) << "marking passes realized rows over silently";
    okno.spbWszystkie->click();
    EXPECT_EQ(oczekujace, q().recordCount());
}

TEST_F(PrzelewyTest, DeletingWarnsAboutGeneratedRowsAndTakesAMarkedAmountOutOfTheSet) {
    TfrmPrzelewy& okno = rejestr();
    naWiersz(id(kBezZestawu + " and WPROWADZONY = 0"));
    dialogs->expectMessage(QStringLiteral("Przelew utworzony automatycznie z faktury ZAKUPU !\n") + kPytanie,
                           ui::Answer::No);
    okno.btnUsunClick();

    const double razem = okno.zestaw.dRazem();
    const qint64 zaznaczony = id(kOczekujace + " and ZAZNACZ = 1");
    naWiersz(zaznaczony);
    const double kwota = wartosc();
    dialogs->expectMessage(kPytanie, ui::Answer::Yes);
    okno.btnUsunClick();
    EXPECT_EQ(0, committedCents("select count(*) from PR_PRZELEWY where ID = " + std::to_string(zaznaczony)));
    EXPECT_EQ(11, okno.zestaw.iIlosc());
    EXPECT_NEAR(razem - kwota, okno.zestaw.dRazem(), 0.005);
}

TEST_F(PrzelewyTest, ARowMarkedInAnotherSetIsRefusedAndTheQueryStaysFree) {
    TfrmPrzelewy& okno = rejestr();
    const qint64 wolny = id(kBezZestawu);
    naWiersz(wolny);
    okno.btnZaznacz->click();
    EXPECT_EQ(13, okno.zestaw.iIlosc());
    okno.findChild<QRadioButton*>(QStringLiteral("rgKtoryZestaw2"))->click();
    EXPECT_EQ(8, okno.zestaw.iIlosc());
    dialogs->expectMessage(QStringLiteral("Już zaznaczono w innym zestawie"), ui::Answer::Ok);
    okno.btnZaznaczClick();
    EXPECT_EQ(8, okno.zestaw.iIlosc());
    EXPECT_EQ(100, committedCents("select ZAZNACZ * 100 + coalesce(ZAZNACZ2, 0) from PR_PRZELEWY where ID = " +
                                  std::to_string(wolny)));
    EXPECT_FALSE(q().isEditing()) << "the invoice module could not add to an edited query";
}

TEST_F(PrzelewyTest, PartialPaymentMovesTheSumAndUnmarkingRestoresTheAmountOwed) {
    TfrmPrzelewy& okno = rejestr();
    naWiersz(id(kBezZestawu));
    dialogs->expectMessage(QStringLiteral("Faktura nie zaznaczona !"), ui::Answer::Ok);
    okno.actCzesciowaOplata->trigger();

    const qint64 wiersz = id(kOczekujace + " and ZAZNACZ = 1");
    naWiersz(wiersz);
    const double razem = okno.zestaw.dRazem();
    const double kwota = wartosc();
    dialogs->expectModal([this](QWidget&) {
        q().edit();
        q()["WARTOSC"].setDouble(10);
        q().post();
        return ui::mrOk;
    });
    okno.CzesciowaOplataClick();
    EXPECT_NEAR(razem - kwota + 10, okno.zestaw.dRazem(), 0.005);

    okno.btnZaznaczClick();
    EXPECT_EQ(11, okno.zestaw.iIlosc());
    EXPECT_NEAR(razem - kwota, okno.zestaw.dRazem(), 0.005);
    EXPECT_EQ(0, committedCents("select WARTOSC - WARTOSC_CALA + coalesce(WARTOSC_WYPLACONA, 0) from PR_PRZELEWY "
                                "where ID = " +
                                std::to_string(wiersz)));
}

TEST_F(PrzelewyTest, MarkAllSkipsOtherSetsOnceEachAndUnmarkAllEmptiesTheSet) {
    TfrmPrzelewy& okno = rejestr();
    const auto innych = sharedCents("select count(*) from PR_PRZELEWY where " + kOczekujace +
                                    " and (ZAZNACZ2 = 1 or ZAZNACZ3 = 1)");
    for (int i = 0; i < innych; ++i)
        dialogs->expectMessage(QStringLiteral("Już zaznaczono w innym zestawie"), ui::Answer::Ok);
    okno.actZaznaczWszystkie->trigger();
    const std::string moje = kOczekujace + " and coalesce(ZAZNACZ2, 0) = 0 and coalesce(ZAZNACZ3, 0) = 0";
    EXPECT_EQ(q().recordCount() - innych, okno.zestaw.iIlosc());
    EXPECT_NEAR(
        sharedCents("select sum(WARTOSC_CALA - coalesce(WARTOSC_WYPLACONA, 0)) from PR_PRZELEWY where " + moje) / 100.0,
        okno.zestaw.dRazem(), 0.005);
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
    zestaw.vOdejmij(0.10);
    EXPECT_EQ(0.2, zestaw.dRazem());
}

TEST_F(PrzelewyTest, IssuingASetWithAnUnacceptedAccountStopsAndKeepsTheList) {
    sql("update PR_PRZELEWY set ZAZNACZ3 = 0");
    // Numbers typed by another user, so that this one may accept them below.
    db.exec("update ET_BANK_KONTO set KONTO = '61109010140000071219812874'");
    db.exec("update ET_BANK_KONTO set ZAAKCEPTOWANE = 1, ZAAKCEPTOWAL = 'KASIA'");
    TfrmPrzelewy& okno = rejestr();
    const QStringList lista = q().sql();

    const auto konto = std::to_string(
        sharedCents("select first 1 ID_KONTA_BANK from PR_PRZELEWY where ZAZNACZ = 1 order by ID_KONTRAHENTA desc"));
    const QString nazwa = QString::fromStdString(db.scalarText(
        "select k.PELNA from ET_KONTAKT k join ET_BANK_KONTO c on c.ID_KONTR = k.ID where c.ID = " + konto));
    db.exec("update ET_BANK_KONTO set ZAAKCEPTOWANE = 0 where ID = " + konto);
    DMP->iCzyAkceptacjaKontaBankowego = 1;
    dialogs->expectMessage(nazwa + "\n61109010140000071219812874", ui::Answer::Ok);
    okno.btnWystawClick();
    EXPECT_EQ(QStringLiteral("NIE JEST ZAAKCEPTOWANE konto bankowe ->Kontrahenta:"), dialogs->shown().back().caption);
    EXPECT_EQ(lista, q().sql());
    EXPECT_TRUE(q().isActive());
}

TEST_F(PrzelewyTest, ReturningFromOtherWindowsRestoresTheirPartOfTheList) {
    TfrmPrzelewy& okno = rejestr();
    okno.grdPrzelewyTitleClick(QStringLiteral("KONTRAHENT_NAZWA"));
    okno.spbWydruk->click();
    q().setSqlLine(TDMP::kLiniaPorzadku, QStringLiteral("a.ID"));
    okno.runActivation();
    EXPECT_EQ(QStringLiteral("UPPER(b.PELNA) COLLATE PXW_PLK ASC"), porzadek());
    EXPECT_TRUE(q().isActive());

    okno.spbWszystkie->click();
    okno.vPoWystawieniu();
    EXPECT_EQ(QStringLiteral("and a.DATA_REALIZACJI is NULL "), q().sql().value(TDMP::kLiniaWarunku))
        << "issuing starts from the pending list";
}

}  // namespace
