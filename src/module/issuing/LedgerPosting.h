#pragma once
// One ledger document per batch: an entry per realized transfer debiting its
// WN, credited to the company bank's ledger account either entry by entry
// (POKAZ_PARAGRAF = 1) or once for the batch total.

#include <QDate>
#include <QString>

#include <vector>

class IssueContext;
struct BatchRow;

// Posts the batch, stamps its realized rows with the document's ID and records
// the batch's document step as done, all committed together. False, with the
// reason already shown, when the document could not be written whole; then
// nothing of it is kept.
// Rows in hand (newest first, as just issued) are posted as they are;
// otherwise the batch's rows are read.
bool bKsiegujPrzelewy(IssueContext& context, const QDate& date, char letter, int companyBankId,
                      const std::vector<BatchRow>* inHand = nullptr);

// The bank's analytic account in the chart of accounts; empty when it has none.
QString sPobierzKontoFirmy(int companyBankId);
// The bank's analytic account for that budget paragraph; empty when it has none.
QString sPobierzKontoFirmyZParagrafem(const QString& paragraph, int companyBankId);
