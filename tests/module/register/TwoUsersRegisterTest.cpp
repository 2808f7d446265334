// Two users on one database: the register read a transfer, then another user
// issued it (paid in full, realized row written). Whatever this user's stale
// screen then writes (a mark, a delete, an amount split, the entry form's
// save) must leave the payment as it is, tell the user and read the list again.
#include "RegisterWindows.h"
#include "module/frame/PrzelewSql.h"

namespace {

class TwoUsersRegister : public pxtest::RegisterWindows {
protected:
    void SetUp() override {
        RegisterWindows::SetUp();
        db.exec(
            "insert into PR_PRZELEWY (ID, ID_KONTRAHENTA, ID_KONTA_BANK, NR_FAKTURY, TRESC1, TERMIN_ZAPLATY, "
            "WARTOSC_CALA, WARTOSC_WYPLACONA, WARTOSC, WPROWADZONY, ZAZNACZ, ZAZNACZ2, ZAZNACZ3) values (9401, 1, "
            "1, 'FV 556/2026', 'Faktura FV 556/2026', '2026-12-20', 556.63, 0, 556.63, 1, 1, 0, 0)");
        okno = &rejestr();
        pokaz(*okno);
        naWiersz(9401);
        // The other user's issue, committed on its own attachment.
        db.exec(
            "insert into PR_PRZELEWY_ZREALIZOWANE (ID, ID_KONTRAHENTA, ID_KONTA_BANK, ID_KONTA_FIRMY, "
            "DATA_REALIZACJI, KOLEJNY, NR_FAKTURY, WARTOSC) values (9401, 1, 1, 1, '2026-12-09', 'A', "
            "'FV 556/2026', 556.63)");
        db.exec(
            "update PR_PRZELEWY set DATA_REALIZACJI = '2026-12-09', KOLEJNY = 'A', WARTOSC = 0, "
            "WARTOSC_WYPLACONA = 556.63, ZAZNACZ = 0 where ID = 9401");
    }
    void expectTold() { dialogs->expectMessage(kPrzelewZmieniony, ui::Answer::Ok); }
    // The other user's payment stands, once, and the list no longer offers the transfer.
    void expectPaymentKept() {
        EXPECT_EQ(1, committedCents("select count(*) from PR_PRZELEWY where ID = 9401 and DATA_REALIZACJI = "
                                    "'2026-12-09' and KOLEJNY = 'A' and WARTOSC = 0 and WARTOSC_WYPLACONA = 556.63 "
                                    "and TRESC1 = 'Faktura FV 556/2026'"));
        EXPECT_EQ(1, committedCents("select count(*) from PR_PRZELEWY_ZREALIZOWANE where NR_FAKTURY = 'FV 556/2026'"));
        EXPECT_FALSE(q().isEditing());
        EXPECT_FALSE(q().locate(QStringLiteral("ID"), 9401)) << "the list was read again";
        EXPECT_EQ(q().recordCount(), okno->grdPrzelewy->model()->rowCount());
    }

    TfrmPrzelewy* okno = nullptr;
};

TEST_F(TwoUsersRegister, MarkKeepsThePayment) {
    expectTold();
    okno->btnZaznaczClick();
    expectPaymentKept();
}

TEST_F(TwoUsersRegister, DeleteKeepsThePayment) {
    dialogs->expectMessage(QStringLiteral("Czy chcesz usunąć wybrany przelew?"), ui::Answer::Yes);
    expectTold();
    okno->btnUsunClick();
    expectPaymentKept();
}

TEST_F(TwoUsersRegister, AmountSplitKeepsThePayment) {
    dialogs->expectModal([](QWidget& w) {
        auto& f = static_cast<TfrmPodzialKwoty&>(w);
        wpisz(f.edtWartosc, QStringLiteral("100"));
        f.btnOK->click();
        return f.modalResult();
    });
    expectTold();
    okno->CzesciowaOplataClick();
    expectPaymentKept();
}

TEST_F(TwoUsersRegister, EntryFormSaveKeepsThePayment) {
    auto* f = new TfrmPrzelewyDane(nullptr, true);
    pokaz(*f);
    wpisz(f->edtNrFaktury, QStringLiteral("FV 557"));
    expectTold();
    f->btnZapisz->click();
    zamknieto();
    EXPECT_EQ(nullptr, frmPrzelewyDane) << "the form of a row that is gone closes";
    expectPaymentKept();
}

}  // namespace
