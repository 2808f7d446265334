#include "module/whitelist/Skrot.h"

#include <atomic>

#include <openssl/sha.h>

namespace whitelist {

namespace {

constexpr char kHex[] = "0123456789abcdef";

void writeHex(const unsigned char* bytes, char* out) {
    for (int i = 0; i < 64; ++i) {
        out[2 * i] = kHex[bytes[i] >> 4];
        out[2 * i + 1] = kHex[bytes[i] & 15];
    }
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string digitsOnly(std::string_view text, std::size_t wanted) {
    if (text.size() >= 2 && (text[0] == 'P' || text[0] == 'p') && (text[1] == 'L' || text[1] == 'l'))
        text.remove_prefix(2);
    std::string digits;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digits += c;
        else if (c != ' ' && c != '-')
            return {};
    }
    return digits.size() == wanted ? digits : std::string();
}

std::atomic<std::uint64_t> hashedDigests{0};

}  // namespace

Digest digest(std::string_view date, std::string_view nip, std::string_view account, int rounds) {
    ++hashedDigests;
    const std::string first = std::string(date) + std::string(nip) + std::string(account);
    Digest d;
    SHA512(reinterpret_cast<const unsigned char*>(first.data()), first.size(), d.data());
    char hex[128];
    for (int i = 1; i < rounds; ++i) {
        writeHex(d.data(), hex);
        SHA512(reinterpret_cast<const unsigned char*>(hex), sizeof hex, d.data());
    }
    return d;
}

std::uint64_t digestsComputed() { return hashedDigests.load(); }

std::string toHex(const Digest& d) {
    std::string hex(128, '0');
    writeHex(d.data(), hex.data());
    return hex;
}

bool fromHex(std::string_view hex, Digest& d) {
    if (hex.size() != 128) return false;
    for (int i = 0; i < 64; ++i) {
        const int hi = hexValue(hex[2 * i]), lo = hexValue(hex[2 * i + 1]);
        if (hi < 0 || lo < 0) return false;
        d[i] = static_cast<unsigned char>(hi << 4 | lo);
    }
    return true;
}

std::optional<std::string> maskedAccount(std::string_view mask, std::string_view account) {
    if (mask.size() != account.size()) return std::nullopt;
    std::string masked(mask);
    for (std::size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] == 'Y')
            masked[i] = account[i];
        else if (mask[i] != 'X' && mask[i] != account[i])
            return std::nullopt;
    }
    return masked;
}

std::string normalizedAccount(std::string_view text) { return digitsOnly(text, 26); }

}  // namespace whitelist
