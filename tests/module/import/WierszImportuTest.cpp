#include "module/import/WierszImportu.h"

#include <gtest/gtest.h>

namespace {

// A line of twelve fields with the date, amount, ledger account and title given.
QString wiersz(const QString& data, const QString& kwota, const QString& konto, const QString& tytul) {
    return QStringLiteral("110,%1,%2,0,0,0,47105071867784864887663440,0,%3,0,0,%4").arg(data, kwota, konto, tytul);
}

TEST(WierszImportu, ReadsTheFieldsAndRoundsGroszeToTwoDecimals) {
    const auto p = przelewZWiersza(wiersz("20261210", "12345", "\"201-K0042\"", "\"Wynagrodzenie 11/2026\""));
    ASSERT_TRUE(p);
    EXPECT_EQ(QDate(2026, 12, 10), p->data);
    EXPECT_EQ((fb::Decimal{12345, 2}), p->kwota);
    EXPECT_EQ("201-K0042", p->wn);
    EXPECT_EQ("K0042", p->kodFK);
    EXPECT_EQ("Wynagrodzenie 11/2026", p->tresc);
    EXPECT_EQ("Wynag", p->nrFaktury());

    const std::pair<const char*, std::int64_t> kwoty[] = {
        {" 500 ", 500}, {"12345.5", 12346}, {"12345.49", 12345}, {"999999999999999", 999999999999999}};
    for (const auto& [pole, grosze] : kwoty) {
        const auto w = przelewZWiersza(wiersz("20261210", pole, "201-K0001", "Tytul"));
        ASSERT_TRUE(w) << pole;
        EXPECT_EQ((fb::Decimal{grosze, 2}), w->kwota) << pole;
    }
}

TEST(WierszImportu, RefusesWhatIsNoTransfer) {
    const QString dobry = wiersz("20261210", "12345", "201-K0001", "Tytul");
    ASSERT_TRUE(przelewZWiersza(dobry));
    const struct {
        const char* dlaczego;
        QString linia;
    } przypadki[] = {
        {"empty line", QString()},
        {"other record code", QString(dobry).replace(0, 3, QStringLiteral("120"))},
        {"30 February", wiersz("20260230", "12345", "201-K0001", "Tytul")},
        {"short date", wiersz("2026121", "12345", "201-K0001", "Tytul")},
        {"amount in quotes", wiersz("20261210", "\"12345\"", "201-K0001", "Tytul")},
        {"negative amount", wiersz("20261210", "-12345", "201-K0001", "Tytul")},
        {"signed amount", wiersz("20261210", "+12345", "201-K0001", "Tytul")},
        {"exponent", wiersz("20261210", "1e5", "201-K0001", "Tytul")},
        {"16 digits", wiersz("20261210", "1000000000000000", "201-K0001", "Tytul")},
        {"no contractor code", wiersz("20261210", "12345", "201", "Tytul")},
        {"no title", wiersz("20261210", "12345", "201-K0001", "\"\"")},
        {"line of three fields", QStringLiteral("110,20261210,12345")},
    };
    for (const auto& p : przypadki) EXPECT_FALSE(przelewZWiersza(p.linia)) << p.dlaczego;
}

TEST(WierszImportu, CommasAndQuotesAreNotQuoteAware) {
    // A comma inside the quoted title ends it; what follows is field 13 and ignored.
    auto p = przelewZWiersza(wiersz("20261210", "100", "201-K0001", "\"Zwrot kosztów, listopad\""));
    ASSERT_TRUE(p);
    EXPECT_EQ("Zwrot kosztów", p->tresc);
    EXPECT_EQ("Zwrot", p->nrFaktury());

    // A blank as the separator of the ledger account gives the same debit account.
    p = przelewZWiersza(wiersz("20261210", "100", "201 00042", "T"));
    ASSERT_TRUE(p);
    EXPECT_EQ("201-00042", p->wn);
    EXPECT_EQ("00042", p->kodFK);

    // Quotes anywhere in field 9 go; blanks stay; a code is what positions 5-9 hold.
    p = przelewZWiersza(wiersz("20261210", "100", "\"201\"-K'001 ", " T "));
    ASSERT_TRUE(p);
    EXPECT_EQ("201-K'001", p->wn);
    EXPECT_EQ(" T ", p->tresc);
}

}  // namespace
