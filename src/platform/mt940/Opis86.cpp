#include "platform/mt940/Opis86.h"

#include <array>

namespace mt940 {
namespace {

bool separator(QChar c) { return c == u'~' || c == u'?' || c == u'<'; }

bool cyfry(QStringView t) {
    for (QChar c : t)
        if (!c.isDigit()) return false;
    return !t.isEmpty();
}

// The separator of a structured text: the character after the operation code,
// or the first character when the code is missing.
QChar separatorPodpol(const QString& t) {
    if (t.size() >= 6 && cyfry(QStringView(t).left(3)) && separator(t[3]) && cyfry(QStringView(t).mid(4, 2)))
        return t[3];
    if (t.size() >= 3 && separator(t[0]) && cyfry(QStringView(t).mid(1, 2))) return t[0];
    return {};
}

// Banks cut long texts into sub-fields anywhere, also inside a word, so the
// parts are joined as they are.
QString zlacz(const std::array<QString, 100>& pola, std::initializer_list<int> numery) {
    QString w;
    for (int n : numery) w += pola[n];
    return w.simplified();
}

} // namespace

QString rachunekNrb(const QString& tekst) {
    QString t = tekst.trimmed();
    if (t.startsWith(u'/')) t.remove(0, 1);
    if (t.startsWith(QLatin1String("PL"), Qt::CaseInsensitive)) t.remove(0, 2);
    t.remove(u' ');
    return t.size() == 26 && cyfry(t) ? t : tekst.trimmed();
}

Opis86 czytajOpis86(const QStringList& wiersze) {
    const QString razem = wiersze.join(QString());
    const QChar sep = separatorPodpol(razem);
    Opis86 o;
    if (sep.isNull()) {
        o.tytul = wiersze.join(u' ').simplified();
        return o;
    }
    std::array<QString, 100> pola;
    qsizetype i = 0;
    if (razem[0] != sep) {
        o.kodOperacji = razem.left(3);
        i = 3;
    }
    while (i < razem.size()) {
        // i stands on a separator followed by two digits.
        const int numer = razem[i + 1].digitValue() * 10 + razem[i + 2].digitValue();
        qsizetype koniec = i + 3;
        while (koniec < razem.size() &&
               !(razem[koniec] == sep && koniec + 2 < razem.size() && cyfry(QStringView(razem).mid(koniec + 1, 2))))
            ++koniec;
        pola[numer] += razem.mid(i + 3, koniec - i - 3);
        i = koniec;
    }
    o.tytul = zlacz(pola, {20, 21, 22, 23, 24, 25, 26, 60, 61, 62, 63});
    o.kontrahent = zlacz(pola, {32, 33});
    if (o.kontrahent.isEmpty()) o.kontrahent = zlacz(pola, {27, 28});
    const QString iban = pola[38].trimmed();
    o.rachunek = rachunekNrb(!iban.isEmpty() ? iban : pola[30].trimmed() + pola[31].trimmed());
    return o;
}

} // namespace mt940
