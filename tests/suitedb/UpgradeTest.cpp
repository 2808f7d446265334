#include "suitedb/ScriptRunner.h"
#include "suitedb/Upgrades.h"
#include "support/FirstLayoutDatabase.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <iterator>
#include <map>
#include <set>

namespace {

using Rows = std::vector<std::string>;

// Every row of the query as one text, sorted: order-free comparison.
Rows rowsOf(fb::Attachment& att, const std::string& sql) {
    fb::Transaction tr(att);
    fb::Statement st(tr, sql);
    fb::Cursor c = st.open(tr);
    Rows rows;
    while (c.fetch()) {
        std::string row;
        for (int i = 0; i < int(c.columns().size()); ++i)
            row += (fb::isNull(c.value(i)) ? "<null>" : pxtest::valueText(c.value(i))) + "|";
        rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

// The layout as the engine keeps it: columns with their types and defaults,
// indices with their columns, constraints, checks, triggers, procedures,
// generators and rights. Internal names (RDB$...) are left out.
Rows layoutOf(fb::Attachment& att) {
    Rows all;
    for (const char* sql : {
             "select r.RDB$RELATION_NAME, r.RDB$FIELD_NAME, r.RDB$FIELD_POSITION, f.RDB$FIELD_TYPE, "
             "f.RDB$FIELD_SUB_TYPE, f.RDB$FIELD_LENGTH, f.RDB$FIELD_SCALE, f.RDB$FIELD_PRECISION, "
             "f.RDB$CHARACTER_LENGTH, coalesce(r.RDB$NULL_FLAG, f.RDB$NULL_FLAG, 0), "
             "cast(coalesce(r.RDB$DEFAULT_SOURCE, f.RDB$DEFAULT_SOURCE) as varchar(200)), r.RDB$COLLATION_ID "
             "from RDB$RELATION_FIELDS r join RDB$FIELDS f on f.RDB$FIELD_NAME = r.RDB$FIELD_SOURCE "
             "where coalesce(r.RDB$SYSTEM_FLAG, 0) = 0",
             "select i.RDB$INDEX_NAME, i.RDB$RELATION_NAME, coalesce(i.RDB$UNIQUE_FLAG, 0), "
             "coalesce(i.RDB$INDEX_TYPE, 0), s.RDB$FIELD_NAME, s.RDB$FIELD_POSITION from RDB$INDICES i "
             "join RDB$INDEX_SEGMENTS s on s.RDB$INDEX_NAME = i.RDB$INDEX_NAME "
             "where coalesce(i.RDB$SYSTEM_FLAG, 0) = 0 and i.RDB$INDEX_NAME not starting with 'RDB$'",
             "select c.RDB$CONSTRAINT_NAME, c.RDB$CONSTRAINT_TYPE, c.RDB$RELATION_NAME, "
             "cast(t.RDB$TRIGGER_SOURCE as varchar(2000)) from RDB$RELATION_CONSTRAINTS c "
             "left join RDB$CHECK_CONSTRAINTS k on k.RDB$CONSTRAINT_NAME = c.RDB$CONSTRAINT_NAME "
             "left join RDB$TRIGGERS t on t.RDB$TRIGGER_NAME = k.RDB$TRIGGER_NAME and t.RDB$TRIGGER_TYPE = 1 "
             "where c.RDB$CONSTRAINT_NAME not starting with 'INTEG_'",
             "select RDB$TRIGGER_NAME, RDB$RELATION_NAME, RDB$TRIGGER_TYPE, RDB$TRIGGER_SEQUENCE, "
             "RDB$TRIGGER_INACTIVE, cast(RDB$TRIGGER_SOURCE as varchar(8000)) from RDB$TRIGGERS "
             "where coalesce(RDB$SYSTEM_FLAG, 0) = 0 and RDB$TRIGGER_NAME not starting with 'CHECK_'",
             "select RDB$PROCEDURE_NAME, cast(RDB$PROCEDURE_SOURCE as varchar(8000)) from RDB$PROCEDURES "
             "where coalesce(RDB$SYSTEM_FLAG, 0) = 0",
             "select RDB$GENERATOR_NAME from RDB$GENERATORS where coalesce(RDB$SYSTEM_FLAG, 0) = 0",
             "select RDB$USER, RDB$PRIVILEGE, RDB$RELATION_NAME, RDB$FIELD_NAME, RDB$USER_TYPE, RDB$OBJECT_TYPE "
             "from RDB$USER_PRIVILEGES where RDB$USER <> 'SYSDBA'",
         }) {
        const Rows rows = rowsOf(att, sql);
        all.insert(all.end(), rows.begin(), rows.end());
    }
    std::sort(all.begin(), all.end());
    return all;
}

// Each user table (the table of upgrades aside) with its columns, as a select list.
std::map<std::string, std::string> columnsOf(fb::Attachment& att) {
    std::map<std::string, std::string> columns;
    fb::Transaction tr(att);
    fb::Statement st(
        tr,
        "select trim(r.RDB$RELATION_NAME), trim(f.RDB$FIELD_NAME) from RDB$RELATIONS r join "
        "RDB$RELATION_FIELDS f on f.RDB$RELATION_NAME = r.RDB$RELATION_NAME where coalesce(r.RDB$SYSTEM_FLAG, "
        "0) = 0 and r.RDB$VIEW_BLR is null and r.RDB$RELATION_NAME <> 'SU_AKTUALIZACJE'");
    for (fb::Cursor c = st.open(tr); c.fetch();) {
        std::string& list = columns[pxtest::valueText(c.value(0))];
        list += (list.empty() ? "" : ", ") + pxtest::valueText(c.value(1));
    }
    return columns;
}

// The rows of each table, every column read, or only the columns given.
std::map<std::string, Rows> dataOf(fb::Attachment& att, std::map<std::string, std::string> columns = {}) {
    if (columns.empty()) columns = columnsOf(att);
    std::map<std::string, Rows> data;
    for (const auto& [table, list] : columns) data[table] = rowsOf(att, "select " + list + " from " + table);
    return data;
}

// Only the rows that differ, so a failure names the column or index at fault.
std::string difference(const Rows& expected, const Rows& actual) {
    Rows onlyExpected, onlyActual;
    std::set_difference(expected.begin(), expected.end(), actual.begin(), actual.end(),
                        std::back_inserter(onlyExpected));
    std::set_difference(actual.begin(), actual.end(), expected.begin(), expected.end(), std::back_inserter(onlyActual));
    std::string text;
    for (const auto& r : onlyExpected) text += "\n  missing: " + r;
    for (const auto& r : onlyActual) text += "\n  extra:   " + r;
    return text;
}

void upgradeAll(fb::Attachment& att) {
    suitedb::createUpgradeTable(att);
    for (const auto& u : suitedb::layoutState(att).pending) suitedb::applyUpgrade(att, u);
}

std::int64_t scalar(fb::Attachment& att, const std::string& sql) {
    fb::Transaction tr(att);
    return pxtest::scalarCents(tr, sql);
}

void exec(fb::Attachment& att, const std::string& sql) {
    fb::Transaction tr(att);
    att.execute(tr, sql);
    tr.commit();
}

}  // namespace

// An office's database of the first layout, used for a while, reaches the
// layout of a database made today, keeps every row as it was and fills the
// new columns the way the program expects of old rows.
TEST(DatabaseUpgrade, FirstLayoutReachesTodaysLayoutKeepingEveryRow) {
    pxtest::FirstLayoutDatabase old;
    fb::Attachment att = fb::Attachment::connect(old.params());
    // An account typed by one user and not yet accepted, next to the demo's accounts accepted by who typed them.
    exec(att,
         "insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA, AKTYWNE, ZAAKCEPTOWANE, DODAL, DATA_DODANIA) values "
         "(9001, 1, '11 2222 3333 4444 5555 6666 7777', 'Bank Lokalny', 1, 0, 'KASIA', '2026-12-01')");
    const auto columns = columnsOf(att);
    const auto before = dataOf(att, columns);

    EXPECT_EQ(suitedb::knownUpgrades().size(), suitedb::layoutState(att).pending.size());
    upgradeAll(att);

    EXPECT_EQ(before, dataOf(att, columns)) << "a row of the first layout changed";
    pxtest::TestDatabase fresh(false);
    EXPECT_EQ("", difference(layoutOf(fresh.attachment()), layoutOf(att))) << "schema.sql and db/upgrades disagree";
    EXPECT_EQ(int(suitedb::knownUpgrades().size()), scalar(att, "select count(*) from SU_AKTUALIZACJE"));
    EXPECT_TRUE(suitedb::layoutState(fresh.attachment()).pending.empty()) << "a new database records every upgrade";

    // Old batches count as finished, old realized rows have no link or statement.
    EXPECT_EQ(0, scalar(att, "select count(*) from PR_WYSTAWIONE where ZBIOR_ZAPISANY = 0 or DOKUMENT_ZAPISANY = 0"));
    EXPECT_EQ(0, scalar(att,
                        "select count(*) from PR_PRZELEWY_ZREALIZOWANE where ID_PRZELEWU is not null or "
                        "WYCIAG is not null"));
    // Whoever added an account typed its number, unless that user also accepted it.
    EXPECT_EQ(0, scalar(att, "select count(*) from ET_BANK_KONTO where ZAAKCEPTOWANE = 0 and KONTO_WPISAL is null"));
    EXPECT_EQ(
        0, scalar(att, "select count(*) from ET_BANK_KONTO where ZAAKCEPTOWAL = DODAL and KONTO_WPISAL is not null"));
    EXPECT_EQ(1, scalar(att,
                        "select count(*) from ET_BANK_KONTO where ID = 9001 and KONTO_WPISAL = 'KASIA' and "
                        "DATA_WPISANIA_KONTA = '2026-12-01'"));
}

// A second run finds everything in place and changes nothing.
TEST(DatabaseUpgrade, RunningTheUpgradesAgainChangesNothing) {
    pxtest::FirstLayoutDatabase old;
    fb::Attachment att = fb::Attachment::connect(old.params());
    upgradeAll(att);
    const auto layout = layoutOf(att);
    const auto data = dataOf(att);
    for (const auto& u : suitedb::knownUpgrades()) suitedb::runScript(att, u.script);
    EXPECT_EQ("", difference(layout, layoutOf(att)));
    EXPECT_EQ(data, dataOf(att));
}

// The scripts as developers add them: numbered 001, 002... without gaps or
// twins, each with a Polish line for the user, none ending its transaction.
TEST(DatabaseUpgrade, ScriptsAreNumberedInOrderAndRunAsOneTransaction) {
    const auto& known = suitedb::knownUpgrades();
    ASSERT_FALSE(known.empty());
    for (size_t i = 0; i < known.size(); ++i) {
        EXPECT_EQ(int(i) + 1, known[i].number) << known[i].name;
        EXPECT_NE(QString::fromStdString(known[i].name), known[i].description) << "no description line";
    }
    EXPECT_THROW(suitedb::parseUpgrade("7_short.sql", "-- x\n"), fb::Error);
    EXPECT_THROW(suitedb::parseUpgrade("007_commits.sql", "-- x\nALTER TABLE A ADD B INTEGER;\ncommit;\n"), fb::Error);
    EXPECT_NO_THROW(suitedb::parseUpgrade("007_fine.sql", "-- x\nUPDATE A SET COMMITTED = 1;\n"));
}
