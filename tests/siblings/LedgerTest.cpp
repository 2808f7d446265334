#include "SuiteFixture.h"

#include "siblings/finanse/DocumentWindow.h"
#include "siblings/finanse/TdmFinanse.h"
#include "siblings/kartoteka/BankWindow.h"
#include "siblings/kartoteka/TdmKartoteka.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using pxtest::SuiteTest;

namespace {

class LedgerTest : public SuiteTest {
protected:
    static constexpr int kPrzCode = 3;  // FK_KODY_DOK 'PRZ'
    const QDate day{2026, 10, 14};

    int document(int period, const QString& description = QStringLiteral("Przelewy")) {
        return dmFinanse->iDodajDokumentFK(nullptr, period, -1, kPrzCode, "PRZ", 77, day, day, description, "");
    }
    std::string text(const std::string& sql) { return db.scalarText(sql); }
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
    const int first = document(10), second = document(10), otherMonth = document(11);
    const std::string ids = std::to_string(first) + ", " + std::to_string(second) + ", " + std::to_string(otherMonth);
    const std::string sql =
        "select list(NUMER_DOK || '/' || ID_ZRODLA || '/' || DODAL, ' ') from (select * from "
        "FK_DOKUMENTY where ID in (" +
        ids + ") order by ID)";
    // Written in the shared transaction: the caller commits.
    EXPECT_EQ(text(sql), "");
    dmMain->transaction().commitRetaining();
    EXPECT_EQ(text(sql), number(10, running) + "/77/ADMIN " + number(10, running + 1) + "/77/ADMIN " +
                             number(11, running + 2) + "/77/ADMIN");
}

TEST_F(LedgerTest, DocumentRefusedForAnUnknownPeriodOrCode) {
    EXPECT_EQ(dmKartoteka->iIDOkresu(2026, 10), 10);
    EXPECT_EQ(dmKartoteka->iIDOkresu(2027, 1), -1);
    EXPECT_LT(document(999), 0);
    EXPECT_LT(dmFinanse->iDodajDokumentFK(nullptr, 10, -1, 999, "PRZ", 1, day, day, "", ""), 0);
    // A description longer than its column is cut, not refused.
    EXPECT_GT(document(10, QString(300, u'ż')), 0);
}

TEST_F(LedgerTest, EntriesAreAddedInOrderRefusedForAnUnknownDocumentAndDeletedWithTheirs) {
    const int doc = document(10);
    const int e1 = dmFinanse->iDodajDekret(nullptr, doc, "201-K0004", "130-1", 1234.56, "Zapłata", day, day,
                                           "FS 0367/2026", 0, "801-80101-4210", -1);
    const int e2 = dmFinanse->iDodajDekret(nullptr, doc, "", "130-1", 0.1, "Przelewy z dnia:", day, day, "", 0, "", -1);
    ASSERT_GT(e1, 0);
    const std::string one = " from FK_DEKRETY where ID = " + std::to_string(e1);
    const std::string two = " from FK_DEKRETY where ID = " + std::to_string(e2);
    dmMain->transaction().commitRetaining();
    EXPECT_EQ(text("select LP || '|' || KWOTA || '|' || KONTO_WN || '|' || NAZWA_MA || '|' || NR_RACH || '|' || "
                   "PARAGRAF" +
                   one),
              "1|1234.5600|201-K0004|FS 0367/2026|201-K0004|801-80101-4210");
    EXPECT_EQ(text("select LP || coalesce(KONTO_WN, 'NULL') || coalesce(PARAGRAF, 'NULL')" + two), "2NULLNULL");

    EXPECT_LT(dmFinanse->iDodajDekret(nullptr, 987654, "201", "130", 1, "", day, day, "", 0, "", -1), 0);

    // Deleting the document takes its entries.
    EXPECT_EQ(dmFinanse->iUsunDokumentFK(nullptr, doc), 1);
    dmMain->transaction().commitRetaining();
    EXPECT_EQ(db.scalarCents("select count(*) from FK_DEKRETY where ID_DOKUMENTU = " + std::to_string(doc)), 0);
    EXPECT_LT(dmFinanse->iUsunDokumentFK(nullptr, doc), 1);
}

TEST_F(LedgerTest, DocumentListOpensTheViewerOfTheCurrentDocument) {
    const int older = document(10, "Starszy");
    const int newer = document(10, "Przelewy paczki B");
    dmFinanse->iDodajDekret(nullptr, newer, "201-K0004", "130-1", 10, "", day, day, "", 0, "", -1);
    dmFinanse->iDodajDekret(nullptr, newer, "201-K0005", "130-1", 20, "", day, day, "", 0, "", -1);
    dialogs->expectModal([&](QWidget& w) {
        auto& list = dynamic_cast<siblings::ChooserWindow&>(w);
        EXPECT_EQ(list.dataset().fieldByName("ID").asInteger(), newer) << "newest first";
        dialogs->expectModal([](QWidget& w) {
            auto& viewer = dynamic_cast<siblings::DocumentWindow&>(w);
            EXPECT_TRUE(viewer.headerText().contains("Przelewy paczki B"));
            EXPECT_EQ(viewer.entries().recordCount(), 2);
            return int(ui::mrOk);
        });
        w.findChild<QPushButton*>("btnPokaz")->click();
        EXPECT_TRUE(list.locateKey(older));
        return int(ui::mrCancel);
    });
    dmFinanse->vDokumentyModalne(nullptr);
    EXPECT_EQ(dmFinanse->iDokumentKsiegowyTekst(nullptr, nullptr, 987654, true, "", ""), 0) << "no viewer of nothing";
}

TEST_F(LedgerTest, CompanyBankSettingsAreSavedAndCommitted) {
    dialogs->expectModal([](QWidget& w) {
        auto& banks = dynamic_cast<siblings::BankWindow&>(w);
        EXPECT_TRUE(banks.locateKey(2));
        banks.procedure().setCurrentIndex(banks.procedure().findData(5));
        banks.folder().setText("/tmp/bank O'Brien");
        banks.grouping().setChecked(true);
        EXPECT_EQ(QString(), banks.splitCode().text()) << "no code of its own: the usual one";
        QTest::keyClicks(&banks.splitCode(), "5x57");
        EXPECT_EQ(QStringLiteral("55"), banks.splitCode().text()) << "two digits only";
        EXPECT_TRUE(banks.save());
        return int(ui::mrCancel);
    });
    dmKartoteka->BankModalne(nullptr);
    EXPECT_EQ(db.scalarText("select PROCEDURA || '|' || SCIEZKA_PRZELEWOW || '|' || GRUPOWANIE || '|' || ZMIENIL "
                            "|| '|' || KOD_MPP from ET_BANKI where ID = 2"),
              "5|/tmp/bank O'Brien|1|ADMIN|55");
}
