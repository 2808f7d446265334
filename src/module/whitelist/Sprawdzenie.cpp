#include "module/whitelist/Sprawdzenie.h"

#include "platform/text/Nip.h"

#include <QtConcurrent/QtConcurrentMap>
#include <map>

namespace whitelist {

namespace {

std::string tekstDaty(const QDate& d) { return d.toString(QStringLiteral("yyyyMMdd")).toStdString(); }

// A NIP whose check digit is wrong cannot be on the list: it is refused as such.
std::string nipDoSprawdzenia(const std::string& nip) {
    const QString tekst = QString::fromStdString(nip);
    return text::isValidNip(tekst) ? text::nipDigits(tekst).toStdString() : std::string();
}

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
    w.status = magazyn.szukaj(digest(data, nip, konto, rundy));
    if (w.status != Status::Brak) return w;
    for (const std::string* maska : magazyn.maskiDla(konto)) {
        const auto wirtualne = maskedAccount(*maska, konto);
        if (!wirtualne) continue;
        w.status = magazyn.szukaj(digest(data, nip, *wirtualne, rundy));
        if (w.status != Status::Brak) {
            w.przezMaske = true;
            return w;
        }
    }
    return w;
}

std::vector<Wynik> sprawdz(const Magazyn& magazyn, const std::vector<Para>& pary) {
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
    std::vector<Wynik> policzone(doLiczenia.size());
    std::vector<std::size_t> indeksy(doLiczenia.size());
    for (std::size_t i = 0; i < indeksy.size(); ++i) indeksy[i] = i;
    QtConcurrent::blockingMap(indeksy, [&](std::size_t i) { policzone[i] = sprawdz(magazyn, doLiczenia[i]); });
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
