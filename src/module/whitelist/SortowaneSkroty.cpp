#include "module/whitelist/SortowaneSkroty.h"

#include <QIODevice>
#include <algorithm>
#include <cstring>
#include <queue>
#include <stdexcept>

namespace whitelist {

namespace {

constexpr std::size_t kOdczytSerii = 256;  // digests read at a time from each run while merging

void wymagaj(bool ok, const char* co) {
    if (!ok) throw std::runtime_error(std::string("Nie można zapisać skrótów białej listy: ") + co);
}

// One spilled run during the merge, read through a small window.
class Seria {
public:
    Seria(QIODevice& plik, qint64 poczatek, quint64 ile) : m_plik(plik), m_nastepny(poczatek), m_zostalo(ile) {}
    bool pusta() const { return m_pozycja == m_okno.size() && m_zostalo == 0; }
    const Digest& biezacy() const { return m_okno[m_pozycja]; }
    void dalej() {
        if (++m_pozycja == m_okno.size()) doczytaj();
    }
    void doczytaj() {
        const std::size_t ile = static_cast<std::size_t>(std::min<quint64>(m_zostalo, kOdczytSerii));
        m_okno.resize(ile);
        m_pozycja = 0;
        if (ile == 0) return;
        const qint64 bajty = static_cast<qint64>(ile * sizeof(Digest));
        wymagaj(m_plik.seek(m_nastepny) && m_plik.read(reinterpret_cast<char*>(m_okno.data()), bajty) == bajty,
                "odczyt serii");
        m_nastepny += bajty;
        m_zostalo -= ile;
    }

private:
    QIODevice& m_plik;
    qint64 m_nastepny;
    quint64 m_zostalo;
    std::vector<Digest> m_okno;
    std::size_t m_pozycja = 0;
};

}  // namespace

void ZapisSkrotow::zapisz(const void* dane, std::size_t ile) {
    if (m_bufor.size() + ile > kBufor) oproznij();
    const char* p = static_cast<const char*>(dane);
    m_bufor.insert(m_bufor.end(), p, p + ile);
}

void ZapisSkrotow::oproznij() {
    const auto ile = static_cast<qint64>(m_bufor.size());
    wymagaj(m_wyjscie.write(m_bufor.data(), ile) == ile, "zapis");
    m_bufor.clear();
}

SortowaneSkroty::SortowaneSkroty(std::size_t seria) : m_rozmiarSerii(seria) {
    // The whole run is taken at once: a small file uses as much memory as a big one, never more.
    m_seria.resize(seria);
    m_seria.clear();
}

void SortowaneSkroty::dodaj(const Digest& d) {
    m_seria.push_back(d);
    if (m_seria.size() == m_rozmiarSerii) zrzucSerie();
}

void SortowaneSkroty::zrzucSerie() {
    std::sort(m_seria.begin(), m_seria.end());
    if (!m_serie.isOpen()) wymagaj(m_serie.open(), "plik tymczasowy");
    const auto bajty = static_cast<qint64>(m_seria.size() * sizeof(Digest));
    wymagaj(
        m_serie.seek(m_serie.size()) && m_serie.write(reinterpret_cast<const char*>(m_seria.data()), bajty) == bajty,
        "plik tymczasowy");
    m_dlugosci.push_back(m_seria.size());
    m_seria.clear();
}

quint64 SortowaneSkroty::zapisz(QIODevice& wyjscie) {
    ZapisSkrotow zapis(wyjscie);
    quint64 zapisane = 0;
    const auto wypisz = [&](const Digest& d, const Digest*& poprzedni) {
        if (poprzedni && *poprzedni == d) return;
        zapis.zapisz(d.data(), d.size());
        ++zapisane;
    };
    if (m_dlugosci.empty()) {
        // Everything fitted in one run: no temporary file at all.
        std::sort(m_seria.begin(), m_seria.end());
        const Digest* poprzedni = nullptr;
        for (const Digest& d : m_seria) {
            wypisz(d, poprzedni);
            poprzedni = &d;
        }
    } else {
        if (!m_seria.empty()) zrzucSerie();
        std::vector<Digest>().swap(m_seria);
        std::vector<Seria> serie;
        qint64 poczatek = 0;
        for (quint64 ile : m_dlugosci) {
            serie.emplace_back(m_serie, poczatek, ile);
            serie.back().doczytaj();
            poczatek += static_cast<qint64>(ile * sizeof(Digest));
        }
        const auto pozniejsza = [&](std::size_t a, std::size_t b) { return serie[b].biezacy() < serie[a].biezacy(); };
        std::priority_queue<std::size_t, std::vector<std::size_t>, decltype(pozniejsza)> kolejka(pozniejsza);
        for (std::size_t i = 0; i < serie.size(); ++i) kolejka.push(i);
        Digest ostatni;
        const Digest* poprzedni = nullptr;
        while (!kolejka.empty()) {
            const std::size_t i = kolejka.top();
            kolejka.pop();
            wypisz(serie[i].biezacy(), poprzedni);
            ostatni = serie[i].biezacy();
            poprzedni = &ostatni;
            serie[i].dalej();
            if (!serie[i].pusta()) kolejka.push(i);
        }
    }
    zapis.oproznij();
    return zapisane;
}

}  // namespace whitelist
