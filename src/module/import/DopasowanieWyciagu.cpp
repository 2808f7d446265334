#include "module/import/DopasowanieWyciagu.h"

#include <QHash>

#include <algorithm>
#include <cstdlib>

namespace {

struct Klucz {
    QString rachunek;
    std::int64_t kwota;
    bool operator==(const Klucz&) const = default;
};

size_t qHash(const Klucz& k, size_t seed = 0) { return qHashMulti(seed, k.rachunek, k.kwota); }

// One batch's transfers to one account.
struct Paczka {
    QString rachunek;
    QDate data;
    QString kolejny;
    bool operator==(const Paczka&) const = default;
};

size_t qHash(const Paczka& p, size_t seed = 0) { return qHashMulti(seed, p.rachunek, p.data, p.kolejny); }

bool wOknie(const QDate& a, const QDate& b, int dni) { return std::abs(a.daysTo(b)) <= dni; }

bool fakturaWTytule(const TZrealizowanyDoDopasowania& z, const QString& tytul) {
    const QString nr = z.nrFaktury.trimmed();
    return !nr.isEmpty() && tytul.contains(nr, Qt::CaseInsensitive);
}

class Dopasowanie {
public:
    Dopasowanie(const std::vector<TPozycjaDoDopasowania>& p, const std::vector<TZrealizowanyDoDopasowania>& z, int dni)
        : poz_(p), zre_(z), dni_(dni), uzyty_(z.size(), false) {}

    TWynikDopasowania wykonaj() {
        QHash<Klucz, std::vector<int>> pojedyncze;
        for (int i = 0; i < int(zre_.size()); ++i) pojedyncze[{zre_[i].rachunek, zre_[i].kwota}].push_back(i);
        std::vector<bool> sparowana(poz_.size(), false);
        for (int i = 0; i < int(poz_.size()); ++i) {
            const auto it = pojedyncze.constFind({poz_[i].rachunek, poz_[i].kwota});
            if (it == pojedyncze.cend()) continue;
            const int z = najlepszy(poz_[i], *it);
            if (z < 0) continue;
            uzyty_[z] = true;
            sparowana[i] = true;
            wynik_.pary.push_back({i, {z}});
        }
        grupy(sparowana);
        for (int i = 0; i < int(poz_.size()); ++i)
            if (!sparowana[i]) wynik_.pozycjeBezPary.push_back(i);
        for (int z = 0; z < int(zre_.size()); ++z)
            if (!uzyty_[z]) wynik_.zrealizowaneBezPary.push_back(z);
        return std::move(wynik_);
    }

private:
    const std::vector<TPozycjaDoDopasowania>& poz_;
    const std::vector<TZrealizowanyDoDopasowania>& zre_;
    int dni_;
    std::vector<bool> uzyty_;
    TWynikDopasowania wynik_;

    // The free candidate in the window: the invoice number first, then the nearest day, then the lower index.
    int najlepszy(const TPozycjaDoDopasowania& p, const std::vector<int>& kandydaci) const {
        int best = -1;
        auto lepszy = [&](int a, int b) {
            const bool fa = fakturaWTytule(zre_[a], p.tytul), fb = fakturaWTytule(zre_[b], p.tytul);
            if (fa != fb) return fa;
            return std::abs(zre_[a].dataRealizacji.daysTo(p.data)) < std::abs(zre_[b].dataRealizacji.daysTo(p.data));
        };
        for (int z : kandydaci) {
            if (uzyty_[z] || !wOknie(zre_[z].dataRealizacji, p.data, dni_)) continue;
            if (best < 0 || lepszy(z, best)) best = z;
        }
        return best;
    }

    // What is left of each batch's transfers to one account, as one sum.
    void grupy(std::vector<bool>& sparowana) {
        QHash<Paczka, std::vector<int>> paczki;
        for (int z = 0; z < int(zre_.size()); ++z)
            if (!uzyty_[z]) paczki[{zre_[z].rachunek, zre_[z].dataRealizacji, zre_[z].kolejny}].push_back(z);
        QHash<Klucz, std::vector<std::vector<int>>> sumy;
        for (auto it = paczki.cbegin(); it != paczki.cend(); ++it) {
            if (it->size() < 2) continue;
            std::int64_t suma = 0;
            for (int z : *it) suma += zre_[z].kwota;
            sumy[{it.key().rachunek, suma}].push_back(*it);
        }
        for (int i = 0; i < int(poz_.size()); ++i) {
            if (sparowana[i]) continue;
            auto it = sumy.find({poz_[i].rachunek, poz_[i].kwota});
            if (it == sumy.end()) continue;
            for (std::vector<int>& g : *it) {
                if (g.empty() || !wOknie(zre_[g.front()].dataRealizacji, poz_[i].data, dni_)) continue;
                for (int z : g) uzyty_[z] = true;
                sparowana[i] = true;
                wynik_.pary.push_back({i, std::move(g)});
                g.clear();
                break;
            }
        }
    }
};

} // namespace

QString cyfryRachunku(const QString& rachunek) {
    QString c;
    c.reserve(rachunek.size());
    for (QChar ch : rachunek)
        if (ch >= u'0' && ch <= u'9') c += ch;
    return c;
}

TWynikDopasowania dopasujWyciag(const std::vector<TPozycjaDoDopasowania>& pozycje,
                                const std::vector<TZrealizowanyDoDopasowania>& zrealizowane, int dniOdstepu) {
    return Dopasowanie(pozycje, zrealizowane, dniOdstepu).wykonaj();
}
