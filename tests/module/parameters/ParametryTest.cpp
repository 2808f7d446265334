#include "module/ModuleFixture.h"
#include "module/parameters/Parametry.h"
#include "platform/controls/DBCheckBox.h"
#include "platform/controls/DBEdit.h"
#include "platform/controls/DBLookupComboBox.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace {

class ParametryTest : public pxtest::ModuleFixture {
protected:
    void TearDown() override {
        if (frmParametry) {
            if (DMP->queParametry.isEditing()) DMP->queParametry.cancel();
            frmParametry->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ModuleFixture::TearDown();
    }
    TfrmParametry& otworz() {
        module->vParametryPrzelewyMDI(qApp);
        EXPECT_NE(nullptr, frmParametry);
        return *frmParametry;
    }
    void zamknijOkna() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    std::string zapisane(const std::string& kolumny) {
        db.transaction().commitRetaining();
        return db.scalarText("select " + kolumny + " from RE_PARAMETRY");
    }
    static void wpisz(QLineEdit* pole, const QString& tekst) {
        pole->setFocus();
        pole->selectAll();
        QTest::keyClicks(pole, tekst);
    }
};

TEST_F(ParametryTest, SavingWritesTheRowAndTheModuleUsesItAtOnce) {
    // F2 opens the editors; the acceptance switch needs its own key.
    TfrmParametry& okno = otworz();
    okno.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&okno));
    EXPECT_FALSE(okno.chbCzyPrzelewy->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    EXPECT_TRUE(okno.chbKsiegPrzelewy->isEnabled() && !okno.chbCzyAkceptacja->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8, Qt::ControlModifier | Qt::ShiftModifier);
    okno.chbKsiegPrzelewy->click();
    okno.chbCzyAkceptacja->click();
    wpisz(okno.edtTresc, QStringLiteral("Oplata FV"));
    dialogs->expectFolder(QStringLiteral("/srv/place/przelewy"));
    okno.btnKAT->click();
    okno.cmbTrescFZ->setCurrentIndex(1);
    emit okno.cmbTrescFZ->activated(1);
    wpisz(okno.edtProgBialejListy, QStringLiteral("20000"));
    dialogs->expectFolder(QStringLiteral("/srv/biuro/bialalista"));
    okno.btnKatBialejListy->click();
    okno.actZapisz->trigger();
    zamknijOkna();
    EXPECT_EQ(
        "0|1|Oplata FV|/srv/place/przelewy|2|20000.0000|/srv/biuro/bialalista",
        zapisane("KSIEGOWAC_PRZELEWY || '|' || CZY_AKCEPTACJA_KONTA_BANKOWEGO || '|' || TRESC_PRZELEWOW || '|' || "
                 "SCIEZKA_IMPORTU_PRZELEWOW || '|' || JAKA_TRESC_PRZELEWOW_FZ || '|' || PROG_BIALEJ_LISTY || '|' "
                 "|| SCIEZKA_BIALEJ_LISTY"));
    // The issue reads these members: no posting at the next one, acceptance required.
    EXPECT_EQ(std::make_pair(0, 1), std::make_pair(DMP->iKsiegowacPrzelewy, DMP->iCzyAkceptacjaKontaBankowego));
}

// Closing with changes asks: No keeps the stored row, Yes saves; the cancel
// button drops the changes without a question.
TEST_F(ParametryTest, ClosingWithChangesAsksAndNoKeepsTheStoredRow) {
    for (const auto& [odpowiedz, zapisano] :
         {std::pair{ui::Answer::No, "1"}, {ui::Answer::Yes, "0"}, {ui::Answer::Cancel, "0"}}) {
        TfrmParametry& okno = otworz();
        okno.actModyfikuj->trigger();
        okno.chbCzyPrzelewy->click();
        if (odpowiedz == ui::Answer::Cancel) {
            okno.btnAnuluj->click();
        } else {
            dialogs->expectMessage(QStringLiteral("Zapisać zmiany w parametrach ?"), odpowiedz);
            okno.close();
        }
        zamknijOkna();
        EXPECT_EQ(nullptr, frmParametry);
        EXPECT_EQ(zapisano, zapisane("CZY_PRZELEW"));
    }
}

TEST_F(ParametryTest, ASaveWritesOnlyItsOwnColumnsAndNeverOverAnotherUsersChange) {
    TfrmParametry& okno = otworz();
    okno.actModyfikuj->trigger();
    okno.chbCzyPrzelewy->click();
    db.exec("update RE_PARAMETRY set STAWKA_PODATKU = 23");  // another module's setting, meanwhile
    okno.actZapisz->trigger();
    zamknijOkna();
    EXPECT_EQ("0|23", zapisane("CZY_PRZELEW || '|' || cast(STAWKA_PODATKU as integer)"));

    TfrmParametry& drugie = otworz();
    drugie.actModyfikuj->trigger();
    drugie.chbCzyPrzelewy->click();
    db.exec("update RE_PARAMETRY set CZY_PRZELEW = 5");
    dialogs->expectShowMessage(QStringLiteral("Parametry zmienił w międzyczasie inny użytkownik"));
    drugie.actZapisz->trigger();
    zamknijOkna();
    ASSERT_EQ(&drugie, frmParametry) << "the window stays open";
    EXPECT_EQ("5", zapisane("CZY_PRZELEW"));
}

// A save whose commit fails keeps what was typed on screen and nothing in the database.
TEST_F(ParametryTest, AFailedSaveLeavesTheDatabaseAloneAndTheChangesOnScreen) {
    module.reset();
    suite.reset();
    db.exec("create exception E_TEST_PARAMETRY 'zapis zablokowany'");
    db.exec(
        "create trigger T_TEST_COMMIT on transaction commit as begin "
        "if (exists(select 1 from RE_PARAMETRY where TRESC_PRZELEWOW = 'KOMMIT')) then "
        "exception E_TEST_PARAMETRY; end");
    suite = std::make_unique<siblings::Suite>(db.params());
    module = std::make_unique<CPrzelew>();

    TfrmParametry& okno = otworz();
    okno.actModyfikuj->trigger();
    wpisz(okno.edtTresc, QStringLiteral("KOMMIT"));
    dialogs->expectShowMessage(QStringLiteral("frmParametry->btnZapiszClick() \n\nNie zapisano parametrów"));
    okno.actZapisz->trigger();
    zamknijOkna();
    ASSERT_EQ(&okno, frmParametry) << "the window stays open";
    EXPECT_TRUE(DMP->queParametry.isEditing());
    EXPECT_EQ(QStringLiteral("KOMMIT"), okno.edtTresc->text());
    EXPECT_EQ("Faktura ", zapisane("TRESC_PRZELEWOW"));  // the demo value, untouched
    EXPECT_EQ(0, sharedCents("select count(*) from RE_PARAMETRY where TRESC_PRZELEWOW = 'KOMMIT'"))
        << "nothing half-saved in the shared transaction";
}

}  // namespace
