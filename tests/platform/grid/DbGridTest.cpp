#include "support/TestDatabase.h"
#include "platform/grid/DbGrid.h"

#include <QHeaderView>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// One line per column in the order the user sees them: field, width, visible.
QStringList describe(const QList<ui::DbGrid::Column>& layout)
{
    QStringList lines;
    for (const auto& c : layout)
        lines << QStringLiteral("%1 %2 %3").arg(c.field).arg(c.width).arg(c.visible);
    return lines;
}

class DbGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ds.setTransaction(&db.transaction());
        ds.setSql({"select ID, SKROT, KOD_FK, PELNA from ET_KONTAKT where ID between 1 and 6 order by ID"});
        ds.open();
        grid.setColumns({{"ID", "Id", 40}, {"SKROT", "Skrót", 150}, {"KOD_FK", "Symbol", 70}, {"PELNA", {}, 300}});
        grid.setDataset(&ds);
        grid.resize(700, 300);
        grid.show();
    }

    pxtest::TestDatabase db;
    data::Dataset ds;
    ui::DbGrid grid;
};

}  // namespace

TEST_F(DbGridTest, LayoutSurvivesReopeningTheQuery)
{
    grid.applyLayout({{"PELNA", {}, 250, true}, {"KOD_FK", {}, 90, false}, {"NO_SUCH", {}, 10, true}});
    grid.setColumnWidthOf("SKROT", 111);
    const QStringList before = describe(grid.layout());
    // The hidden column keeps its width.
    EXPECT_EQ(before, QStringList({"PELNA 250 1", "KOD_FK 90 0", "ID 40 1", "SKROT 111 1"}));
    EXPECT_EQ(grid.visibleFields(), QStringList({"PELNA", "ID", "SKROT"}));
    ds.close();
    ds.open();
    EXPECT_EQ(describe(grid.layout()), before);
    grid.setColumnVisible("KOD_FK", true);
    EXPECT_EQ(grid.columnWidthOf("KOD_FK"), 90);
}

TEST_F(DbGridTest, CurrentRowFollowsTheDatasetBothWays)
{
    ds.setRecNo(3);
    EXPECT_EQ(grid.currentIndex().row(), 3);
    grid.setCurrentIndex(grid.datasetModel()->index(1, 2));
    EXPECT_EQ(ds.recNo(), 1);
    EXPECT_EQ(grid.selectedField(), "KOD_FK");

    // A walk with the grid detached moves it once, at the end.
    grid.detachDataset();
    for (ds.first(); !ds.eof(); ds.next()) {
    }
    EXPECT_EQ(grid.currentIndex().row(), 1);
    grid.attachDataset();
    EXPECT_EQ(grid.currentIndex().row(), ds.recNo());
}

TEST_F(DbGridTest, ColumnsSetBeforeTheDatasetAreAddressedByName)
{
    EXPECT_EQ(grid.columnIndex("skrot"), 1);
    EXPECT_EQ(grid.columnIndex("NIP"), -1);
    EXPECT_EQ(grid.columnTitle(3), "PELNA");   // a null title shows the field's label
    EXPECT_EQ(grid.cellText(0, 1), "Ołówek");
    // The selected column skips hidden ones.
    QSignalSpy changed(&grid, &ui::DbGrid::selectedFieldChanged);
    grid.setSelectedField("PELNA");
    EXPECT_EQ(grid.selectedField(), "PELNA");
    EXPECT_EQ(changed.count(), 1);
    grid.setColumnVisible("SKROT", false);
    grid.setSelectedField("SKROT");
    EXPECT_EQ(grid.selectedField(), "PELNA");
    EXPECT_EQ(grid.selectedVisibleIndex(), 2);
}

TEST_F(DbGridTest, TitleClickNamesTheFieldAndLeavesTheArrowToTheWindow)
{
    QSignalSpy clicked(&grid, &ui::DbGrid::titleClicked);
    grid.setSortMark("ID", true);
    const int x = grid.horizontalHeader()->sectionViewportPosition(1) + 10;
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toString(), "SKROT");
    EXPECT_EQ(grid.horizontalHeader()->sortIndicatorSection(), 0);
    EXPECT_EQ(grid.horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
}

TEST_F(DbGridTest, KeysGoToTheWindowFirst)
{
    grid.setFocus();
    ds.first();
    QString typed;
    QObject::connect(&grid, &ui::DbGrid::keyPress, [&](QChar& key) { typed += key; });
    bool shiftDownReleased = false;
    QObject::connect(&grid, &ui::DbGrid::keyUp, [&](int& key, Qt::KeyboardModifiers m) {
        shiftDownReleased = shiftDownReleased || (key == Qt::Key_Down && (m & Qt::ShiftModifier));
    });
    bool swallowDown = true;
    QObject::connect(&grid, &ui::DbGrid::keyDown, [&](int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Down && swallowDown)
            key = 0;
    });

    // Typing is the window's search, never the view's own jump to a matching row.
    QTest::keyClicks(&grid, "pz");
    EXPECT_EQ(typed, "pz");
    EXPECT_EQ(ds.recNo(), 0);
    QTest::keyClick(&grid, Qt::Key_Backspace);
    EXPECT_EQ(typed, "pz\b");

    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(ds.recNo(), 0);
    swallowDown = false;
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(ds.recNo(), 1);
    // Shift with an arrow is left to the window's key-up handling.
    QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(ds.recNo(), 1);
    EXPECT_TRUE(shiftDownReleased);
}

TEST_F(DbGridTest, CellPainterSeesEveryCellWithItsRow)
{
    QStringList seen;
    bool rowMatches = true;
    grid.setCellPainter([&](const ui::DbGrid::Cell& cell) {
        seen << cell.field;
        rowMatches = rowMatches && ds.fieldByName("ID").asInteger() == cell.row + 1;
        if (cell.field == "PELNA")
            cell.painter->fillRect(cell.rect, Qt::red);
    });
    grid.setDefaultDrawing(false);
    const QImage image = grid.grab().toImage();
    EXPECT_TRUE(seen.contains("ID"));
    EXPECT_TRUE(seen.contains("PELNA"));
    EXPECT_TRUE(rowMatches);
    EXPECT_EQ(ds.recNo(), 0);   // painting leaves the current row where it was
    const QRect cell = grid.visualRect(grid.datasetModel()->index(2, 3));
    const QPoint inside = grid.viewport()->mapTo(&grid, cell.center());
    EXPECT_EQ(image.pixelColor(inside), QColor(Qt::red));
}
