#include "module/issuing/BankFile.h"

#include "module/frame/TDMP.h"
#include "module/issuing/BankRecord.h"
#include "module/issuing/BatchRows.h"
#include "module/issuing/IssueContext.h"
#include "platform/data/SqlText.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStorageInfo>

#include <unistd.h>

#include <optional>

namespace {

const QString kCaptionError = QStringLiteral("Bład");

void error(const QString& text, const QString& caption)
{
    ui::dialogs().message(text, caption, ui::Buttons::Ok, ui::Icon::Error);
}

void recordFailed(const std::exception& e)
{
    ui::dialogs().showMessage("PiszProcedure " + QString::fromUtf8(e.what()));
}

// What the records of one file share: the company record, read once, and
// each payee, looked up once (through one prepared statement) however many
// of its transfers the batch holds.
class RecordSources {
public:
    const bankfile::Company& company()
    {
        if (!m_company)
            m_company = bankfile::companyFrom(dmMain->PobierzDaneFirmowe());
        return *m_company;
    }

    const bankfile::Contractor& contractor(int id)
    {
        auto it = m_contractors.find(id);
        if (it == m_contractors.end())
            it = m_contractors.insert(id, lookUp(id));
        return *it;
    }

private:
    bankfile::Contractor lookUp(int id)
    {
        if (!m_contact)
            m_contact.emplace(dmMain->transaction(), "select PELNA, KOD_POCZT, MIEJSCOWOSC, ULICA, BUDYNEK, LOKAL, "
                                                     "SKROT, KOD_FK, NIP from ET_KONTAKT where ID = ?");
        m_contact->setParams({std::int64_t(id)});
        fb::Cursor row = m_contact->open(dmMain->transaction());
        if (!row.fetch())
            return {};
        auto field = [&row](int i) { return QString::fromUtf8(row.asText(i)); };
        bankfile::Contractor c = bankfile::contractorFrom(field(0), field(1), field(2), field(3), field(4), field(5),
                                                          field(6), field(7));
        c.nip = field(8);
        return c;
    }

    std::optional<bankfile::Company> m_company;
    std::optional<fb::Statement> m_contact;
    QHash<int, bankfile::Contractor> m_contractors;
};

bool writeRecord(IssueContext& context, QIODevice& file, RecordSources& sources);

// A file that could not be written: the reason found on its folder.
bool fileFailed(const QSaveFile& file, qint64 bytes)
{
    const QString folder = QFileInfo(file.fileName()).absolutePath();
    const QStorageInfo storage(folder);
    const bool exists = QFileInfo(folder).isDir();
    const bool writable = exists && ::access(QFile::encodeName(folder).constData(), W_OK) == 0 && !storage.isReadOnly();
    error(sPowodBleduZbioru(exists, writable, storage.bytesAvailable(), bytes, file.errorString()), file.fileName());
    return false;
}

}  // namespace

QString sPowodBleduZbioru(bool folderExists, bool folderWritable, qint64 bytesFree, qint64 bytesNeeded,
                          const QString& detail)
{
    if (!folderExists)
        return QStringLiteral("Brak katalogu dla zbiorów bankowych! ");
    if (!folderWritable)
        return QStringLiteral("Brak prawa zapisu w katalogu dla zbiorów bankowych! ");
    // The temporary file beside the final name needs the whole file's room.
    if (bytesFree >= 0 && bytesFree < bytesNeeded + 4096)
        return QStringLiteral("Brak miejsca na dysku dla zbioru bankowego! ");
    return "Błąd zapisu zbioru bankowego: " + detail;
}

