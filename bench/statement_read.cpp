// Reading a statement of many entries, against a floor that only splits the
// same text into lines and tags, and matching entries against realized
// transfers. Usage: bench_statement_read reader|floor|match <entries>
// Prints the milliseconds of the step asked for: on the clock, then of processor time.
#include "module/import/DopasowanieWyciagu.h"
#include "platform/mt940/CzytnikMt940.h"
#include "platform/text/Cp1250.h"

#include <QElapsedTimer>

#include <cstdio>
#include <ctime>
#include <cstring>
#include <string>
#include <vector>

namespace {

QString rachunek(int i) { return QStringLiteral("%1").arg(10000000 + i % 50000, 26, 10, QLatin1Char('0')); }

// One statement in Windows-1250, with CR LF, structured descriptions of three lines.
std::string wyciag(int pozycji) {
    std::string s = ":20:BENCH\r\n:25:/PL61109010140000071219812874\r\n:28C:1/1\r\n:60F:C261201PLN0,00\r\n";
    std::int64_t saldo = 0;
    for (int i = 0; i < pozycji; ++i) {
        const int grosze = 100 + i % 100000;
        const bool d = i % 3 != 0;
        saldo += d ? -grosze : grosze;
        char kwota[32];
        std::snprintf(kwota, sizeof kwota, "%d,%02d", grosze / 100, grosze % 100);
        s += ":61:2612011201" + std::string(d ? "D" : "C") + kwota + "N641NONREF//R" + std::to_string(i) + "\r\n";
        s += ":86:020~00PRZELEW~20FV/" + std::to_string(i) + " zap\xB3" "ata za dostaw\xEA~21 materia\xB3\xF3w\r\n";
        s += "~32Hurtownia \xAF" "elazo~38PL" + rachunek(i).toStdString() + "\r\n";
        s += "~60dalszy tytu\xB3\r\n";
    }
    char koniec[64];
    std::snprintf(koniec, sizeof koniec, ":62F:%c261201PLN%lld,%02lld\r\n-\r\n", saldo < 0 ? 'D' : 'C',
                  static_cast<long long>(std::llabs(saldo) / 100), static_cast<long long>(std::llabs(saldo) % 100));
    return s + koniec;
}

// What any reader of this layout does at least: decode, cut lines, cut the tag off each.
std::size_t podloga(const std::string& bajty) {
    const QString t = text::fromCp1250(bajty);
    std::vector<std::pair<QString, QString>> pola;
    qsizetype od = 0;
    while (od < t.size()) {
        qsizetype lf = t.indexOf(u'\n', od);
        if (lf < 0) lf = t.size();
        QStringView w = QStringView(t).mid(od, lf - od);
        if (w.endsWith(u'\r')) w.chop(1);
        const qsizetype dwukropek = w.startsWith(u':') ? w.indexOf(u':', 1) : -1;
        if (dwukropek > 0)
            pola.emplace_back(w.mid(1, dwukropek - 1).toString(), w.mid(dwukropek + 1).toString());
        else if (!pola.empty())
            pola.back().second += w;
        od = lf + 1;
    }
    return pola.size();
}

long long dopasowanie(int n) {
    std::vector<TPozycjaDoDopasowania> p;
    std::vector<TZrealizowanyDoDopasowania> z;
    const QDate dzien(2026, 12, 1);
    for (int i = 0; i < n; ++i) {
        z.push_back({i, rachunek(i), 100 + i % 700, dzien.addDays(i % 20), QStringLiteral("A"),
                     QStringLiteral("FV/%1").arg(i)});
        p.push_back({rachunek(n - 1 - i), 100 + (n - 1 - i) % 700, dzien.addDays((n - 1 - i) % 20 + 1),
                     QStringLiteral("zapłata FV/%1").arg(n - 1 - i)});
    }
    QElapsedTimer t;
    t.start();
    const TWynikDopasowania w = dopasujWyciag(p, z);
    const long long ms = t.elapsed();
    if (w.pary.size() != std::size_t(n)) std::fprintf(stderr, "matched %zu of %d\n", w.pary.size(), n);
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const int n = std::atoi(argv[2]);
    if (std::strcmp(argv[1], "match") == 0) {
        std::printf("%lld\n", dopasowanie(n));
        return 0;
    }
    const std::string bajty = wyciag(n);
    QElapsedTimer t;
    t.start();
    const std::clock_t procesor = std::clock();
    if (std::strcmp(argv[1], "reader") == 0) {
        const mt940::WynikCzytania w = mt940::czytajWyciagi(bajty);
        if (w.blad || !w.ok() || w.wyciagi.at(0).pozycje.size() != std::size_t(n)) {
            std::fprintf(stderr, "%s\n", w.blad ? qPrintable(w.blad->komunikat) : "wrong statement");
            return 1;
        }
    } else if (podloga(bajty) == 0) {
        return 1;
    }
    std::printf("%lld %lld\n", static_cast<long long>(t.elapsed()),
                static_cast<long long>((std::clock() - procesor) * 1000 / CLOCKS_PER_SEC));
    return 0;
}
