#include "module/ModuleFixture.h"
#include "module/import/Importprzelewow.h"
#include "module/register/Przelewy.h"
#include "platform/text/Cp1250.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
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
    TfrmImportPrzelewow& otworz(const QString& sciezka) {
        auto* okno = new TfrmImportPrzelewow(nullptr, sciezka);
        okno->runActivation();
        return *okno;
    }
    void importuj(const QString& sciezka) {
        otworz(sciezka).vImportuj();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(nullptr, frmImportPrzelewow) << "the run closes the window";
    }
    std::int64_t dopisane() { return committedCents("select count(*) from PR_PRZELEWY") - m_przed; }
    std::string kolumna(const std::string& kolumna, const std::string& tytul) {
        db.transaction().commitRetaining();
        return db.scalarText("select " + kolumna + " from PR_PRZELEWY where TRESC1 = '" + tytul + "'");
    }

    QTemporaryDir m_katalog;
    std::int64_t m_przed = 0;
};

TEST_F(ImportPrzelewowTest, TheSampleFileAddsItsGoodLinesAndTellsTheBadOnes) {
    const QString sciezka = QStringLiteral(PXFER_SAMPLES_DIR "/place-przelewy.txt");
    TfrmImportPrzelewow& okno = otworz(sciezka);
    EXPECT_EQ(" Liczba przelewów do zaimportowania: 13", okno.pnlImportu->text());

    for (const char* odrzucony : {"\"120000\"", "20260230", "-25000"}) dialogs->expectShowMessage(odrzucony);
    // A missing contractor is told three times, in this order.
    dialogs->expectShowMessage("Brak kontrahenta o symbolu FK:    K0099");
    dialogs->expectShowMessage("W kartotece kont bankowych brakuje AKTYWNEGO konta dla -> ID_KONTR :  0");
    dialogs->expectShowMessage(kZlyWiersz + "110,20261210,99900");
    dialogs->expectShowMessage(kZlyWiersz + "120,");
    dialogs->expectShowMessage(kZlyWiersz);  // the empty line
    dialogs->expectShowMessage(kZlyWiersz + "110,20261210,10000,0,0,0,0,0,\"201-K0015\"");
    dialogs->expectShowMessage(podsumowanie(6, 7));
    okno.vImportuj();
    dialogs->verifyAllConsumed();
    EXPECT_EQ(6, dopisane());

    const std::string wisniewska = "Wynagrodzenie 11/2026 Wiśniewska Małgorzata";
    EXPECT_EQ("Wynag|201-K0016|2987.5000|2987.5000|3|ADMIN|2026-12-10 00:00:00.0000|2026-12-10 00:00:00.0000",
              kolumna("NR_FAKTURY || '|' || WN || '|' || WARTOSC || '|' || WARTOSC_CALA || '|' || WPROWADZONY || '|' "
                      "|| DODAL || '|' || DATA_WYSTAWIENIA || '|' || TERMIN_ZAPLATY",
                      wisniewska));
    // Pending, unmarked, not from an invoice, added today, paid to the default account.
    EXPECT_EQ(1,
              committedCents("select count(*) from PR_PRZELEWY p where p.TRESC1 = '" + wisniewska +
                             "' and p.ID_FAKTURY is null and p.DATA_REALIZACJI is null and p.ZAZNACZ is null "
                             "and p.WARTOSC_WYPLACONA is null and p.DATA_DODANIA = CURRENT_DATE and p.ID_KONTA_BANK = "
                             "(select k.ID from ET_BANK_KONTO k join ET_KONTAKT c on c.ID = k.ID_KONTR "
                             "where k.DOMYSLNE = 1 and c.KOD_FK = 'K0016')"));
    EXPECT_EQ("0.0700", kolumna("WARTOSC", "Wyrównanie groszowe Gąsienica"));
    // The title is cut at its comma; a blank separates the ledger account.
    EXPECT_EQ("201-K0028", kolumna("WN", "Zwrot kosztów podróży Zielińska Anna"));
}

