// The register as a person uses it: mouse on the grid and its titles, keys on the real controls.
#include "module/ModuleFixture.h"
#include "module/register/Przelewy.h"

#include <QHeaderView>
#include <QTest>

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
    EXPECT_EQ(grid.columnTitle(grid.columnIndex(QStringLiteral("KONTRAHENT_KONTO"))), QStringLiteral("Konto kontrahenta"));
}

TEST_F(RejestrUzytkownikaTest, TheArrowFollowsTheOrderOfTheList) {
    TfrmPrzelewy& okno = otworz();
    siatka().grab();   // the window shows its order while it paints
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
