// Any bytes as a downloaded white-list flat file: read in full or refused with a message.
#include "module/whitelist/PlikPlaski.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
    QByteArray bajty(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
    QBuffer plik(&bajty);
    plik.open(QIODevice::ReadOnly);
    whitelist::ZdarzeniaPliku zdarzenia;
    zdarzenia.maska = [](const std::string& m) {
        if (m.size() != 26) std::abort();
    };
    try {
        const whitelist::NaglowekPliku n = whitelist::czytajPlikPlaski(plik, zdarzenia);
        if (!n.data.isValid() || n.rundy < 1) std::abort();
    } catch (const whitelist::BladPliku& e) {
        if (!e.tekst().startsWith(QStringLiteral("To nie jest poprawny plik płaski"))) std::abort();
    }
    return 0;
}
