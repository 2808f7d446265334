#include "Stringutil.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::size_t kLetters = 18;
using Table = std::array<unsigned char, kLetters>;

// Every table lists Ą Ć Ę Ł Ń Ó Ś Ź Ż ą ć ę ł ń ó ś ź ż in this order.
constexpr Table kIso8859_2 = {0xA1, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0xA6, 0xAC, 0xAF,
                              0xB1, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0xB6, 0xBC, 0xBF};
constexpr Table kWindows1250 = {0xA5, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0x8C, 0x8F, 0xAF,
                                0xB9, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0x9C, 0x9F, 0xBF};
constexpr Table kMazovia = {0x8F, 0x95, 0x90, 0x9C, 0xA5, 0xA3, 0x98, 0xA0, 0xA1,
                            0x86, 0x8D, 0x91, 0x92, 0xA4, 0xA2, 0x9E, 0xA6, 0xA7};
constexpr Table kDos852 = {0xA4, 0x8F, 0xA8, 0x9D, 0xE3, 0xE0, 0x97, 0x8D, 0xBD,
                           0xA5, 0x86, 0xA9, 0x88, 0xE4, 0xA2, 0x98, 0xAB, 0xBE};
constexpr Table kPlain = {'A', 'C', 'E', 'L', 'N', 'O', 'S', 'Z', 'Z',
                          'a', 'c', 'e', 'l', 'n', 'o', 's', 'z', 'z'};

const Table& tableOf(int code)
{
    switch (code) {
    case 11: return kIso8859_2;
    case 12: return kWindows1250;
    case 101: return kMazovia;
    case 102: return kDos852;
    default: return kPlain;
    }
}

} // namespace

std::string sZamienZnakiPL(std::string text, int source, int target)
{
    const Table& from = tableOf(source);
    const Table& to = tableOf(target);
    for (char& ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80)
            continue;
        for (std::size_t i = 0; i < kLetters; ++i) {
            if (from[i] == byte) {
                ch = static_cast<char>(to[i]);
                break;
            }
        }
    }
    return text;
}
