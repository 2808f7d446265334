#include "module/frame/Stringutil.h"

#include <gtest/gtest.h>

namespace {
// Ą Ć Ę Ł Ń Ó Ś Ź Ż ą ć ę ł ń ó ś ź ż in each code page.
const std::string kIso = "\xA1\xC6\xCA\xA3\xD1\xD3\xA6\xAC\xAF\xB1\xE6\xEA\xB3\xF1\xF3\xB6\xBC\xBF";
const std::string kWin = "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF";
const std::string kMazovia = "\x8F\x95\x90\x9C\xA5\xA3\x98\xA0\xA1\x86\x8D\x91\x92\xA4\xA2\x9E\xA6\xA7";
const std::string kDos852 = "\xA4\x8F\xA8\x9D\xE3\xE0\x97\x8D\xBD\xA5\x86\xA9\x88\xE4\xA2\x98\xAB\xBE";
}  // namespace

// Windows-1250 folds to plain letters; every pair of code pages converts.
TEST(ZamienZnakiPL, ConvertsBetweenEveryPairOfCodePagesAndFoldsToPlainLetters) {
    EXPECT_EQ(sZamienZnakiPL(kWin, 12, -1), "ACELNOSZZacelnoszz");
    // Typographic quotes, the euro sign and the en dash are no Polish letters; a zero byte is no end.
    EXPECT_EQ(sZamienZnakiPL(std::string("\x84Tak\x94 \x80 \x96 a\0\xA5", 13), 12, -1),
              std::string("\x84Tak\x94 \x80 \x96 a\0A", 13));
    const std::pair<int, const std::string*> pages[] = {{11, &kIso}, {12, &kWin}, {101, &kMazovia}, {102, &kDos852}};
    for (const auto& [from, source] : pages)
        for (const auto& [to, target] : pages) EXPECT_EQ(sZamienZnakiPL(*source, from, to), *target) << from << to;
}
