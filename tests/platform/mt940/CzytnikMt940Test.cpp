#include "platform/mt940/CzytnikMt940.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace mt940;

namespace {

std::string plik(const char* nazwa) {
    std::ifstream f(std::string(PXFER_MT940_SAMPLES) + "/" + nazwa, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// A sample file read without error, its encoding recognised as given.
WynikCzytania wczytaj(const char* nazwa, Kodowanie kodowanie) {
    const std::string bajty = plik(nazwa);
    EXPECT_EQ(rozpoznajKodowanie(bajty), kodowanie) << nazwa;
    WynikCzytania w = czytajWyciagi(bajty);
    EXPECT_FALSE(w.blad) << w.blad->komunikat.toStdString();
    return w;
}

WynikCzytania czytaj(const std::string& tekst) { return czytajWyciagi(QString::fromStdString(tekst)); }

const QString kRachunek = QStringLiteral("61109010140000071219812874");

// An entry on one line: signed amount with "R" for a reversal and the funds code, type, references,
// supplementary line; then the operation code, counterparty, account and title from ":86:".
std::string opis(const Pozycja& p) {
    const QString kwota = QString::number(p.zeZnakiem()) + (p.storno ? "R" : "") +
                          (p.kodFunduszy.isNull() ? QString() : QString(p.kodFunduszy));
    return QStringList{kwota,          p.typ,         p.referencjaKlienta + "//" + p.referencjaBanku,
                       p.uzupelnienie, p.kodOperacji, p.kontrahent,
                       p.rachunek,     p.tytul}
        .join(u'|')
        .toStdString();
}

}  // namespace

TEST(CzytnikMt940, TwoStatementsInWindows1250WithTildeSubfieldsAndFraming) {
    const WynikCzytania w = wczytaj("tylda-cp1250-crlf.sta", Kodowanie::Cp1250);
    EXPECT_TRUE(w.ok());
    ASSERT_EQ(w.wyciagi.size(), 2u);

    const Wyciag& pierwszy = w.wyciagi[0];
    EXPECT_EQ(pierwszy.rachunek + "|" + pierwszy.numer, kRachunek + "|00012/1");
    EXPECT_EQ(pierwszy.otwarcia.kwota, 1234567);
    EXPECT_EQ(pierwszy.zamkniecia.zeZnakiem(), 959617);
    ASSERT_EQ(pierwszy.pozycje.size(), 3u);

    const Pozycja& p = pierwszy.pozycje[0];
    EXPECT_EQ(p.wiersz, 6);
    // The title broke inside a word at the end of a sub-field and of a line.
    EXPECT_EQ(opis(p), "-150000N|N641|NONREF//BR2612010001||020|Hurtownia Żelazo Sp. z o.o.|" +
                           kRachunek.toStdString() + "|FV/2026/117 zapłata za dostawę materiałów");
    EXPECT_EQ(opis(w.wyciagi[1].pozycje.at(0)), "-1N|N775|NONREF//BR2612020001||775|||Opłata za przelew");
}

TEST(CzytnikMt940, IsoLatin2WithHeadersUnpaddedAmountsReversalAndFreeText) {
    const WynikCzytania w = wczytaj("pytajnik-iso88592-lf.sta", Kodowanie::Iso88592);
    ASSERT_EQ(w.wyciagi.size(), 1u);
    const Wyciag& s = w.wyciagi[0];
    EXPECT_EQ(s.otwarcia.zeZnakiem(), -10000);
    ASSERT_EQ(s.pozycje.size(), 2u);
    EXPECT_EQ(opis(s.pozycje[0]),
              "100000|N051|REF-KLIENTA//BANK-REF-1|WPLATA ZALICZKI||||Zwrot nadpłaty za fakturę FV 15/2026 Łódź");
    // A reversed credit takes money back.
    EXPECT_EQ(opis(s.pozycje[1]),
              "-2550R|NMSC|NONREF//|||Śląska Spółka|27114020040000300201355387|Korekta błędnego uznania");
}

TEST(CzytnikMt940, Utf8MixedLineEndsAccountFormsAndContinuedStatement) {
    const WynikCzytania w = wczytaj("mniejszy-utf8-mieszane.sta", Kodowanie::Utf8);
    EXPECT_TRUE(w.ok());
    ASSERT_EQ(w.wyciagi.size(), 3u);
    EXPECT_EQ(w.wyciagi[0].kodBanku + "|" + w.wyciagi[0].rachunek, "10901014|0000071219812874");
    EXPECT_TRUE(w.wyciagi[0].zamkniecia.posrednie && w.wyciagi[1].otwarcia.posrednie);
    // A bank code and a 16-digit account are no Polish number: kept as written.
    EXPECT_EQ(w.wyciagi[0].pozycje.at(0).rachunek, "109010140000071219812874");
    EXPECT_TRUE(w.wyciagi[2].pozycje.empty());
}

TEST(CzytnikMt940, BalanceOffByOneGroszIsReportedAndTheStatementKept) {
    const WynikCzytania w = czytajWyciagi(plik("grosz-roznicy.sta"));
    EXPECT_TRUE(!w.blad && w.wyciagi.size() == 1u);
    ASSERT_EQ(w.niezgodnosciSald.size(), 1u);
    EXPECT_EQ(w.niezgodnosciSald[0].komunikat,
              QStringLiteral("Wyciąg 1/1 (wiersz 1): saldo otwarcia 100,00 i obroty -9,50 dają 90,50, "
                             "a saldo końcowe wynosi 90,49 (różnica -0,01)"));
    EXPECT_FALSE(w.ok());
    EXPECT_EQ(kwotaTekstem(-123456789), "-1 234 567,89");
}

TEST(CzytnikMt940, TruncatedFilesStopWithTheStatementsBeforeKept) {
    const QString tekst = dekoduj(plik("tylda-cp1250-crlf.sta"));
    // Cut inside the second statement: the first one stays.
    const WynikCzytania w = czytajWyciagi(tekst.left(tekst.indexOf(QStringLiteral(":62F:C261202"))));
    ASSERT_TRUE(w.blad);
    EXPECT_EQ(w.wyciagi.size(), 1u);
    EXPECT_TRUE(w.blad->komunikat.contains(QStringLiteral("plik urwany")));
    // Every cut of the file either reads or names a line; none crashes.
    for (qsizetype n = 0; n < tekst.size(); n += 7) {
        const WynikCzytania r = czytajWyciagi(tekst.left(n));
        EXPECT_TRUE(r.blad ? r.blad->komunikat.startsWith(u"Wiersz ") || r.blad->wiersz == 0 : !r.wyciagi.empty()) << n;
    }
}

TEST(CzytnikMt940, BadFieldsNameTheirLine) {
    const std::string poczatek = ":20:X\n:25:/PL61109010140000071219812874\n:60F:C261201PLN10,00\n";
    const std::pair<std::string, std::string> przypadki[] = {
        {":61:261201D1.50NTRF\n", "Wiersz 4: nieprawidłowa kwota '1.50' w polu :61:"},
        {":61:261301D1,50NTRF\n", "Wiersz 4: nieprawidłowa data waluty"},
        {":61:26120112\n", "Wiersz 4: brak znaku D/C"},
        {":62F:C261201PLN1,00\n:61:261201D1,50NTRF\n", "Wiersz 5: pole :61: po saldzie końcowym"},
    };
    for (const auto& [reszta, komunikat] : przypadki) {
        const WynikCzytania w = czytaj(poczatek + reszta);
        ASSERT_TRUE(w.blad) << reszta;
        EXPECT_TRUE(w.blad->komunikat.startsWith(QString::fromStdString(komunikat))) << w.blad->komunikat.toStdString();
    }
    EXPECT_EQ(czytaj("").blad->komunikat, QStringLiteral("Wyciąg: plik nie zawiera żadnego wyciągu (pola :20:)"));
}

TEST(CzytnikMt940, EntryDatesAcrossTheYearEnd) {
    const WynikCzytania w = czytaj(
        ":20:X\n:25:1\n:60F:C261231PLN10,00\n:61:2701011231D1,NTRF\n"
        ":61:2612310102C1,NTRF\n:62F:C270101PLN10,00\n");
    ASSERT_FALSE(w.blad) << w.blad->komunikat.toStdString();
    EXPECT_EQ(w.wyciagi[0].pozycje[0].dataKsiegowania, QDate(2026, 12, 31));
    EXPECT_EQ(w.wyciagi[0].pozycje[1].dataKsiegowania, QDate(2027, 1, 2));
}
