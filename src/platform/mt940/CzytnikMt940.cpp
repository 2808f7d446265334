#include "platform/mt940/CzytnikMt940.h"

#include "platform/mt940/Opis86.h"

#include <QStringList>

namespace mt940 {
namespace {

const QChar kSoh(0x01);
const QChar kEtx(0x03);

struct BladWiersza {
    int wiersz;
    QString komunikat;
};

[[noreturn]] void blad(int wiersz, const QString& komunikat) { throw BladWiersza{wiersz, komunikat}; }

bool cyfry(QStringView t) {
    for (QChar c : t)
        if (c < u'0' || c > u'9') return false;
    return !t.isEmpty();
}

int liczba(QStringView t) {
    int v = 0;
    for (QChar c : t) v = v * 10 + (c.unicode() - u'0');
    return v;
}

// YYMMDD; years from 80 on are the last century.
QDate data6(QStringView t) {
    if (t.size() < 6 || !cyfry(t.left(6))) return {};
    const int rr = liczba(t.left(2));
    return QDate(rr < 80 ? 2000 + rr : 1900 + rr, liczba(t.mid(2, 2)), liczba(t.mid(4, 2)));
}

// Digits, the decimal comma every amount carries, at most two decimals: grosze.
// Without the comma, "1.50" would pass for 1 followed by a transaction type.
std::optional<std::int64_t> kwota(QStringView t) {
    const qsizetype przecinek = t.indexOf(u',');
    if (przecinek < 0) return std::nullopt;
    const QStringView calosc = t.left(przecinek);
    const QStringView ulamek = t.mid(przecinek + 1);
    if (!cyfry(calosc) || t.size() > 15 || ulamek.size() > 2 || (!ulamek.isEmpty() && !cyfry(ulamek)))
        return std::nullopt;
    std::int64_t g = 0;
    for (QChar c : calosc) g = g * 10 + (c.unicode() - u'0');
    g *= 100;
    if (ulamek.size() >= 1) g += 10 * (ulamek[0].unicode() - u'0');
    if (ulamek.size() == 2) g += ulamek[1].unicode() - u'0';
    return g;
}

qsizetype dlugoscKwoty(QStringView t, qsizetype od) {
    qsizetype k = od;
    while (k < t.size() && (t[k].isDigit() || t[k] == u',' || t[k] == u'.')) ++k;
    return k - od;
}

// ":20:", ":28C:", ":NS:": the tag without its colons, or empty when the line opens none.
QStringView tagWiersza(QStringView w) {
    if (w.size() < 4 || w[0] != u':') return {};
    if (w.startsWith(u":NS:")) return w.mid(1, 2);
    if (!w[1].isDigit() || !w[2].isDigit()) return {};
    if (w[3] == u':') return w.mid(1, 2);
    if (w.size() >= 5 && w[3].isLetter() && w[4] == u':') return w.mid(1, 3);
    return {};
}

class Czytnik {
public:
    WynikCzytania wynik;

    void wiersz(QStringView w, int nr);
    void koniecPliku(int nr);

private:
    // Views into the text being read, which outlives the reading; one field
    // at a time, its lines kept for the next one.
    struct Pole {
        QStringView tag;
        QStringView wartosc;
        std::vector<QStringView> dalsze;
        int wiersz = 0;
        bool jest = false;

        std::vector<QStringView> wszystkie() const;
    };

    Pole pole_;
    std::optional<Wyciag> wyciag_;
    bool zamkniety_ = false;       // the statement has its closing balance
    bool pozycjaOtwarta_ = false;  // the last field was an entry still waiting for its ":86:"

