#include "SuiteFixture.h"

#include "siblings/finanse/DocumentWindow.h"
#include "siblings/finanse/TdmFinanse.h"
#include "siblings/kartoteka/TdmKartoteka.h"

using pxtest::SuiteTest;

namespace {

class LedgerTest : public SuiteTest {
protected:
    static constexpr int kPrzCode = 3;  // FK_KODY_DOK 'PRZ'
    const QDate day{2026, 10, 14};

    int document(int period, const QString& description = QStringLiteral("Przelewy")) {
        return dmFinanse->iDodajDokumentFK(nullptr, period, -1, kPrzCode, "PRZ", 77, day, day, description, "");
    }
    static std::string number(int month, std::int64_t running) {
        return QStringLiteral("PRZ/%1/%2").arg(month, 2, 10, QChar('0')).arg(running, 4, 10, QChar('0')).toStdString();
    }
};

}  // namespace

TEST_F(LedgerTest, DocumentsAreNumberedByCodeMonthAndRunningNumber) {
    // The running number the next document of the code gets in 2026.
    const std::int64_t running = db.scalarCents(
        "select max(d.NR_KOLEJNY) + 1 from FK_DOKUMENTY d join FK_OKRESY o on "
        "o.ID = d.ID_OKRESU where d.ID_KODU = 3 and o.ROK = 2026");
    // One at a time: the numbers follow the order the documents are added in.
    const int first = document(10);
    document(10);
    document(11);
    const std::string sql =
        "select list(NUMER_DOK || '/' || ID_ZRODLA || '/' || DODAL, ' ') from (select * from "
        "FK_DOKUMENTY where ID >= " +
        std::to_string(first) + " order by ID)";
    // Written in the shared transaction: the caller commits.
    EXPECT_EQ(db.scalarText(sql), "");
    dmMain->transaction().commitRetaining();
    EXPECT_EQ(db.scalarText(sql), number(10, running) + "/77/ADMIN " + number(10, running + 1) + "/77/ADMIN " +
                                      number(11, running + 2) + "/77/ADMIN");
}

TEST_F(LedgerTest, DocumentRefusedForAnUnknownPeriodOrCode) {
    EXPECT_EQ(dmKartoteka->iIDOkresu(2027, 1), -1);
    EXPECT_LT(document(999), 0);
    EXPECT_LT(dmFinanse->iDodajDokumentFK(nullptr, 10, -1, 999, "PRZ", 1, day, day, "", ""), 0);
    // A description longer than its column is cut, not refused.
    EXPECT_GT(document(10, QString(300, u'ż')), 0);
}

TEST_F(LedgerTest, EntriesAreAddedInOrderRefusedForAnUnknownDocumentAndDeletedWithTheirs) {
    const int doc = document(10);
    dmFinanse->iDodajDekret(nullptr, doc, "201-K0004", "130-1", 1234.56, "Zapłata", day, day, "FS 0367/2026", 0,
                            "801-80101-4210", -1);
    dmFinanse->iDodajDekret(nullptr, doc, "", "130-1", 0.1, "Przelewy z dnia:", day, day, "", 0, "", -1);
    dmMain->transaction().commitRetaining();
    EXPECT_EQ(db.scalarText("select list(LP || '|' || KWOTA || '|' || coalesce(KONTO_WN, 'NULL') || '|' || "
                            "coalesce(NAZWA_MA, 'NULL') || '|' || coalesce(PARAGRAF, 'NULL'), ' ') from (select * "
                            "from FK_DEKRETY where ID_DOKUMENTU = " +
                            std::to_string(doc) + " order by LP)"),
              "1|1234.5600|201-K0004|FS 0367/2026|801-80101-4210 2|0.1000|NULL|NULL|NULL");

    EXPECT_LT(dmFinanse->iDodajDekret(nullptr, 987654, "201", "130", 1, "", day, day, "", 0, "", -1), 0);
    // The ledger's viewer shows the document and both entries.
    EXPECT_TRUE(siblings::DocumentWindow(nullptr, doc).headerText().contains("Przelewy"));
    EXPECT_EQ(siblings::DocumentWindow(nullptr, doc).entries().recordCount(), 2);

    // Deleting the document takes its entries.
    EXPECT_EQ(dmFinanse->iUsunDokumentFK(nullptr, doc), 1);
    dmMain->transaction().commitRetaining();
    EXPECT_EQ(db.scalarCents("select count(*) from FK_DEKRETY where ID_DOKUMENTU = " + std::to_string(doc)), 0);
    EXPECT_LT(dmFinanse->iUsunDokumentFK(nullptr, doc), 1);
    EXPECT_EQ(dmFinanse->iDokumentKsiegowyTekst(nullptr, nullptr, doc, true, "", ""), 0) << "no viewer of nothing";
}
