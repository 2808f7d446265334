#pragma once
// What an import looks up for each line, prepared once for the whole file:
// the contractor by its ledger code and the contractor's default bank
// account. The code is a parameter, never part of the statement text, so
// whatever the file holds cannot change the statement.

#include "platform/fb/Fb.h"

#include <QString>

class TKartotekaImportu {
public:
    // Throws fb::Error when the statements cannot be prepared.
    explicit TKartotekaImportu(fb::Transaction& transaction);

    // ID of the contractor whose ledger code is exactly `kod`; 0 when none.
    int iKontrahent(const QString& kod);
    // ID of the contractor's default account, the first the database returns
    // when there are several; 0 when none.
    int iDomyslneKonto(int idKontrahenta);

private:
    static int iPierwszy(fb::Statement& statement, const fb::Value& parametr);

    fb::Statement m_kontrahent;
    fb::Statement m_konto;
};
