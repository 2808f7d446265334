#include "module/whitelist/Sprawdzenie.h"

#include "platform/text/Nip.h"

#include <QtConcurrent/QtConcurrentMap>
#include <map>
#include <mutex>
#include <set>
#include <unordered_map>

namespace whitelist {

namespace {

std::string tekstDaty(const QDate& d) { return d.toString(QStringLiteral("yyyyMMdd")).toStdString(); }

// A NIP whose check digit is wrong cannot be on the list: it is refused as such.
std::string nipDoSprawdzenia(const std::string& nip) {
    const QString tekst = QString::fromStdString(nip);
    return text::isValidNip(tekst) ? text::nipDigits(tekst).toStdString() : std::string();
}

// The digests computed in this session: a contractor paid again the same day
// costs no hashing. Bounded, so a long session does not grow without end.
class PamiecSkrotow {
public:
    Digest skrot(const std::string& data, const std::string& nip, const std::string& konto, int rundy) {
        if (const auto d = znany(data, nip, konto, rundy)) return *d;
        const Digest d = digest(data, nip, konto, rundy);
        wstaw(data, nip, konto, rundy, d);
        return d;
    }
    std::optional<Digest> znany(const std::string& data, const std::string& nip, const std::string& konto, int rundy) {
        const std::lock_guard blokada(m_mutex);
        const auto it = m_skroty.find(klucz_(data, nip, konto, rundy));
        return it == m_skroty.end() ? std::nullopt : std::optional<Digest>(it->second);
    }
    bool ma(const std::string& data, const std::string& nip, const std::string& konto, int rundy) {
        return znany(data, nip, konto, rundy).has_value();
    }
    void wstaw(const std::string& data, const std::string& nip, const std::string& konto, int rundy, const Digest& d) {
        const std::lock_guard blokada(m_mutex);
        if (m_skroty.size() >= kNajwiecej) m_skroty.clear();
        m_skroty.emplace(klucz_(data, nip, konto, rundy), d);
    }
    void wyczysc() {
        const std::lock_guard blokada(m_mutex);
        m_skroty.clear();
    }

private:
    static constexpr std::size_t kNajwiecej = 200000;
    static std::string klucz_(const std::string& data, const std::string& nip, const std::string& konto, int rundy) {
        return data + '/' + std::to_string(rundy) + '/' + nip + '/' + konto;
    }
    std::mutex m_mutex;
    std::unordered_map<std::string, Digest> m_skroty;
};

PamiecSkrotow& pamiec() {
    static PamiecSkrotow p;
    return p;
}

// Pairs checked at once between two reports of progress: small enough for the
// window to answer within a fraction of a second, large enough to keep every core busy.
constexpr std::size_t kGrupa = 16;

}  // namespace

Wynik sprawdz(const Magazyn& magazyn, const Para& para) {
    Wynik w;
    const std::string nip = nipDoSprawdzenia(para.nip), konto = normalizedAccount(para.konto);
    if (nip.empty() || konto.empty()) {
        w.bledneDane = true;
        return w;
    }
    const std::string data = tekstDaty(magazyn.opis().data);
    const int rundy = magazyn.opis().rundy;
    w.status = magazyn.szukaj(pamiec().skrot(data, nip, konto, rundy));
    if (w.status != Status::Brak) return w;
    for (const std::string* maska : magazyn.maskiDla(konto)) {
        const auto wirtualne = maskedAccount(*maska, konto);
        if (!wirtualne) continue;
        w.status = magazyn.szukaj(pamiec().skrot(data, nip, *wirtualne, rundy));
        if (w.status != Status::Brak) {
            w.przezMaske = true;
            return w;
        }
    }
    return w;
}

std::vector<ZnanySkrot> znaneSkroty(const Magazyn& magazyn, const std::vector<Para>& pary) {
    const std::string data = tekstDaty(magazyn.opis().data);
    const int rundy = magazyn.opis().rundy;
    std::set<std::pair<std::string, std::string>> klucze;
    for (const Para& p : pary) {
        const std::string nip = nipDoSprawdzenia(p.nip), konto = normalizedAccount(p.konto);
        if (nip.empty() || konto.empty()) continue;
        klucze.insert({nip, konto});
        for (const std::string* maska : magazyn.maskiDla(konto))
            if (auto wirtualne = maskedAccount(*maska, konto)) klucze.insert({nip, std::move(*wirtualne)});
    }
    std::vector<ZnanySkrot> znane;
    for (const auto& [nip, konto] : klucze)
        if (const auto d = pamiec().znany(data, nip, konto, rundy)) znane.push_back({nip, konto, *d});
    return znane;
}

void dodajZnane(const OpisMagazynu& opis, const std::vector<ZnanySkrot>& znane) {
    const std::string data = tekstDaty(opis.data);
    for (const ZnanySkrot& z : znane) pamiec().wstaw(data, z.nip, z.konto, opis.rundy, z.skrot);
}

void zapomnijSkroty() { pamiec().wyczysc(); }

std::vector<Wynik> sprawdz(const Magazyn& magazyn, const std::vector<Para>& pary) {
    return *sprawdz(magazyn, pary, {});
}

std::optional<std::vector<Wynik>> sprawdz(const Magazyn& magazyn, const std::vector<Para>& pary,
                                          const PostepSprawdzania& postep) {
    // A contractor paid for many invoices is hashed once.
    std::map<std::pair<std::string, std::string>, std::size_t> jedyne;
    std::vector<std::size_t> ktory;
    std::vector<Para> doLiczenia;
    for (const Para& p : pary) {
        const auto [it, nowy] = jedyne.try_emplace({nipDoSprawdzenia(p.nip), normalizedAccount(p.konto)},
                                                   doLiczenia.size());
        if (nowy) doLiczenia.push_back(p);
        ktory.push_back(it->second);
    }
    // Those already hashed go first and are not counted as work.
    const std::string data = tekstDaty(magazyn.opis().data);
    std::vector<std::size_t> gotowe, nowe;
    for (std::size_t i = 0; i < doLiczenia.size(); ++i) {
        const std::string n = nipDoSprawdzenia(doLiczenia[i].nip), k = normalizedAccount(doLiczenia[i].konto);
        (n.empty() || k.empty() || pamiec().ma(data, n, k, magazyn.opis().rundy) ? gotowe : nowe).push_back(i);
    }
    std::vector<Wynik> policzone(doLiczenia.size());
    for (std::size_t i : gotowe) policzone[i] = sprawdz(magazyn, doLiczenia[i]);
    for (std::size_t od = 0; od < nowe.size(); od += kGrupa) {
        if (postep && !postep(od, nowe.size())) return std::nullopt;
        std::vector<std::size_t> grupa(nowe.begin() + od, nowe.begin() + std::min(nowe.size(), od + kGrupa));
        QtConcurrent::blockingMap(grupa, [&](std::size_t i) { policzone[i] = sprawdz(magazyn, doLiczenia[i]); });
    }
    if (postep && !nowe.empty() && !postep(nowe.size(), nowe.size())) return std::nullopt;
    std::vector<Wynik> wyniki;
    wyniki.reserve(pary.size());
    for (std::size_t i : ktory) wyniki.push_back(policzone[i]);
    return wyniki;
}

WybranyMagazyn magazynNaDzien(const QDate& dzien) {
    WybranyMagazyn w;
    if (auto m = Magazyn::otworz(dzien)) {
        w.magazyn = std::move(m);
        return w;
    }
    const std::vector<QDate> dni = wczytaneDni();
    for (auto it = dni.rbegin(); it != dni.rend() && !w.magazyn; ++it) {
        w.magazyn = Magazyn::otworz(*it);
    }
    const QString naDzien = dzien.toString(QStringLiteral("yyyy-MM-dd"));
    if (!w.magazyn) {
        w.ostrzezenie = "Nie wczytano pliku płaskiego białej listy podatników VAT. Rachunków na dzień " + naDzien +
                        " nie można sprawdzić.";
        return w;
    }
    const QDate data = w.magazyn->opis().data;
    w.ostrzezenie = QStringLiteral(
                        "Brak pliku płaskiego białej listy z dnia %1. Rachunki sprawdzono według "
                        "najnowszego wczytanego pliku z dnia %2, %3 niż dzień przelewów.")
                        .arg(naDzien, data.toString(QStringLiteral("yyyy-MM-dd")),
                             data < dzien ? QStringLiteral("starszego") : QStringLiteral("późniejszego"));
    return w;
}

QString opis(const Wynik& w) {
    if (w.bledneDane) return QStringLiteral("błędny NIP lub numer rachunku");
    switch (w.status) {
    case Status::Czynny:
        return w.przezMaske ? QStringLiteral("rachunek wirtualny czynnego podatnika VAT")
                            : QStringLiteral("czynny podatnik VAT");
    case Status::Zwolniony:
        return w.przezMaske ? QStringLiteral("rachunek wirtualny podatnika zwolnionego z VAT")
                            : QStringLiteral("podatnik zwolniony z VAT");
    case Status::Brak: break;
    }
    return QStringLiteral("rachunku nie ma na białej liście");
}

}  // namespace whitelist
