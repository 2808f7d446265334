#include "support/TestDatabase.h"
#include "platform/grid/DbGrid.h"

#include <QHeaderView>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

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

TEST_F(DbGridTest, ColumnsSetBeforeTheDatasetAndTheirTitles)
{
    EXPECT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(grid.columnIndex("skrot"), 1);
    EXPECT_EQ(grid.columnIndex("NIP"), -1);
    EXPECT_EQ(grid.columnTitle(1), "Skrót");
    EXPECT_EQ(grid.columnTitle(3), "PELNA");   // a null title shows the field's label
    EXPECT_EQ(grid.columnWidthOf("SKROT"), 150);
    EXPECT_EQ(grid.cellText(0, 1), "Ołówek");
    grid.setColumnTitle("PELNA", "Nazwa");
    EXPECT_EQ(grid.columnTitle(3), "Nazwa");
    EXPECT_EQ(grid.columnWidthOf("SKROT"), 150);
}

TEST_F(DbGridTest, LayoutSurvivesReopeningTheQuery)
{
    grid.applyLayout({{"PELNA", {}, 250, true}, {"KOD_FK", {}, 90, false}, {"NO_SUCH", {}, 10, true}});
    grid.setColumnWidthOf("SKROT", 111);
    const auto before = grid.layout();
    ASSERT_EQ(before.size(), 4);
    EXPECT_EQ(before[0].field, "PELNA");
    EXPECT_EQ(before[1].field, "KOD_FK");
    EXPECT_FALSE(before[1].visible);
    EXPECT_EQ(before[1].width, 90);   // kept while hidden
    EXPECT_EQ(grid.visibleFields(), QStringList({"PELNA", "ID", "SKROT"}));

    ds.close();
    ds.open();
    const auto after = grid.layout();
    ASSERT_EQ(after.size(), before.size());
    for (int i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].field, before[i].field);
        EXPECT_EQ(after[i].width, before[i].width) << after[i].field.toStdString();
        EXPECT_EQ(after[i].visible, before[i].visible);
    }
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

TEST_F(DbGridTest, SelectedFieldIsSetByNameAndSkipsHiddenColumns)
{
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
    QObject::connect(&grid, &ui::DbGrid::keyPress, [&](QChar& key) {
        typed += key;
        if (key == u'z')
            key = QChar();
    });
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
    const QRect cell = grid.visualRect(grid.datasetModel()->index(2, 3));
    const QPoint inside = grid.viewport()->mapTo(&grid, cell.center());
    EXPECT_EQ(image.pixelColor(inside), QColor(Qt::red));
}
