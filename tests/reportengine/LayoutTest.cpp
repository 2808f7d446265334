#include "ReportFixture.h"

#include <gtest/gtest.h>

using namespace rpt;
using namespace rpttest;

namespace {

const QString kHeader = QStringLiteral("Zażółć gęślą jaźń;Strona:%1");

}  // namespace

// 35 detail bands fit under the headers of a page; the summary follows the
// last row, on a page of its own when the rows fill the last page exactly.
TEST(ReportLayout, PagesRepeatTheirHeaderAndFooterAndNumberThemselves) {
    VectorRows rows(numberedRows(80));
    const auto pages = listReport(rows)->prepare();
    ASSERT_EQ(pages->pageCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(pageLines(pages->page(i)).mid(0, 3),
                  QStringList({kHeader.arg(i + 1), "L.p;Nazwa", QStringLiteral("%1;Pozycja %1").arg(35 * i + 1)}));
    EXPECT_EQ(pageLines(pages->page(2)).mid(11), QStringList({"80;Pozycja 80", "Koniec listy", "Stopka"}));

    VectorRows full(numberedRows(35));
    const auto fullPages = listReport(full)->prepare();
    ASSERT_EQ(fullPages->pageCount(), 2);
    EXPECT_EQ(pageLines(fullPages->page(1)), QStringList({kHeader.arg(2), "L.p;Nazwa", "Koniec listy", "Stopka"}));
}

// Hooks suppress bands and change their text; a band forced to a new page
// leaves no empty page behind the headers.
TEST(ReportLayout, HooksSuppressBandsAndChangeTheirText) {
    VectorRows rows(numberedRows(6));
    auto report = listReport(rows);
    Band& detail = report->band(BandKind::Detail);
    auto& number = detail.add<SystemField>(QRectF(300, 0, 40, 20), SystemData::DetailNumber, "#");
    auto& note = detail.addLabel({350, 0, 100, 20}, {});
    detail.setBeforePrint([&](Band&, bool& print) {
        const int nr = rows.value("NR").toInt();
        print = nr % 2 == 1;
        note.setText(nr == 5 ? "piąta" : QString());
        number.setVisible(nr != 1);
    });
    EXPECT_EQ(pageLines(report->prepare()->page(0)).mid(2, 3),
              QStringList({"1;Pozycja 1", "3;Pozycja 3;#2", "5;Pozycja 5;#3;piąta"}));

    VectorRows two(numberedRows(2));
    auto forced = listReport(two);
    forced->band(BandKind::Detail).setForceNewPage(true);
    const auto forcedPages = forced->prepare();
    ASSERT_EQ(forcedPages->pageCount(), 2);
    EXPECT_EQ(pageLines(forcedPages->page(1)).at(2), "2;Pozycja 2");
}

TEST(ReportLayout, EmptyReportPrintsItsHeadersOnlyWhenAsked) {
    VectorRows rows;
    auto report = listReport(rows);
    EXPECT_EQ(report->prepare()->pageCount(), 0);
    report->setPrintIfEmpty(true);
    EXPECT_EQ(allLines(*report->prepare()), QStringList({kHeader.arg(1), "L.p;Nazwa", "Koniec listy", "Stopka"}));
}

TEST(ReportLayout, LandscapeUsesTheWidePage) {
    VectorRows rows(numberedRows(60));
    auto report = listReport(rows);
    report->setOrientation(Orientation::Landscape);
    const auto pages = report->prepare();
    // 595 - 2 margins - footer 20 - headers 50 leaves 23 rows.
    ASSERT_EQ(pages->pageCount(), 3);
    EXPECT_TRUE(pages->page(0).isLandscape());
    EXPECT_EQ(pageLines(pages->page(1)).mid(0, 3), QStringList({kHeader.arg(2), "L.p;Nazwa", "24;Pozycja 24"}));
}
