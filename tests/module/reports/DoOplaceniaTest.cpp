#include "PreviewFixture.h"

#include "module/reports/Repraportprzelewow.h"
#include "reportengine/Export.h"

#include <algorithm>
#include <memory>

namespace {

using Wariant = TRaportDoOplacenia::Wariant;

// Three contractors: A with two transfers, B with one, C with three (one of
// them 0), in the register in an order unlike the contractors' codes.
class DoOplaceniaTest : public pxtest::RaportyFixture {
protected:
    void SetUp() override {
        RaportyFixture::SetUp();
        kontrahent(kA, "Ąbecki Zakład Usług „Żuraw” w Łodzi", "ABECKI", "A01");
        kontrahent(kB, "Beta", "BETA", "B02");
        kontrahent(kC, "O'Neill Polska", "O'Neill", "C03", 0);
        przelew({.id = 101, .kontrahent = kA, .kwota = "100.10", .termin = "2026-12-01", .zaznacz = 1});
        przelew({.id = 105, .kontrahent = kC, .kwota = "30.30", .termin = "2026-12-10"});
        przelew({.id = 102, .kontrahent = kA, .kwota = "200.20", .termin = "2026-12-20"});
        przelew({.id = 103, .kontrahent = kB, .kwota = "50.05", .termin = "", .zaznacz = 1});
        przelew({.id = 104, .kontrahent = kC, .kwota = "0", .termin = "2026-11-15", .zaznacz = 1});
        przelew({.id = 106, .kontrahent = kC, .kwota = "12.34", .termin = "2026-12-31", .zaznacz = 1});
    }

    // The printed lines of the variant over the register as the test left it.
    QStringList druk(Wariant wariant, const OpcjeZestawienia& opcje) {
        m_opcje = opcje;
        data::Dataset& przelewy = rejestr();
        m_raport = wariant == Wariant::P1
                       ? std::unique_ptr<TRaportDoOplacenia>(new TfrmQRRaportPrzelewow(przelewy, m_opcje))
                       : std::make_unique<TfrmQRRaportPrzelewow2>(przelewy, m_opcje);
        return rpttest::allLines(*m_raport->rep->prepare());
    }

    // The transfers printed, by their titles "T<id>", in print order, with their numbers checked.
    static std::vector<int> wydrukowane(const QStringList& lines) {
        std::vector<int> ids;
        for (const QString& line : lines)
            for (const QString& item : line.split(';'))
                if (item.size() == 4 && item.startsWith('T') && item.mid(1).toInt() > 100) {
                    ids.push_back(item.mid(1).toInt());
                    EXPECT_TRUE(line.startsWith(QString::number(ids.size()) + ".;")) << line.toStdString();
                }
        return ids;
    }

    static constexpr int kA = 9101, kB = 9102, kC = 9103;
    OpcjeZestawienia m_opcje;
    std::unique_ptr<TRaportDoOplacenia> m_raport;
};

QStringList z(const QStringList& lines, const QString& text) { return lines.filter(text); }

}  // namespace

// Every option chooses the rows the database says it should, and the total is their sum.
TEST_F(DoOplaceniaTest, OptionsChooseTheRowsAndTheTotalIsTheirSum) {
    const QDate limit(2026, 12, 10);
    const struct {
        const char* nazwa;
        OpcjeZestawienia opcje;
        std::string where;
    } przypadki[] = {
        {"wszystkie", {.iUklad = 1}, "1 = 1"},
        {"zaznaczone", {.iCzyZaznaczone = 1, .iUklad = 1}, "ZAZNACZ = 1"},
        {"termin",
         {.iCzyTermin = 1, .dtTermin = limit, .iUklad = 1},
         "(TERMIN_ZAPLATY is null or TERMIN_ZAPLATY <= '2026-12-10')"},
        {"razem",
         {.iCzyZaznaczone = 1, .iCzyTermin = 1, .dtTermin = limit, .iWybranyKontrahent = kC},
         "ZAZNACZ = 1 and TERMIN_ZAPLATY <= '2026-12-10' and ID_KONTRAHENTA = 9103"},
    };
    for (const Wariant wariant : {Wariant::P1, Wariant::P1_2})
        for (const auto& p : przypadki) {
            SCOPED_TRACE(p.nazwa);
            const QStringList lines = druk(wariant, p.opcje);
            QStringList ids;
            for (const int id : wydrukowane(lines)) ids << QString::number(id);
            ids.sort();
            EXPECT_EQ(ids.join(','),
                      QString::fromStdString(db.scalarText("select list(ID) from (select ID from PR_PRZELEWY where " +
                                                           p.where + " order by ID)")))
                << "each row once";
            const QString total = suma("from PR_PRZELEWY where " + p.where);
            EXPECT_TRUE(lines.contains(wariant == Wariant::P1 ? total : "R  A  Z  E  M     ;" + total))
                << total.toStdString();
        }
}