TEST_F(ImportPrzelewowTest, AnEmptyFileAddsNothingLookupsTakeTheCodeAsDataAndADefaultAccount) {
    dialogs->expectShowMessage(podsumowanie(0, 0));
    importuj(plik({}));
    EXPECT_EQ(0, dopisane());

    db.exec("insert into ET_KONTAKT (ID, PELNA, SKROT, KOD_FK) values (900, 'Dwa konta', 'Dwa', 'K0900')");
    db.exec(
        "insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA, DOMYSLNE, AKTYWNE) values "
        "(901, 900, '11111111111111111111111111', 'Zwykłe', 0, 1)");
    for (const char* id : {"902", "903"})
        db.exec(std::string("insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA, DOMYSLNE, AKTYWNE) values (") + id +
                ", 900, '2222222222222222222222222" + id[2] + "', 'Domyślne', 1, 1)");

    // A contractor with no default account.
    db.exec("insert into ET_KONTAKT (ID, PELNA, SKROT, KOD_FK) values (910, 'Bez konta', 'Bez', 'K0910')");

    dialogs->expectShowMessage("Brak kontrahenta o symbolu FK:    K'001");
    dialogs->expectShowMessage("ID_KONTR :  0");
    dialogs->expectShowMessage(kZlyWiersz + wiersz("K'001", 100, "Apostrof"));
    dialogs->expectShowMessage("W kartotece kont bankowych brakuje AKTYWNEGO konta dla -> ID_KONTR :  910");
    dialogs->expectShowMessage(kZlyWiersz + wiersz("K0910", 300, "Bez konta"));
    dialogs->expectShowMessage(podsumowanie(1, 2));
    importuj(
        plik({wiersz("K'001", 100, "Apostrof"), wiersz("K0910", 300, "Bez konta"), wiersz("K0900", 200, "Dwa konta")}));
    EXPECT_EQ(1, dopisane());
    const std::string konto = kolumna("ID_KONTA_BANK", "Dwa konta");
    EXPECT_TRUE(konto == "902" || konto == "903") << konto;
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

TEST_F(ImportAwariaTest, AFailingCommitUndoesOnlyItsOwnLine) {
    DMP->quePrzelewy.open();
    const int wRejestrze = DMP->quePrzelewy.recordCount();

    dialogs->expectShowMessage(kZlyWiersz + wiersz("K0001", 300, "AWARIA"));
    dialogs->expectShowMessage(podsumowanie(2, 1));
    importuj(plik({wiersz("K0001", 100, "Przed"), wiersz("K0001", 300, "AWARIA"), wiersz("K0002", 200, "Po")}));

    EXPECT_EQ(2, dopisane());
    EXPECT_EQ("1", kolumna("count(*)", "Po"));
    EXPECT_EQ(0, sharedCents("select count(*) from PR_PRZELEWY where TRESC1 = 'AWARIA'")) << "nothing left pending";
    EXPECT_EQ(wRejestrze + 2, DMP->quePrzelewy.recordCount());
    EXPECT_FALSE(DMP->quePrzelewy.locate(QStringLiteral("TRESC1"), QStringLiteral("AWARIA")))
        << "the register shows what the database holds";
}

TEST_F(ImportPrzelewowTest, TheRegisterOpensItWithTheChosenFile) {
    module->vPrzelewyMDI(qApp);
    frmPrzelewy->runActivation();
    const int wRejestrze = DMP->quePrzelewy.recordCount();

    dialogs->expectOpenFile(QString());
    frmPrzelewy->spbImportClick();
    EXPECT_EQ(nullptr, frmImportPrzelewow) << "a cancelled choice opens nothing";
    EXPECT_EQ(DMP->sSciezkaImportuPrzelewow, dialogs->shown().back().text);

    dialogs->expectOpenFile(plik({wiersz("K0003", 12345, "Zażółć gęślą jaźń")}));
    frmPrzelewy->spbImportClick();
    ASSERT_NE(nullptr, frmImportPrzelewow);
    frmImportPrzelewow->runActivation();
    dialogs->expectShowMessage(podsumowanie(1, 0));
    frmImportPrzelewow->btnWybierzClick();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frmPrzelewy->isEnabled());
    EXPECT_EQ(wRejestrze + 1, DMP->quePrzelewy.recordCount());
    ASSERT_TRUE(DMP->quePrzelewy.locate(QStringLiteral("TRESC1"), QStringLiteral("Zażółć gęślą jaźń")));
    EXPECT_EQ(123.45, DMP->quePrzelewy.fieldByName(QStringLiteral("WARTOSC")).asDouble());
}

}  // namespace
