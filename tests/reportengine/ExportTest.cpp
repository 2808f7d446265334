#include "ReportFixture.h"
#include "Tools.h"

#include "reportengine/Export.h"

#include <QFile>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace rpt;
using namespace rpttest;

namespace {

class ExportTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QByteArray readAll(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(ExportTest, PdfHoldsTheLinesInOrderWithPolishLettersAndInk) {
    VectorRows rows(numberedRows(80));
    auto report = listReport(rows);
    const auto pages = report->prepare();
    PdfFilter().write(*pages, path("lista.pdf"));
    ASSERT_EQ(pdfPageCount(path("lista.pdf")), 3);
    const QStringList pageTexts = pdfText(path("lista.pdf")).split('\f');
    ASSERT_GE(pageTexts.size(), 3);
    EXPECT_TRUE(inOrder(pageTexts[0], {"Zażółć gęślą jaźń", "Strona:1", "L.p", "Nazwa", "1", "Pozycja 1", "Pozycja 2",
                                       "Pozycja 35", "Stopka"}));
    EXPECT_FALSE(pageTexts[0].contains("Pozycja 36"));
    EXPECT_TRUE(inOrder(pageTexts[2], {"Strona:3", "Pozycja 71", "Pozycja 80", "Koniec listy", "Stopka"}));
}

TEST_F(ExportTest, CsvAndTextHoldThePagesLineByLine) {
    // Texts that need quoting in CSV, and a right-aligned amount.
    VectorRows rows({{{"NR", 1}, {"NAZWA", "Łódź; \"Pod Lipą\""}}, {{"NR", 2}, {"NAZWA", "Żółw"}}});
    auto report = listReport(rows);
    report->band(BandKind::Detail).addLabel({400, 0, 100, 20}, "1 234,50", {}, Qt::AlignRight | Qt::AlignVCenter);
    const auto pages = report->prepare();
    CsvFilter().write(*pages, path("lista.csv"));
    EXPECT_EQ(QString::fromUtf8(readAll("lista.csv")),
              "Zażółć gęślą jaźń;Strona:1\r\n"
              "L.p;Nazwa\r\n"
              "1;\"Łódź; \"\"Pod Lipą\"\"\";1 234,50\r\n"
              "2;Żółw;1 234,50\r\n"
              "Koniec listy\r\n"
              "Stopka\r\n");

    TextFilter().write(*pages, path("lista.txt"));
    const QString six(6, ' ');
    EXPECT_EQ(
        readAll("lista.txt").toStdString(),
        (six + "Zażółć gęślą jaźń" + QString(63, ' ') + "Strona:1\r\n" + six + "L.p" + QString(9, ' ') + "Nazwa\r\n" +
         six + "1" + QString(11, ' ') + "Łódź; \"Pod Lipą\"" + QString(64, ' ') + "1 234,50\r\n" + six + "2" +
         QString(11, ' ') + "Żółw" + QString(76, ' ') + "1 234,50\r\n" + six + "Koniec listy\r\n" + six + "Stopka\r\n")
            .toStdString());

    // The encoder decides the bytes of the file.
    CsvFilter(';', [](const QString& text) { return text.toLatin1(); }).write(*pages, path("latin.csv"));
    EXPECT_TRUE(readAll("latin.csv").startsWith("Za?"));

    // Texts never run into each other; pages end with form feeds.
    PageStore overlapping;
    PageItem a{.rect = QRectF(0, 100, 40, 10), .text = "bardzo długi tekst"};
    PageItem b{.rect = QRectF(20, 101, 40, 10), .text = "obok"};
    overlapping.addPage({595, 842}).items = {b, a};
    overlapping.addPage({595, 842}).items = {a};
    EXPECT_EQ(TextFilter().text(overlapping), "bardzo długi tekst obok\r\n\fbardzo długi tekst\r\n");
}

TEST_F(ExportTest, HtmlAndSvgDrawEveryPage) {
    VectorRows rows(numberedRows(80));
    const auto pages = listReport(rows)->prepare();
    HtmlFilter().write(*pages, path("lista.html"));
    const QString html = QString::fromUtf8(readAll("lista.html"));
    EXPECT_EQ(html.count("class=\"page\""), 3);
    EXPECT_TRUE(inOrder(html, {"Zażółć gęślą jaźń", "Pozycja 1<", "Pozycja 80<", "Koniec listy"}));

    SvgFilter().write(*pages, path("lista.svg"));
    EXPECT_TRUE(QSvgRenderer(path("lista_2.svg")).isValid());
    EXPECT_TRUE(QString::fromUtf8(readAll("lista_3.svg")).contains("Koniec listy"));
    EXPECT_FALSE(QFile::exists(path("lista_4.svg")));
}

TEST_F(ExportTest, EveryFilterReportsAnUnwritableFileAndIsFoundByItsExtension) {
    VectorRows rows(numberedRows(2));
    const auto pages = listReport(rows)->prepare();
    const FilterLibrary library;
    ASSERT_EQ(library.count(), 5);
    for (int i = 0; i < library.count(); ++i) {
        const ExportFilter& filter = library.filter(i);
        EXPECT_THROW(filter.write(*pages, path("brak/folderu/plik.") + filter.extension()), std::runtime_error)
            << filter.extension().toStdString();
    }
    EXPECT_EQ(library.byExtension("Pdf"), &library.filter(0));
    EXPECT_EQ(library.byExtension("QRP"), nullptr);
}
