#include "module/whitelist/PlikPlaski.h"

#include <QIODevice>
#include <vector>

namespace whitelist {

BladPliku::BladPliku(const QString& tekst, bool przerwany)
    : std::runtime_error(tekst.toStdString()), m_tekst(tekst), m_przerwany(przerwany) {}

namespace {

constexpr qint64 kBufor = 1 << 20;
constexpr int kNajglebiej = 64;  // nesting the skipper follows before it calls the file broken
constexpr std::size_t kNajdluzszyTekst = 4096;

// A hand-written JSON scanner over a buffered read: only what the flat file
// needs is kept, everything else is checked for shape and skipped.
class Skaner {
public:
    Skaner(QIODevice& plik, const ZdarzeniaPliku& zdarzenia) : m_plik(plik), m_zdarzenia(zdarzenia), m_bufor(kBufor) {}

    NaglowekPliku czytaj() {
        oczekuj('{');
        if (!czyKoniec('}')) do {
                czytajTekst();
                const std::string klucz = m_tekst;
                oczekuj(':');
                czytajCzlon(klucz);
            } while (czyDalej('}'));
        pominBiale();
        if (znak() != -1) blad(QStringLiteral("po końcu danych są jeszcze znaki"));
        if (!m_naglowek) blad(QStringLiteral("brak nagłówka (naglowek)"));
        if (!m_wynik.data.isValid()) blad(QStringLiteral("brak daty danych (dataGenerowaniaDanych)"));
        if (m_wynik.rundy < 1) blad(QStringLiteral("brak liczby przekształceń (liczbaTransformacji)"));
        return m_wynik;
    }

private:
    [[noreturn]] void blad(const QString& co) const {
        throw BladPliku(QStringLiteral("To nie jest poprawny plik płaski białej listy: %1 (bajt %2).")
                            .arg(co)
                            .arg(m_przeczytane - static_cast<qint64>(m_koniec - m_pozycja)));
    }

    int znak() {
        if (m_pozycja == m_koniec && !doczytaj()) return -1;
        return static_cast<unsigned char>(m_bufor[m_pozycja]);
    }
    int wez() {
        const int c = znak();
        if (c != -1) ++m_pozycja;
        return c;
    }
    bool doczytaj() {
        const qint64 ile = m_plik.read(m_bufor.data(), kBufor);
        if (ile <= 0) return false;
        m_pozycja = 0;
        m_koniec = static_cast<std::size_t>(ile);
        m_przeczytane += ile;
        if (m_zdarzenia.postep && !m_zdarzenia.postep(m_przeczytane))
            throw BladPliku(QStringLiteral("Wczytywanie pliku przerwano."), true);
        return true;
    }

    void pominBiale() {
        for (int c = znak(); c == ' ' || c == '\n' || c == '\r' || c == '\t'; c = znak()) ++m_pozycja;
    }
    void oczekuj(char c) {
        pominBiale();
        if (wez() != c) blad(QStringLiteral("oczekiwano znaku '%1'").arg(QLatin1Char(c)));
    }
    // After an opening bracket: true (and consumed) when the bracket closes at once.
    bool czyKoniec(char zamkniecie) {
        pominBiale();
        if (znak() != zamkniecie) return false;
        ++m_pozycja;
        return true;
    }
    // After an element: true for a comma, false for the closing bracket.
    bool czyDalej(char zamkniecie) {
        pominBiale();
        const int c = wez();
        if (c == ',') return true;
        if (c != zamkniecie) blad(QStringLiteral("oczekiwano ',' lub '%1'").arg(QLatin1Char(zamkniecie)));
        return false;
    }

