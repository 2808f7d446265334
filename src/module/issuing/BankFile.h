#pragma once
// The batch's payment file for the company bank: the driver picks bank, rows,
// folder and file name, the file writer walks the rows, the record writer
// writes one payment in the bank's format (BankRecord).

#include <QDate>
#include <QString>

class IssueContext;
class QIODevice;

// Writes P-yyyy-mm-dd-L.PLI/.IMP/.TXT into the bank's folder. False, with the
// reason already shown, when no complete file was written.
bool bUtworzPlikDoBanku(IssueContext& context, const QDate& date, char letter, int companyBankId);

// Writes the rows of DMP->queZrealizowane into the file. The file appears
// under its name only when every record was written; otherwise the name keeps
// whatever it held before and the result is false.
bool bZapiszPlikDoBanku(IssueContext& context, const QString& fileName);

// Why a bank file could not be written, as the user is told: the folder is
// missing, not writable, or lacks room for the file (bytesFree < 0: unknown);
// otherwise the system's own text.
QString sPowodBleduZbioru(bool folderExists, bool folderWritable, qint64 bytesFree, qint64 bytesNeeded,
                          const QString& detail);

// The record of the transfer in hand (the current row of DMP->queZrealizowane).
// A failure is shown and gives false.
bool bPiszProcedure(IssueContext& context, QIODevice& file);
