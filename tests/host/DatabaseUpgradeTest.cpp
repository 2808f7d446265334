#include "host/DatabaseUpgrade.h"
#include "suitedb/Backup.h"
#include "support/FirstLayoutDatabase.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>

namespace {

class DatabaseUpgradeTest : public ::testing::Test {
protected:
    std::int64_t count(const std::string& sql) {
        fb::Attachment att = fb::Attachment::connect(old.params());
        fb::Transaction tr(att);
        return pxtest::scalarCents(tr, sql);
    }
    std::size_t pending() {
        fb::Attachment att = fb::Attachment::connect(old.params());
        return suitedb::layoutState(att).pending.size();
    }
    bool upgrade(const QString& backup, const std::vector<suitedb::Upgrade>& known = suitedb::knownUpgrades()) {
        return host::upgradeDatabase(old.params(), backup.toStdString(), known);
    }
    const QString& lastMessage() { return dialogs->shown().back().text; }

    pxtest::FirstLayoutDatabase old;
    pxtest::ScopedDialogs dialogs;
    const std::size_t all = suitedb::knownUpgrades().size();
};

}  // namespace

// The first open after an update of the program: a backup next to the file,
// every change applied and listed; the next open says nothing. The backup
// restores to the database as it was before.
TEST_F(DatabaseUpgradeTest, OlderDatabaseIsBackedUpUpgradedAndToldOnce) {
    const std::string backup = suitedb::backupPathFor(old.path(), QDateTime(QDate(2026, 12, 7), QTime(5, 40, 12)));
    EXPECT_EQ(old.folder().toStdString() + "/first-20261207-054012.fbk", backup);
    const std::int64_t transfers = count("select count(*) from PR_PRZELEWY");

    dialogs->expectMessage(QStringLiteral("miała starszy układ i została zaktualizowana"), ui::Answer::Ok);
    ASSERT_TRUE(upgrade(QString::fromStdString(backup)));
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("Kopia zapasowa sprzed aktualizacji: ") +
                                       QString::fromStdString(backup)));
    EXPECT_EQ(0u, pending());
    EXPECT_EQ(transfers, count("select count(*) from PR_PRZELEWY"));

    EXPECT_TRUE(upgrade(old.folder() + "/second.fbk")) << "nothing is pending: no question, no backup";
    EXPECT_FALSE(QFile::exists(old.folder() + "/second.fbk"));

    const QString restored = old.folder() + "/restored.fdb";
    QProcess gbak;
    gbak.start("gbak", {"-c", "-user", "SYSDBA", QString::fromStdString(backup), restored});
    ASSERT_TRUE(gbak.waitForFinished(60000) && gbak.exitCode() == 0) << gbak.readAllStandardError().toStdString();
    fb::ConnectParams p;
    p.database = restored.toStdString();
    fb::Attachment att = fb::Attachment::connect(p);
    fb::Transaction tr(att);
    EXPECT_EQ(transfers, pxtest::scalarCents(tr, "select count(*) from PR_PRZELEWY"));
    EXPECT_EQ(0, pxtest::scalarCents(tr,
                                     "select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = "
                                     "'SU_AKTUALIZACJE'"))
        << "the backup holds the database from before the upgrade";
    tr.commit();
    att.dropDatabase();
}

// Without a backup the user decides: declining leaves the file untouched,
// agreeing upgrades it and the closing message says there is no copy.
TEST_F(DatabaseUpgradeTest, NoBackupMeansAQuestionFirst) {
    const QString nowhere = old.folder() + "/brak/folderu/kopia.fbk";
    dialogs->expectMessage(QStringLiteral("Nie udało się zapisać kopii zapasowej bazy danych do pliku\n") + nowhere,
                           ui::Answer::No);
    dialogs->expectMessage(QStringLiteral("nie została zmieniona"), ui::Answer::Ok);
    EXPECT_FALSE(upgrade(nowhere));
    EXPECT_EQ(all, pending());
    EXPECT_EQ(0, count("select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = 'SU_AKTUALIZACJE'"));

    dialogs->expectMessage(QStringLiteral("Zaktualizować bazę bez kopii?"), ui::Answer::Yes);
    dialogs->expectMessage(QStringLiteral("Bez kopii zapasowej."), ui::Answer::Ok);
    EXPECT_TRUE(upgrade(nowhere));
    EXPECT_EQ(0u, pending());
}

// A change that fails is rolled back whole (its columns, its row changes,
// its record) and the program does not open the file; the changes before it
// stay, and the next start carries on from there.
TEST_F(DatabaseUpgradeTest, AFailingChangeStopsTheOpenAndKeepsTheEarlierOnes) {
    auto known = suitedb::knownUpgrades();
    known.push_back(suitedb::parseUpgrade("900_broken.sql",
                                          "-- Zmiana nie do wykonania\n"
                                          "ALTER TABLE PR_PRZELEWY ADD NOWA_KOLUMNA INTEGER;\n"
                                          "UPDATE PR_PRZELEWY SET WARTOSC = 0;\n"
                                          "DELETE FROM FK_DEKRETY;\n"
                                          "ALTER TABLE NIE_MA_TAKIEJ ADD X INTEGER;\n"));
    const std::int64_t amounts = count("select sum(WARTOSC) from PR_PRZELEWY");
    const std::int64_t entries = count("select count(*) from FK_DEKRETY");
    dialogs->expectMessage(QStringLiteral("nie powiodła się przy zmianie\n900 – Zmiana nie do wykonania"),
                           ui::Answer::Ok);
    EXPECT_FALSE(upgrade(old.folder() + "/kopia.fbk", known));
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("Wykonane wcześniej zmiany zostają:\n001 – ")));
    EXPECT_EQ(0u, pending()) << "the known changes were applied before the broken one";
    EXPECT_EQ(0, count("select count(*) from SU_AKTUALIZACJE where NUMER = 900"));
    EXPECT_EQ(std::make_pair(amounts, entries),
              std::make_pair(count("select sum(WARTOSC) from PR_PRZELEWY"), count("select count(*) from FK_DEKRETY")));
    EXPECT_EQ(0, count("select count(*) from RDB$RELATION_FIELDS where RDB$FIELD_NAME = 'NOWA_KOLUMNA'"));
}

// A database a newer program has changed is not opened, and not touched.
TEST_F(DatabaseUpgradeTest, NewerLayoutIsRefused) {
    pxtest::TestDatabase db(false);
    db.exec("insert into SU_AKTUALIZACJE (NUMER, NAZWA) values (999, '999_future')");
    db.transaction().commit();
    dialogs->expectMessage(QStringLiteral("ma nowszy układ (zmiana nr 999) niż ten program"), ui::Answer::Ok);
    EXPECT_FALSE(host::upgradeDatabase(db.params(), db.path() + ".fbk"));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(db.path() + ".fbk")));
    db.transaction().start();
}
