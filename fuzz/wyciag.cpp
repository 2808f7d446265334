// Any bytes as a statement file, in each of the encodings the reader knows.
#include "platform/mt940/CzytnikMt940.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
    const std::string_view bajty(reinterpret_cast<const char*>(dane), rozmiar);
    for (auto k : {mt940::Kodowanie::Rozpoznaj, mt940::Kodowanie::Utf8, mt940::Kodowanie::Iso88592}) {
        const mt940::WynikCzytania w = mt940::czytajWyciagi(bajty, k);
        // Either something was read or the reader says why not.
        if (w.wyciagi.empty() && !w.blad) std::abort();
        std::size_t niezgodne = 0;
        for (const mt940::Wyciag& s : w.wyciagi) {
            if (s.rachunekPola.isEmpty()) std::abort();
            for (const mt940::Pozycja& p : s.pozycje)
                if (p.kwota < 0 || !p.dataWaluty.isValid()) std::abort();
            niezgodne += s.roznicaSald() != 0;
        }
        if (niezgodne != w.niezgodnosciSald.size()) std::abort();
    }
    return 0;
}
