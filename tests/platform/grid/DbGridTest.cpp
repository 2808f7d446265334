#include "platform/grid/DbGrid.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>
#include <optional>

namespace {

// One line per column in the order the user sees them: field, width, visible.
QStringList describe(const QList<ui::DbGrid::Column>& layout) {
    QStringList lines;
    for (const auto& c : layout) lines << QStringLiteral("%1 %2 %3").arg(c.field).arg(c.width).arg(c.visible);
    return lines;
}

// Whether the sort arrow in the title of that column points up, read from the
// pixels the header paints: an upward arrow is narrower at its top.
std::optional<bool> arrowPointsUp(ui::DbGrid& grid, int logical) {
    QHeaderView& header = *grid.horizontalHeader();
    const QImage image = header.grab().toImage();
    const QColor ink = header.palette().color(QPalette::WindowText);
    const int right = header.sectionViewportPosition(logical) + header.sectionSize(logical);
    QList<int> widths;  // of the arrow's rows, top to bottom
    for (int y = 0; y < image.height(); ++y) {
        int width = 0;
        for (int x = right - 15; x < right - 2; ++x) width += image.pixelColor(x, y) == ink;
        if (width > 0) widths << width;
    }
    if (widths.size() < 2) return std::nullopt;
    return widths.first() < widths.last();
}

// A register taller than its window; the last row on screen is half visible.
class DbGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        ds.setTransaction(&db.transaction());
        ds.setSql({"select ID, SKROT, KOD_FK, PELNA from ET_KONTAKT where ID > 0", "order by ID"});
        ds.open();
        grid.setColumns({{"ID", "Id", 40}, {"SKROT", "Skrót", 150}, {"KOD_FK", "Symbol", 70}, {"PELNA", {}, 300}});
        grid.setDataset(&ds);
        const int rowHeight = grid.verticalHeader()->defaultSectionSize();
        grid.resize(700, 200);
        grid.show();
        grid.resize(700, grid.height() - grid.viewport()->height() + 8 * rowHeight + rowHeight / 2);
        ASSERT_GT(ds.recordCount(), 12);
    }

    // The first row on screen that is cut off at the bottom.
    int halfVisibleRow() const {
        const int bottom = grid.viewport()->height();
        for (int row = 0; row < ds.recordCount(); ++row) {
            const QRect r = grid.visualRect(grid.datasetModel()->index(row, 0));
            if (r.top() < bottom && r.bottom() >= bottom) return row;
        }
        return -1;
    }

    void click(int row, Qt::KeyboardModifiers modifiers = {}) {
        const QRect r = grid.visualRect(grid.datasetModel()->index(row, 1));
        const QPoint at(r.left() + 10, r.top() + 2);
        // A slow hand: the button stays down while the view would scroll, and moves a little.
        QTest::mousePress(grid.viewport(), Qt::LeftButton, modifiers, at);
        QTest::qWait(QApplication::doubleClickInterval() + 150);
        QTest::mouseMove(grid.viewport(), at + QPoint(1, 3));
        QTest::mouseRelease(grid.viewport(), Qt::LeftButton, modifiers, at + QPoint(1, 3));
    }

    // The rows painted as selected, which is what the user reads as the current one.
    QList<int> highlighted() const {
        QList<int> rows;
        for (const QModelIndex& index : grid.selectionModel()->selectedIndexes())
            if (!rows.contains(index.row())) rows << index.row();
        return rows;
    }

    void expectAgree(const char* step) {
        EXPECT_EQ(highlighted() << grid.currentIndex().row(), QList<int>({ds.recNo(), ds.recNo()})) << step;
    }

    pxtest::TestDatabase db;
    data::Dataset ds;
    ui::DbGrid grid;
};

}  // namespace

TEST_F(DbGridTest, LayoutSurvivesReopeningTheQuery) {
    EXPECT_EQ(grid.columnIndex("skrot"), 1);
    grid.applyLayout({{"PELNA", {}, 250, true}, {"KOD_FK", {}, 90, false}, {"NO_SUCH", {}, 10, true}});
    grid.setColumnWidthOf("SKROT", 111);
    const QStringList before = describe(grid.layout());
    // The hidden column keeps its width.
    EXPECT_EQ(before, QStringList({"PELNA 250 1", "KOD_FK 90 0", "ID 40 1", "SKROT 111 1"}));
    ds.close();
    ds.open();
    EXPECT_EQ(describe(grid.layout()), before);
    grid.setColumnVisible("KOD_FK", true);
    EXPECT_EQ(grid.columnWidthOf("KOD_FK"), 90);
}

