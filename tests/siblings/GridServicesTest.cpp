#include "SuiteFixture.h"

#include "siblings/core/CoreDialogs.h"

#include <QHeaderView>
#include <QLineEdit>

using pxtest::SuiteTest;

namespace {

class GridServicesTest : public SuiteTest {
protected:
    void SetUp() override {
        dmMain->vPrzydzielDane(ds, dmMain->database(), dmMain->transaction(), false);
        openContractors();
        grid.setDataset(&ds);
        grid.setColumns(columns);
    }
    void openContractors(const QString& direction = QStringLiteral("ASC")) {
        ds.close();
        ds.setSql({"select ID, SKROT, KOD_FK, PELNA as KONTRAHENT_NAZWA from ET_KONTAKT where ID > 0",
                   "order by UPPER(SKROT) COLLATE PXW_PLK " + direction});
        ds.open();
    }
    QString current() const { return ds.fieldByName("SKROT").asString(); }
    // Incremental search as the register runs it: a key, then locate when told to.
    void type(QChar key) {
        if (dmMain->bFindKeyPressEx(text, previous, "a.SKROT", key, grid))
            dmMain->GridLocate(grid, "SKROT", text, true);
    }

    const QList<ui::DbGrid::Column> columns{
        {"SKROT", "Skrót", 120}, {"KOD_FK", "Symbol", 60}, {"KONTRAHENT_NAZWA", "Nazwa", 200}};
    data::Dataset ds;
    ui::DbGrid grid;
    QString text, previous;
};

}  // namespace

TEST_F(GridServicesTest, IncrementalSearchMovesToTheFirstRowStartingWithTheText) {
    type(u'o');
    type(u'ł');  // Polish letters upper-case too
    EXPECT_EQ(text + "|" + current(), "OŁ|Ołówek");
    type(u'x');  // nothing starts with "OŁX": the row stays
    EXPECT_EQ(current(), "Ołówek");
    for (int i = 0; i < 3; ++i) type(u'\b');
    EXPECT_TRUE(text.isEmpty() && !dmMain->bFindKeyPressEx(text, previous, "a.SKROT", u'\b', grid));

    // A descending list is searched from the top all the same.
    openContractors(QStringLiteral("DESC"));
    type(u'o');
    EXPECT_EQ(current(), "Ołówek");
    // A search by a joined column's expression finds its grid column.
    dmMain->GridLocate(grid, "b.PELNA", "BAR O'N", true);
    EXPECT_EQ(current(), "Bar O'Neill");
}

TEST_F(GridServicesTest, LayoutRoundTripPerUserWithoutTouchingTheSharedTransaction) {
    grid.applyLayout({{"KONTRAHENT_NAZWA", {}, 250, true}, {"SKROT", {}, 222, true}, {"KOD_FK", {}, 60, false}});
    // Work of a window not committed yet must stay the window's to commit or drop.
    dmMain->database().execute(dmMain->transaction(), "update ET_KONTAKT set SKROT = 'X' where ID = 1");
    dmMain->vZapiszGrid(grid, "TfrmTest", true);
    dmMain->vZapiszGrid(grid, "TfrmTest", true);
    dmMain->transaction().rollbackRetaining();
    EXPECT_EQ(db.scalarText("select SKROT from ET_KONTAKT where ID = 1"), "Ołówek");
    EXPECT_EQ(db.scalarCents("select count(*) from SU_UKLADY_SIATEK where NAZWA_OKNA = 'TfrmTest'"), 1);

    ui::DbGrid restored;
    restored.setDataset(&ds);
    restored.setColumns(columns);
    dmMain->vWczytajGrid(restored, "TfrmTest", true);
    QStringList shown;
    for (const auto& c : restored.layout())
        shown << QStringLiteral("%1 %2 %3").arg(c.field).arg(c.width).arg(c.visible);
    EXPECT_EQ(shown, QStringList({"KONTRAHENT_NAZWA 250 1", "SKROT 222 1", "KOD_FK 60 0"}));

    // Another user has nothing stored: the window's own layout stays.
    db.exec("update SU_UKLADY_SIATEK set UZYTKOWNIK = 'KASIA'");
    ui::DbGrid other;
    other.setDataset(&ds);
    other.setColumns(columns);
    dmMain->vWczytajGrid(other, "TfrmTest", true);
    EXPECT_EQ(other.layout()[0].field, "SKROT");
    EXPECT_TRUE(other.isColumnVisible("KOD_FK"));
}

TEST_F(GridServicesTest, FindAsksForATextAndGoesToTheNextRowContainingIt) {
    const auto find = [&](const QString& wanted, bool found = true) {
        dialogs->expectModal([wanted](QWidget& w) {
            dynamic_cast<siblings::FindDialog&>(w).edit().setText(wanted);
            return int(ui::mrOk);
        });
        if (!found) dialogs->expectMessage("Nie znaleziono", ui::Answer::Ok);
        dmMain->vZnajdz(owner, grid, "b.PELNA");
    };
    find("żyw");
    const QString first = current();
    EXPECT_TRUE(ds.fieldByName("KONTRAHENT_NAZWA").asString().toUpper().contains("ŻYW"));
    find("żyw");
    EXPECT_NE(current(), first);

    find("nie ma takiego", false);
}
