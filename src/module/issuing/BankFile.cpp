#include "module/issuing/BankFile.h"

#include "module/frame/TDMP.h"
#include "module/issuing/BankRecord.h"
#include "module/issuing/BatchRows.h"
#include "module/issuing/BatchSteps.h"
#include "module/issuing/IssueContext.h"
#include "platform/data/Formats.h"
#include "platform/fb/IdSlices.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <unistd.h>

#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

const QString kCaptionError = QStringLiteral("Bład");

void error(const QString& text, const QString& caption) {
    ui::dialogs().message(text, caption, ui::Buttons::Ok, ui::Icon::Error);
}

void recordFailed(const std::exception& e) {
    ui::dialogs().showMessage("PiszProcedure " + QString::fromUtf8(e.what()));
}

// The payee's fields of ET_KONTAKT, as payee() reads them.
const char* const kPayee = "b.PELNA, b.KOD_POCZT, b.MIEJSCOWOSC, b.ULICA, b.BUDYNEK, b.LOKAL, b.SKROT, b.KOD_FK, b.NIP";

// The payee from the cursor's columns from `first` on, in kPayee's order.
bankfile::Contractor payee(const fb::Cursor& c, int first) {
    const auto text = [&c, first](int i) { return QString::fromUtf8(c.asText(first + i)); };
    bankfile::Contractor p = bankfile::contractorFrom(text(0), text(1), text(2), text(3), text(4), text(5), text(6),
                                                      text(7));
    p.nip = text(8);
    return p;
}

// What every record of the batch shares: the company and its bank.
bankfile::Record companyRecord(const IssueContext& context) {
    bankfile::Record r;
    r.company = bankfile::companyFrom(dmMain->PobierzDaneFirmowe());
    r.companyBankName = context.sNazwaBankuFirmy;
    r.companyAccount = context.sKontoFirmyOrg;
    r.withParagraph = context.iObslugaParagraf == 1;
    r.pickerDate = context.dataPrzelewu;
    return r;
}

void setSplit(bankfile::Record& r, bool split, const fb::Decimal& vat, const QString& invoice,
              const IssueContext& context) {
    r.split.reset();
    if (split) r.split = bankfile::SplitPayment{vat, r.contractor.nip, invoice, context.sKodMpp};
}

// A grouping bank's records: the grouping procedure's rows in its order, with
// their payees joined (a payee gone leaves its fields empty).
std::string groupedFile(const IssueContext& context, const QDate& date, char letter) {
    fb::Transaction& tr = dmMain->transaction();
    fb::Statement st(
        tr, std::string("select g.WARTOSC, g.DATA_REALIZACJI, g.TRESC1, g.PARAGRAF, g.KONTRAHENT_KONTO, "
                        "g.KONTRAHENT_NAZWABANKU, g.MPP, g.KWOTA_VAT, g.NR_FAKTURY, ") +
                kPayee + " from PR_PRZELEWY_GRUPOWANIE(?, ?, ?) g left join ET_KONTAKT b on b.ID = g.ID_KONTRAHENTA");
    st.setParams({date.toString(QStringLiteral("yyyy-MM-dd")).toStdString(), std::string(1, letter),
                  DMP->sTrescPrzelewowGrupowanych.toStdString()});
    bankfile::Record r = companyRecord(context);
    std::string bytes;
    fb::Cursor c = st.open(tr);
    const auto text = [&c](int i) { return QString::fromUtf8(c.asText(i)); };
    while (c.fetch()) {
        r.amount = c.isNull(0) ? fb::Decimal{} : c.asDecimal(0);
        r.realizationDate = data::dayOf(c, 1);
        r.title = text(2);
        r.paragraph = text(3);
        r.contractorAccount = text(4);
        r.contractorBankName = text(5);
        r.contractor = payee(c, 9);
        setSplit(r, !c.isNull(6) && c.asInt(6) == 1, c.isNull(7) ? fb::Decimal{} : c.asDecimal(7), text(8), context);
        bytes += bankfile::record(context.iProcedura, r);
    }
    return bytes;
}

// The records of the batch's rows (newest first), each with its payee and the
// payee's account as they are now; a row whose payee or account is gone is
// left out, as the realized list leaves it out. Payees and accounts are read
// once each, not once a row.
std::string rowsFile(const IssueContext& context, const std::vector<BatchRow>& rows) {
    std::vector<std::int64_t> contractors, accounts;
    for (const BatchRow& row : rows) {
        contractors.push_back(row.contractorId);
        accounts.push_back(row.accountId);
    }
    fb::Transaction& tr = dmMain->transaction();
    std::unordered_map<std::int64_t, bankfile::Contractor> payees;
    fb::selectByIds(tr, std::string("select b.ID, ") + kPayee + " from ET_KONTAKT b where b.ID", contractors, {}, {},
                    [&](fb::Cursor& c) { payees.emplace(c.asInt(0), payee(c, 1)); });
    std::unordered_map<std::int64_t, std::pair<QString, QString>> banks;
    fb::selectByIds(tr, "select ID, KONTO, NAZWA from ET_BANK_KONTO where ID", accounts, {}, {}, [&](fb::Cursor& c) {
        banks.emplace(c.asInt(0), std::pair{QString::fromUtf8(c.asText(1)), QString::fromUtf8(c.asText(2))});
    });

    bankfile::Record r = companyRecord(context);
    std::string bytes;
    for (const BatchRow& row : rows) {
        const auto p = payees.find(row.contractorId);
        const auto b = banks.find(row.accountId);
        if (p == payees.end() || b == banks.end()) continue;
        r.amount = row.amount;
        r.realizationDate = row.date;
        r.title = row.title;
        r.paragraph = row.paragraph;
        r.contractorAccount = b->second.first;
        r.contractorBankName = b->second.second;
        r.contractor = p->second;
        setSplit(r, row.split, row.vat, row.invoice, context);
        bytes += bankfile::record(context.iProcedura, r);
    }
    return bytes;
}

