#pragma once

#include <QString>

#include <optional>

// The ledger document an invoice was posted with: its number and description.
struct DokumentFK {
    QString sNumer;
    QString sOpis;
};

// Finds it through the purchase invoice (idFaktury 0 or more) or, for a
// transfer without one, through the ledger entry naming the invoice on the
// debit account `wn`. Nothing when either step finds no row.
std::optional<DokumentFK> dokumentFaktury(const QString& nrFaktury, int idFaktury, int idKontrahenta,
                                          const QString& wn);
