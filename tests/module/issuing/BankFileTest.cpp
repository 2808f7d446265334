// The driver on the demo banks. Expected files are written by hand from the
// record layouts; the company record is the demo school's.
#include "module/issuing/BankFile.h"

#include "IssuingFixture.h"

#include <QDir>
#include <QFile>

namespace {

using pxtest::IssuingFixture;

// The demo school and the test contractor in a .PLI line.
const std::string kSchoolPli =
    "\"SZKO\xA3"
    "A PODSTAWOWA NR 3 IM. MARII KO|NOPNICKIEJ W \xAFYWCU|UL. KO\x8C"
    "CIUSZKI  12/|34-300  \xAFYWIEC\"";
const std::string kContractorPli = "\"US\xA3UGI  W\xA5\xAF  JAN KOWALSKI||UL. D\xA3UGA 5/2|34-300  \xAFYWIEC\"";
const std::string kAccount = "\"11222233334444555566667777\"";
class BankFileTest : public IssuingFixture {
protected:
    void SetUp() override {
        IssuingFixture::SetUp();
        addRealized(9101, "2026-12-10", 'A', "1234.5", "Faktura FV/1: \"pilna\"", "801-80101-4210");
        addRealized(9102, "2026-12-10", 'A', "10", "Faktura FV/2", "4210");
        context.dataPrzelewu = QDate(2026, 12, 11);
        pbkFolder = bankFolder(1);
    }

    QString fileOf(int bank, char letter, const char* extension) {
        return bankFolder(bank) + "/P-2026-12-10-" + QLatin1Char(letter) + QLatin1String(extension);
    }
    static QStringList filesIn(const QString& folder) {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    void changeBank(const std::string& assignments) {
        db.exec("update ET_BANKI set " + assignments + " where ID = 1");
        DMP->queBanki.close();
    }
    // Writes the batch, answers the confirmation (which names the file) and reads the file back.
    std::string written(int bank, char letter, const char* extension) {
        dialogs->expectMessage("Stworzono plik do banku: " + fileOf(bank, letter, extension), ui::Answer::Ok);
        EXPECT_TRUE(bUtworzPlikDoBanku(context, kDay, letter, bank));
        return contents(fileOf(bank, letter, extension));
    }
    // A refusal: exactly its message, false, and no file in the bank's folder.
    void expectRefusal(const QString& text, int bank = 1) {
        dialogs->expectMessage(text, ui::Answer::Ok);
        EXPECT_FALSE(bUtworzPlikDoBanku(context, kDay, 'A', bank));
        EXPECT_EQ(text, dialogs->shown().back().text);
        EXPECT_TRUE(filesIn(pbkFolder).isEmpty());
    }

    QString pbkFolder;  // the folder of bank 1 as the demo has it
};

TEST_F(BankFileTest, ElixirFileHoldsTheBatchNewestFirst) {
    EXPECT_EQ("110,20261210,1000,10200133,0,\"30102001330000158813998698\"," + kAccount + "," + kSchoolPli + "," +
                  kContractorPli +
                  ",0,22223333,\"FAKTURA FV/2|||\",\"\",\"\",\"51\"\r\n"
                  "110,20261210,123450,10200133,0,\"30102001330000158813998698\"," +
                  kAccount + "," + kSchoolPli + "," + kContractorPli +
                  ",0,22223333,\"FAKTURA FV/1   PILNA |||\",\"\",\"\",\"51\"\r\n",
              written(1, 'A', ".PLI"));
}

// What the bank's settings add to the records written byte for byte in
// BankRecordTest: bank 3 puts the ledger code first and takes no paragraph,
// bank 2 takes it, bank 5 writes the date picker's day.
TEST_F(BankFileTest, ImpAndTxtFilesTakeTheBanksSettingsAndTheDatePickersDay) {
    const std::string name = "\"K9001 US\xA3UGI  W\xA5\xAF  JAN KOWALSKI???34-300  \xAFYWIEC???UL. D\xA3UGA 5/2\"";
    const auto line = [&](const std::string& amount, const std::string& title) {
        return "\"BANK LOKALNY\" " + name + " " + kAccount + " 78 " + amount +
               " \"BANK \x8CL\xA5SKI HANDLOWY S.A.\" "
               "\"SZKO\xA3"
               "A PODSTAWOWA NR 3 IM. MARII KO\" \"51105001320000753645568151\" \"" +
               title + "\" \"PLN\" \"KOWALSKI\" " + name + " \"N\" \"SF\"\r\n";
    };
    EXPECT_EQ(line("10.00", "FAKTURA FV/2??????") + line("1234.50", "FAKTURA FV/1   PILNA ??????"),
              written(3, 'A', ".IMP"));
    EXPECT_NE(std::string::npos, written(2, 'A', ".IMP").find(" \"\" \"\" \"\" \"801-8???0101\"\r\n"));
    EXPECT_NE(std::string::npos, written(5, 'A', ".TXT").find("\r\n8\r\n11/12/26\r\n9\r\nFAKTURA FV/1   PILNA \r\n"));
}

TEST_F(BankFileTest, RefusalsWriteNothing) {
    expectRefusal(QStringLiteral("Brak banku! "), 99);

    changeBank("PROCEDURA = 0");  // a missing folder is refused before (see the issuing tests)
    expectRefusal(QStringLiteral("Brak wstawionego numeru  procedury -> do tworzenia pliku do Banku "));
}

// A bank file that silently lacks a payment is lost money: a record that
// fails leaves the name as it was and nothing is reported as created.
TEST_F(BankFileTest, FailingRecordKeepsTheEarlierFileAndReportsFailure) {
    addContractor(9002, "Kłopotliwy", "K9002");
    addRealized(9105, "2026-12-10", 'C', "7", "Faktura FV/5", "", 9002);
    addRealized(9106, "2026-12-10", 'C', "8", "Faktura FV/6", "");
    db.exec("alter table ET_KONTAKT drop LOKAL");
    db.exec(
        "alter table ET_KONTAKT add LOKAL computed by (case when ID = 9002 then cast(1 / 0 as varchar(6)) "
        "else '' end)");
    const QString earlier = fileOf(1, 'C', ".PLI");
    {
        QFile file(earlier);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("earlier\r\n");
    }

    dialogs->expectShowMessage(QStringLiteral("PiszProcedure "));
    EXPECT_FALSE(bUtworzPlikDoBanku(context, kDay, 'C', 1));
    EXPECT_TRUE(context.bBlad);
    EXPECT_EQ("earlier\r\n", contents(earlier));
    EXPECT_EQ(QStringList{"P-2026-12-10-C.PLI"}, filesIn(bankFolder(1))) << "no temporary file is left behind";
    EXPECT_EQ(1u, dialogs->shown().size()) << "nothing is reported as created";
}

// The user is told why a file could not be written: here a folder has the
// file's name, nothing is missing or full, and the system says why.
TEST_F(BankFileTest, WriteFailureNamesItsCause) {
    ASSERT_TRUE(QDir(pbkFolder).mkdir(QStringLiteral("P-2026-12-10-A.PLI")));
    dialogs->expectMessage(QStringLiteral("Błąd zapisu zbioru bankowego: "), ui::Answer::Ok);
    EXPECT_FALSE(bUtworzPlikDoBanku(context, kDay, 'A', 1));
    EXPECT_EQ(fileOf(1, 'A', ".PLI"), dialogs->shown().back().caption);
}

}  // namespace
