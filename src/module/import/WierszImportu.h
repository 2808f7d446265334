#pragma once
// One line of the payroll program's transfer file: comma-separated fields,
// record code "110" first. Every comma ends a field, also one between
// quotes; quotes are dropped only from the ledger account (field 9) and the
// title (field 12), elsewhere they stay and make the field invalid.
//
//   1 record code "110"       2 payment date YYYYMMDD     3 amount in grosze
//   9 ledger account "201-K0042": characters 1-3, a separator, the contractor's code
//   12 title
//
// Other fields (the payee's account among them: the contractor's default
// account is paid) are not read.

#include "platform/fb/Fb.h"

#include <QDate>
#include <QString>

#include <optional>

struct TPrzelewImportu {
    QDate data;          // issue date and due date
    fb::Decimal kwota;   // zloty at scale 2, rounded half away from zero from the grosze
    QString wn;          // debit account: characters 1-3, "-", characters 5-9 of field 9
    QString kodFK;       // contractor's ledger code: characters 5-9 of field 9
    QString tresc;       // the title; its first 5 characters are the invoice number

    QString nrFaktury() const { return tresc.left(5); }
};

// The transfer of a line, or nothing when the line is no valid transfer: a
// record code other than "110", a date that is no day of the calendar, an
// amount that is not a plain non-negative number of grosze, no contractor
// code or no title. Missing fields of a short line count as empty.
std::optional<TPrzelewImportu> przelewZWiersza(const QString& wiersz);
