#include "module/import/StrukturaWyciagu.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

const QString kKonto = QStringLiteral("47105071867784864887663440");
const QString kNaglowek = QStringLiteral(":25:/PL") + kKonto;
const QString kPozycja = QStringLiteral(":61:2612101210DN000000001500,00NTRFNONREF");
const QString kOpis = QStringLiteral(":86:020~00Przelew");

// The reading's end, line and account, with the count of entry ends and descriptions it reported.
std::string czytaj(const QStringList& wiersze) {
    int konce = 0, opisy = 0;
    const TWynikWyciagu w = wynikCzytaniaWyciagu(wiersze, {[&] { ++konce; }, [&] { ++opisy; }});
    return std::to_string(int(w.koniec)) + " " + std::to_string(w.wiersz) + " " + w.konto.toStdString() + " " +
           w.kwota.toStdString() + " " + std::to_string(konce) + "/" + std::to_string(opisy);
}
std::string wynik(TWynikWyciagu::Koniec koniec, int wiersz, const QString& konto, const char* reszta) {
    return std::to_string(int(koniec)) + " " + std::to_string(wiersz) + " " + konto.toStdString() + " " + reszta;
}

// One entry keeps the account, further entries reset it; an entry without
// description or an amount that does not convert stops at its line.
TEST(StrukturaWyciagu, EntriesDescriptionsAndTheirFaults) {
    using K = TWynikWyciagu::Koniec;
    EXPECT_EQ(czytaj({":20:WYC", kNaglowek, kPozycja, kOpis, ":62F:C"}), wynik(K::Plik, -1, kKonto, " 0/1"));
    EXPECT_EQ(czytaj({kNaglowek, kPozycja, kOpis, kPozycja, kOpis, kPozycja, kOpis}), wynik(K::Plik, -1, "0", " 2/3"));
    EXPECT_EQ(czytaj({kNaglowek, kPozycja, ":62F:C", kPozycja, kOpis}), wynik(K::BrakOpisu, 1, kKonto, " 0/0"));
    EXPECT_EQ(czytaj({kNaglowek, kPozycja, kOpis, kPozycja}), wynik(K::BrakOpisu, 3, "0", " 1/1"));
    EXPECT_EQ(czytaj({kNaglowek, kPozycja, kOpis, ":61:2612101210DN00000000150O,00NTRF", kOpis}),
              wynik(K::ZlaKwota, 3, "0", "00000000150O,00 1/1"));
}

TEST(StrukturaWyciagu, AmountsUseTheDecimalCommaOnEveryMachine) {
    for (const char* jezyk : {"pl_PL", "en_US", "C"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(jezyk)));
        EXPECT_DOUBLE_EQ(1500.0, kwotaWyciagu("000000001500,00").value_or(-1)) << jezyk;
        for (const char* zla : {"", "1500.00", "-15,00", "15,00C"})
            EXPECT_FALSE(kwotaWyciagu(QString::fromLatin1(zla))) << jezyk << " " << zla;
    }
    QLocale::setDefault(QLocale::c());
}

}  // namespace
