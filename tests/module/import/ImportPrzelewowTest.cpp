#include "module/ModuleFixture.h"
#include "module/import/Importprzelewow.h"
#include "module/register/Przelewy.h"
#include "platform/text/Cp1250.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QString kZlyWiersz = QStringLiteral("Błędna struktura pliku  lub błędne dane \nNie dopisano przelewu\n\n");

QString podsumowanie(int dobre, int zle) {
    return QStringLiteral("Przegrano przelewów : %1\n\nBłednych przelewów : %2").arg(dobre).arg(zle);
}

// A payroll line paying `grosze` to the contractor with the ledger code.
QString wiersz(const QString& kod, int grosze, const QString& tytul) {
    return QStringLiteral("110,20261210,%1,0,0,0,0,0,\"201-%2\",0,0,\"%3\"").arg(grosze).arg(kod, tytul);
}

class ImportPrzelewowTest : public pxtest::ModuleFixture {
protected:
    void SetUp() override {
        ModuleFixture::SetUp();
        DMP->vWczytajParametry();
        m_przed = committedCents("select count(*) from PR_PRZELEWY");
    }
    void TearDown() override {
        if (frmImportPrzelewow) frmImportPrzelewow->close();
        if (frmPrzelewy) frmPrzelewy->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ModuleFixture::TearDown();
    }

    // The lines written as the payroll program writes them: Windows-1250, CR LF.
    QString plik(const QStringList& wiersze) {
        const QString sciezka = m_katalog.filePath("przelewy.txt");
        QFile f(sciezka);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        const std::string bajty = text::toCp1250(wiersze.isEmpty() ? QString() : wiersze.join("\r\n") + "\r\n");
        f.write(bajty.data(), static_cast<qint64>(bajty.size()));
        return sciezka;
    }
    void importuj(const QString& sciezka) {
        auto* okno = new TfrmImportPrzelewow(nullptr, sciezka);
        okno->runActivation();
        okno->vImportuj();
        dialogs->verifyAllConsumed();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(nullptr, frmImportPrzelewow) << "the run closes the window";
    }
    std::int64_t dopisane() { return committedCents("select count(*) from PR_PRZELEWY") - m_przed; }

    QTemporaryDir m_katalog;
    std::int64_t m_przed = 0;
};

TEST_F(ImportPrzelewowTest, TheSampleFileAddsItsGoodLinesAndTellsTheBadOnes) {
    for (const char* odrzucony : {"\"120000\"", "20260230", "-25000"}) dialogs->expectShowMessage(odrzucony);
    // A missing contractor is told three times, in this order.
    dialogs->expectShowMessage("Brak kontrahenta o symbolu FK:    K0099");
    dialogs->expectShowMessage("W kartotece kont bankowych brakuje AKTYWNEGO konta dla -> ID_KONTR :  0");
    dialogs->expectShowMessage(kZlyWiersz + "110,20261210,99900");
    dialogs->expectShowMessage(kZlyWiersz + "120,");
    dialogs->expectShowMessage(kZlyWiersz);  // the empty line
    dialogs->expectShowMessage(kZlyWiersz + "110,20261210,10000,0,0,0,0,0,\"201-K0015\"");
    dialogs->expectShowMessage(podsumowanie(6, 7));
    importuj(QStringLiteral(PXFER_SAMPLES_DIR "/place-przelewy.txt"));
    EXPECT_EQ(6, dopisane());

    // Pending, unmarked, not from an invoice, added today, paid to the default account; 7 grosze stay 7.
    EXPECT_EQ(1,
              committedCents(
                  "select count(*) from PR_PRZELEWY p join ET_BANK_KONTO k on k.ID = p.ID_KONTA_BANK join ET_KONTAKT "
                  "c on c.ID = k.ID_KONTR where p.TRESC1 = 'Wynagrodzenie 11/2026 Wiśniewska Małgorzata' and "
                  "c.KOD_FK = 'K0016' and k.DOMYSLNE = 1 and p.NR_FAKTURY = 'Wynag' and p.WN = '201-K0016' and "
                  "p.WARTOSC = 2987.5 and p.WARTOSC_CALA = 2987.5 and p.WPROWADZONY = 3 and p.DODAL = 'ADMIN' and "
                  "p.DATA_WYSTAWIENIA = '2026-12-10' and p.TERMIN_ZAPLATY = '2026-12-10' and p.ID_FAKTURY is null "
                  "and p.DATA_REALIZACJI is null and p.ZAZNACZ is null and p.WARTOSC_WYPLACONA is null and "
                  "p.DATA_DODANIA = CURRENT_DATE"));
    EXPECT_EQ(7, committedCents("select WARTOSC from PR_PRZELEWY where TRESC1 = 'Wyrównanie groszowe Gąsienica'"));
}

// The commit of a transaction holding a transfer titled AWARIA fails. The
// trigger is there before the module connects: connections read database
// triggers when they attach.
class ImportAwariaTest : public ImportPrzelewowTest {
protected:
    void SetUp() override {
        db.exec("create exception E_AWARIA 'awaria przy zatwierdzaniu'");
        db.exec(
            "create trigger T_AWARIA on transaction commit as begin "
            "if (exists(select 1 from PR_PRZELEWY where TRESC1 = 'AWARIA')) then exception E_AWARIA; end");
        ImportPrzelewowTest::SetUp();
    }
};

// Through the register's button: the line whose commit fails goes, the lines
// around it stay, and the register shows what the database holds. A ledger
// code with an apostrophe is looked up as data.
TEST_F(ImportAwariaTest, AFailingCommitUndoesOnlyItsOwnLine) {
    module->vPrzelewyMDI(qApp);
    frmPrzelewy->runActivation();
    const int wRejestrze = DMP->quePrzelewy.recordCount();
    dialogs->expectOpenFile(plik({wiersz("K0001", 100, "Przed"), wiersz("K'001", 100, "Apostrof"),
                                  wiersz("K0001", 300, "AWARIA"), wiersz("K0003", 12345, "Zażółć gęślą jaźń")}));
    frmPrzelewy->spbImportClick();
    ASSERT_NE(nullptr, frmImportPrzelewow);
    frmImportPrzelewow->runActivation();
    dialogs->expectShowMessage("Brak kontrahenta o symbolu FK:    K'001");
    dialogs->expectShowMessage("ID_KONTR :  0");
    dialogs->expectShowMessage(kZlyWiersz + wiersz("K'001", 100, "Apostrof"));
    dialogs->expectShowMessage(kZlyWiersz + wiersz("K0001", 300, "AWARIA"));
    dialogs->expectShowMessage(podsumowanie(2, 2));
    frmImportPrzelewow->btnWybierzClick();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frmPrzelewy->isEnabled());
    EXPECT_EQ(2, dopisane());
    EXPECT_EQ(0, sharedCents("select count(*) from PR_PRZELEWY where TRESC1 = 'AWARIA'")) << "nothing left pending";
    EXPECT_EQ(wRejestrze + 2, DMP->quePrzelewy.recordCount());
    EXPECT_FALSE(DMP->quePrzelewy.locate(QStringLiteral("TRESC1"), QStringLiteral("AWARIA")));
    ASSERT_TRUE(DMP->quePrzelewy.locate(QStringLiteral("TRESC1"), QStringLiteral("Zażółć gęślą jaźń")));
    EXPECT_EQ(123.45, DMP->quePrzelewy.fieldByName(QStringLiteral("WARTOSC")).asDouble());
}

}  // namespace
