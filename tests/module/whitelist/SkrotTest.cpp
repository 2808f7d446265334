#include "module/whitelist/Skrot.h"

#include <gtest/gtest.h>

using namespace whitelist;

TEST(Skrot, KnownAnswerOfThePublishedDescription) {
    const std::string hex = toHex(digest("20240725", "5512393471", "51195000012006007341830002", 5000));
    ASSERT_EQ(hex.size(), 128u);
    EXPECT_EQ(hex.substr(0, 12), "140bebae8e72");
    EXPECT_EQ(hex.substr(120), "0d142774");
}

TEST(Skrot, MaskTakesTheAccountsDigitsAtYAndKeepsX) {
    // The bank's digits of the mask must be the account's own.
    const std::string konto = "12114011240000123456789012";
    EXPECT_EQ(maskedAccount("YY11401124XXXXXXYYYYYYYYYY", konto), "1211401124XXXXXX3456789012");
    EXPECT_EQ(maskedAccount("YYYYYYYYYYYYYYYYYYYYYYYYYY", konto), konto);
    EXPECT_FALSE(maskedAccount("YY10501124XXXXXXYYYYYYYYYY", konto));  // another bank
    EXPECT_FALSE(maskedAccount("YY11401124XXXXXXYYYYYYYYY", konto));  // a character short
}

TEST(Skrot, AccountsAsPeopleTypeThemAndWhatIsRefused) {
    EXPECT_EQ(normalizedAccount("PL51 1950 0001 2006 0073 4183 0002"), "51195000012006007341830002");
    EXPECT_EQ(normalizedAccount("51 1950 0001 2006 0073 4183 000"), "");
    EXPECT_EQ(normalizedAccount("51/1950/0001/2006/0073/4183/0002"), "");
}