// A file that could not be written: the reason found on its folder.
bool fileFailed(const QSaveFile& file, qint64 bytes) {
    const QString folder = QFileInfo(file.fileName()).absolutePath();
    const QStorageInfo storage(folder);
    const bool exists = QFileInfo(folder).isDir();
    const bool writable = exists && ::access(QFile::encodeName(folder).constData(), W_OK) == 0 && !storage.isReadOnly();
    error(sPowodBleduZbioru(exists, writable, storage.bytesAvailable(), bytes, file.errorString()), file.fileName());
    return false;
}

// Recorded before the user hears of the file: told of it, they may send it to
// the bank at once, and a batch still recorded without its file would have it
// written and offered as new at the next start.
void recordFile(const QDate& date, char letter) {
    try {
        vZapiszKrokPartii(date, letter, BatchStep::File);
    } catch (const std::exception& e) {
        ui::dialogs().showMessage("frmWystawPrzelewy->vZapiszKrok() \n\n" + QString::fromUtf8(e.what()));
    }
}

bool writeBatchFile(IssueContext& context, const std::function<std::string()>& records, const QString& fileName,
                    const QDate& date, char letter) {
    // Formatted whole before the file is touched, then written beside the
    // final name and renamed at the end, so that a bank never finds a file
    // that silently lacks a payment.
    std::string bytes;
    try {
        bytes = records();
    } catch (const std::exception& e) {
        recordFailed(e);
        context.bBlad = true;
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return fileFailed(file, 0);
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.commit())
        return fileFailed(file, static_cast<qint64>(bytes.size()));
    recordFile(date, letter);
    context.sSql = "Stworzono plik do banku: " + fileName;
    ui::dialogs().message(context.sSql, QString(), ui::Buttons::Ok, ui::Icon::None);
    return true;
}

}  // namespace

QString sPowodBleduZbioru(bool folderExists, bool folderWritable, qint64 bytesFree, qint64 bytesNeeded,
                          const QString& detail) {
    if (!folderExists) return QStringLiteral("Brak katalogu dla zbiorów bankowych! ");
    if (!folderWritable) return QStringLiteral("Brak prawa zapisu w katalogu dla zbiorów bankowych! ");
    // The temporary file beside the final name needs the whole file's room.
    if (bytesFree >= 0 && bytesFree < bytesNeeded + 4096)
        return QStringLiteral("Brak miejsca na dysku dla zbioru bankowego! ");
    return "Błąd zapisu zbioru bankowego: " + detail;
}

bool bUtworzPlikDoBanku(IssueContext& context, const QDate& date, char letter, int companyBankId,
                        const std::vector<BatchRow>* rows) {
    try {
        const QString baseName = "P-" + date.toString(QStringLiteral("yyyy-MM-dd")) + u'-' + QLatin1Char(letter);
        data::Dataset& banki = DMP->queBanki;
        if (!banki.isActive()) banki.open();
        if (!banki.locate(QStringLiteral("ID"), companyBankId)) {
            error(QStringLiteral("Brak banku! "), kCaptionError);
            return false;
        }
        context.vPrzepiszBank(banki);

        const QString folder = banki.fieldByName(QStringLiteral("SCIEZKA_PRZELEWOW")).asString();
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            error("Brak folderu do tworzenia zbioru dla danego banku:\n " + folder, kCaptionError);
            return false;
        }
        const QString extension = bankfile::extension(context.iProcedura);
        if (extension.isEmpty()) {
            error(QStringLiteral("Brak wstawionego numeru  procedury -> do tworzenia pliku do Banku "),
                  QStringLiteral("Uwaga"));
            return false;
        }
        // A grouping bank's file comes from the grouping procedure, whatever rows are in hand.
        const auto records = [&]() -> std::string {
            if (context.iGrupowanie == 1) return groupedFile(context, date, letter);
            return rowsFile(context, rows ? *rows : batchRows(date, letter));
        };
        return writeBatchFile(context, records, folder + u'/' + baseName + extension, date, letter);
    } catch (const std::exception& e) {
        ui::dialogs().showMessage(" frmWystawPrzelewy->bUtworzPlikDoBanku() \n\n" + QString::fromUtf8(e.what()));
        return false;
    }
}
