#include "suitedb/SuiteDatabase.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <QDir>

namespace {

// A data folder of `length` characters under `base`, with Polish letters and an apostrophe on the way.
QString longFolder(const QString& base, int length) {
    QString folder = base + QStringLiteral("/Użytkownicy/katarzyna.wiśniewska-o'żółć/");
    while (folder.size() < length - 5) folder += QStringLiteral("ąęśń/");
    folder.truncate(length - 5);
    if (folder.endsWith(u'/')) folder.back() = u'x';
    return folder + QStringLiteral("/dane");
}

std::string pathsOf(pxtest::TestDatabase& db) {
    std::string banks;
    for (int id = 1; id <= 5; ++id)
        banks += (banks.empty() ? "" : "|") +
                 db.scalarText("select SCIEZKA_PRZELEWOW from ET_BANKI where ID = " + std::to_string(id));
    return banks + "\n" +
           db.scalarText("select SCIEZKA_IMPORTU_PRZELEWOW || '|' || SCIEZKA_IMPORTU_FAKTUR from RE_PARAMETRY") + "\n";
}

std::string expectedPaths(const QString& folder) {
    std::string banks;
    for (const char* bank : {"pbk", "bbs", "bsh", "bzk", "bko"})
        banks += (banks.empty() ? "" : "|") + folder.toStdString() + "/przelewy/" + bank;
    return banks + "\n" + folder.toStdString() + "/import|" + folder.toStdString() + "/import\n";
}

}  // namespace

// A long data folder (a long home folder, a temporary one) takes the place of
// the demo's folder whole in every stored path, and the folders are made; a
// sibling folder whose name merely starts the same keeps its path.
TEST(DataFolder, ALongFolderReplacesTheDemoFolderWholeInEveryPath) {
    pxtest::TestDatabase db;
    const std::string sibling = db.dataFolder().toStdString() + "-stare/bm";
    db.exec("update ET_BANKI set SCIEZKA_PRZELEWOW = '" + sibling + "' where ID = 6");
    db.transaction().commit();
    db.transaction().start();
    const QString folder = longFolder(db.dataFolder(), 190);
    suitedb::relocateDataFolder(db.attachment(), db.dataFolder(), folder);
    db.transaction().commit();
    db.transaction().start();
    EXPECT_EQ(expectedPaths(folder), pathsOf(db));
    EXPECT_EQ(sibling, db.scalarText("select SCIEZKA_PRZELEWOW from ET_BANKI where ID = 6"));
    EXPECT_TRUE(QDir(folder + "/przelewy/pbk").exists() && QDir(folder + "/import").exists());

    // The paths longer than their columns could hold are refused before anything changes.
    const QString tooLong = longFolder(db.dataFolder(), suitedb::kMaxDataFolderLength + 1);
    try {
        suitedb::relocateDataFolder(db.attachment(), folder, tooLong);
        ADD_FAILURE() << "a data folder too long for the columns was taken";
    } catch (const fb::Error& e) {
        EXPECT_NE(std::string(e.what()).find("za długa"), std::string::npos) << e.what();
    }
    db.transaction().commit();
    db.transaction().start();
    EXPECT_EQ(expectedPaths(folder), pathsOf(db));
    EXPECT_FALSE(QDir(tooLong).exists());
}
