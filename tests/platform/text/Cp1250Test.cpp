#include "platform/text/Cp1250.h"

#include <gtest/gtest.h>

using namespace text;

TEST(Cp1250, PolishLettersAndEveryByteSurviveTheRoundTrip) {
    EXPECT_EQ(utf8ToCp1250("Zażółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ"),
              "Za\xBF\xF3\xB3\xE6 g\xEA\x9C\x6C\xB9 ja\x9F\xF1 \xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF");
    EXPECT_EQ(cp1250ToUtf8("Za\xBF\xF3\xB3\xE6"), "Zażółć");
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const QString decoded = fromCp1250(all);
    ASSERT_EQ(decoded.size(), 256);
    EXPECT_EQ(toCp1250(decoded), all);
    EXPECT_EQ(decoded.at(0x84), QChar(0x201E));  // the low typographic quote of Polish texts
}

TEST(Cp1250, CharactersWithoutAFormBecomeOneQuestionMarkEach) {
    EXPECT_EQ(toCp1250(QStringLiteral("ñ 日本 €")), "? ?? \x80");
    // A character outside the BMP is a surrogate pair in UTF-16 but one character.
    EXPECT_EQ(toCp1250(QStringLiteral("a😀b")), "a?b");
    const QChar loneHigh(char16_t(0xD83D));
    EXPECT_EQ(toCp1250(QString(loneHigh) + u'x' + loneHigh), "?x?");
    EXPECT_EQ(utf8ToCp1250("\xFF\xFEok"), "??ok");  // broken UTF-8 does not stop the conversion
}
