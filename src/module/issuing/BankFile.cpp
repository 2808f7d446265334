#include "module/issuing/BankFile.h"

#include "module/frame/TDMP.h"
#include "module/issuing/BankRecord.h"
#include "module/issuing/BatchSteps.h"
#include "module/issuing/IssueContext.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <unistd.h>

#include <algorithm>
#include <string>
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

// The payee's fields every record of the batch's select ends with.
const char* const kContractor =
    ", b.PELNA, b.KOD_POCZT, b.MIEJSCOWOSC, b.ULICA, b.BUDYNEK, b.LOKAL, b.SKROT, b.KOD_FK, b.NIP";

// The batch's payments in one select: amount, date, title, paragraph, payee's
// account and bank, split payment mark, its VAT part and invoice, then the
// payee. A grouping bank's rows are the grouped ones, in the order the
// grouping gives them; others carry their ID last, and batchFile puts them
// newest first by it (cheaper than the database sorting whole rows).
fb::Statement batchRecords(const QDate& date, char letter, bool grouped) {
    fb::Transaction& tr = dmMain->transaction();
    const std::string dateText = date.toString(QStringLiteral("yyyy-MM-dd")).toStdString();
    if (grouped) {
        fb::Statement st(tr,
                         std::string("select g.WARTOSC, g.DATA_REALIZACJI, g.TRESC1, g.PARAGRAF, "
                                     "g.KONTRAHENT_KONTO, g.KONTRAHENT_NAZWABANKU, g.MPP, g.KWOTA_VAT, g.NR_FAKTURY") +
                             kContractor +
                             " from PR_PRZELEWY_GRUPOWANIE(?, ?, ?) g left join ET_KONTAKT b "
                             "on b.ID = g.ID_KONTRAHENTA");
        st.setParams({dateText, std::string(1, letter), DMP->sTrescPrzelewowGrupowanych.toStdString()});
        return st;
    }
    fb::Statement st(tr,
                     std::string("select a.WARTOSC, a.DATA_REALIZACJI, a.TRESC1, a.PARAGRAF, c.KONTO, c.NAZWA, a.MPP, "
                                 "a.KWOTA_VAT, a.NR_FAKTURY") +
                         kContractor +
                         ", a.ID from PR_PRZELEWY_ZREALIZOWANE a join ET_KONTAKT b on a.ID_KONTRAHENTA = b.ID "
                         "join ET_BANK_KONTO c on a.ID_KONTA_BANK = c.ID "
                         "where a.DATA_REALIZACJI = ? and a.KOLEJNY = ?");
    st.setParams({fb::Timestamp{date.year(), date.month(), date.day()}, std::string(1, letter)});
    return st;
}

// Every record of the batch, in the bank's format, one after another: in the
// select's order when it is grouped, otherwise newest first.
std::string batchFile(const IssueContext& context, fb::Statement& select, bool grouped) {
    bankfile::Record r;
    r.company = bankfile::companyFrom(dmMain->PobierzDaneFirmowe());
    r.companyBankName = context.sNazwaBankuFirmy;
    r.companyAccount = context.sKontoFirmyOrg;
    r.withParagraph = context.iObslugaParagraf == 1;
    r.pickerDate = context.dataPrzelewu;
    std::vector<std::pair<std::int64_t, std::string>> records;
    fb::Cursor c = select.open(dmMain->transaction());
    const auto text = [&c](int i) { return QString::fromUtf8(c.asText(i)); };
    while (c.fetch()) {
        r.amount = c.isNull(0) ? fb::Decimal{} : c.asDecimal(0);
        r.realizationDate = QDate();
        if (!c.isNull(1)) {
            const fb::Timestamp t = c.asTimestamp(1);
            r.realizationDate = QDate(t.year, t.month, t.day);
        }
        r.title = text(2);
        r.paragraph = text(3);
        r.contractorAccount = text(4);
        r.contractorBankName = text(5);
        r.contractor = bankfile::contractorFrom(text(9), text(10), text(11), text(12), text(13), text(14), text(15),
                                                text(16));
        r.contractor.nip = text(17);
        r.split.reset();
        if (!c.isNull(6) && c.asInt(6) == 1)
            r.split = bankfile::SplitPayment{c.isNull(7) ? fb::Decimal{} : c.asDecimal(7), r.contractor.nip, text(8),
                                             context.sKodMpp};
        records.emplace_back(grouped ? 0 : c.asInt(18), bankfile::record(context.iProcedura, r));
    }
    if (!grouped)
        std::sort(records.begin(), records.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::string bytes;
    for (const auto& record : records) bytes += record.second;
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

bool writeBatchFile(IssueContext& context, fb::Statement& select, bool grouped, const QString& fileName,
                    const QDate& date, char letter) {
    // Formatted whole before the file is touched, then written beside the
    // final name and renamed at the end, so that a bank never finds a file
    // that silently lacks a payment.
    std::string bytes;
    try {
        bytes = batchFile(context, select, grouped);
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

bool bUtworzPlikDoBanku(IssueContext& context, const QDate& date, char letter, int companyBankId) {
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
        const bool grouped = context.iGrupowanie == 1;
        fb::Statement select = batchRecords(date, letter, grouped);
        return writeBatchFile(context, select, grouped, folder + u'/' + baseName + extension, date, letter);
    } catch (const std::exception& e) {
        ui::dialogs().showMessage(" frmWystawPrzelewy->bUtworzPlikDoBanku() \n\n" + QString::fromUtf8(e.what()));
        return false;
    }
}
