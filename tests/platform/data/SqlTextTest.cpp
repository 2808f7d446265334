#include "platform/data/SqlText.h"

#include <gtest/gtest.h>

using namespace data;

TEST(SqlText, QuoteDoublesApostrophes) {
    EXPECT_EQ(sqlQuote(""), "''");
    EXPECT_EQ(sqlQuote("O'Neil"), "'O''Neil'");
    EXPECT_EQ(sqlQuote("''"), "''''''");
    EXPECT_EQ(sqlQuote("Łódź"), "'Łódź'");
    EXPECT_EQ(sqlDate(QDate(2024, 3, 5)), "'2024-03-05'");
}

TEST(SqlText, NamedParametersBecomePositional) {
    const ParsedSql p = parseNamedParams("update T set A = :a, B=:Old_B where ID = :OLD_ID and X = :OLD_");
    EXPECT_EQ(p.sql, "update T set A = ?, B=? where ID = ? and X = ?");
    // "OLD_" alone is a field of that name, not an old value of nothing.
    const std::pair<QString, bool> expected[] = {{"A", false}, {"B", true}, {"ID", true}, {"OLD_", false}};
    ASSERT_EQ(p.params.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(p.params[i].field, expected[i].first) << i;
        EXPECT_EQ(p.params[i].old, expected[i].second) << i;
    }
}

TEST(SqlText, ColonsOutsideParametersStay) {
    const QString sql = "select 'a :B c', \"X:Y\" from T -- :C\nwhere D = :D /* :E */ and F = 'it''s :G'";
    const ParsedSql p = parseNamedParams(sql);
    EXPECT_EQ(p.sql, "select 'a :B c', \"X:Y\" from T -- :C\nwhere D = ? /* :E */ and F = 'it''s :G'");
    ASSERT_EQ(p.params.size(), 1);
    EXPECT_EQ(p.params[0].field, "D");
    EXPECT_EQ(parseNamedParams("select '10:30' from T where a = :ID").params.size(), 1);
    EXPECT_EQ(parseNamedParams("select 1 from T where t = ':1'").params.size(), 0);
}
