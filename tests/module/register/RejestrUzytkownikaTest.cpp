// The register as a person uses it: mouse on the grid and its titles, keys on the real controls.
#include "RegisterWindows.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QToolButton>

namespace {

class RejestrUzytkownikaTest : public pxtest::RegisterWindows {
protected:
    ui::DbGrid& otworz() {
        rejestr().resize(1200, 700);
        return *frmPrzelewy->grdPrzelewy;
    }
    void kliknijTytul(ui::DbGrid& grid, const QString& pole) {
        QHeaderView& naglowek = *grid.horizontalHeader();
        QTest::mouseClick(naglowek.viewport(), Qt::LeftButton, {},
                          QPoint(naglowek.sectionViewportPosition(grid.columnIndex(pole)) + 4, naglowek.height() / 2));
    }
};

TEST_F(RejestrUzytkownikaTest, EveryColumnHasAPolishTitleThatFits) {
    ui::DbGrid& grid = otworz();
    const QFontMetrics litery(grid.horizontalHeader()->font());
    for (int c = 0; c < grid.columnCount(); ++c) {
        const QString tytul = grid.columnTitle(c);
        EXPECT_NE(tytul, grid.columnField(c)) << "raw column name " << tytul.toStdString();
        if (grid.isColumnVisible(grid.columnField(c)))
            EXPECT_GE(grid.columnWidthOf(grid.columnField(c)), litery.horizontalAdvance(tytul)) << tytul.toStdString();
    }
}

TEST_F(RejestrUzytkownikaTest, TheArrowFollowsTheOrderOfTheList) {
    ui::DbGrid& grid = otworz();
    grid.grab();  // the window shows its order while it paints
    EXPECT_EQ(std::pair(QStringLiteral("TERMIN_ZAPLATY"), true), std::pair(grid.sortField(), grid.sortAscending()))
        << "the list opens by due date, oldest first";
    kliknijTytul(grid, QStringLiteral("NR_FAKTURY"));
    kliknijTytul(grid, QStringLiteral("NR_FAKTURY"));
    grid.grab();
    EXPECT_EQ(QStringLiteral("UPPER(a.NR_FAKTURY) COLLATE PXW_PLK DESC"), q().sql().value(TDMP::kLiniaPorzadku));
    EXPECT_EQ(std::pair(QStringLiteral("NR_FAKTURY"), false), std::pair(grid.sortField(), grid.sortAscending()));
}

// What the user sees highlighted is what F3 (and F2, Ctrl+Del) act on, after
// every way of moving through the list.
TEST_F(RejestrUzytkownikaTest, TheHighlightedRowIsTheOneTheKeysActOn) {
    db.exec("update PR_PRZELEWY set ZAZNACZ2 = 0, ZAZNACZ3 = 0");
    ui::DbGrid& grid = otworz();
    frmPrzelewy->resize(1200, 420);
    frmPrzelewy->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frmPrzelewy));
    grid.setFocus();
    const auto zgodne = [&](const char* krok) {
        const QModelIndexList zaznaczone = grid.selectionModel()->selectedRows();
        ASSERT_EQ(zaznaczone.size(), 1) << krok;
        EXPECT_EQ(zaznaczone.front().row(), q().recNo()) << krok;
        EXPECT_EQ(grid.currentIndex().row(), q().recNo()) << krok;
        EXPECT_EQ(grid.cellText(q().recNo(), grid.columnIndex(QStringLiteral("NR_FAKTURY"))), tekst("NR_FAKTURY"));
    };
    // The row cut by the grid's lower edge, clicked with a slow hand: the
    // button stays down while the view would scroll, and moves a little.
    const int klikniety = grid.rowAt(grid.viewport()->height() - 2);
    const QRect r = grid.visualRect(grid.model()->index(klikniety, 0));
    const QPoint tu(r.center().x(), r.top() + 2);
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, tu);
    QTest::qWait(QApplication::doubleClickInterval() + 150);
    QTest::mouseMove(grid.viewport(), tu + QPoint(1, 3));
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, tu + QPoint(1, 3));
    EXPECT_EQ(q().recNo(), klikniety);
    const std::string znak = "select coalesce(ZAZNACZ, 0) from PR_PRZELEWY where ID = " +
                             std::to_string(q()["ID"].asInteger());
    const std::int64_t wBazie = committedCents(znak);
    QTest::keyClick(&grid, Qt::Key_F3);
    EXPECT_EQ(1 - wBazie, committedCents(znak)) << "the clicked row is the one marked";
    zgodne("marked");

    kliknijTytul(grid, QStringLiteral("NR_FAKTURY"));
    zgodne("sorted by a title click");
    QTest::keyClicks(&grid, QStringLiteral("FV"));
    zgodne("incremental search");
}

}  // namespace
