#include "ReportFixture.h"
#include "Tools.h"

#include "reportengine/Printing.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace rpt;
using namespace rpttest;

// Copies of a page range come whole one after another from one run of the
// report; a range is cut to the pages there are, an empty one refused, and
// each page keeps its own paper.
TEST(Printing, CopiesOfARangeComeWholeRangesAreClampedAndEachPageKeepsItsPaper) {
    QTemporaryDir dir;
    const auto printer = [&dir](const QString& name) {
        auto made = std::make_unique<QPrinter>(QPrinter::HighResolution);
        made->setOutputFormat(QPrinter::PdfFormat);
        made->setOutputFileName(dir.filePath(name));
        return made;
    };
    VectorRows rows(numberedRows(80));
    auto report = listReport(rows);
    report->printSettings() = {.copies = 2, .firstPage = 2, .lastPage = 3, .duplex = Duplex::Vertical};
    int runs = 0;
    report->setBeforePrint([&] { ++runs; });
    printReport(*report, *printer("druk.pdf"));
    EXPECT_EQ(runs, 1);
    const QStringList pages = pdfText(dir.filePath("druk.pdf")).split('\f');
    ASSERT_GE(pages.size(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(pages[i].contains(i % 2 ? "Strona:3" : "Strona:2")) << i;

    const auto prepared = report->prepare();
    printPages(*prepared, *printer("koniec.pdf"), {.firstPage = 3, .lastPage = 99, .duplex = Duplex::Horizontal});
    EXPECT_EQ(pdfPageCount(dir.filePath("koniec.pdf")), 1);
    EXPECT_THROW(printPages(*prepared, *printer("nic.pdf"), {.firstPage = 4}), std::runtime_error);

    PageStore mixed;
    mixed.addPage({595.276, 841.89});
    mixed.addPage({841.89, 595.276});
    printPages(mixed, *printer("mix.pdf"), {});
    EXPECT_TRUE(runTool("pdfinfo", {"-f", "2", "-l", "2", dir.filePath("mix.pdf")}).contains("842 x 595 pts"));
}
