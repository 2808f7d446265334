#include "platform/text/Nip.h"

#include <gtest/gtest.h>

using text::isValidNip;

TEST(Nip, GoodNumbersPassHoweverTheyAreWritten) {
    for (const QString& nip :
         {QStringLiteral("5512393471"), QStringLiteral(" 123-456-32-18 "), QStringLiteral("pl 5512393471")})
        EXPECT_TRUE(isValidNip(nip) && text::nipError(nip).isEmpty()) << nip.toStdString();
    EXPECT_EQ(text::nipDigits(QStringLiteral("PL 123-456-32-18")), QStringLiteral("1234563218"));
}

TEST(Nip, EveryOneDigitSlipAndNeighbourSwapIsCaught) {
    const QString good = QStringLiteral("5512393471");
    for (int at = 0; at < good.size(); ++at) {
        for (char digit = '0'; digit <= '9'; ++digit) {
            QString typed = good;
            if (typed[at] == QLatin1Char(digit)) continue;
            typed[at] = QLatin1Char(digit);
            ASSERT_FALSE(isValidNip(typed)) << typed.toStdString();
        }
    }
    QString swapped = good;
    std::swap(swapped[3], swapped[4]);  // "23" typed as "32"
    EXPECT_FALSE(isValidNip(swapped));
    const QString message = text::nipError(QStringLiteral("5512393472"));
    EXPECT_TRUE(message.contains(QStringLiteral("5512393472")) && message.contains(QStringLiteral("cyfrę kontrolną")));
}

TEST(Nip, SumsGivingTenAndWhatIsNotTenDigitsAreRefused) {
    // The weighted sum of 000000090 is 6 * 9 = 54, remainder 10: no check digit can match.
    for (char last = '0'; last <= '9'; ++last)
        EXPECT_FALSE(isValidNip(QStringLiteral("000000090") + QLatin1Char(last)));
    for (const QString& nip :
         {QStringLiteral("0000000000"), QStringLiteral("55123934710"), QStringLiteral("55123934a1")})
        EXPECT_FALSE(isValidNip(nip)) << nip.toStdString();
    EXPECT_EQ(text::nipError(QString()), QStringLiteral("Brak numeru NIP."));
    EXPECT_TRUE(text::nipError(QStringLiteral("551239347")).contains(QStringLiteral("10 cyfr")));
}
