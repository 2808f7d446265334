#include "module/import/WierszImportu.h"

#include <QStringList>

namespace {

constexpr int kPola = 12;
// Grosze up to 15 digits: the amount stays exact and fits the money columns.
constexpr int kCyfrCalosci = 15;
constexpr int kCyfrUlamka = 3;   // with the 15 above, within 64-bit units

// Field n (from 1); a field the line does not reach is empty.
QString pole(const QStringList& pola, int n) { return n <= pola.size() ? pola[n - 1] : QString(); }

QString bezCudzyslowow(QString tekst) { return tekst.remove(QLatin1Char('"')); }

bool cyfry(const QString& tekst, int dlugosc) {
    if (tekst.size() != dlugosc) return false;
    for (QChar c : tekst)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

// YYYYMMDD; what follows the eighth character is not read.
std::optional<QDate> data(const QString& pole) {
    const QString rok = pole.mid(0, 4), miesiac = pole.mid(4, 2), dzien = pole.mid(6, 2);
    if (!cyfry(rok, 4) || !cyfry(miesiac, 2) || !cyfry(dzien, 2)) return std::nullopt;
    const QDate d(rok.toInt(), miesiac.toInt(), dzien.toInt());
    return d.isValid() ? std::optional(d) : std::nullopt;
}

// Grosze as digits with an optional fractional part after a point, blanks
// around allowed; the zloty amount rounded to 2 decimals. A sign, a quote or
// anything else is refused: a negative transfer would reach the bank's file.
std::optional<fb::Decimal> kwota(const QString& pole) {
    const QString t = pole.trimmed();
    const qsizetype kropka = t.indexOf(QLatin1Char('.'));
    const QString calosc = kropka < 0 ? t : t.left(kropka);
    const QString ulamek = kropka < 0 ? QString() : t.mid(kropka + 1);
    if (calosc.isEmpty() || calosc.size() > kCyfrCalosci || !cyfry(calosc, static_cast<int>(calosc.size())))
        return std::nullopt;
    if (kropka >= 0 && (ulamek.isEmpty() || ulamek.size() > kCyfrUlamka ||
                        !cyfry(ulamek, static_cast<int>(ulamek.size()))))
        return std::nullopt;
    const fb::Decimal grosze{(calosc + ulamek).toLongLong(), static_cast<int>(ulamek.size())};
    return fb::Decimal{grosze.units, grosze.scale + 2}.rescaled(2);
}

}  // namespace

std::optional<TPrzelewImportu> przelewZWiersza(const QString& wiersz) {
    const QStringList pola = wiersz.split(QLatin1Char(','));
    if (pole(pola, 1) != QLatin1String("110")) return std::nullopt;
    TPrzelewImportu p;
    const auto d = data(pole(pola, 2));
    const auto k = kwota(pole(pola, 3));
    if (!d || !k) return std::nullopt;
    p.data = *d;
    p.kwota = *k;
    const QString konto = bezCudzyslowow(pole(pola, 9));
    p.kodFK = konto.mid(4, 5);
    p.wn = konto.left(3) + QLatin1Char('-') + p.kodFK;
    p.tresc = bezCudzyslowow(pole(pola, kPola));
    if (p.kodFK.isEmpty() || p.tresc.isEmpty()) return std::nullopt;
    return p;
}
