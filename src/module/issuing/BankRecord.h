#pragma once
// One payment as the company bank's import software reads it. The record
// formats work on plain values, so the byte layout of every procedure can be
// checked without a database; BankFile feeds them from the batch's rows.

#include "platform/fb/Fb.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace bankfile {

// The company's own name and address.
struct Company {
    QString name;
    QString identifier;   // its first 10 characters open a procedure 5 block
    QString cityLine;     // postal code, two blanks, city
    QString streetLine;   // street, two blanks, building, "/", flat (the slash also without a flat)
};

// From the host's company record (element i is field i + 1).
Company companyFrom(const QStringList& record);

// The payee as ET_KONTAKT describes it; all empty when its row is gone.
struct Contractor {
    QString name;
    QString cityLine;     // no postal code when it starts with a blank
    QString streetLine;   // street, blank, building, and "/" flat when there is one
    QString shortName;
    QString fkCode;
    QString nip;
};

Contractor contractorFrom(const QString& name, const QString& postalCode, const QString& city, const QString& street,
                          const QString& building, const QString& flat, const QString& shortName,
                          const QString& fkCode);

// What a split payment adds to a transfer.
struct SplitPayment {
    fb::Decimal vat;   // the VAT part of this payment
    QString nip;       // the payee's, from the contractor
    QString invoice;
    QString code;      // the company bank's transaction code for a split payment
};

struct Record {
    Company company;
    QString companyBankName;
    QString companyAccount;       // as stored, dashes and blanks included
    Contractor contractor;
    QString contractorAccount;    // as stored
    QString contractorBankName;
    QString title;
    QString paragraph;
    bool withParagraph = false;   // the bank takes the budget paragraph (.IMP only)
    fb::Decimal amount;
    QDate realizationDate;
    QDate pickerDate;             // procedure 5 writes this date instead of the batch's
    // Set for a split payment: the title becomes the structured message
    // (with the title above as its free text) and the transaction code marks it.
    std::optional<SplitPayment> split;
};

// The account number without its dashes and blanks.
QString accountDigits(QString account);

// ".PLI", ".IMP" or ".TXT"; empty for a procedure number without a format.
QString extension(int procedure);

// Whether the procedure's format can carry a split payment (only Elixir-O can).
bool carriesSplitPayment(int procedure);

// The Windows-1250 bytes of one record of procedure 1 to 5, every line ended
// by CR LF. Throws std::invalid_argument for any other procedure and for a
// split payment in a format that cannot carry it: sent as an ordinary
// transfer, its VAT would not reach the payee's VAT account.
std::string record(int procedure, const Record& r);

// Upper case by the Windows-1250 letters: a letter whose capital has no
// Windows-1250 form (ß, µ) stays as it is, so the length never changes.
QString upperCp1250(const QString& text);

}  // namespace bankfile
