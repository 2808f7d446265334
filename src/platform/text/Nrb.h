#pragma once

#include <QString>

// Polish bank account numbers (NRB): 26 digits, the first two of which are
// check digits computed as for an IBAN with the country code "PL"
// (ISO 7064, MOD 97-10). One mistyped digit always breaks them.
namespace text {

enum class NrbCheck {
    Valid,           // 26 digits with the right check digits
    WrongChecksum,   // 26 digits, check digits do not match
    NotNrb,          // not 26 digits (blanks and dashes aside): left to other checks
};

NrbCheck checkNrb(const QString& account);

// The warning shown when a typed account's check digits are wrong; empty otherwise.
QString nrbWarning(const QString& account);

} // namespace text
