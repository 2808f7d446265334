#include "module/import/StrukturaWyciagu.h"

#include <QLocale>

namespace {

const QString kKonto = QStringLiteral(":25:/PL");
const QString kPozycja = QStringLiteral(":61:");
const QString kOpis = QStringLiteral(":86:");

void wywolaj(const std::function<void()>& f) {
    if (f) f();
}

}  // namespace

std::optional<double> kwotaWyciagu(const QString& tekst) {
    const QString t = tekst.trimmed();
    // The C locale reads a point; a statement writes a comma and never a point.
    if (t.isEmpty() || t.contains(QLatin1Char('.'))) return std::nullopt;
    for (QChar c : t)
        if (!c.isDigit() && c != QLatin1Char(',')) return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(QString(t).replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    return ok ? std::optional(v) : std::nullopt;
}

TWynikWyciagu wynikCzytaniaWyciagu(const QStringList& wiersze, const TZdarzeniaWyciagu& zdarzenia) {
    TWynikWyciagu wynik;
    bool bylaPozycja = false;
    for (int i = 0; i < wiersze.size(); ++i) {
        const QString& w = wiersze[i];
        if (w.startsWith(kKonto)) {
            wynik.konto = w.mid(7, 26);
            continue;
        }
        if (!w.startsWith(kPozycja)) continue;
        if (bylaPozycja) {
            wywolaj(zdarzenia.koniecPozycji);
            wynik.konto = QStringLiteral("0");
        }
        bylaPozycja = true;
        const QString kwota = w.mid(16, 15);
        if (!kwotaWyciagu(kwota)) {
            wynik.koniec = TWynikWyciagu::Koniec::ZlaKwota;
            wynik.wiersz = i;
            wynik.kwota = kwota;
            return wynik;
        }
        ++i;
        if (i >= wiersze.size() || !wiersze[i].startsWith(kOpis)) {
            wynik.koniec = TWynikWyciagu::Koniec::BrakOpisu;
            wynik.wiersz = i - 1;
            return wynik;
        }
        wywolaj(zdarzenia.pozycjaOpisana);
    }
    return wynik;
}
