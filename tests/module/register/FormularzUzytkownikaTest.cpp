// The entry form as a person uses it from the register: keys and clicks on its real controls.
#include "RegisterWindows.h"
#include "platform/controls/DBLookupComboBox.h"
#include "platform/grid/DbGrid.h"

namespace {

class FormularzUzytkownikaTest : public pxtest::RegisterWindows {
protected:
    TfrmPrzelewy& okno() {
        rejestr().resize(1100, 400);
        pokaz(*frmPrzelewy);
        return *frmPrzelewy;
    }
    // Opens the form with the key pressed on the register's grid.
    TfrmPrzelewyDane& klawisz(Qt::Key key) {
        pokaz(*frmPrzelewy);
        QTest::keyClick(frmPrzelewy->grdPrzelewy, key);
        if (!frmPrzelewyDane) throw std::runtime_error("the form did not open");
        pokaz(*frmPrzelewyDane);
        return *frmPrzelewyDane;
    }
    void zapisz(TfrmPrzelewyDane& f) { QTest::keyClick(f.edtNrFaktury, Qt::Key_S, Qt::ControlModifier); }
    std::int64_t ile() { return committedCents("select count(*) from PR_PRZELEWY"); }
};

TEST_F(FormularzUzytkownikaTest, EscapeClosesAnOpenListOnlyAndThenAsksBeforeDroppingTypedWork) {
    okno();
    TfrmPrzelewyDane& f = klawisz(Qt::Key_Insert);
    wpisz(f.edtNrFaktury, QStringLiteral("FV/9/2026"));
    wpisz(f.edtSkrot, QStringLiteral("ZE Beskidy"));
    QTest::mouseClick(f.cmbBank, Qt::LeftButton);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr) << "the list of accounts is open";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(frmPrzelewyDane, &f) << "the form stays open";
    EXPECT_EQ(tekst("NR_FAKTURY"), QStringLiteral("FV/9/2026"));

    f.DBEdit4->setFocus();
    QTest::keyClicks(f.DBEdit4, QStringLiteral("12"));  // typed, not yet written into the row
    dialogs->expectMessage(QStringLiteral("Czy Zapisać zmiany w Przelewach ?"), ui::Answer::No);
    QTest::keyClick(f.DBEdit4, Qt::Key_Escape);
    zamknieto();
    EXPECT_EQ(frmPrzelewyDane, nullptr);
    EXPECT_FALSE(q().isEditing());
}

TEST_F(FormularzUzytkownikaTest, DatesTypeFromTheFirstPlaceAndWrongDatesOrAmountsAreToldAtOnce) {
    okno();
    TfrmPrzelewyDane& f = klawisz(Qt::Key_Insert);
    ui::DBEdit* termin = f.DBEdit3;
    QTest::mouseClick(termin, Qt::LeftButton, {}, QPoint(termin->width() - 6, termin->height() / 2));
    QTest::keyClicks(termin, QStringLiteral("20261231"));
    EXPECT_EQ(termin->text(), QStringLiteral("2026-12-31"));

    termin->selectAll();
    QTest::keyClicks(termin, QStringLiteral("20261345"));
    dialogs->expectMessage(QStringLiteral("2026-13-45"), ui::Answer::Ok);
    QTest::keyClick(termin, Qt::Key_Tab);
    EXPECT_EQ(dialogs->shown().size(), 1u) << "told on leaving the field, not on saving";
    EXPECT_TRUE(termin->hasFocus()) << "back in the field to correct it";
    EXPECT_EQ(termin->text(), QStringLiteral("2026-13-45")) << "what was typed stays";
    wpisz(termin, QStringLiteral("20261105"));

    // A negative amount would go to the bank as it is: refused with the other gaps.
    wypelnij(f, QStringLiteral("FV/10/2026"), QStringLiteral("-120,50"));
    const auto przed = ile();
    dialogs->expectMessage(QStringLiteral("błędy w formularzu : \n1.Kwota przelewu nie może być ujemna !\n"),
                           ui::Answer::Ok);
    zapisz(f);
    EXPECT_EQ(przed, ile());
    wpisz(f.DBEdit4, QStringLiteral("120,50"));
    zapisz(f);
    EXPECT_EQ(przed + 1, ile());
    // The demo prefix and the number read apart; the number left empty at first still gets in.
    EXPECT_EQ(tekst("TRESC1"), QStringLiteral("Faktura FV/10/2026"));
}

