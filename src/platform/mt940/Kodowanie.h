#pragma once
// Statement files come in Windows-1250, ISO-8859-2 or UTF-8, and no bank
// says which; the bytes tell.

#include <QString>

#include <string_view>

namespace mt940 {

enum class Kodowanie { Rozpoznaj, Utf8, Cp1250, Iso88592 };

// Valid UTF-8 with any byte above ASCII is UTF-8 (a leading BOM is dropped).
// Otherwise the bytes where the two 8-bit code pages differ on Polish letters
// decide; a tie is Windows-1250, what most Polish banks write.
Kodowanie rozpoznajKodowanie(std::string_view bajty);

QString dekoduj(std::string_view bajty, Kodowanie kodowanie = Kodowanie::Rozpoznaj);

} // namespace mt940