TEST_F(DbGridTest, TitleClickNamesTheFieldAndTheArrowPointsUpForAscending) {
    QSignalSpy clicked(&grid, &ui::DbGrid::titleClicked);
    // As the windows do: a click on the sorted title reverses the order, on another sorts it ascending.
    QObject::connect(&grid, &ui::DbGrid::titleClicked, [&](const QString& field) {
        grid.setSortMark(field, field == grid.sortField() ? !grid.sortAscending() : true);
    });
    grid.setSortMark("ID", true);
    EXPECT_EQ(arrowPointsUp(grid, 0), true);
    QHeaderView& header = *grid.horizontalHeader();
    const auto clickTitle = [&](int logical) {
        QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                          QPoint(header.sectionViewportPosition(logical) + 10, header.height() / 2));
    };
    clickTitle(1);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toString(), "SKROT");
    EXPECT_EQ(arrowPointsUp(grid, 1), true);
    EXPECT_EQ(arrowPointsUp(grid, 0), std::nullopt);
    clickTitle(1);
    EXPECT_EQ(arrowPointsUp(grid, 1), false);
}

TEST_F(DbGridTest, NarrowColumnsWidenToTheirTitlesAndTextOnFirstShow) {
    ui::DbGrid fresh;
    fresh.setColumns({{"ID", "Identyfikator kontrahenta", 20}, {"SKROT", "Skrót", 15}, {"PELNA", {}, 400}});
    fresh.setDataset(&ds);
    fresh.resize(700, 300);
    fresh.show();
    const QFontMetrics titles(fresh.horizontalHeader()->font());
    // The title fits beside the sort arrow (9 pixels and its margin) that any column may get.
    EXPECT_GT(fresh.columnWidthOf("ID"), titles.horizontalAdvance("Identyfikator kontrahenta") + 14);
    EXPECT_GT(fresh.columnWidthOf("SKROT"), fresh.fontMetrics().horizontalAdvance("PHU Żółkiewski"));
    EXPECT_EQ(fresh.columnWidthOf("PELNA"), 400) << "never narrower than set";
    // Once only: the user's own narrowing stays.
    fresh.setColumnWidthOf("SKROT", 30);
    ds.close();
    ds.open();
    EXPECT_EQ(fresh.columnWidthOf("SKROT"), 30);
}

// One fixture serves both; the walk keeps its own suite name.
using DbGridWalkTest = DbGridTest;

TEST_F(DbGridWalkTest, TheHighlightedRowIsAlwaysTheCurrentRow) {
    grid.setFocus();
    const int cut = halfVisibleRow();
    ASSERT_GT(cut, 0);
    click(cut);
    EXPECT_EQ(ds.recNo(), cut);
    expectAgree("click on the half-visible bottom row");
    EXPECT_LE(grid.visualRect(grid.datasetModel()->index(cut, 0)).bottom(), grid.viewport()->height())
        << "the clicked row comes fully into view";

    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Space, Qt::ControlModifier);
    click(ds.recNo(), Qt::ControlModifier);
    EXPECT_EQ(ds.recNo(), cut + 1);
    expectAgree("arrow down, Ctrl+Space and Ctrl+click on the current row");

    QWheelEvent wheel(QPointF(50, 50), grid.viewport()->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, -360), Qt::NoButton,
                      {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &wheel);
    EXPECT_EQ(ds.recNo(), cut + 1) << "scrolling does not move the current row";
    const int bottom = halfVisibleRow();
    ASSERT_GE(bottom, 0);
    click(bottom);
    EXPECT_EQ(ds.recNo(), bottom);
    expectAgree("click on the bottom row after scrolling");

    // Sorting reopens the query and finds the same row again.
    const qint64 id = ds.fieldByName("ID").asInteger();
    ds.setSqlLine(1, "order by SKROT desc");
    ds.close();
    ds.open();
    ASSERT_TRUE(ds.locate("ID", id));
    expectAgree("sorted and found again");
    click(halfVisibleRow());
    expectAgree("click after sorting");
}

TEST_F(DbGridTest, KeysGoToTheWindowFirst) {
    grid.setFocus();
    ds.first();
    QString typed;
    QObject::connect(&grid, &ui::DbGrid::keyPress, [&](QChar& key) { typed += key; });
    int swallow = 1;
    QObject::connect(&grid, &ui::DbGrid::keyDown, [&](int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Down && swallow-- > 0) key = 0;
    });
    // Typing is the window's search, never the view's own jump to a matching row.
    QTest::keyClicks(&grid, "pz");
    EXPECT_EQ(typed + QString::number(ds.recNo()), "pz0");
    // The window swallowed the first arrow.
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(ds.recNo(), 1);
}

TEST_F(DbGridTest, CellPainterSeesEveryCellWithItsRowAndLeavesTheCurrentOne) {
    QStringList seen;
    bool rowMatches = true;
    grid.setCellPainter([&](const ui::DbGrid::Cell& cell) {
        seen << cell.field;
        rowMatches = rowMatches && ds.fieldByName("ID").asInteger() == cell.row + 1;
    });
    grid.setDefaultDrawing(false);
    grid.grab();
    EXPECT_TRUE(seen.contains("ID") && seen.contains("PELNA"));
    EXPECT_TRUE(rowMatches);
    EXPECT_EQ(ds.recNo(), 0);
}