bool bUtworzPlikDoBanku(IssueContext& context, const QDate& date, char letter, int companyBankId)
{
    try {
        const QString baseName = "P-" + date.toString(QStringLiteral("yyyy-MM-dd")) + u'-' + QLatin1Char(letter);
        vWybierzPrzelewyPartii(date, letter);

        data::Dataset& banki = DMP->queBanki;
        if (!banki.isActive())
            banki.open();
        if (!banki.locate(QStringLiteral("ID"), companyBankId)) {
            error(QStringLiteral("Brak banku! "), kCaptionError);
            return false;
        }
        context.vPrzepiszBank(banki);

        if (context.iGrupowanie == 1) {
            data::Dataset& rows = DMP->queZrealizowane;
            rows.close();
            rows.setSql({"SELECT * FROM PR_PRZELEWY_GRUPOWANIE(" + data::sqlDate(date) + ',' +
                         data::sqlQuote(QString(QLatin1Char(letter))) + ',' +
                         data::sqlQuote(DMP->sTrescPrzelewowGrupowanych) + ')'});
            rows.open();
        }

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
        return bZapiszPlikDoBanku(context, folder + u'/' + baseName + extension);
    } catch (const std::exception& e) {
        ui::dialogs().showMessage(" frmWystawPrzelewy->bUtworzPlikDoBanku() \n\n" + QString::fromUtf8(e.what()));
        return false;
    }
}

bool bZapiszPlikDoBanku(IssueContext& context, const QString& fileName)
{
    // Written beside the final name and renamed at the end, so that a bank
    // never finds a file that silently lacks a payment.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return fileFailed(file, 0);
    bool complete = true;
    RecordSources sources;
    data::Dataset& rows = DMP->queZrealizowane;
    for (rows.first(); !rows.eof(); rows.next()) {
        try {
            context.vPrzepiszZrealizowany(rows);
        } catch (const std::exception& e) {
            recordFailed(e);
            complete = false;
            continue;
        }
        if (!writeRecord(context, file, sources))
            complete = false;
    }
    if (!complete) {
        context.bBlad = true;
        file.cancelWriting();
        return false;
    }
    const qint64 bytes = file.size();
    if (!file.commit())
        return fileFailed(file, bytes);
    context.sSql = "Stworzono plik do banku: " + fileName;
    ui::dialogs().message(context.sSql, QString(), ui::Buttons::Ok, ui::Icon::None);
    return true;
}

bool bPiszProcedure(IssueContext& context, QIODevice& file)
{
    RecordSources sources;
    return writeRecord(context, file, sources);
}

namespace {

bool writeRecord(IssueContext& context, QIODevice& file, RecordSources& sources)
{
    try {
        bankfile::Record r;
        r.company = sources.company();
        r.contractor = sources.contractor(context.iIdKontrahenta);
        context.sKodFK = r.contractor.fkCode;

        const data::Dataset& row = DMP->queZrealizowane;
        r.companyBankName = context.sNazwaBankuFirmy;
        r.companyAccount = context.sKontoFirmyOrg;
        r.contractorAccount = context.sKontoKontrahenta;
        r.contractorBankName = context.sNazwaBankuKontrahenta;
        r.title = context.sTresc;
        r.paragraph = context.sParagraf;
        r.withParagraph = context.iObslugaParagraf == 1;
        r.amount = row.fieldByName(QStringLiteral("WARTOSC")).asDecimal();
        r.realizationDate = row.fieldByName(QStringLiteral("DATA_REALIZACJI")).asDate();
        r.pickerDate = context.dataPrzelewu;
        if (const data::Field* mpp = row.findField(QStringLiteral("MPP")); mpp && mpp->asInteger() == 1)
            r.split = bankfile::SplitPayment{row.fieldByName(QStringLiteral("KWOTA_VAT")).asDecimal(), r.contractor.nip,
                                             row.fieldByName(QStringLiteral("NR_FAKTURY")).asString(), context.sKodMpp};
        context.sKontoFirmy = bankfile::accountDigits(context.sKontoFirmyOrg);
        context.sKontoKontrahenta = bankfile::accountDigits(context.sKontoKontrahenta);

        const std::string bytes = bankfile::record(context.iProcedura, r);
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return true;
    } catch (const std::exception& e) {
        recordFailed(e);
        return false;
    }
}

}  // namespace
