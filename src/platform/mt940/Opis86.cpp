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

// The sub-fields of one description: views into its text, a copy only for a
// number the bank repeats.
class Podpola {
public:
    void dodaj(int numer, QStringView tekst) {
        if (!widok_[numer].isNull() || !kopia_[numer].isNull()) {
            if (kopia_[numer].isNull()) kopia_[numer] = widok_[numer].toString();
            kopia_[numer] += tekst;
        } else {
            widok_[numer] = tekst.isNull() ? QStringView(u"") : tekst;
        }
    }

    // Banks cut long texts into sub-fields anywhere, also inside a word, so the
    // parts are joined as they are.
    QString zlacz(std::initializer_list<int> numery) const {
        QString w;
        for (int n : numery) w += kopia_[n].isNull() ? widok_[n] : QStringView(kopia_[n]);
        return std::move(w).simplified();
    }

private:
    std::array<QStringView, 100> widok_{};
    std::array<QString, 100> kopia_{};
};

} // namespace

QString rachunekNrb(const QString& tekst) {
    QStringView t = QStringView(tekst).trimmed();
    if (t.startsWith(u'/')) t = t.mid(1);
    if (t.startsWith(u"PL", Qt::CaseInsensitive)) t = t.mid(2);
    if (t.size() == 26 && cyfry(t)) return t.toString();
    QString bezOdstepow = t.toString();
    bezOdstepow.remove(u' ');
    return bezOdstepow.size() == 26 && cyfry(bezOdstepow) ? bezOdstepow : tekst.trimmed();
}

Opis86 czytajOpis86(const QStringList& wiersze) {
    return czytajOpis86(std::vector<QStringView>(wiersze.begin(), wiersze.end()));
}

Opis86 czytajOpis86(const std::vector<QStringView>& wiersze) {
    qsizetype dlugosc = 0;
    for (QStringView w : wiersze) dlugosc += w.size();
    QString razem;
    razem.reserve(dlugosc);
    for (QStringView w : wiersze) razem += w;
    const QChar sep = separatorPodpol(razem);
    Opis86 o;
    if (sep.isNull()) {
        for (QStringView w : wiersze) {
            if (!o.tytul.isEmpty()) o.tytul += u' ';
            o.tytul += w;
        }
        o.tytul = std::move(o.tytul).simplified();
        return o;
    }
    Podpola pola;
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
        pola.dodaj(numer, QStringView(razem).mid(i + 3, koniec - i - 3));
        i = koniec;
    }
    o.tytul = pola.zlacz({20, 21, 22, 23, 24, 25, 26, 60, 61, 62, 63});
    o.kontrahent = pola.zlacz({32, 33});
    if (o.kontrahent.isEmpty()) o.kontrahent = pola.zlacz({27, 28});
    const QString iban = pola.zlacz({38});
    o.rachunek = rachunekNrb(!iban.isEmpty() ? iban : pola.zlacz({30}) + pola.zlacz({31}));
    return o;
}

} // namespace mt940
