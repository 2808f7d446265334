#include "platform/mt940/Opis86.h"

#include <gtest/gtest.h>

using namespace mt940;

TEST(Opis86, SubfieldsOfEachSeparatorStyleMeanTheSame) {
    for (const char* sep : {"~", "?", "<"}) {
        const QString s = QString::fromLatin1(sep);
        // Each '|' stands for the separator.
        const Opis86 o = czytajOpis86(QStringList{QStringLiteral("020|00PRZELEW|20FV 12/20|").replace(u'|', s),
                                                  QStringLiteral("2126 czesc 1|32Jan|33 Nowak|31").replace(u'|', s),
                                                  QStringLiteral("12345678901234567890123456")});
        EXPECT_EQ(o.kodOperacji, "020") << sep;
        EXPECT_EQ(o.tytul, "FV 12/2026 czesc 1") << sep;
        EXPECT_EQ(o.kontrahent, "Jan Nowak") << sep;
        EXPECT_EQ(o.rachunek, "12345678901234567890123456") << sep;
    }
}

TEST(Opis86, FreeTextOddSubfieldsAndAccountForms) {
    // A separator character inside free text does not make it structured.
    EXPECT_EQ(czytajOpis86(QStringList{QStringLiteral("Czy to ~ przelew?"), QStringLiteral(" tak ")}).tytul,
              "Czy to ~ przelew? tak");
    // Names from 27-28 when 32-33 are missing; a lone separator without digits stays in the text.
    const Opis86 o = czytajOpis86(
        QStringList{QStringLiteral("~20A~B~27Ala~28 Kot~38PL 1234 5678 9012 3456 7890 1234 56")});
    EXPECT_EQ(o.tytul, "A~B");
    EXPECT_EQ(o.kontrahent, "Ala Kot");
    EXPECT_EQ(o.rachunek, "12345678901234567890123456");
    EXPECT_TRUE(czytajOpis86(QStringList{QStringLiteral("123~9")}).kodOperacji.isEmpty());
    // A Polish number loses its country prefix; a foreign one stays as written.
    const QString nrb = QStringLiteral("61109010140000071219812874");
    EXPECT_EQ(rachunekNrb(QStringLiteral("/PL") + nrb), nrb);
    EXPECT_EQ(rachunekNrb(QStringLiteral("DE89370400440532013000")), "DE89370400440532013000");
    EXPECT_EQ(rachunekNrb(QStringLiteral(" 123 ")), "123");
}