    // A string into m_tekst. Escapes are kept as two plain characters: no
    // field the file is read for holds any.
    void czytajTekst() {
        oczekuj('"');
        m_tekst.clear();
        for (;;) {
            const int c = wez();
            if (c == '"') return;
            if (c == -1) blad(QStringLiteral("niezakończony tekst"));
            if (c < 0x20) blad(QStringLiteral("znak sterujący w tekście"));
            if (c == '\\') {
                m_tekst += '\\';
                if (wez() == -1) blad(QStringLiteral("niezakończony tekst"));
            }
            m_tekst += static_cast<char>(c);
            if (m_tekst.size() > kNajdluzszyTekst) blad(QStringLiteral("zbyt długi tekst"));
        }
    }
    // A number, true, false or null, as its text.
    void czytajSlowo() {
        pominBiale();
        m_tekst.clear();
        for (int c = znak();
             (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c == '-' || c == '+' || c == '.' || c == 'E';
             c = znak()) {
            m_tekst += static_cast<char>(c);
            ++m_pozycja;
            if (m_tekst.size() > kNajdluzszyTekst) blad(QStringLiteral("zbyt długa wartość"));
        }
        if (m_tekst.empty()) blad(QStringLiteral("oczekiwano wartości"));
    }
    // A string or a bare number: the header's fields come as either.
    void czytajProsta() {
        pominBiale();
        if (znak() == '"')
            czytajTekst();
        else
            czytajSlowo();
    }

    void czytajCzlon(const std::string& klucz) {
        if (klucz == "naglowek") {
            czytajNaglowek();
        } else if (klucz == "skrotyPodatnikowCzynnych") {
            czytajSkroty(Lista::Czynni);
        } else if (klucz == "skrotyPodatnikowZwolnionych") {
            czytajSkroty(Lista::Zwolnieni);
        } else if (klucz == "maski") {
            czytajMaski();
        } else {
            pominWartosc(0);
        }
    }

    void czytajNaglowek() {
        m_naglowek = true;
        oczekuj('{');
        if (czyKoniec('}')) return;
        do {
            czytajTekst();
            const std::string klucz = m_tekst;
            oczekuj(':');
            if (klucz == "dataGenerowaniaDanych") {
                czytajProsta();
                m_wynik.data = QDate::fromString(QString::fromStdString(m_tekst), QStringLiteral("yyyyMMdd"));
                if (!m_wynik.data.isValid()) blad(QStringLiteral("błędna data danych"));
            } else if (klucz == "liczbaTransformacji") {
                czytajProsta();
                bool ok = false;
                m_wynik.rundy = QString::fromStdString(m_tekst).toInt(&ok);
                if (!ok || m_wynik.rundy < 1 || m_wynik.rundy > 1000000)
                    blad(QStringLiteral("błędna liczba przekształceń"));
            } else {
                pominWartosc(1);
            }
        } while (czyDalej('}'));
    }

    template <typename F>
    void czytajTeksty(F&& kazdy) {
        oczekuj('[');
        if (czyKoniec(']')) return;
        do {
            czytajTekst();
            kazdy();
        } while (czyDalej(']'));
    }

    void czytajSkroty(Lista lista) {
        Digest d;
        czytajTeksty([&] {
            if (!fromHex(m_tekst, d)) blad(QStringLiteral("błędny skrót"));
            if (m_zdarzenia.skrot) m_zdarzenia.skrot(lista, d);
        });
    }

    void czytajMaski() {
        czytajTeksty([&] {
            if (m_tekst.size() != 26 || m_tekst.find_first_not_of("0123456789XY") != std::string::npos)
                blad(QStringLiteral("błędna maska rachunku"));
            if (m_zdarzenia.maska) m_zdarzenia.maska(m_tekst);
        });
    }

    void pominWartosc(int glebokosc) {
        if (glebokosc > kNajglebiej) blad(QStringLiteral("zbyt głębokie zagnieżdżenie"));
        pominBiale();
        const int c = znak();
        if (c == '{') {
            ++m_pozycja;
            if (czyKoniec('}')) return;
            do {
                czytajTekst();
                oczekuj(':');
                pominWartosc(glebokosc + 1);
            } while (czyDalej('}'));
        } else if (c == '[') {
            ++m_pozycja;
            if (czyKoniec(']')) return;
            do pominWartosc(glebokosc + 1);
            while (czyDalej(']'));
        } else {
            czytajProsta();
        }
    }

    QIODevice& m_plik;
    const ZdarzeniaPliku& m_zdarzenia;
    std::vector<char> m_bufor;
    std::size_t m_pozycja = 0;
    std::size_t m_koniec = 0;
    qint64 m_przeczytane = 0;
    std::string m_tekst;
    bool m_naglowek = false;
    NaglowekPliku m_wynik;
};

}  // namespace

NaglowekPliku czytajPlikPlaski(QIODevice& plik, const ZdarzeniaPliku& zdarzenia) {
    return Skaner(plik, zdarzenia).czytaj();
}

}  // namespace whitelist
