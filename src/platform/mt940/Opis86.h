#pragma once
// The ":86:" description of an entry. Banks write it either as free text or
// as a three-digit operation code followed by sub-fields, each a separator
// and two digits: "~20", "?20" or "<20" depending on the bank. The same
// numbers mean the same things whatever the separator:
//   00 operation name    20-29, 60-63 title    27-28, 32-33 counterparty's name
//   30 counterparty's bank code    31 counterparty's account    38 counterparty's IBAN

#include <QString>
#include <QStringList>

#include <vector>

namespace mt940 {

struct Opis86 {
    QString kodOperacji;   // empty for free text
    QString kontrahent;
    QString rachunek;      // 26 digits for a Polish account, else as written
    QString tytul;         // the whole text when it is free text
};

// `wiersze` are the field's lines without the tag. Structured sub-fields may
// break anywhere, so their lines are joined as they are; free text is joined
// with single blanks.
Opis86 czytajOpis86(const std::vector<QStringView>& wiersze);
Opis86 czytajOpis86(const QStringList& wiersze);

// A Polish account number from "PL" + 26 digits, 26 digits, either with blanks,
// or with a leading '/': the 26 digits; anything else is returned trimmed.
QString rachunekNrb(const QString& tekst);

} // namespace mt940
