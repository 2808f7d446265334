#include "ReportFixture.h"
#include "Tools.h"

#include "reportengine/Export.h"

#include <QFile>
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

// PDF and HTML hold every page, their lines in order, with Polish letters; SVG makes a file a page.
TEST_F(ExportTest, PdfHtmlAndSvgHoldEveryPageAndAnUnwritableFileIsTold) {
    VectorRows rows(numberedRows(80));
    const auto pages = listReport(rows)->prepare();
    PdfFilter().write(*pages, path("lista.pdf"));
    EXPECT_EQ(pdfPageCount(path("lista.pdf")), 3);
    EXPECT_TRUE(
        inOrder(pdfText(path("lista.pdf")), {"Zażółć gęślą jaźń", "Strona:1", "L.p", "Nazwa", "Pozycja 35", "Stopka",
                                             "\f", "Strona:2", "Pozycja 36", "Pozycja 80", "Koniec listy", "Stopka"}));

    HtmlFilter().write(*pages, path("lista.html"));
    const QString html = QString::fromUtf8(readAll("lista.html"));
    EXPECT_EQ(html.count("class=\"page\""), 3);
    EXPECT_TRUE(inOrder(html, {"Zażółć gęślą jaźń", "Pozycja 1<", "Pozycja 80<", "Koniec listy"}));
    // Every filter tells an unwritable file.
    const FilterLibrary library;
    for (int i = 0; i < library.count(); ++i)
        EXPECT_THROW(library.filter(i).write(*pages, path("brak/plik.") + library.filter(i).extension()),
                     std::runtime_error)
            << i;
    SvgFilter().write(*pages, path("lista.svg"));
    EXPECT_TRUE(QFile::exists(path("lista_3.svg")) && !QFile::exists(path("lista_4.svg")));
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

    // Texts never run into each other; pages end with form feeds.
    PageStore overlapping;
    PageItem a{.rect = QRectF(0, 100, 40, 10), .text = "bardzo długi tekst"};
    PageItem b{.rect = QRectF(20, 101, 40, 10), .text = "obok"};
    overlapping.addPage({595, 842}).items = {b, a};
    overlapping.addPage({595, 842}).items = {a};
    EXPECT_EQ(TextFilter().text(overlapping), "bardzo długi tekst obok\r\n\fbardzo długi tekst\r\n");
}
