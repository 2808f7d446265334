// The register as a person uses it: mouse on the grid and its titles, keys on the real controls.
#include "module/ModuleFixture.h"
#include "module/register/Przelewy.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTest>
#include <QToolButton>

namespace {

class RejestrUzytkownikaTest : public pxtest::ModuleFixture {
protected:
    void TearDown() override {
        if (frmPrzelewy) frmPrzelewy->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ModuleFixture::TearDown();
    }

    TfrmPrzelewy& otworz() {
        module->vPrzelewyMDI(qApp);
        frmPrzelewy->resize(1200, 700);
        frmPrzelewy->runActivation();
        return *frmPrzelewy;
    }
    data::Dataset& q() { return DMP->quePrzelewy; }
    ui::DbGrid& siatka() { return *frmPrzelewy->grdPrzelewy; }
    void kliknijTytul(const QString& pole) {
        QHeaderView& naglowek = *siatka().horizontalHeader();
        const int kolumna = siatka().columnIndex(pole);
        QTest::mouseClick(naglowek.viewport(), Qt::LeftButton, {},
                          QPoint(naglowek.sectionViewportPosition(kolumna) + 4, naglowek.height() / 2));
    }
};

}  // namespace

TEST_F(RejestrUzytkownikaTest, EveryColumnHasAPolishTitleThatFits) {
    otworz();
    ui::DbGrid& grid = siatka();
    const QFontMetrics litery(grid.horizontalHeader()->font());
    for (int c = 0; c < grid.columnCount(); ++c) {
        const QString tytul = grid.columnTitle(c);
        EXPECT_NE(tytul, grid.columnField(c)) << "raw column name " << tytul.toStdString();
        if (grid.isColumnVisible(grid.columnField(c)))
            EXPECT_GE(grid.columnWidthOf(grid.columnField(c)), litery.horizontalAdvance(tytul)) << tytul.toStdString();
    }
    EXPECT_EQ(grid.columnTitle(grid.columnIndex(QStringLiteral("WPROWADZONY_cal"))), QStringLiteral("Źródło"));
    EXPECT_EQ(grid.columnTitle(grid.columnIndex(QStringLiteral("TRESC1"))), QStringLiteral("Treść"));
    EXPECT_EQ(grid.columnTitle(grid.columnIndex(QStringLiteral("KONTRAHENT_KONTO"))),
              QStringLiteral("Konto kontrahenta"));
}

TEST_F(RejestrUzytkownikaTest, TheArrowFollowsTheOrderOfTheList) {
    TfrmPrzelewy& okno = otworz();
    siatka().grab();  // the window shows its order while it paints
    EXPECT_TRUE(q().sql().value(8).endsWith(QStringLiteral("ASC")));
    EXPECT_EQ(siatka().sortField(), QStringLiteral("TERMIN_ZAPLATY"));
    EXPECT_TRUE(siatka().sortAscending()) << "the list opens by due date, oldest first";
    kliknijTytul(QStringLiteral("TERMIN_ZAPLATY"));
    siatka().grab();
    EXPECT_TRUE(q().sql().value(8).endsWith(QStringLiteral("DESC")));
    kliknijTytul(QStringLiteral("NR_FAKTURY"));
    siatka().grab();
    EXPECT_EQ(QStringLiteral("UPPER(a.NR_FAKTURY) COLLATE PXW_PLK ASC"), q().sql().value(8));
    EXPECT_EQ(siatka().sortField(), QStringLiteral("NR_FAKTURY"));
    EXPECT_TRUE(siatka().sortAscending());
    kliknijTytul(QStringLiteral("NR_FAKTURY"));
    siatka().grab();
    EXPECT_TRUE(q().sql().value(8).endsWith(QStringLiteral("DESC")));
    EXPECT_FALSE(siatka().sortAscending());
    (void)okno;
}

// What the user sees highlighted is what F3 (and F2, Ctrl+Del) act on, after
// every way of moving through the list.
TEST_F(RejestrUzytkownikaTest, TheHighlightedRowIsTheOneTheKeysActOn) {
    db.exec("update PR_PRZELEWY set ZAZNACZ2 = 0, ZAZNACZ3 = 0");
    TfrmPrzelewy& okno = otworz();
    okno.resize(1200, 420);
    okno.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&okno));
    ui::DbGrid& grid = siatka();
    grid.setFocus();
    const auto zgodne = [&](const char* krok) {
        const QModelIndexList zaznaczone = grid.selectionModel()->selectedRows();
        ASSERT_EQ(zaznaczone.size(), 1) << krok;
        EXPECT_EQ(zaznaczone.front().row(), q().recNo()) << krok;
        EXPECT_EQ(grid.currentIndex().row(), q().recNo()) << krok;
        const int nr = grid.columnIndex(QStringLiteral("NR_FAKTURY"));
        EXPECT_EQ(grid.cellText(q().recNo(), nr), q()["NR_FAKTURY"].asString()) << krok;
    };
    // The row cut by the grid's lower edge, clicked with a slow hand: the
    // button stays down while the view would scroll, and moves a little.
    const auto kliknijUcietyWiersz = [&] {
        const int wiersz = grid.rowAt(grid.viewport()->height() - 2);
        const QRect r = grid.visualRect(grid.model()->index(wiersz, 0));
        const QPoint tu(r.center().x(), r.top() + 2);
        QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, tu);
        QTest::qWait(QApplication::doubleClickInterval() + 150);
        QTest::mouseMove(grid.viewport(), tu + QPoint(1, 3));
        QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, tu + QPoint(1, 3));
        return wiersz;
    };
    const int klikniety = kliknijUcietyWiersz();
    EXPECT_EQ(q().recNo(), klikniety);
    zgodne("click on the half-visible row");
    const std::string znak = "select coalesce(ZAZNACZ, 0) from PR_PRZELEWY where ID = " +
                             std::to_string(q()["ID"].asInteger());
    const int kolumna = grid.columnIndex(QStringLiteral("ZAZNACZ"));
    const QString przed = grid.cellText(klikniety, kolumna);
    const std::int64_t wBazie = committedCents(znak);
    QTest::keyClick(&grid, Qt::Key_F3);
    EXPECT_NE(grid.cellText(klikniety, kolumna), przed) << "the clicked row is the one marked";
    EXPECT_EQ(1 - wBazie, committedCents(znak));
    zgodne("marked");

    QTest::keyClick(&grid, Qt::Key_Down);
    zgodne("arrow down");
    QTest::keyClick(&grid, Qt::Key_PageDown);
    zgodne("page down");
    kliknijTytul(QStringLiteral("NR_FAKTURY"));
    zgodne("sorted by a title click");
    kliknijUcietyWiersz();
    zgodne("click after sorting");
    QTest::keyClicks(&grid, QStringLiteral("FV"));
    zgodne("incremental search");
    okno.spbWszystkie->click();
    zgodne("all transfers read again");
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    zgodne("Ctrl+End");
}
