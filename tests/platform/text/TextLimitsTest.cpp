#include "platform/text/TextLimits.h"

#include <gtest/gtest.h>

namespace {

TEST(TextLimits, OnlyWindows1250CharactersFit) {
    EXPECT_EQ(-1, text::firstOutsideCp1250(QStringLiteral("Zażółć gęślą jaźń ŻÓŁĆ €„”–")));
    EXPECT_EQ(1, text::firstOutsideCp1250(QStringLiteral("a\u0081")));  // a C1 control, though it has a byte
    EXPECT_EQ(1, text::firstOutsideCp1250(QStringLiteral("x\U0001F600")));  // the high surrogate
}

TEST(TextLimits, RefusalNamesTheCharacterOrTheLength) {
    EXPECT_EQ(QString(), text::storageRefusal(QString(120, u'ż'), 120));
    EXPECT_EQ(QStringLiteral("Tekst (TRESC1) jest za długi: ma 121 znaków, a można zapisać najwyżej 120.\nSkróć go."),
              text::storageRefusal(QString(121, u'a'), 120, QStringLiteral("TRESC1")));
    // A character outside the code page is told first, however long the text.
    EXPECT_TRUE(text::storageRefusal(QString(200, u'Ж'), 120).contains(QStringLiteral("„Ж”")));
}

}  // namespace
