#include "suitedb/ScriptRunner.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptSplit, HonoursTerminatorsCommentsAndQuotes) {
    auto s = suitedb::splitScript(
        "-- heading; not a statement\n"
        "create table A (X varchar(10)); /* block; comment */\n"
        "insert into A values ('a;b -- c');\n"
        "SET TERM ^ ;\n"
        "create procedure P returns (R integer) as begin R = 1; suspend; end^\n"
        "SET TERM ; ^\n"
        "insert into A values ('it''s');");
    ASSERT_EQ(4u, s.size());
    EXPECT_EQ("create table A (X varchar(10))", s[0]);
    EXPECT_EQ("insert into A values ('a;b -- c')", s[1]);
    EXPECT_EQ("create procedure P returns (R integer) as begin R = 1; suspend; end", s[2]);
    EXPECT_EQ("insert into A values ('it''s')", s[3]);
}

TEST(SuiteDatabase, DemoDatabaseHasTheModuleTablesAndWorkingProcedures) {
    pxtest::TestDatabase db;
    EXPECT_GT(db.scalarCents("select count(*) from FK_DZIAL_PAR_PODP(0)"), 0);
    EXPECT_EQ(1, db.scalarCents("select count(*) from RE_PARAMETRY"));
    // Generators continue after the demo keys.
    EXPECT_GT(db.scalarCents("select gen_id(GEN_PR_PRZELEWY_ID, 1) from RDB$DATABASE"),
              db.scalarCents("select max(ID) from PR_PRZELEWY"));
}

TEST(SuiteDatabase, PolishCollationOrdersLettersTheWayAccountantsExpect) {
    pxtest::TestDatabase db(false);
    for (const char* row : {"1, 'Łódź', 'a'", "2, 'Lublin', 'b'", "3, 'Mława', 'c'"})
        db.exec(std::string("insert into ET_KONTAKT (ID, PELNA, SKROT) values (") + row + ")");
    EXPECT_EQ("Łódź",
              db.scalarText("select first 1 skip 1 PELNA from ET_KONTAKT order by UPPER(PELNA) COLLATE PXW_PLK"));
}

}  // namespace
