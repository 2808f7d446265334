// The VAT white list: loading a synthetic flat file into the store against a
// floor that only parses the same file, and checking transfers against the store.
// Usage: bench_whitelist gen <file> <digests> <rounds>
//        bench_whitelist floor|load <file> <store folder>
//        bench_whitelist check|precheck <store folder> <transfers>
// floor and load print clock ms, processor ms, peak resident KB and the digests
// read; check prints clock ms; precheck prints the clock ms of hashing the
// pairs in advance and of the check that then finds them in the day's file.
#include "module/whitelist/Magazyn.h"
#include "module/whitelist/Sprawdzenie.h"
#include "module/whitelist/ZnaneSkroty.h"

#include <QElapsedTimer>
#include <QFile>

#include <sys/resource.h>

#include <cstdio>
#include <ctime>
#include <random>
#include <string>

using namespace whitelist;

namespace {

const char* const kDzien = "20261210";

// A NIP with the right check digit for number i.
std::string nip(int i) {
    static const int wagi[] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
    for (int n = 100000000 + i * 7;; ++n) {
        const std::string s = std::to_string(n);
        int suma = 0;
        for (int k = 0; k < 9; ++k) suma += (s[k] - '0') * wagi[k];
        if (suma % 11 < 10) return s + char('0' + suma % 11);
    }
}
std::string konto(int i) {
    char s[32];
    std::snprintf(s, sizeof s, "%02d%08d%016d", 10 + i % 90, 10500000 + i % 7, i);
    return s;
}

// Digests are random, a few are real pairs, so that the check finds something.
int gen(const char* sciezka, long ile, int rundy) {
    std::FILE* f = std::fopen(sciezka, "wb");
    if (!f) return 1;
    std::fprintf(f,
                 "{\"naglowek\":{\"dataGenerowaniaDanych\":\"%s\",\"liczbaTransformacji\":\"%d\","
                 "\"schemat\":\"RRRRMMDDNNNNNNNNNNBBBBBBBBBBBBBBBBBBBBBBBBBB\"},\n",
                 kDzien, rundy);
    std::mt19937_64 los(42);
    static const char hex[] = "0123456789abcdef";
    const long zwolnionych = ile / 10;
    const auto lista = [&](const char* nazwa, long n, int prawdziwych) {
        std::fprintf(f, "\"%s\":[\n", nazwa);
        for (long i = 0; i < n; ++i) {
            std::string h;
            if (i < prawdziwych) {
                h = toHex(digest(kDzien, nip(int(i)), konto(int(i)), rundy));
            } else {
                h.resize(128);
                for (int k = 0; k < 128; k += 16) {
                    const std::uint64_t r = los();
                    for (int b = 0; b < 16; ++b) h[k + b] = hex[(r >> (4 * b)) & 15];
                }
            }
            std::fprintf(f, "\"%s\"%s\n", h.c_str(), i + 1 < n ? "," : "");
        }
        std::fprintf(f, "],\n");
    };
    lista("skrotyPodatnikowCzynnych", ile - zwolnionych, 10);
    lista("skrotyPodatnikowZwolnionych", zwolnionych, 0);
    std::fprintf(f, "\"maski\":[");
    for (int i = 0; i < 1000; ++i) std::fprintf(f, "%s\"YY%08dXXXXXXYYYYYYYYYY\"", i ? "," : "", 20000000 + i);
    std::fprintf(f, "]}\n");
    return std::fclose(f) == 0 ? 0 : 1;
}

long szczytKB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

int wczytaj(bool tylkoParsuj, const char* sciezka, const char* folder) {
    QFile plik(QString::fromLocal8Bit(sciezka));
    if (!plik.open(QIODevice::ReadOnly)) return 1;
    ustawFolderMagazynu(QString::fromLocal8Bit(folder));
    QElapsedTimer zegar;
    zegar.start();
    const std::clock_t cpu = std::clock();
    long ile = 0;
    if (tylkoParsuj) {
        ZdarzeniaPliku nic;
        nic.skrot = [&](Lista, const Digest&) { ++ile; };
        czytajPlikPlaski(plik, nic);
    } else {
        const OpisMagazynu o = wczytajPlikPlaski(plik);
        ile = long(o.czynnych + o.zwolnionych);
    }
    std::printf("%lld %lld %ld %ld\n", static_cast<long long>(zegar.elapsed()),
                static_cast<long long>((std::clock() - cpu) * 1000 / CLOCKS_PER_SEC), szczytKB(), ile);
    return 0;
}

// The store of the benchmark's day in the folder, and the pairs of as many transfers.
std::unique_ptr<Magazyn> magazynDnia(const char* folder, int przelewow, std::vector<Para>& pary) {
    ustawFolderMagazynu(QString::fromLocal8Bit(folder));
    for (int i = 0; i < przelewow; ++i) pary.push_back({nip(i), konto(i)});
    return Magazyn::otworz(QDate::fromString(kDzien, "yyyyMMdd"));
}

// Whether the check found exactly the file's real pairs among the transfers.
bool znalazlPrawdziwe(const std::vector<Wynik>& wyniki, int przelewow, int& znalezione) {
    znalezione = 0;
    for (const Wynik& w : wyniki) znalezione += w.status != Status::Brak;
    return znalezione == std::min(przelewow, 10);
}

int sprawdzaj(const char* folder, int przelewow) {
    std::vector<Para> pary;
    const auto m = magazynDnia(folder, przelewow, pary);
    if (!m) return 1;
    QElapsedTimer zegar;
    zegar.start();
    const auto wyniki = sprawdz(*m, pary);
    const auto ms = zegar.elapsed();
    int znalezione = 0;
    if (!znalazlPrawdziwe(wyniki, przelewow, znalezione)) {
        std::fprintf(stderr, "found %d of the file's real pairs\n", znalezione);
        return 1;
    }
    std::printf("%lld\n", static_cast<long long>(ms));
    return 0;
}

// The register's pairs hashed in advance as at load, then the check at issue
// in a fresh session that finds them in the day's file. Prints both clock ms.
int zawczasu(const char* folder, int przelewow) {
    std::vector<Para> pary;
    const auto m = magazynDnia(folder, przelewow, pary);
    if (!m) return 1;
    QElapsedTimer zegar;
    zegar.start();
    sprawdzZeSkrotamiDnia(*m, pary);
    const auto wczesniej = zegar.elapsed();
    zapomnijSkroty();
    const std::uint64_t hashowane = digestsComputed();
    zegar.restart();
    const auto wyniki = sprawdzZeSkrotamiDnia(*m, pary);
    const auto ms = zegar.elapsed();
    int znalezione = 0;
    if (!znalazlPrawdziwe(*wyniki, przelewow, znalezione) || digestsComputed() != hashowane) {
        std::fprintf(stderr, "found %d of the file's real pairs, hashed %llu\n", znalezione,
                     static_cast<unsigned long long>(digestsComputed() - hashowane));
        return 1;
    }
    std::printf("%lld %lld\n", static_cast<long long>(wczesniej), static_cast<long long>(ms));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string co = argc > 1 ? argv[1] : "";
    if (co == "gen" && argc == 5) return gen(argv[2], std::atol(argv[3]), std::atoi(argv[4]));
    if ((co == "floor" || co == "load") && argc == 4) return wczytaj(co == "floor", argv[2], argv[3]);
    if (co == "check" && argc == 4) return sprawdzaj(argv[2], std::atoi(argv[3]));
    if (co == "precheck" && argc == 4) return zawczasu(argv[2], std::atoi(argv[3]));
    std::fprintf(stderr, "usage: see the head of bench/whitelist.cpp\n");
    return 2;
}
