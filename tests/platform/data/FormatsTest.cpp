#include "QStringPrinter.h"
#include "platform/data/Formats.h"

#include <gtest/gtest.h>

using namespace data;

namespace {
const QString kMoney = "### ### ##0.00";
fb::Decimal dec(std::int64_t units, int scale) { return fb::Decimal{units, scale}; }
}  // namespace

TEST(Formats, FloatLikeThePolishShortestForm) {
    EXPECT_EQ(formatFloat(std::round((0.1 + 0.1 + 0.1) * 100) / 100), "0,3");
    EXPECT_EQ(formatFloat(-1234.5), "-1234,5");
    EXPECT_EQ(formatFloat(1.5e-7), "1,5E-7");
}

TEST(Formats, MoneyPatternGroupsWithBlanks) {
    EXPECT_EQ(formatNumber(dec(-12345000, 4), kMoney), "-1 234,50");
    EXPECT_EQ(formatNumber(dec(123456789012, 2), kMoney), "1 234 567 890,12");
    // Half away from zero, and no sign on what rounds to zero.
    EXPECT_EQ(formatNumber(dec(-50, 4), kMoney), "-0,01");
    EXPECT_EQ(formatNumber(dec(-49, 4), kMoney), "0,00");
    EXPECT_EQ(formatNumber(1.005, kMoney), "1,01");
    EXPECT_EQ(formatNumber(dec(1550, 2), "#,##0.0#' zł'"), "15,5 zł");
}

TEST(Formats, DateTimePatterns) {
    const QDateTime t(QDate(2024, 3, 5), QTime(7, 9, 4));
    EXPECT_EQ(formatDateTime(t, "dd/mm/yy h:mm:ss"), "05-03-24 7:09:04");
    EXPECT_EQ(formatDateTime(t, "d.m.yyyy 'godz.' hh:nn"), "5.3.2024 godz. 07:09");
    EXPECT_EQ(formatDateTime(QDateTime(), "yyyy"), "");
}

TEST(Formats, ParseDecimal) {
    auto d = parseDecimal("1 234,5678");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->units, 12345678);
    EXPECT_EQ(d->scale, 4);
    EXPECT_EQ(parseDecimal("-0.005").value_or(fb::Decimal{999, 0}).units, -5);
    for (const char* bad : {"", "1,2,3", "--1", "1234567890123456789"}) EXPECT_FALSE(parseDecimal(bad)) << bad;
}
