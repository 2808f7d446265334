#include "platform/mt940/Kodowanie.h"

#include "platform/text/Cp1250.h"

#include <array>

namespace mt940 {
namespace {

// Code points of ISO-8859-2 bytes 0xA0..0xFF; below that it is ASCII and the C1 controls.
constexpr std::array<char16_t, 96> kIsoGorna = {
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7, 0x00A8, 0x0160, 0x015E, 0x0164, 0x0179,
    0x00AD, 0x017D, 0x017B, 0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7, 0x00B8, 0x0161,
    0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106,
    0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155,
    0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED,
    0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA,
    0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

bool poprawneUtf8(std::string_view b, bool& cosPozaAscii) {
    cosPozaAscii = false;
    for (std::size_t i = 0; i < b.size();) {
        const auto c = static_cast<unsigned char>(b[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        cosPozaAscii = true;
        const int dalsze = c >= 0xF0 && c <= 0xF4 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : -1;
        if (c >= 0xF5 || dalsze < 0 || i + static_cast<std::size_t>(dalsze) >= b.size()) return false;
        for (int k = 1; k <= dalsze; ++k)
            if ((static_cast<unsigned char>(b[i + k]) & 0xC0) != 0x80) return false;
        i += static_cast<std::size_t>(dalsze) + 1;
    }
    return true;
}

// Bytes that are a Polish letter in one code page and something rare in the other.
int glosCp1250(unsigned char c) {
    switch (c) {
    case 0x8C: case 0x8F: case 0x9C: case 0x9F:   // Ś Ź ś ź; C1 controls in ISO-8859-2
    case 0xA5: case 0xB9:                         // Ą ą; Ľ š in ISO-8859-2
        return 1;
    case 0xA1: case 0xA6: case 0xAC: case 0xB1: case 0xB6: case 0xBC:   // Ą Ś Ź ą ś ź of ISO-8859-2
        return -1;
    default: return 0;
    }
}

QString zIso88592(std::string_view b) {
    QString s(static_cast<qsizetype>(b.size()), Qt::Uninitialized);
    QChar* out = s.data();
    for (char ch : b) {
        const auto c = static_cast<unsigned char>(ch);
        *out++ = QChar(c < 0xA0 ? char16_t(c) : kIsoGorna[c - 0xA0]);
    }
    return s;
}

} // namespace

Kodowanie rozpoznajKodowanie(std::string_view bajty) {
    bool cosPozaAscii = false;
    if (poprawneUtf8(bajty, cosPozaAscii)) return cosPozaAscii ? Kodowanie::Utf8 : Kodowanie::Cp1250;
    int glos = 0;
    for (char c : bajty) glos += glosCp1250(static_cast<unsigned char>(c));
    return glos < 0 ? Kodowanie::Iso88592 : Kodowanie::Cp1250;
}

QString dekoduj(std::string_view bajty, Kodowanie kodowanie) {
    if (kodowanie == Kodowanie::Rozpoznaj) kodowanie = rozpoznajKodowanie(bajty);
    switch (kodowanie) {
    case Kodowanie::Utf8:
        if (bajty.substr(0, 3) == "\xEF\xBB\xBF") bajty.remove_prefix(3);
        return QString::fromUtf8(bajty.data(), static_cast<qsizetype>(bajty.size()));
    case Kodowanie::Iso88592: return zIso88592(bajty);
    default: return text::fromCp1250(bajty);
    }
}

} // namespace mt940
