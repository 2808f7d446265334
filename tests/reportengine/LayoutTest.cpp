#include "ReportFixture.h"

#include <gtest/gtest.h>

using namespace rpt;
using namespace rpttest;

namespace {

const QString kHeader = QStringLiteral("Zażółć gęślą jaźń;Strona:%1");

}  // namespace

// 35 detail bands fit under the headers of a page; the summary follows the last row.
TEST(ReportLayout, PagesRepeatTheirHeaderAndFooterAndNumberThemselves) {
    VectorRows rows(numberedRows(80));
    const auto pages = listReport(rows)->prepare();
    ASSERT_EQ(pages->pageCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const QStringList lines = pageLines(pages->page(i));
        EXPECT_EQ(lines.mid(0, 3),
                  QStringList({kHeader.arg(i + 1), "L.p;Nazwa", QStringLiteral("%1;Pozycja %1").arg(35 * i + 1)}));
        EXPECT_EQ(lines.last(), "Stopka");
    }
    EXPECT_EQ(pageLines(pages->page(2)).mid(11), QStringList({"80;Pozycja 80", "Koniec listy", "Stopka"}));
    // The footer sits at the bottom whatever the body holds.
    EXPECT_DOUBLE_EQ(topOf(pages->page(0), "Stopka"), topOf(pages->page(2), "Stopka"));
    EXPECT_GT(topOf(pages->page(2), "Stopka"), 780);
}

TEST(ReportLayout, BandThatDoesNotFitGoesToTheNextPage) {
    // 35 rows fill the first page exactly: the summary needs a page of its own.
    VectorRows rows(numberedRows(35));
    const auto pages = listReport(rows)->prepare();
    ASSERT_EQ(pages->pageCount(), 2);
    EXPECT_EQ(pageLines(pages->page(1)), QStringList({kHeader.arg(2), "L.p;Nazwa", "Koniec listy", "Stopka"}));

    // A band forced to a new page does not leave an empty page behind the headers.
    VectorRows two(numberedRows(2));
    auto forced = listReport(two);
    forced->band(BandKind::Detail).setForceNewPage(true);
    const auto forcedPages = forced->prepare();
    ASSERT_EQ(forcedPages->pageCount(), 2);
    EXPECT_EQ(pageLines(forcedPages->page(1)).at(2), "2;Pozycja 2");
}

TEST(ReportLayout, HooksSuppressBandsAndChangeTheirHeightAndText) {
    VectorRows rows(numberedRows(6));
    auto report = listReport(rows);
    Band& detail = report->band(BandKind::Detail);
    auto& number = detail.add<SystemField>(QRectF(300, 0, 40, 20), SystemData::DetailNumber, "#");
    auto& note = detail.addLabel({350, 0, 100, 20}, {});
    detail.setBeforePrint([&](Band& band, bool& print) {
        const int nr = rows.value("NR").toInt();
        print = nr % 2 == 1;
        band.setHeight(nr == 3 ? 45 : 20);
        note.setText(nr == 5 ? "piąta" : QString());
        number.setVisible(nr != 1);
    });
    const auto pages = report->prepare();
    ASSERT_EQ(pages->pageCount(), 1);
    const Page& page = pages->page(0);
    EXPECT_EQ(pageLines(page).mid(2, 3), QStringList({"1;Pozycja 1", "3;Pozycja 3;#2", "5;Pozycja 5;#3;piąta"}));
    EXPECT_DOUBLE_EQ(topOf(page, "Pozycja 3") - topOf(page, "Pozycja 1"), 20);
    EXPECT_DOUBLE_EQ(topOf(page, "Pozycja 5") - topOf(page, "Pozycja 3"), 45);
    EXPECT_DOUBLE_EQ(topOf(page, "Koniec listy") - topOf(page, "Pozycja 5"), 20);
}

TEST(ReportLayout, GroupFootersCloseEachGroupWithItsOwnKey) {
    VectorRows rows(numberedRows(7, 3));
    auto report = listReport(rows);
    Group& group = report->addGroup("queX.GRUPA");
    group.header().setHeight(20);
    group.header().addDataText({0, 0, 100, 20}, "GRUPA");
    group.footer().setHeight(20);
    Label& sum = group.footer().addLabel({0, 0, 200, 20}, {});
    int inGroup = 0;
    int starts = 0;
    report->setBeforePrint([&] {
        inGroup = 0;
        ++starts;
    });
    report->band(BandKind::Detail).setBeforePrint([&](Band&, bool&) { ++inGroup; });
    group.footer().setBeforePrint([&](Band&, bool& print) {
        print = inGroup >= 2;  // a group of one row gets no footer
        sum.setText(QStringLiteral("Razem %1: %2").arg(group.endingKey().toString()).arg(inGroup));
        inGroup = 0;
    });
    const QStringList expected{kHeader.arg(1), "L.p;Nazwa",  "A", "1;Pozycja 1", "2;Pozycja 2",
                               "3;Pozycja 3",  "Razem A: 3", "B", "4;Pozycja 4", "5;Pozycja 5",
                               "6;Pozycja 6",  "Razem B: 3", "C", "7;Pozycja 7", "Koniec listy",
                               "Stopka"};
    EXPECT_EQ(allLines(*report->prepare()), expected);
    // A second preparation starts from the report's hook again and gives the same pages.
    EXPECT_EQ(allLines(*report->prepare()), expected);
    EXPECT_EQ(starts, 2);
}

TEST(ReportLayout, EmptyReportPrintsItsHeadersOnlyWhenAsked) {
    VectorRows rows;
    auto report = listReport(rows);
    EXPECT_EQ(report->prepare()->pageCount(), 0);
    report->setPrintIfEmpty(true);
    EXPECT_EQ(allLines(*report->prepare()), QStringList({kHeader.arg(1), "L.p;Nazwa", "Koniec listy", "Stopka"}));
    report->setSource(nullptr);
    EXPECT_EQ(report->prepare()->pageCount(), 1);
}

TEST(ReportLayout, TitlePrintsOnceAndLandscapeUsesTheWidePage) {
    VectorRows rows(numberedRows(60));
    auto report = listReport(rows);
    report->setOrientation(Orientation::Landscape);
    report->band(BandKind::Title, 20).addLabel({0, 0, 300, 20}, "Tytuł");
    const auto pages = report->prepare();
    // 595 - 2 margins - footer 20 - headers 70 (first page) or 50 leaves 22 and 23 rows.
    ASSERT_EQ(pages->pageCount(), 3);
    EXPECT_TRUE(pages->page(0).isLandscape());
    EXPECT_EQ(pageLines(pages->page(0)).at(1), "Tytuł");
    EXPECT_EQ(pageLines(pages->page(1)).mid(0, 3), QStringList({kHeader.arg(2), "L.p;Nazwa", "23;Pozycja 23"}));
}

TEST(ReportLayout, ProgressRunsFromZeroToOneHundred) {
    VectorRows rows(numberedRows(250));
    auto report = listReport(rows);
    std::vector<int> seen;
    report->setProgress([&](int percent) { seen.push_back(percent); });
    report->prepare();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(std::make_pair(seen.front(), seen.back()), std::make_pair(0, 100));
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
}
