#include "RegisterWindows.h"
#include "platform/controls/DBCheckBox.h"
#include "platform/controls/DBLookupComboBox.h"
#include "siblings/core/ChooserWindow.h"

#include <QFrame>
#include <QMdiArea>

namespace {

const QString kBledy = QStringLiteral(" Znaleziono następujące błędy w formularzu : \n");

class PrzelewyDaneTest : public pxtest::RegisterWindows {
protected:
    void SetUp() override {
        RegisterWindows::SetUp();
        DMP->vWczytajParametry();  // demo: ledger account "201", title "Faktura", classification shown
        q().open();
    }
    TfrmPrzelewyDane& otworz(bool zmiana) {
        auto* form = new TfrmPrzelewyDane(nullptr, zmiana);
        pokaz(*form);
        return *form;
    }
    // The contractor, its account and the ledger account the row holds.
    using Kontrahent = std::tuple<qint64, qint64, QString>;
    Kontrahent kontrahent() {
        return {q()["ID_KONTRAHENTA"].asInteger(), q()["ID_KONTA_BANK"].asInteger(), tekst("WN")};
    }
};

TEST_F(PrzelewyDaneTest, SaveListsEveryGapAndRollsBackARowTooLongForTheDatabase) {
    TfrmPrzelewyDane& f = otworz(false);
    q()["PARAGRAF"].setString(QStringLiteral("999-bez'sensu"));
    dialogs->expectMessage(kBledy, ui::Answer::Ok);
    f.btnZapisz->click();
    EXPECT_EQ(kBledy + QStringLiteral("1.Brak Terminu Zapłaty !\n2.Brak nr faktury \n3.Brak kontrahenta !\n"
                                      "4.Brak konta bankowego !\n5.Brak kwoty przelewu !\n"
                                      "6.Brak takiego PARAGRAFU w Planie Kont \n"),
              dialogs->shown().back().text);

    // A row the database refuses: the transaction rolls back, the row stays in the form.
    sql("update ET_KONTAKT set UWAGI = 'niezatwierdzone' where ID = 2");
    q()["PARAGRAF"].clear();
    wypelnij(f, QStringLiteral("FV/1"), QStringLiteral("10"));
    q()["NR_FAKTURY"].setString(QString(40, u'X'));  // longer than the column, past the capped edit
    dialogs->expectMessage(QStringLiteral("Błąd podczas zapisu"), ui::Answer::Ok);
    f.btnZapisz->click();
    EXPECT_EQ(0, sharedCents("select count(*) from ET_KONTAKT where UWAGI = 'niezatwierdzone'"));
    EXPECT_EQ(data::Dataset::State::Insert, q().state());
    EXPECT_EQ(frmPrzelewyDane, &f);
}

TEST_F(PrzelewyDaneTest, ChangingAPartlyPaidTransferOwesTheNewAmountLessWhatWasPaid) {
    const qint64 id = sharedCents(
        "select first 1 ID from PR_PRZELEWY where DATA_REALIZACJI is null and WARTOSC_WYPLACONA > 0");
    const std::string wiersz = " from PR_PRZELEWY where ID = " + std::to_string(id);
    const auto wyplacono = sharedCents("select WARTOSC_WYPLACONA" + wiersz);
    naWiersz(id);
    const QString tytul = tekst("TRESC1");
    TfrmPrzelewyDane& f = otworz(true);
    wpisz(f.edtNrFaktury, QStringLiteral("FV 77/2026"));
    EXPECT_EQ(tytul, tekst("TRESC1")) << "a title is not replaced";
    wpisz(f.DBEdit4, QStringLiteral("99999"));
    QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
    zamknieto();
    EXPECT_EQ(nullptr, frmPrzelewyDane);
    EXPECT_EQ(1, committedCents("select count(*)" + wiersz + " and WARTOSC_CALA = 99999 and WARTOSC * 100 = " +
                                std::to_string(9999900 - wyplacono)));
}

TEST_F(PrzelewyDaneTest, YesToTheCloseQuestionSavesTheRowAsTyped) {
    const auto nastepny = sharedCents("select gen_id(GEN_PR_PRZELEWY_ID, 0) from RDB$DATABASE") + 1;
    TfrmPrzelewyDane& f = otworz(false);
    wypelnij(f, QStringLiteral("FV 1/2026"), QStringLiteral("1500,50"));
    dialogs->expectMessage(QStringLiteral("Czy Zapisać"), ui::Answer::Yes);
    EXPECT_TRUE(f.close());
    zamknieto();
    const std::string wiersz = " from PR_PRZELEWY where NR_FAKTURY = 'FV 1/2026'";
    EXPECT_EQ(nastepny, committedCents("select ID" + wiersz));
    EXPECT_EQ(1, committedCents("select count(*)" + wiersz +
                                " and WARTOSC = 1500.50 and WARTOSC_CALA = 1500.50 "
                                "and WPROWADZONY = 1 and DODAL = 'ADMIN' and DATA_DODANIA = CURRENT_DATE and "
                                "TERMIN_ZAPLATY = '2026-11-05' and ID_KONTRAHENTA = 1 and ID_KONTA_BANK = 1 "
                                "and WN = '201-K0001'"));
}

TEST_F(PrzelewyDaneTest, EscapeWithNothingTypedGivesTheRegisterBackItsPanels) {
    // Inside the host's frame, where closing hands the focus to the register.
    QMdiArea obszar;
    ui::setMdiArea(&obszar);
    pokaz(obszar);
    sql("update PR_PRZELEWY set TRESC1 = null");  // leaving the invoice number would fill the title
    TfrmPrzelewy& okno = rejestr();
    okno.btnModyfikujClick();
    ASSERT_NE(nullptr, frmPrzelewyDane);
    frmPrzelewyDane->edtNrFaktury->setFocus();
    QTest::keyClick(frmPrzelewyDane->edtNrFaktury, Qt::Key_Escape);  // cancels and closes, no question
    zamknieto();
    EXPECT_EQ(nullptr, frmPrzelewyDane);
    EXPECT_TRUE(okno.isEnabled() && okno.pnlRecord->isVisibleTo(&okno) && okno.pnlBottom->isVisibleTo(&okno));
    EXPECT_EQ(data::Dataset::State::Browse, q().state()) << "nothing of the form runs once it is gone";
    okno.close();
    zamknieto();
    ui::setMdiArea(nullptr);
}

// An apostrophe in the looked-up text, a symbol, a short name the register opens on, and one
// outside Windows-1250.
TEST_F(PrzelewyDaneTest, ContractorAndClassificationLookups) {
    TfrmPrzelewyDane& f = otworz(false);
    wpisz(f.edtSkrot, QStringLiteral("Bar O'Neill"));
    EXPECT_EQ(Kontrahent(4, 5, QStringLiteral("201-K0004")), kontrahent());
    wpisz(f.edtSymbol, QStringLiteral("K0002"));  // the default account comes first
    EXPECT_EQ(Kontrahent(2, 2, QStringLiteral("201-K0002")), kontrahent());
    // Text the contractors' register cannot hold is refused at the edit, before any statement.
    dialogs->expectMessage(QStringLiteral("zawiera znak „Ж”"), ui::Answer::Ok);
    wpisz(f.edtSkrot, QStringLiteral("ЖУК"));
    EXPECT_EQ(Kontrahent(2, 2, QStringLiteral("201-K0002")), kontrahent());
    EXPECT_EQ(QStringLiteral("ЖУК"), f.edtSkrot->text()) << "kept for correcting";
    EXPECT_EQ(3, f.iSprawdzParagraf(0, QStringLiteral("750-75085-4210")));
    EXPECT_GE(0, f.iSprawdzParagraf(0, QStringLiteral("750-75085-'4210")));

    dialogs->expectModal([](QWidget& w) {
        auto& rejestr = dynamic_cast<siblings::ChooserWindow&>(w);
        EXPECT_EQ(QStringLiteral("Świe"), rejestr.searchEdit().text());
        EXPECT_TRUE(rejestr.locateKey(9));
        rejestr.choose();
        return ui::mrOk;
    });
    // FH Świerk's default account is inactive: a warning, and it is taken all the same.
    dialogs->expectMessage(QStringLiteral("Uwaga !  Konto kontrahenta zaznaczono jako NIEAKTYWNE "), ui::Answer::Ok);
    wpisz(f.edtSkrot, QStringLiteral("Świe"));
    EXPECT_EQ(Kontrahent(9, 11, QStringLiteral("201-K0009")), kontrahent());
}

TEST_F(PrzelewyDaneTest, SplitPaymentKeepsItsVatAndRefusesABadVatOrNip) {
    TfrmPrzelewyDane& f = otworz(false);
    wypelnij(f, QStringLiteral("FV/MPP/1"), QStringLiteral("1230"));
    f.chbMpp->click();
    const auto odmowa = [&](const QString& vat, const QString& bledy) {
        wpisz(f.edtKwotaVat, vat);
        dialogs->expectMessage(kBledy, ui::Answer::Ok);
        f.btnZapisz->click();
        EXPECT_EQ(kBledy + bledy, dialogs->shown().back().text) << vat.toStdString();
        EXPECT_EQ(data::Dataset::State::Insert, q().state());
    };
    odmowa(QStringLiteral("1230,01"),
           QStringLiteral("1.Kwota VAT 1230,01 zł jest większa od kwoty przelewu 1230,00 zł !\n"));
    odmowa(QStringLiteral("-0,01"), QStringLiteral("1.Kwota VAT nie może być ujemna !\n"));
    sql("update ET_KONTAKT set NIP = '808-196-72-71' where ID = 1");
    odmowa(QStringLiteral("230"), QStringLiteral("1.Podzielona płatność wymaga poprawnego NIP kontrahenta: NIP "
                                                 "808-196-72-71 ma błędną cyfrę kontrolną.\n"));
    sql("update ET_KONTAKT set NIP = '808-196-72-70' where ID = 1");

    QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
    zamknieto();
    EXPECT_EQ(nullptr, frmPrzelewyDane);
    // The next issue pays all the VAT.
    EXPECT_EQ(1, committedCents("select count(*) from PR_PRZELEWY where NR_FAKTURY = 'FV/MPP/1' and MPP = 1 and "
                                "KWOTA_VAT_CALA = 230 and KWOTA_VAT = 230 and KWOTA_VAT_WYPLACONA = 0"));
}

}  // namespace
