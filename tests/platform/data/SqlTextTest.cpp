#include "QStringPrinter.h"
#include "platform/data/SqlText.h"

#include <gtest/gtest.h>

using namespace data;

TEST(SqlText, QuoteDoublesApostrophes) {
    EXPECT_EQ(sqlQuote("O'Neil") + sqlQuote("''"), "'O''Neil'''''''");
    EXPECT_EQ(sqlDate(QDate(2024, 3, 5)), "'2024-03-05'");
}

TEST(SqlText, NamedParametersBecomePositional) {
    const ParsedSql p = parseNamedParams("update T set A = :a, B=:Old_B where ID = :OLD_ID and X = :OLD_");
    EXPECT_EQ(p.sql, "update T set A = ?, B=? where ID = ? and X = ?");
    // "OLD_" alone is a field of that name, not an old value of nothing.
    QStringList params;
    for (const auto& param : p.params) params << (param.old ? "old " : "") + param.field;
    EXPECT_EQ(params, QStringList({"A", "old B", "old ID", "OLD_"}));
}

TEST(SqlText, ColonsOutsideParametersStay) {
    const QString sql = "select 'a :B c', \"X:Y\" from T -- :C\nwhere D = :D /* :E */ and F = 'it''s :G'";
    const ParsedSql p = parseNamedParams(sql);
    EXPECT_EQ(p.sql, "select 'a :B c', \"X:Y\" from T -- :C\nwhere D = ? /* :E */ and F = 'it''s :G'");
    ASSERT_EQ(p.params.size(), 1);
    EXPECT_EQ(p.params[0].field, "D");
}
