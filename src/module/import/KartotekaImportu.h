#pragma once
// What an import reads for each line, prepared once for the whole file: the
// contractor by its ledger code, the contractor's default bank account and
// the key of the new transfer. The code is a parameter, never part of the statement text, so
// whatever the file holds cannot change the statement.

#include "platform/fb/Fb.h"

#include <QString>

#include <string>
#include <utility>
#include <vector>

class TKartotekaImportu {
public:
    // Throws fb::Error when the statements cannot be prepared.
    explicit TKartotekaImportu(fb::Transaction& transaction);

    // ID of the contractor whose ledger code is exactly `kod`; 0 when none.
    int iKontrahent(const QString& kod);
    // ID of the contractor's default account, the first the database returns
    // when there are several; 0 when none.
    int iDomyslneKonto(int idKontrahenta);
    // What the register shows of the contractor and account found last, by
    // the register's column names; empty for any other pair.
    using Opis = std::vector<std::pair<QString, fb::Value>>;
    const Opis& opis(int idKontrahenta, int idKonta) const;
    // A new key of PR_PRZELEWY. Keys are taken from the generator a block at
    // a time: a file of many lines would otherwise ask once per line. An
    // import that stops early leaves the rest of its block unused.
    int iNoweId();

private:
    int iPierwszy(fb::Statement& statement, const std::vector<fb::Value>& parametry);

    fb::Transaction& m_transakcja;
    fb::Statement m_kontrahent;
    fb::Statement m_konto;
    fb::Statement m_id;
    // The contractor found last comes with its default account: the account
    // lookup that follows it needs no statement of its own.
    struct {
        int idKontrahenta = 0;
        int idKonta = 0;
        Opis opis;
    } m_znaleziony;
    int m_nastepneId = 0;
    int m_wolneId = 0;
};
