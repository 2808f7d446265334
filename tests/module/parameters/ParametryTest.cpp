#include "module/ModuleFixture.h"
#include "module/parameters/Parametry.h"
#include "platform/controls/DBCheckBox.h"
#include "platform/controls/DBEdit.h"
#include "platform/controls/DBLookupComboBox.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
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
    std::string zapisane(const std::string& kolumna) {
        db.transaction().commitRetaining();
        return db.scalarText("select coalesce(" + kolumna + ", '') from RE_PARAMETRY");
    }
    static QList<QWidget*> edytory(TfrmParametry& o) {
        return {o.chbCzyPrzelewy,    o.chbKsiegPrzelewy,  o.cmbKod,     o.edtSyntetykaPrzelewow,
                o.edtSciezkaImportu, o.edtTresc,          o.edtTrescGr, o.btnKAT,
                o.cmbTrescFZ,        o.edtProgBialejListy, o.edtSciezkaBialejListy, o.btnKatBialejListy};
    }
};

TEST_F(ParametryTest, ViewStateShowsOnlyF2OpensTheEditorsAndTheAcceptanceSwitchNeedsItsOwnKey) {
    TfrmParametry& okno = otworz();
    for (QWidget* w : edytory(okno)) EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(okno.chbCzyAkceptacja->isEnabled());

    // The keys reach the window while nothing in it can be edited yet.
    okno.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&okno));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    for (QWidget* w : edytory(okno)) EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(okno.chbCzyAkceptacja->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(okno.chbCzyAkceptacja->isEnabled());
    EXPECT_FALSE(DMP->queParametry.isEditing()) << "nothing changed yet";
}

TEST_F(ParametryTest, SavingWritesTheRowAndTheModuleUsesItAtOnce) {
    TfrmParametry& okno = otworz();
    okno.actModyfikuj->trigger();
    okno.actAkceptacja->trigger();
    okno.chbKsiegPrzelewy->click();
    okno.chbCzyAkceptacja->click();
    okno.edtTresc->setFocus();
    okno.edtTresc->selectAll();
    QTest::keyClicks(okno.edtTresc, QStringLiteral("Oplata FV"));
    dialogs->expectFolder(QStringLiteral("/srv/place/przelewy"));
    okno.btnKAT->click();
    okno.cmbTrescFZ->setCurrentIndex(1);
    emit okno.cmbTrescFZ->activated(1);
    okno.edtProgBialejListy->setFocus();
    okno.edtProgBialejListy->selectAll();
    QTest::keyClicks(okno.edtProgBialejListy, QStringLiteral("20000"));
    dialogs->expectFolder(QStringLiteral("/srv/biuro/bialalista"));
    okno.btnKatBialejListy->click();
    okno.actZapisz->trigger();
    zamknijOkna();
    EXPECT_EQ(nullptr, frmParametry);

    EXPECT_EQ("0", zapisane("KSIEGOWAC_PRZELEWY"));
    EXPECT_EQ("1", zapisane("CZY_AKCEPTACJA_KONTA_BANKOWEGO"));
    EXPECT_EQ("Oplata FV", zapisane("TRESC_PRZELEWOW"));
    EXPECT_EQ("/srv/place/przelewy", zapisane("SCIEZKA_IMPORTU_PRZELEWOW"));
    EXPECT_EQ("2", zapisane("JAKA_TRESC_PRZELEWOW_FZ"));
    EXPECT_EQ("20000.0000", zapisane("PROG_BIALEJ_LISTY"));
    EXPECT_EQ("/srv/biuro/bialalista", zapisane("SCIEZKA_BIALEJ_LISTY"));
    // The issue reads these members: no posting at the next one, acceptance required.
    EXPECT_EQ(0, DMP->iKsiegowacPrzelewy);
    EXPECT_EQ(1, DMP->iCzyAkceptacjaKontaBankowego);
    EXPECT_EQ(QStringLiteral("Oplata FV"), DMP->sTrescPrzelewow);

    // Saving with no change still reads the parameters again and closes.
    db.exec("update RE_PARAMETRY set SYNTETYKA_PRZELEWOW = '202'");
    otworz().btnZapisz->click();
    zamknijOkna();
    EXPECT_EQ(nullptr, frmParametry);
    EXPECT_EQ(QStringLiteral("202"), DMP->sSyntetykaPrzelewow);
}

