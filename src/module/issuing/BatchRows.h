#pragma once
// The realized rows of one batch (one day, one letter): the condition the
// realized list filters them by, and the rows as its bank file and its ledger
// document take them.

#include "platform/fb/Fb.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <vector>

// The condition line of the realized-transfer query that keeps one batch.
QString sWarunekPartii(const QDate& date, char letter);

struct BatchRow {
    std::int64_t id = 0;  // of the realized row: the newest is the highest
    std::int64_t contractorId = 0;
    std::int64_t accountId = 0;  // the payee's bank account
    fb::Decimal amount;
    QDate date;
    QString title, invoice, paragraph, debit;
    bool split = false;  // a split payment, its VAT part below
    fb::Decimal vat;
};

// Newest first, the order the bank file and the ledger document list them in.
void vNajnowszeNajpierw(std::vector<BatchRow>& rows);

// The batch's rows as the realized list shows them (those whose payee and
// account are still there), newest first.
std::vector<BatchRow> batchRows(const QDate& date, char letter);

// The condition on the realized rows (alias a) that keeps the batch's rows as
// the realized list shows them, with batchKey as its parameters.
extern const char* const kWierszePartii;
std::vector<fb::Value> batchKey(const QDate& date, char letter);
