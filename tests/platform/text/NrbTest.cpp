#include "platform/text/Nrb.h"

#include <gtest/gtest.h>

using text::checkNrb;
using text::NrbCheck;

namespace {
const QString kGood = QStringLiteral("61109010140000071219812874");
}  // namespace

TEST(Nrb, EveryOneDigitSlipIsCaughtAndGoodNumbersPassAsWritten) {
    for (const QString& account : {kGood, QStringLiteral(" 61 1090-1014 0000 0712 1981 2874 ")})
        EXPECT_EQ(checkNrb(account), NrbCheck::Valid) << account.toStdString();
    EXPECT_TRUE(text::nrbWarning(kGood).isEmpty());
    for (int at = 0; at < kGood.size(); ++at) {
        for (char digit = '0'; digit <= '9'; ++digit) {
            QString typed = kGood;
            if (typed[at] == QLatin1Char(digit)) continue;
            typed[at] = QLatin1Char(digit);
            ASSERT_EQ(checkNrb(typed), NrbCheck::WrongChecksum) << typed.toStdString();
        }
    }
    QString swapped = kGood;
    std::swap(swapped[4], swapped[5]);  // "90" typed as "09"
    EXPECT_EQ(checkNrb(swapped), NrbCheck::WrongChecksum);
    const QString warning = text::nrbWarning(QStringLiteral("61 1090 1014 0000 0712 1981 2875"));
    EXPECT_TRUE(warning.contains(QStringLiteral("61 1090 1014 0000 0712 1981 2875")) &&
                warning.contains(QStringLiteral("cyfry kontrolne")));
}

TEST(Nrb, WhatIsNotTwentySixDigitsIsLeftToOtherChecks) {
    for (const QString& account :
         {kGood.left(25), kGood + u'1', QStringLiteral("PL") + kGood, QStringLiteral("611090101400000712198128x4")})
        EXPECT_EQ(checkNrb(account), NrbCheck::NotNrb) << account.toStdString();
    EXPECT_TRUE(text::nrbWarning(kGood.left(23)).isEmpty());
}