// Closing with changes asks: No keeps the stored row, Yes saves; Esc asks as
// well; the cancel button drops the changes without a question.
TEST_F(ParametryTest, ClosingWithChangesAsksAndNoKeepsTheStoredRow) {
    enum class Jak { Zamknij, Esc, Anuluj };
    const struct {
        Jak jak;
        ui::Answer odpowiedz;
        const char* zapisano;
    } przypadki[] = {{Jak::Zamknij, ui::Answer::No, "1"},
                     {Jak::Zamknij, ui::Answer::Yes, "0"},
                     {Jak::Esc, ui::Answer::No, "0"},
                     {Jak::Anuluj, ui::Answer::Cancel, "0"}};
    for (const auto& p : przypadki) {
        TfrmParametry& okno = otworz();
        okno.actModyfikuj->trigger();
        okno.chbCzyPrzelewy->click();
        if (p.jak != Jak::Anuluj) dialogs->expectMessage(QStringLiteral("Zapisać zmiany w parametrach ?"), p.odpowiedz);
        if (p.jak == Jak::Zamknij) {
            okno.close();
        } else if (p.jak == Jak::Esc) {
            okno.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&okno));
            okno.edtTresc->setFocus();
            QTest::keyClick(okno.edtTresc, Qt::Key_Escape);
        } else {
            okno.btnAnuluj->click();
        }
        zamknijOkna();
        EXPECT_EQ(nullptr, frmParametry);
        EXPECT_EQ(p.zapisano, zapisane("CZY_PRZELEW"));
    }
}

TEST_F(ParametryTest, OpensOnlyWithNoOtherWindowOpen) {
    QMdiArea obszar;
    obszar.show();
    ui::setMdiArea(&obszar);
    QWidget inne;
    obszar.addSubWindow(&inne)->show();
    dialogs->expectMessage(QStringLiteral("Przed uruchomieniem zamknij wszystkie okna w systemie"), ui::Answer::Ok);
    module->vParametryPrzelewyMDI(qApp);
    EXPECT_EQ(nullptr, frmParametry);
    obszar.removeSubWindow(&inne);
    ui::setMdiArea(nullptr);
}

TEST_F(ParametryTest, ASaveWritesOnlyItsOwnColumnsAndNeverOverAnotherUsersChange) {
    TfrmParametry& okno = otworz();
    okno.actModyfikuj->trigger();
    okno.chbCzyPrzelewy->click();
    db.exec("update RE_PARAMETRY set STAWKA_PODATKU = 23");  // another module's setting, meanwhile
    okno.actZapisz->trigger();
    zamknijOkna();
    EXPECT_EQ(nullptr, frmParametry);
    EXPECT_EQ("0", zapisane("CZY_PRZELEW"));
    EXPECT_EQ(23, db.scalarCents("select cast(STAWKA_PODATKU as integer) from RE_PARAMETRY"));

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

// A save that fails keeps what was typed on screen and nothing in the database.
TEST_F(ParametryTest, AFailedSaveLeavesTheDatabaseAloneAndTheChangesOnScreen) {
    module.reset();
    suite.reset();
    db.exec("create exception E_TEST_PARAMETRY 'zapis zablokowany'");
    db.exec(
        "create trigger T_TEST_PARAMETRY for RE_PARAMETRY before update as begin "
        "if (new.TRESC_PRZELEWOW = 'BLOKADA') then exception E_TEST_PARAMETRY; end");
    // The commit itself fails when the row says so: the post went through, the commit not.
    db.exec(
        "create trigger T_TEST_COMMIT on transaction commit as begin "
        "if (exists(select 1 from RE_PARAMETRY where TRESC_PRZELEWOW = 'KOMMIT')) then "
        "exception E_TEST_PARAMETRY; end");
    suite = std::make_unique<siblings::Suite>(db.params());
    module = std::make_unique<CPrzelew>();

    for (const QString& tekst : {QStringLiteral("BLOKADA"), QStringLiteral("KOMMIT")}) {
        TfrmParametry& okno = otworz();
        okno.actModyfikuj->trigger();
        okno.edtTresc->setFocus();
        okno.edtTresc->selectAll();
        QTest::keyClicks(okno.edtTresc, tekst);
        dialogs->expectShowMessage(QStringLiteral("frmParametry->btnZapiszClick() \n\nNie zapisano parametrów"));
        okno.actZapisz->trigger();
        zamknijOkna();
        ASSERT_EQ(&okno, frmParametry) << "the window stays open";
        EXPECT_TRUE(DMP->queParametry.isEditing());
        EXPECT_EQ(tekst, okno.edtTresc->text());
        EXPECT_EQ("Faktura ", zapisane("TRESC_PRZELEWOW"));  // the demo value, untouched
        EXPECT_EQ(
            0, sharedCents("select count(*) from RE_PARAMETRY where TRESC_PRZELEWOW = '" + tekst.toStdString() + "'"))
            << "nothing half-saved in the shared transaction";
        DMP->queParametry.cancel();
        okno.close();
        zamknijOkna();
    }
}

}  // namespace
