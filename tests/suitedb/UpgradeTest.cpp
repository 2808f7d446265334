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

std::string textOf(const fb::Value& v) {
    if (fb::isNull(v)) return "<null>";
    if (auto s = std::get_if<std::string>(&v)) return "'" + *s + "'";
    if (auto i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
    if (auto d = std::get_if<fb::Decimal>(&v)) return d->toString();
    if (auto d = std::get_if<double>(&v)) return std::to_string(*d);
    const auto& t = std::get<fb::Timestamp>(v);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%04d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second, t.fraction);
    return buf;
}

// Every row of the query as one text, sorted: order-free comparison.
Rows rowsOf(fb::Attachment& att, const std::string& sql) {
    fb::Transaction tr(att);
    fb::Statement st(tr, sql);
    fb::Cursor c = st.open(tr);
    Rows rows;
    while (c.fetch()) {
        std::string row;
        for (int i = 0; i < int(c.columns().size()); ++i) row += textOf(c.value(i)) + "|";
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

// Each user table with its rows, every column read (the table of upgrades aside).
std::map<std::string, Rows> dataOf(fb::Attachment& att) {
    std::map<std::string, Rows> data;
    for (const std::string& row : rowsOf(att,
                                         "select trim(RDB$RELATION_NAME) from RDB$RELATIONS where "
                                         "coalesce(RDB$SYSTEM_FLAG, 0) = 0 and RDB$VIEW_BLR is null")) {
        const std::string table = row.substr(1, row.size() - 3);
        if (table != "SU_AKTUALIZACJE") data[table] = rowsOf(att, "select * from " + table);
    }
    return data;
}

// The same, with only the columns the first layout had.
std::map<std::string, Rows> firstLayoutData(fb::Attachment& att, const std::map<std::string, Rows>& columns) {
    std::map<std::string, Rows> data;
    for (const auto& [table, names] : columns) {
        std::string list;
        for (const std::string& n : names) list += (list.empty() ? "" : ", ") + n.substr(1, n.size() - 3);
        data[table] = rowsOf(att, "select " + list + " from " + table);
    }
    return data;
}

std::map<std::string, Rows> columnsOf(fb::Attachment& att) {
    std::map<std::string, Rows> columns;
    for (const auto& [table, rows] : dataOf(att))
        columns[table] = rowsOf(att,
                                "select trim(RDB$FIELD_NAME) from RDB$RELATION_FIELDS where "
                                "RDB$RELATION_NAME = '" +
                                    table + "'");
    return columns;
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

// What the program of the first layout wrote besides the demo data: a transfer,
// its batch and realized row, a ledger document with an entry, and accounts
// typed by one user, one of them accepted by the user who typed it.
void addFirstLayoutRows(fb::Attachment& att) {
    for (const char* sql : {
             "insert into PR_PRZELEWY (ID, ID_KONTRAHENTA, ID_KONTA_BANK, NR_FAKTURY, TERMIN_ZAPLATY, TRESC1, DODAL, "
             "DATA_DODANIA, DATA_REALIZACJI, KOLEJNY, WPROWADZONY, WARTOSC_CALA, WARTOSC_WYPLACONA, WARTOSC) values "
             "(9001, 1, 1, 'FV/9001', '2026-12-15', 'Faktura FV/9001', 'KASIA', '2026-12-01 10:11:12', "
             "'2026-12-02', 'C', 1, 1234.5600, 1234.5600, 0)",
             "insert into PR_WYSTAWIONE (ID, DATA_REALIZACJI, KOLEJNY, ID_BANKU) values (9001, '2026-12-02', 'C', 1)",
             "insert into FK_DOKUMENTY (ID, ID_OKRESU, ID_KODU, KOD_DOK, NUMER_DOK, DATA_DOK, OPIS, DODAL) values "
             "(9001, 12, 3, 'PRZ', 'PRZ/9001', '2026-12-02', 'Przelewy 2026-12-02 C', 'KASIA')",
             "insert into FK_DEKRETY (ID, ID_DOKUMENTU, LP, KONTO_WN, KONTO_MA, KWOTA, NAZWA_MA, NR_RACH) values "
             "(9001, 9001, 1, '201-K0001', '130-1', 1234.5600, 'FV/9001', '201-K0001')",
             "insert into PR_PRZELEWY_ZREALIZOWANE (ID, ID_KONTRAHENTA, ID_KONTA_BANK, ID_KONTA_FIRMY, "
             "ID_DOKUMENTU_FK, DATA_REALIZACJI, KOLEJNY, NR_FAKTURY, TRESC1, WN, WARTOSC) values "
             "(9001, 1, 1, 1, 9001, '2026-12-02', 'C', 'FV/9001', 'Faktura FV/9001', '201-K0001', 1234.5600)",
             "insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA, AKTYWNE, ZAAKCEPTOWANE, DODAL, DATA_DODANIA) "
             "values (9001, 1, '11 2222 3333 4444 5555 6666 7777', 'Bank Lokalny', 1, 0, 'KASIA', '2026-12-01')",
             "insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA, AKTYWNE, ZAAKCEPTOWANE, ZAAKCEPTOWAL, DODAL, "
             "DATA_DODANIA) values (9002, 1, '11 2222 3333 4444 5555 6666 8888', 'Bank Lokalny', 1, 1, 'KASIA', "
             "'KASIA', '2026-12-01')",
         })
        exec(att, sql);
}

}  // namespace

// An office's database of the first layout, used for a while, reaches the
// layout of a database made today, keeps every row as it was and fills the
// new columns the way the program expects of old rows.
TEST(DatabaseUpgrade, FirstLayoutReachesTodaysLayoutKeepingEveryRow) {
    pxtest::FirstLayoutDatabase old;
    fb::Attachment att = fb::Attachment::connect(old.params());
    addFirstLayoutRows(att);
    const auto columns = columnsOf(att);
    const auto before = firstLayoutData(att, columns);

    const auto state = suitedb::layoutState(att);
    EXPECT_EQ(suitedb::knownUpgrades().size(), state.pending.size());
    EXPECT_EQ(0, state.newestApplied);
    EXPECT_FALSE(state.newerThanProgram());
    upgradeAll(att);

    EXPECT_EQ(before, firstLayoutData(att, columns)) << "a row of the first layout changed";
    pxtest::TestDatabase fresh(false);
    EXPECT_EQ("", difference(layoutOf(fresh.attachment()), layoutOf(att))) << "schema.sql and db/upgrades disagree";
    EXPECT_TRUE(suitedb::layoutState(att).pending.empty());
    EXPECT_EQ(int(suitedb::knownUpgrades().size()), scalar(att, "select count(*) from SU_AKTUALIZACJE"));

    // Old batches count as finished, old realized rows have no link or statement.
    EXPECT_EQ(0, scalar(att, "select count(*) from PR_WYSTAWIONE where ZBIOR_ZAPISANY = 0 or DOKUMENT_ZAPISANY = 0"));
    EXPECT_EQ(0, scalar(att,
                        "select count(*) from PR_PRZELEWY_ZREALIZOWANE where ID_PRZELEWU is not null or "
                        "WYCIAG is not null"));
    // Whoever added an account typed its number, unless that user also accepted it.
    EXPECT_EQ(0, scalar(att, "select count(*) from ET_BANK_KONTO where ZAAKCEPTOWANE = 0 and KONTO_WPISAL is null"));
    EXPECT_EQ(1, scalar(att,
                        "select count(*) from ET_BANK_KONTO where ID = 9001 and KONTO_WPISAL = 'KASIA' and "
                        "DATA_WPISANIA_KONTA = '2026-12-01'"));
    EXPECT_EQ(1, scalar(att, "select count(*) from ET_BANK_KONTO where ID = 9002 and KONTO_WPISAL is null"));

    // The rules of today's layout hold on the upgraded file: the typist cannot accept.
    scalar(att, "select rdb$set_context('USER_SESSION', 'PX_UZYTKOWNIK', 'KASIA') from RDB$DATABASE");
    EXPECT_THROW(exec(att, "update ET_BANK_KONTO set ZAAKCEPTOWANE = 1 where ID = 9001"), fb::Error);
    exec(att, "update ET_BANK_KONTO set KONTO = '11 2222 3333 4444 5555 6666 9999' where ID = 9002");
    EXPECT_EQ(0, scalar(att, "select ZAAKCEPTOWANE from ET_BANK_KONTO where ID = 9002"))
        << "a changed number must lose its acceptance";
}

// A second run, or a run over a database made by an earlier build from
// today's scripts before it recorded its upgrades (the demo of a user), finds
// everything in place and changes nothing.
TEST(DatabaseUpgrade, RunningTheUpgradesAgainChangesNothing) {
    pxtest::FirstLayoutDatabase old;
    fb::Attachment att = fb::Attachment::connect(old.params());
    upgradeAll(att);
    const auto layout = layoutOf(att);
    const auto data = dataOf(att);
    for (const auto& u : suitedb::knownUpgrades()) suitedb::runScript(att, u.script);
    EXPECT_EQ("", difference(layout, layoutOf(att)));
    EXPECT_EQ(data, dataOf(att));

    pxtest::TestDatabase demo;
    const auto demoLayout = layoutOf(demo.attachment());
    const auto demoData = dataOf(demo.attachment());
    demo.exec("drop table SU_AKTUALIZACJE");
    demo.transaction().commit();
    EXPECT_EQ(suitedb::knownUpgrades().size(), suitedb::layoutState(demo.attachment()).pending.size());
    upgradeAll(demo.attachment());
    EXPECT_EQ("", difference(demoLayout, layoutOf(demo.attachment())));
    EXPECT_EQ(demoData, dataOf(demo.attachment()));
    demo.transaction().start();
}

// The folder columns of an old database, once widened, take the long paths of
// a long data folder whole, and the folders they held stay as they were.
TEST(DatabaseUpgrade, FolderColumnsOfAnOldDatabaseTakeLongPaths) {
    pxtest::FirstLayoutDatabase old;
    fb::Attachment att = fb::Attachment::connect(old.params());
    const auto bankFolder = [&att] {
        fb::Transaction tr(att);
        return std::get<std::string>(*fb::selectValue(tr, "select SCIEZKA_PRZELEWOW from ET_BANKI where ID = 2"));
    };
    const std::string before = bankFolder();
    ASSERT_TRUE(QString::fromStdString(before).endsWith(QStringLiteral("/dane/przelewy/bbs"))) << before;
    upgradeAll(att);
    EXPECT_EQ(before, bankFolder());

    std::string path = "/home/katarzyna.wiśniewska-nowak/";
    while (QString::fromStdString(path).size() < 250) path += "żółć/";
    exec(att, "update ET_BANKI set SCIEZKA_PRZELEWOW = '" + path + "' where ID = 2");
    for (const char* column : {"SCIEZKA_IMPORTU_PRZELEWOW", "SCIEZKA_IMPORTU_FAKTUR", "SCIEZKA_BIALEJ_LISTY"})
        exec(att, std::string("update RE_PARAMETRY set ") + column + " = '" + path + "'");
    EXPECT_EQ(path, bankFolder());
    EXPECT_EQ(
        1, scalar(att, "select count(*) from RE_PARAMETRY where SCIEZKA_IMPORTU_PRZELEWOW = '" + path +
                           "' and SCIEZKA_IMPORTU_FAKTUR = '" + path + "' and SCIEZKA_BIALEJ_LISTY = '" + path + "'"));
}

// An upgrade that fails part way leaves nothing of itself: not its columns,
// not its row changes, not its record; the earlier ones stay applied.
TEST(DatabaseUpgrade, AFailingStepLeavesTheDatabaseAsItWas) {
    pxtest::FirstLayoutDatabase old;
    fb::Attachment att = fb::Attachment::connect(old.params());
    upgradeAll(att);
    const auto layout = layoutOf(att);
    const auto data = dataOf(att);
    const auto broken = suitedb::parseUpgrade("900_broken.sql",
                                              "-- Zmiana, która się nie udaje\n"
                                              "ALTER TABLE PR_PRZELEWY ADD NOWA_KOLUMNA INTEGER;\n"
                                              "UPDATE PR_PRZELEWY SET WARTOSC = 0, TRESC1 = 'zmienione';\n"
                                              "DELETE FROM FK_DEKRETY;\n"
                                              "INSERT INTO NIE_MA_TAKIEJ_TABELI VALUES (1);\n");
    try {
        suitedb::applyUpgrade(att, broken);
        ADD_FAILURE() << "the broken upgrade went through";
    } catch (const fb::Error& e) {
        EXPECT_NE(std::string(e.what()).find("900_broken"), std::string::npos) << e.what();
    }
    EXPECT_EQ("", difference(layout, layoutOf(att)));
    EXPECT_EQ(data, dataOf(att));
    EXPECT_EQ(0, scalar(att, "select count(*) from SU_AKTUALIZACJE where NUMER = 900"));
}

// Today's database records every upgrade; one that records a number the
// program does not know is newer than the program.
TEST(DatabaseUpgrade, NewDatabaseIsCurrentAndAnUnknownNumberIsNewer) {
    pxtest::TestDatabase db(false);
    auto state = suitedb::layoutState(db.attachment());
    EXPECT_TRUE(state.pending.empty());
    EXPECT_EQ(state.newestKnown, state.newestApplied);
    EXPECT_EQ("001_ledger_line_index", db.scalarText("select NAZWA from SU_AKTUALIZACJE where NUMER = 1"));
    db.exec("insert into SU_AKTUALIZACJE (NUMER, NAZWA) values (999, '999_future')");
    state = suitedb::layoutState(db.attachment());
    EXPECT_TRUE(state.newerThanProgram());
    EXPECT_EQ(999, state.newestApplied);
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
    EXPECT_EQ(QStringLiteral("Indeks numerów pozycji dekretów dokumentu księgowego"), known[0].description);
    EXPECT_THROW(suitedb::parseUpgrade("7_short.sql", "-- x\n"), fb::Error);
    EXPECT_THROW(suitedb::parseUpgrade("007 spaced.sql", "-- x\n"), fb::Error);
    EXPECT_THROW(suitedb::parseUpgrade("007_commits.sql", "-- x\nALTER TABLE A ADD B INTEGER;\ncommit;\n"), fb::Error);
    EXPECT_NO_THROW(suitedb::parseUpgrade("007_fine.sql", "-- x\nUPDATE A SET COMMITTED = 1;\n"));
}
