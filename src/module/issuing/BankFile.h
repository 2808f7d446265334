#pragma once
// The batch's payment file for the company bank: the driver picks bank, rows,
// folder and file name, reads the rows and their payees (each payee once) and
// formats every payment in the bank's format (BankRecord) into one buffer.

#include <QDate>
#include <QString>

#include <vector>

class IssueContext;
struct BatchRow;

// Writes P-yyyy-mm-dd-L.PLI/.IMP/.TXT into the bank's folder. The file appears
// under its name only when every record was written; otherwise the name keeps
// whatever it held before, and the result is false with the reason shown.
// A file written is recorded as the batch's file step (committed) before the
// user is told of it.
// Rows in hand (newest first, as just issued) are written as they are, with
// their payees read; otherwise the batch's rows are read.
bool bUtworzPlikDoBanku(IssueContext& context, const QDate& date, char letter, int companyBankId,
                        const std::vector<BatchRow>* rows = nullptr);

// Why a bank file could not be written, as the user is told: the folder is
// missing, not writable, or lacks room for the file (bytesFree < 0: unknown);
// otherwise the system's own text.
QString sPowodBleduZbioru(bool folderExists, bool folderWritable, qint64 bytesFree, qint64 bytesNeeded,
                          const QString& detail);
