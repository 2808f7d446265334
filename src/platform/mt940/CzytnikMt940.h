#pragma once
// Reads the statements of a bank file in the SWIFT field-tag layout.
//
// A file holds one or more messages, each optionally wrapped in SOH/ETX bytes
// or "{1:...}{4:" headers and closed by a "-" line; every ":20:" starts a
// statement. A line that opens no tag continues the field before it: the
// supplementary line of ":61:", the further lines of ":86:". Tags the program
// has no use for are passed over.
//
// Reading stops at the first line it cannot understand and names it; the
// statements completed before it are kept. A statement whose balances do not
// add up is kept too and listed as a mismatch.

#include "platform/mt940/Kodowanie.h"
#include "platform/mt940/Wyciag.h"

#include <string_view>

namespace mt940 {

WynikCzytania czytajWyciagi(std::string_view bajty, Kodowanie kodowanie = Kodowanie::Rozpoznaj);
WynikCzytania czytajWyciagi(const QString& tekst);

} // namespace mt940
