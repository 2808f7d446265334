#pragma once

#include <QString>

// Polish tax identification numbers (NIP): 10 digits, the last of which is
// the weighted sum of the first nine (weights 6 5 7 2 3 4 5 6 7) modulo 11.
// A sum giving 10 is never issued, so such a number is wrong too.
namespace text {

// The ten digits of a NIP as people write it ("123-456-32-18", "123 45 63 218",
// "PL1234563218"); empty when what is left is not ten digits.
QString nipDigits(const QString& nip);

// True for ten digits (written as above) whose check digit matches.
bool isValidNip(const QString& nip);

// The Polish message for a NIP that cannot be used; empty when it is valid.
QString nipError(const QString& nip);

}  // namespace text
