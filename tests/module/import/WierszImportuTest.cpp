#include "module/import/WierszImportu.h"

#include <gtest/gtest.h>

namespace {

// A line of twelve fields with the date, amount, ledger account and title given.
QString wiersz(const QString& kwota, const QString& konto = "201-K0001", const QString& tytul = "Tytul",
               const QString& data = "20261210") {
    return QStringLiteral("110,%1,%2,0,0,0,47105071867784864887663440,0,%3,0,0,%4").arg(data, kwota, konto, tytul);
}

TEST(WierszImportu, ReadsTheFieldsAndRoundsGroszeToTwoDecimals) {
    const auto p = przelewZWiersza(wiersz("12345", "\"201-K0042\"", "\"Wynagrodzenie 11/2026\""));
    ASSERT_TRUE(p);
    EXPECT_EQ(QStringList({"2026-12-10", "201-K0042", "K0042", "Wynagrodzenie 11/2026", "Wynag"}),
              QStringList({p->data.toString(Qt::ISODate), p->wn, p->kodFK, p->tresc, p->nrFaktury()}));
    for (const auto& [pole, grosze] : {std::pair<const char*, std::int64_t>{" 500 ", 500},
                                       {"12345.5", 12346},
                                       {"12345.49", 12345},
                                       {"999999999999999", 999999999999999}})
        EXPECT_EQ((fb::Decimal{grosze, 2}), przelewZWiersza(wiersz(pole)).value_or(TPrzelewImportu{}).kwota) << pole;
}

TEST(WierszImportu, RefusesWhatIsNoTransfer) {
    const QString przypadki[] = {
        QString(),  // an empty line
        "120" + wiersz("12345").mid(3),  // another record
        wiersz("12345", "201-K0001", "Tytul", "20260230"),
        wiersz("\"12345\""),
        wiersz("-12345"),
        wiersz("1000000000000000"),  // 16 digits
        wiersz("12345", "201"),  // no contractor code
        wiersz("12345", "201-K0001", "\"\""),  // no title
    };
    for (const QString& linia : przypadki) EXPECT_FALSE(przelewZWiersza(linia)) << linia.toStdString();
}

// A comma inside the quoted title ends it (what follows is field 13, ignored); a
// blank may separate the ledger account; quotes anywhere in field 9 go, blanks stay.
TEST(WierszImportu, CommasAndQuotesAreNotQuoteAware) {
    const std::pair<QString, QString> przypadki[] = {
        {wiersz("100", "201-K0001", "\"Zwrot kosztów, listopad\""), "201-K0001|K0001|Zwrot kosztów|Zwrot"},
        {wiersz("100", "201 00042", "T"), "201-00042|00042|T|T"},
        {wiersz("100", "\"201\"-K'001 ", " T "), "201-K'001|K'001| T | T "},
    };
    for (const auto& [linia, pola] : przypadki) {
        const auto p = przelewZWiersza(linia).value_or(TPrzelewImportu{});
        EXPECT_EQ(QStringList({p.wn, p.kodFK, p.tresc, p.nrFaktury()}).join('|'), pola) << linia.toStdString();
    }
}

}  // namespace
