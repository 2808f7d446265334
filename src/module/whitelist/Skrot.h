#pragma once
// The white list's digest of a taxpayer's account: SHA-512 over the text
// date (yyyymmdd) + NIP + account (26 digits), repeated the file's number of
// times, every round over the previous round's lower-case hex text. Only the
// digest is published, so a pair is checked by computing it the same way.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace whitelist {

using Digest = std::array<unsigned char, 64>;

// rounds >= 1.
Digest digest(std::string_view date, std::string_view nip, std::string_view account, int rounds);

// How many digests this process has computed: what a check spared shows in it.
std::uint64_t digestsComputed();

std::string toHex(const Digest& d);
// 128 hex digits of either case; false (d untouched or partly written) otherwise.
bool fromHex(std::string_view hex, Digest& d);

// A virtual account as the list holds it: the mask's digits must be the
// account's own, its 'Y' positions take the account's digits and its 'X'
// positions stay 'X'. Nothing when the mask does not fit the account.
std::optional<std::string> maskedAccount(std::string_view mask, std::string_view account);

// The 26 digits of an account number as people type it ("PL51 1950 0001 ...",
// dashes too); empty for anything else.
std::string normalizedAccount(std::string_view text);

}  // namespace whitelist
