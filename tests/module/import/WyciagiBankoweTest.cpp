#include "module/ModuleFixture.h"
#include "module/import/Wyciagibankowe.h"
#include "module/register/Przelewy.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>

namespace {

const QString kPrzyklady = QStringLiteral(PXFER_SAMPLES_DIR "/");
const QString kKonto = QStringLiteral("47105071867784864887663440");

class WyciagiBankoweTest : public pxtest::ModuleFixture {
protected:
    void SetUp() override {
        ModuleFixture::SetUp();
        DMP->vWczytajParametry();
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<TfrmWyciagiBankowe*>(w)) w->close();
        if (frmPrzelewy) frmPrzelewy->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ModuleFixture::TearDown();
    }
    TfrmWyciagiBankowe& okno() {
        module->vWyciagiBankoweMDI(qApp);
        return *frmWyciagiBankowe;
    }
    // Picks the file in the window and reads it, expecting the messages.
    void czytaj(const QString& plik, const QStringList& komunikaty) {
        dialogs->expectOpenFile(plik);
        for (const QString& k : komunikaty) dialogs->expectShowMessage(k);
        okno().btnKsiegujClick();
        dialogs->verifyAllConsumed();
    }
};

TEST_F(WyciagiBankoweTest, ShowsTheFileAndTheAccountOfAStatementOfOneEntry) {
    TfrmWyciagiBankowe& w = okno();
    czytaj(kPrzyklady + "wyciag-jedna-pozycja.sta", {"Ilosc wierszy w zbiorze:\n7", kKonto});
    EXPECT_TRUE(w.Memo1->toPlainText().contains("Przelew wychodzący")) << "read as Windows-1250";
    // The dialog starts in the import folder of the parameters, or at home.
    const QString katalog = DMP->sSciezkaImportuPrzelewow;
    EXPECT_EQ(QFileInfo(katalog).isDir() ? katalog : QDir::homePath(), dialogs->shown().front().text);
}

TEST_F(WyciagiBankoweTest, TellsWhatIsWrongWithAStatement) {
    czytaj(kPrzyklady + "wyciag-dwie-pozycje.sta", {"Ilosc wierszy w zbiorze:\n9", "0"});
    czytaj(kPrzyklady + "wyciag-bez-opisu.sta",
           {"Ilosc wierszy w zbiorze:\n6", "Bledna struktura pliku-> Brak :86:", kKonto});

    // An amount that is no number ends the reading: no account follows.
    dialogs->expectMessage("'00000000150O,00' nie jest poprawną kwotą (wiersz 2)", ui::Answer::Ok);
    okno().vCzytajWyciag({":25:/PL" + kKonto, ":61:2612101210DN00000000150O,00NTRF", ":86:"});
    dialogs->verifyAllConsumed();

    czytaj(kPrzyklady + "nie-ma-takiego.sta", {"Brak"});
    EXPECT_TRUE(okno().Memo1->toPlainText().isEmpty());

    dialogs->expectOpenFile(QString());
    okno().btnKsiegujClick();
    EXPECT_EQ(kPrzyklady + "nie-ma-takiego.sta", okno().Label1->text()) << "a cancelled choice changes nothing";
}

TEST_F(WyciagiBankoweTest, OneFromTheMenuANewOneFromEveryRegisterClick) {
    TfrmWyciagiBankowe* pierwsze = &okno();
    EXPECT_EQ(pierwsze, &okno());

    module->vPrzelewyMDI(qApp);
    frmPrzelewy->runActivation();
    frmPrzelewy->spbWyciagiBankoweClick();
    TfrmWyciagiBankowe* zRejestru = frmWyciagiBankowe;
    EXPECT_NE(pierwsze, zRejestru);
    EXPECT_TRUE(frmPrzelewy->isEnabled()) << "the register stays usable";
    frmPrzelewy->setEnabled(false);  // as while an import runs
    zRejestru->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frmPrzelewy->isEnabled()) << "closing does not wake the register";
    EXPECT_EQ(nullptr, frmWyciagiBankowe);
    EXPECT_NE(pierwsze, &okno()) << "the menu opens a new one once the last is gone";
}

}  // namespace
