#include "module/import/StrukturaWyciagu.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

const QString kKonto = QStringLiteral("47105071867784864887663440");
const QString kNaglowek = QStringLiteral(":25:/PL") + kKonto;
const QString kPozycja = QStringLiteral(":61:2612101210DN000000001500,00NTRFNONREF");
const QString kOpis = QStringLiteral(":86:020~00Przelew");

struct Licznik {
    int konce = 0, opisy = 0;
    TZdarzeniaWyciagu zdarzenia() {
        return {[this] { ++konce; }, [this] { ++opisy; }};
    }
};

TEST(StrukturaWyciagu, OneEntryKeepsTheAccountFurtherEntriesResetIt) {
    Licznik jedna;
    TWynikWyciagu w = wynikCzytaniaWyciagu({":20:WYC", kNaglowek, kPozycja, kOpis, ":62F:C"}, jedna.zdarzenia());
    EXPECT_EQ(TWynikWyciagu::Koniec::Plik, w.koniec);
    EXPECT_EQ(kKonto, w.konto);
    EXPECT_EQ(0, jedna.konce);
    EXPECT_EQ(1, jedna.opisy);

    Licznik dwie;
    w = wynikCzytaniaWyciagu({kNaglowek, kPozycja, kOpis, kPozycja, kOpis, kPozycja, kOpis}, dwie.zdarzenia());
    EXPECT_EQ(TWynikWyciagu::Koniec::Plik, w.koniec);
    EXPECT_EQ("0", w.konto);
    EXPECT_EQ(2, dwie.konce) << "before the second and the third entry";
    EXPECT_EQ(3, dwie.opisy);
}

TEST(StrukturaWyciagu, EmptyAndForeignLines) {
    EXPECT_EQ("0", wynikCzytaniaWyciagu({}).konto);
    // ":25:" without "/PL" right after the tag is no account line.
    EXPECT_EQ("0", wynikCzytaniaWyciagu({":25:" + kKonto, kPozycja, kOpis}).konto);
    // A short account line gives what it holds.
    EXPECT_EQ("1234", wynikCzytaniaWyciagu({":25:/PL1234"}).konto);
}

TEST(StrukturaWyciagu, AnEntryWithoutDescriptionEndsTheReading) {
    Licznik l;
    TWynikWyciagu w = wynikCzytaniaWyciagu({kNaglowek, kPozycja, ":62F:C", kPozycja, kOpis}, l.zdarzenia());
    EXPECT_EQ(TWynikWyciagu::Koniec::BrakOpisu, w.koniec);
    EXPECT_EQ(1, w.wiersz);
    EXPECT_EQ(kKonto, w.konto) << "the account is still shown";
    EXPECT_EQ(0, l.opisy);

    w = wynikCzytaniaWyciagu({kNaglowek, kPozycja, kOpis, kPozycja});
    EXPECT_EQ(TWynikWyciagu::Koniec::BrakOpisu, w.koniec) << "the entry is the last line";
    EXPECT_EQ(3, w.wiersz);
    EXPECT_EQ("0", w.konto);
}

TEST(StrukturaWyciagu, AnAmountThatDoesNotConvertStopsAtItsLine) {
    const QString zla = QStringLiteral(":61:2612101210DN00000000150O,00NTRF");
    Licznik l;
    const TWynikWyciagu w = wynikCzytaniaWyciagu({kNaglowek, kPozycja, kOpis, zla, kOpis}, l.zdarzenia());
    EXPECT_EQ(TWynikWyciagu::Koniec::ZlaKwota, w.koniec);
    EXPECT_EQ(3, w.wiersz);
    EXPECT_EQ("00000000150O,00", w.kwota);
    EXPECT_EQ(1, l.opisy);
    EXPECT_EQ(TWynikWyciagu::Koniec::ZlaKwota, wynikCzytaniaWyciagu({":61:2612"}).koniec) << "a short line";
}

TEST(StrukturaWyciagu, AmountsUseTheDecimalCommaOnEveryMachine) {
    for (const char* jezyk : {"pl_PL", "en_US", "C"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(jezyk)));
        EXPECT_DOUBLE_EQ(1500.0, kwotaWyciagu("000000001500,00").value_or(-1)) << jezyk;
        EXPECT_DOUBLE_EQ(42.0, kwotaWyciagu("42").value_or(-1)) << jezyk;
        for (const char* zla : {"", "1500.00", "-15,00", "15,00C"})
            EXPECT_FALSE(kwotaWyciagu(QString::fromLatin1(zla))) << jezyk << " " << zla;
    }
    QLocale::setDefault(QLocale::c());
}

}  // namespace