// By contractor code a contractor of two or more printed rows gets its
// subtotal under its own code; in the register's order nobody does.
TEST_F(DoOplaceniaTest, SubtotalsOnlyForContractorsOfTwoOrMoreRowsInTheContractorLayout) {
    DMP->quePrzelewy.setSqlLine(8, QStringLiteral("UPPER(b.KOD_FK) COLLATE PXW_PLK ASC"));
    const QString razem = QStringLiteral("R  A  Z  E  M      K  O  N  T  R  A  H  E  N  T :");
    for (const Wariant wariant : {Wariant::P1, Wariant::P1_2}) {
        const QStringList lines = druk(wariant, {.iUklad = 0});
        EXPECT_EQ(z(lines, razem),
                  (QStringList{razem + ";A01;" + suma("from PR_PRZELEWY where ID_KONTRAHENTA = 9101"),
                               razem + ";C03;" + suma("from PR_PRZELEWY where ID_KONTRAHENTA = 9103")}));
        std::vector<int> ids = wydrukowane(lines);
        ASSERT_EQ(ids.size(), 6u);
        std::sort(ids.begin(), ids.begin() + 2);
        std::sort(ids.begin() + 3, ids.end());
        EXPECT_EQ(ids, (std::vector<int>{101, 102, 103, 104, 105, 106})) << "by contractor code";
        // Two rows of C stay after the marked-only filter, one of A: only C's subtotal.
        EXPECT_EQ(z(druk(wariant, {.iCzyZaznaczone = 1, .iUklad = 0}), razem),
                  QStringList{razem + ";C03;" + suma("from PR_PRZELEWY where ID in (104, 106)")});
        EXPECT_TRUE(z(druk(wariant, {.iUklad = 1}), razem).isEmpty());
    }
}

// An amount of 0 prints empty and still takes its number; a credit prints
// and is taken off the total, so that the printed amounts add up to it; so does the PDF.
TEST_F(DoOplaceniaTest, ZeroPrintsEmptyACreditPrintsItsAmountAndThePdfReadsBack) {
    przelew({.id = 107, .kontrahent = kB, .kwota = "-20.00"});
    for (const Wariant wariant : {Wariant::P1, Wariant::P1_2}) {
        const QStringList lines = druk(wariant, {.iUklad = 1});
        EXPECT_FALSE(z(lines, "T104").value(0).contains("0,00")) << z(lines, "T104").value(0).toStdString();
        EXPECT_TRUE(z(lines, "T107").value(0).contains(";-20,00;")) << z(lines, "T107").value(0).toStdString();
        EXPECT_EQ(wydrukowane(lines).size(), 7u);
    }
    EXPECT_TRUE(druk(Wariant::P1, {.iUklad = 1}).contains(suma("from PR_PRZELEWY")));
    EXPECT_EQ(suma("from PR_PRZELEWY"), "372,99");

    rpt::PdfFilter().write(*m_raport->rep->prepare(), path("p1.pdf"));
    const QString text = rpttest::pdfText(path("p1.pdf"));
    EXPECT_TRUE(rpttest::inOrder(text, {"Przelewy do opłacenia", "( P1 )", "Ąbecki Zakład", "200,20", "T102", "372,99",
                                        "Drukowano dnia:", "Przelewy"}))
        << text.toStdString();
}

// The ledger document number, through the purchase invoice or the ledger
// entry; nothing when the invoice number is empty or nothing is found.
// Invoice numbers with an apostrophe are found like any other.
TEST_F(DoOplaceniaTest, LedgerDocumentNumberOfTheInvoice) {
    db.exec("insert into FK_DOKUMENTY (ID, NUMER_DOK, OPIS) values (9801, 'PK/801/2026', 'Zakup materiałów')");
    db.exec("insert into FK_DOKUMENTY (ID, NUMER_DOK, OPIS) values (9802, 'PK/802/2026', 'Usługa')");
    db.exec(
        "insert into DOK_FZ (ID, NR_FAKTURY, ID_KONTRAHENTA, ID_DOKUMENTU_FK) values (9801, 'FV/O''1', 9101, 9801)");
    db.exec("insert into DOK_FZ (ID, NR_FAKTURY, ID_KONTRAHENTA, ID_DOKUMENTU_FK) values (9802, 'FV/102', 9101, null)");
    db.exec("insert into FK_DEKRETY (ID, ID_DOKUMENTU, NAZWA_MA, NR_RACH) values (9803, 9802, 'FV/103', '201-1')");
    db.exec("update PR_PRZELEWY set NR_FAKTURY = 'FV/O''1', ID_FAKTURY = 9801 where ID = 101");
    db.exec("update PR_PRZELEWY set ID_FAKTURY = -1 where ID = 103");
    db.exec("update PR_PRZELEWY set NR_FAKTURY = '' where ID = 104");
    for (const Wariant wariant : {Wariant::P1, Wariant::P1_2}) {
        const QStringList lines = druk(wariant, {.iUklad = 1, .iDrukDok = 1});
        const QString numery = z(lines, "PK/").join('|');
        EXPECT_EQ(z(lines, "PK/").size(), 2) << "no number for the unposted invoice, the empty one or the rest";
        EXPECT_TRUE(numery.contains("PK/801/2026") && numery.contains("PK/802/2026")) << numery.toStdString();
    }
    EXPECT_TRUE(z(druk(Wariant::P1, {.iUklad = 1, .iDrukDok = 0}), "PK/").isEmpty());
}

// With acceptance required, the column heading shows and unaccepted accounts print "NIE".
TEST_F(DoOplaceniaTest, UnacceptedAccountsPrintNieWhenAcceptanceIsRequired) {
    for (const int akceptacja : {1, 0}) {
        DMP->iCzyAkceptacjaKontaBankowego = akceptacja;
        const QStringList lines = druk(Wariant::P1, {.iUklad = 1});
        EXPECT_EQ(z(lines, "Akcept.").size(), akceptacja);
        const QStringList nie = lines.filter(QRegularExpression(";NIE$"));
        EXPECT_EQ(nie.size(), akceptacja ? 3 : 0);
        EXPECT_EQ(nie, nie.filter(QRegularExpression("T10[456]")));
    }
}
