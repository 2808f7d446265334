// Any bytes as one line of the payroll program's transfer file.
#include "module/import/WierszImportu.h"
#include "platform/text/Cp1250.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
    const QString wiersz = text::fromCp1250(std::string_view(reinterpret_cast<const char*>(dane), rozmiar));
    const auto przelew = przelewZWiersza(wiersz);
    if (!przelew) return 0;
    // What passes must be a transfer the register can take.
    if (!przelew->data.isValid() || przelew->kodFK.isEmpty() || przelew->tresc.isEmpty()) std::abort();
    if (przelew->kwota.units < 0 || przelew->kwota.scale != 2) std::abort();
    return 0;
}