TEST_F(FormularzUzytkownikaTest, TheFormOpensCentredAndItsSavedTransferStaysInView) {
    TfrmPrzelewy& rej = okno();
    rej.resize(760, 540);  // room on the screen for the form on either side
    ui::DbGrid& grid = *rej.grdPrzelewy;
    for (const Qt::Key klucz : {Qt::Key_Insert, Qt::Key_F2}) {
        TfrmPrzelewyDane& f = klawisz(klucz);
        const QPoint obok = f.mapToGlobal(f.rect().center()) - rej.mapToGlobal(rej.rect().center());
        EXPECT_LE(obok.manhattanLength(), 4) << obok.x() << "," << obok.y();
        wypelnij(f, QStringLiteral("FV/11/2026"),
                 klucz == Qt::Key_F2 ? QStringLiteral("99,20") : QStringLiteral("99,10"));
        zapisz(f);
        zamknieto();
        EXPECT_EQ(tekst("NR_FAKTURY"), QStringLiteral("FV/11/2026"));
        EXPECT_EQ(grid.currentIndex().row(), q().recNo());
        EXPECT_TRUE(grid.viewport()->rect().contains(grid.visualRect(grid.currentIndex()).center()));
    }
}

// One digit of the contractor's second account mistyped; the first one is right.
TEST_F(FormularzUzytkownikaTest, AMistypedAccountIsToldWhenPickedAndStopsTheSetAtIssuing) {
    const QString zle = QStringLiteral("28-1240-9639-1475-1362-7010-7982");
    db.exec("update ET_BANK_KONTO set KONTO = '" + zle.toStdString() + "' where ID = 3");
    TfrmPrzelewy& rej = okno();
    TfrmPrzelewyDane& f = klawisz(Qt::Key_Insert);
    wypelnij(f, QStringLiteral("FV/13/2026"), QStringLiteral("310,00"));
    wpisz(f.edtSkrot, QStringLiteral("ZE Beskidy"));
    f.cmbBank->setFocus();
    dialogs->expectMessage(zle, ui::Answer::Ok);
    QTest::keyClick(f.cmbBank, Qt::Key_Down);
    EXPECT_EQ(q()["ID_KONTA_BANK"].asInteger(), 3);
    ASSERT_EQ(dialogs->shown().size(), 1u) << "the contractor's first account is right";
    QTest::keyClick(f.cmbBank, Qt::Key_Tab);  // left without another pick: told once
    const auto przed = ile();
    zapisz(f);
    zamknieto();
    EXPECT_EQ(przed + 1, ile()) << "the user may still save it";

    // Marked for issuing, the set goes no further and the list stays as it was.
    const QStringList lista = q().sql();
    pokaz(rej);
    QTest::keyClick(rej.grdPrzelewy, Qt::Key_F3);
    ASSERT_EQ(DMP->fldZaznacz->asInteger(), 1);
    dialogs->expectMessage(QStringLiteral("Zakład Energetyczny \"Beskidy\" S.A.\n") + zle, ui::Answer::Ok);
    QTest::mouseClick(rej.btnWystaw, Qt::LeftButton);
    EXPECT_EQ(dialogs->shown().back().caption, QStringLiteral("Błędny numer konta bankowego->Kontrahenta:"));
    EXPECT_EQ(lista, q().sql());
    EXPECT_TRUE(q().isActive());
}

}  // namespace
