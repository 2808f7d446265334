#include "ReportFixture.h"
#include "Tools.h"

#include "reportengine/Printing.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace rpt;
using namespace rpttest;

namespace {

std::unique_ptr<QPrinter> pdfPrinter(const QString& fileName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(fileName);
    return printer;
}

}  // namespace

TEST(Printing, CopiesOfAPageRangeComeWholeOneAfterAnother) {
    QTemporaryDir dir;
    VectorRows rows(numberedRows(80));
    auto report = listReport(rows);
    report->printSettings() = {.copies = 2, .firstPage = 2, .lastPage = 3, .duplex = Duplex::Vertical};
    int runs = 0;
    report->setBeforePrint([&] { ++runs; });
    const auto printer = pdfPrinter(dir.filePath("druk.pdf"));
    printReport(*report, *printer);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(pdfPageCount(dir.filePath("druk.pdf")), 4);
    const QStringList pages = pdfText(dir.filePath("druk.pdf")).split('\f');
    ASSERT_GE(pages.size(), 4);
    const QStringList expected{"Strona:2", "Strona:3", "Strona:2", "Strona:3"};
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(pages[i].contains(expected[i])) << i;
}

TEST(Printing, RangeIsClampedAnEmptyOneRefusedAndEachPageKeepsItsPaper) {
    QTemporaryDir dir;
    VectorRows rows(numberedRows(80));
    const auto pages = listReport(rows)->prepare();
    const auto printer = pdfPrinter(dir.filePath("koniec.pdf"));
    printPages(*pages, *printer, {.firstPage = 3, .lastPage = 99, .duplex = Duplex::Horizontal});
    EXPECT_EQ(pdfPageCount(dir.filePath("koniec.pdf")), 1);
    EXPECT_THROW(printPages(*pages, *pdfPrinter(dir.filePath("nic.pdf")), {.firstPage = 4}), std::runtime_error);
    EXPECT_THROW(printPages(PageStore(), *pdfPrinter(dir.filePath("pusty.pdf")), {}), std::runtime_error);

    PageStore mixed;
    mixed.addPage({595.276, 841.89});
    mixed.addPage({841.89, 595.276});
    printPages(mixed, *pdfPrinter(dir.filePath("mix.pdf")), {});
    const QString second = runTool("pdfinfo", {"-f", "2", "-l", "2", dir.filePath("mix.pdf")});
    EXPECT_TRUE(second.contains("842 x 595 pts")) << second.toStdString();
}