    void zakonczPole();
    void zakonczWyciag();
    void rozpocznij(const Pole& p);
    Wyciag& wyciag(const Pole& p);
    void rachunek(const Pole& p);
    Saldo saldo(const Pole& p);
    void pozycja(const Pole& p);
    void opis(const Pole& p);
};

void Czytnik::wiersz(QStringView w, int nr) {
    while (!w.isEmpty() && (w.back() == u'\r' || w.back() == kEtx || w.back() == kSoh)) w.chop(1);
    while (!w.isEmpty() && (w.front() == kSoh || w.front() == kEtx)) w = w.mid(1);
    if (w.startsWith(u'{')) {
        // A transmission header; the statement's text may start right after "{4:".
        const qsizetype blok = w.indexOf(u"{4:");
        if (blok < 0) return;
        w = w.mid(blok + 3);
    }
    if (w.isEmpty()) return;
    if (w == u"-" || w == u"-}") {
        zakonczPole();
        return;
    }
    const QStringView tag = tagWiersza(w);
    if (tag.isEmpty()) {
        // What a bank writes around its messages belongs to no field.
        if (pole_.jest) pole_.dalsze.push_back(w);
        return;
    }
    zakonczPole();
    pole_.tag = tag;
    pole_.wartosc = w.mid(tag.size() + 2);
    pole_.dalsze.clear();
    pole_.wiersz = nr;
    pole_.jest = true;
}

std::vector<QStringView> Czytnik::Pole::wszystkie() const {
    std::vector<QStringView> w{wartosc};
    w.insert(w.end(), dalsze.begin(), dalsze.end());
    return w;
}

void Czytnik::zakonczPole() {
    if (!pole_.jest) return;
    pole_.jest = false;
    const Pole& p = pole_;
    const bool bylaPozycja = pozycjaOtwarta_;
    pozycjaOtwarta_ = false;
    if (p.tag == u"20") return rozpocznij(p);
    Wyciag& w = wyciag(p);
    if (p.tag == u"25") return rachunek(p);
    if (p.tag.startsWith(u"28")) {
        w.numer = p.wartosc.trimmed().toString();
        return;
    }
    if (p.tag == u"60F" || p.tag == u"60M") {
        w.otwarcia = saldo(p);
        w.otwarcia.posrednie = p.tag.endsWith(u'M');
        return;
    }
    if (zamkniety_ && p.tag != u"86" && p.tag != u"64" && p.tag != u"65")
        blad(p.wiersz, QStringLiteral("pole :%1: po saldzie końcowym wyciągu").arg(p.tag));
    if (p.tag == u"61") return pozycja(p);
    if (p.tag == u"86") {
        if (bylaPozycja) return opis(p);
        for (QStringView t : p.wszystkie()) {
            w.informacja += u' ';
            w.informacja += t;
        }
        w.informacja = std::move(w.informacja).simplified();
        return;
    }
    if (p.tag == u"62F" || p.tag == u"62M") {
        w.zamkniecia = saldo(p);
        w.zamkniecia.posrednie = p.tag.endsWith(u'M');
        zamkniety_ = true;
        return;
    }
    if (p.tag == u"64") w.dostepne = saldo(p);
}

void Czytnik::rozpocznij(const Pole& p) {
    if (wyciag_ && !zamkniety_)
        blad(p.wiersz, QStringLiteral("wyciąg z wiersza %1 nie ma salda końcowego :62F:").arg(wyciag_->wiersz));
    zakonczWyciag();
    wyciag_.emplace();
    wyciag_->wiersz = p.wiersz;
    wyciag_->referencja = p.wartosc.trimmed().toString();
    zamkniety_ = false;
}

Wyciag& Czytnik::wyciag(const Pole& p) {
    if (!wyciag_) blad(p.wiersz, QStringLiteral("pole :%1: przed polem :20: wyciągu").arg(p.tag));
    return *wyciag_;
}

void Czytnik::zakonczWyciag() {
    if (!wyciag_) return;
    Wyciag& w = *wyciag_;
    if (w.rachunekPola.isEmpty()) blad(w.wiersz, QStringLiteral("wyciąg bez rachunku (pole :25:)"));
    if (!w.otwarcia.data.isValid()) blad(w.wiersz, QStringLiteral("wyciąg bez salda otwarcia (pole :60F:)"));
    if (w.roznicaSald() != 0) {
        std::int64_t obroty = 0;
        for (const Pozycja& poz : w.pozycje) obroty += poz.zeZnakiem();
        wynik.niezgodnosciSald.push_back(
            {w.wiersz, QStringLiteral("Wyciąg %1 (wiersz %2): saldo otwarcia %3 i obroty %4 dają %5, a saldo "
                                      "końcowe wynosi %6 (różnica %7)")
                           .arg(w.numer.isEmpty() ? w.referencja : w.numer)
                           .arg(w.wiersz)
                           .arg(kwotaTekstem(w.otwarcia.zeZnakiem()), kwotaTekstem(obroty),
                                kwotaTekstem(w.otwarcia.zeZnakiem() + obroty),
                                kwotaTekstem(w.zamkniecia.zeZnakiem()), kwotaTekstem(w.roznicaSald()))});
    }
    wynik.wyciagi.push_back(std::move(w));
    wyciag_.reset();
}

void Czytnik::rachunek(const Pole& p) {
    Wyciag& w = *wyciag_;
    w.rachunekPola = p.wartosc.trimmed().toString();
    if (w.rachunekPola.isEmpty()) blad(p.wiersz, QStringLiteral("puste pole :25: (rachunek)"));
    QString r = w.rachunekPola;
    if (r.startsWith(u'/')) r.remove(0, 1);
    const qsizetype ukosnik = r.indexOf(u'/');
    if (ukosnik > 0) {
        w.kodBanku = r.left(ukosnik).trimmed();
        r = r.mid(ukosnik + 1);
    }
    // A currency some banks append to the account.
    if (r.size() > 3 && r.right(3).front().isLetter() && r.right(3).back().isLetter() && r[r.size() - 4].isDigit())
        r.chop(3);
    w.rachunek = rachunekNrb(r);
}

Saldo Czytnik::saldo(const Pole& p) {
    const QStringView v = p.wartosc.trimmed();
    const auto zle = [&](const QString& co) {
        blad(p.wiersz, QStringLiteral("%1 w polu :%2: '%3'").arg(co, p.tag, v.left(40)));
    };
    if (v.isEmpty() || (v[0] != u'C' && v[0] != u'D')) zle(QStringLiteral("brak znaku C/D salda"));
    Saldo s;
    s.debet = v[0] == u'D';
    s.data = data6(v.mid(1));
    if (!s.data.isValid()) zle(QStringLiteral("nieprawidłowa data"));
    s.waluta = v.mid(7, 3).toString();
    if (s.waluta.size() != 3 || !s.waluta[0].isLetter()) zle(QStringLiteral("brak waluty"));
    const auto k = kwota(v.mid(10));
    if (!k) zle(QStringLiteral("nieprawidłowa kwota"));
    s.kwota = *k;
    return s;
}

void Czytnik::pozycja(const Pole& p) {
    Wyciag& w = *wyciag_;
    if (!w.otwarcia.data.isValid()) blad(p.wiersz, QStringLiteral("pozycja :61: przed saldem otwarcia :60F:"));
    const QStringView v = p.wartosc.trimmed();
    const auto zle = [&](const QString& co) {
        blad(p.wiersz, QStringLiteral("%1 w polu :61: '%2'").arg(co, v.left(40)));
    };
    Pozycja poz;
    poz.wiersz = p.wiersz;
    poz.dataWaluty = data6(v);
    if (!poz.dataWaluty.isValid()) zle(QStringLiteral("nieprawidłowa data waluty"));
    qsizetype i = 6;
    if (v.size() >= i + 4 && cyfry(v.mid(i, 4))) {
        const int mies = liczba(v.mid(i, 2));
        int rok = poz.dataWaluty.year();
        // Booked in December for a value date in January, or the other way round.
        if (mies == 12 && poz.dataWaluty.month() == 1) --rok;
        if (mies == 1 && poz.dataWaluty.month() == 12) ++rok;
        poz.dataKsiegowania = QDate(rok, mies, liczba(v.mid(i + 2, 2)));
        if (!poz.dataKsiegowania.isValid()) zle(QStringLiteral("nieprawidłowa data księgowania"));
        i += 4;
    }
    if (v.mid(i).startsWith(u"RD") || v.mid(i).startsWith(u"RC")) {
        poz.storno = true;
        poz.obciazenie = v[i + 1] == u'C';
        i += 2;
    } else if (i < v.size() && (v[i] == u'D' || v[i] == u'C')) {
        poz.obciazenie = v[i] == u'D';
        ++i;
    } else {
        zle(QStringLiteral("brak znaku D/C"));
    }
    if (i < v.size() && v[i].isLetter()) poz.kodFunduszy = v[i++];
    const qsizetype dl = dlugoscKwoty(v, i);
    const auto k = kwota(v.mid(i, dl));
    if (!k) zle(QStringLiteral("nieprawidłowa kwota '%1'").arg(v.mid(i, dl)));
    poz.kwota = *k;
    i += dl;
    poz.typ = v.mid(i, 4).toString();
    if (poz.typ.size() < 4 || !poz.typ[0].isLetter()) zle(QStringLiteral("brak typu transakcji"));
    const QStringView referencje = v.mid(i + 4);
    const qsizetype podwojny = referencje.indexOf(u"//");
    poz.referencjaKlienta = (podwojny < 0 ? referencje : referencje.left(podwojny)).trimmed().toString();
    if (podwojny >= 0) poz.referencjaBanku = referencje.mid(podwojny + 2).trimmed().toString();
    for (QStringView d : p.dalsze) {
        poz.uzupelnienie += u' ';
        poz.uzupelnienie += d;
    }
    poz.uzupelnienie = std::move(poz.uzupelnienie).trimmed();
    w.pozycje.push_back(std::move(poz));
    pozycjaOtwarta_ = true;
}

void Czytnik::opis(const Pole& p) {
    Pozycja& poz = wyciag_->pozycje.back();
    const std::vector<QStringView> wiersze = p.wszystkie();
    Opis86 o = czytajOpis86(wiersze);
    qsizetype dlugosc = 0;
    for (QStringView w : wiersze) dlugosc += w.size() + 1;
    poz.opis.reserve(dlugosc);
    for (QStringView w : wiersze) {
        if (!poz.opis.isEmpty()) poz.opis += u'\n';
        poz.opis += w;
    }
    poz.kodOperacji = std::move(o.kodOperacji);
    poz.kontrahent = std::move(o.kontrahent);
    poz.rachunek = std::move(o.rachunek);
    poz.tytul = std::move(o.tytul);
}

void Czytnik::koniecPliku(int nr) {
    zakonczPole();
    if (wyciag_ && !zamkniety_)
        blad(nr, QStringLiteral("plik urwany: wyciąg z wiersza %1 nie ma salda końcowego :62F:").arg(wyciag_->wiersz));
    zakonczWyciag();
    if (wynik.wyciagi.empty()) blad(0, QStringLiteral("plik nie zawiera żadnego wyciągu (pola :20:)"));
}

} // namespace

std::int64_t Wyciag::roznicaSald() const {
    std::int64_t suma = otwarcia.zeZnakiem();
    for (const Pozycja& p : pozycje) suma += p.zeZnakiem();
    return zamkniecia.zeZnakiem() - suma;
}

QString kwotaTekstem(std::int64_t grosze) {
    const bool minus = grosze < 0;
    const std::uint64_t g = minus ? 0 - static_cast<std::uint64_t>(grosze) : static_cast<std::uint64_t>(grosze);
    QString calosc = QString::number(g / 100);
    for (qsizetype k = calosc.size() - 3; k > 0; k -= 3) calosc.insert(k, u' ');
    return (minus ? QStringLiteral("-") : QString()) + calosc + u',' +
           QStringLiteral("%1").arg(g % 100, 2, 10, QLatin1Char('0'));
}

WynikCzytania czytajWyciagi(const QString& tekst) {
    Czytnik c;
    int nr = 0;
    const QStringView t(tekst);
    try {
        qsizetype od = 0;
        while (od < t.size()) {
            qsizetype lf = t.indexOf(u'\n', od);
            if (lf < 0) lf = t.size();
            c.wiersz(t.mid(od, lf - od), ++nr);
            od = lf + 1;
        }
        c.koniecPliku(nr);
    } catch (const BladWiersza& b) {
        c.wynik.blad = Blad{b.wiersz, b.wiersz > 0 ? QStringLiteral("Wiersz %1: %2").arg(b.wiersz).arg(b.komunikat)
                                                   : QStringLiteral("Wyciąg: %1").arg(b.komunikat)};
    }
    return std::move(c.wynik);
}

WynikCzytania czytajWyciagi(std::string_view bajty, Kodowanie kodowanie) {
    return czytajWyciagi(dekoduj(bajty, kodowanie));
}

} // namespace mt940
