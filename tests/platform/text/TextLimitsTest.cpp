#include "platform/text/TextLimits.h"

#include <gtest/gtest.h>

namespace {

TEST(TextLimits, OnlyWindows1250CharactersFit) {
    const struct {
        QString text;
        qsizetype at;
    } cases[] = {
        {QStringLiteral("Zażółć gęślą jaźń ŻÓŁĆ €„”–"), -1},
        {QStringLiteral("ab Счёт"), 3},
        {QStringLiteral("x\U0001F600"), 1},  // outside the BMP: the high surrogate
        {QStringLiteral("a\u0081"), 1},  // a C1 control, though it has a byte of its own
        {QStringLiteral("kot \u00E5"), 4},  // Latin-1's å is no Windows-1250 letter
        {QString(), -1},
    };
    for (const auto& c : cases) EXPECT_EQ(c.at, text::firstOutsideCp1250(c.text)) << c.text.toStdString();
}

TEST(TextLimits, RefusalNamesTheCharacterOrTheLength) {
    EXPECT_EQ(QString(), text::storageRefusal(QString(120, u'ż'), 120));
    EXPECT_EQ(QString(), text::storageRefusal(QString(70000, u'a'), 0)) << "no width: any length";
    EXPECT_EQ(QStringLiteral("Tekst (TRESC1) jest za długi: ma 70000 znaków, a można zapisać najwyżej 120.\nSkróć go."),
              text::storageRefusal(QString(70000, u'a'), 120, QStringLiteral("TRESC1")));
    const QString emoji = text::storageRefusal(QStringLiteral("ok \U0001F600"), 120);
    EXPECT_TRUE(emoji.startsWith(QStringLiteral("Tekst zawiera znak „\U0001F600”"))) << emoji.toStdString();
    // A character outside the code page is told first, however long the text.
    EXPECT_TRUE(text::storageRefusal(QString(200, u'Ж'), 120).contains(QStringLiteral("„Ж”")));
}

}  // namespace
