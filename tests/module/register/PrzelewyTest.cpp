#include "RegisterWindows.h"

#include <QRadioButton>
#include <QToolButton>

namespace {

const std::string kOczekujace = "DATA_REALIZACJI is null";
const std::string kBezZestawu = kOczekujace +
                                " and coalesce(ZAZNACZ, 0) = 0 and coalesce(ZAZNACZ2, 0) = 0 "
                                "and coalesce(ZAZNACZ3, 0) = 0";

class PrzelewyTest : public pxtest::RegisterWindows {
protected:
    qint64 id(const std::string& where) {
        return sharedCents("select first 1 ID from PR_PRZELEWY where " + where + " order by ID");
    }
    double wartosc() { return q()["WARTOSC"].asDouble(); }
};

TEST_F(PrzelewyTest, RealizedRowsShowOnRequestAndRefuseChanges) {
    TfrmPrzelewy& okno = rejestr();
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
}

TEST_F(PrzelewyTest, DeletingAMarkedRowTakesItsAmountOutOfTheSet) {
    TfrmPrzelewy& okno = rejestr();
    const double razem = okno.zestaw.dRazem();
    const qint64 zaznaczony = id(kOczekujace + " and ZAZNACZ = 1");
    naWiersz(zaznaczony);
    const double kwota = wartosc();
    dialogs->expectMessage(QStringLiteral("Czy chcesz usunąć wybrany przelew?"), ui::Answer::Yes);
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
    okno.findChild<QRadioButton*>(QStringLiteral("rgKtoryZestaw2"))->click();
    dialogs->expectMessage(QStringLiteral("Już zaznaczono w innym zestawie"), ui::Answer::Ok);
    okno.btnZaznaczClick();
    EXPECT_EQ(8, okno.zestaw.iIlosc());
    EXPECT_EQ(100, committedCents("select ZAZNACZ * 100 + coalesce(ZAZNACZ2, 0) from PR_PRZELEWY where ID = " +
                                  std::to_string(wolny)));
    EXPECT_FALSE(q().isEditing()) << "the invoice module could not add to an edited query";
}

TEST_F(PrzelewyTest, PartialPaymentMovesTheSumAndUnmarkingRestoresTheAmountOwed) {
    TfrmPrzelewy& okno = rejestr();
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

}  // namespace
