#include "module/issuing/LedgerPosting.h"

#include "module/frame/TDMP.h"
#include "module/issuing/BatchRows.h"
#include "module/issuing/IssueContext.h"
#include "platform/data/Formats.h"
#include "platform/data/SqlText.h"
#include "platform/data/UnitOfWork.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"
#include "siblings/finanse/TdmFinanse.h"
#include "siblings/kartoteka/TdmKartoteka.h"

#include <QHash>

namespace {

const QString kCaptionError = QStringLiteral("Bład");

// NAZWA_WYSWIETLANA of the statement's first row, on a short-lived query of
// the shared transaction.
QString firstAccount(const QString& statement, const QString& operation)
{
    try {
        data::Dataset query;
        dmMain->vPrzydzielDane(query, dmMain->database(), dmMain->transaction(), false);
        query.setSql({statement});
        query.open();
        return query.isEmpty() ? QString() : query.fieldByName(QStringLiteral("NAZWA_WYSWIETLANA")).asString();
    } catch (const std::exception& e) {
        ui::dialogs().showMessage(" frmWystawPrzelewy->" + operation + "(...) \n\n" + QString::fromUtf8(e.what()));
        return {};
    }
}

// The posting's unit of work rolls back once the caller returns.
bool ledgerFailed()
{
    ui::dialogs().message(QStringLiteral("Nie utworzono dokumentu w FK"), QStringLiteral("PO ZAPISIE !! "),
                          ui::Buttons::Ok, ui::Icon::None);
    return false;
}

QDate dateOf(const data::Dataset& rows)
{
    return rows["DATA_REALIZACJI"].asDate();
}

}  // namespace

QString sPobierzKontoFirmy(int companyBankId)
{
    return firstAccount(" SELECT * FROM FK_PLANKONT WHERE SLOWNIK_NALEZY = 1 AND BANK_ID = " +
                            QString::number(companyBankId),
                        QStringLiteral("sPobierzKontoFirmy"));
}

QString sPobierzKontoFirmyZParagrafem(const QString& paragraph, int companyBankId)
{
    return firstAccount(" SELECT distinct b.NAZWA_PAR, a.* FROM FK_PLANKONT a, FK_DZIAL_PAR_PODP(0) b " +
                            QStringLiteral(" WHERE a.SLOWNIK_NALEZY = 1 AND a.BANK_ID = ") +
                            QString::number(companyBankId) + " and a.ID=b.KONTO_ID" +
                            " and b.nazwa_par=" + data::sqlQuote(paragraph),
                        QStringLiteral("sPobierzKontoFirmyZParagrafem"));
}

bool bKsiegujPrzelewy(IssueContext& context, const QDate& date, char letter, int companyBankId, BatchRead read)
{
    data::Dataset& rows = DMP->queZrealizowane;
    try {
        if (read == BatchRead::Fresh || !bWybranoPrzelewyPartii(date, letter))
            vWybierzPrzelewyPartii(date, letter);
        if (rows.isEmpty()) {
            ui::dialogs().message(QStringLiteral("Brak przelewów z danego dnia! "), kCaptionError, ui::Buttons::Ok,
                                  ui::Icon::Error);
            return false;
        }
        const QString bankAccount = sPobierzKontoFirmy(companyBankId);
        if (bankAccount.isEmpty()) {
            ui::dialogs().message(QStringLiteral("Brak w Planie Kont dla banku firmy analityki  z symbolem F-K "),
                                  kCaptionError, ui::Buttons::Ok, ui::Icon::Error);
            return false;
        }

        // The document is kept whole or not at all: what the posting wrote
        // must not reach the database with the next commit of the shared
        // transaction.
        data::UnitOfWork uow(dmMain->transaction(), {&rows});
        rows.first();
        const QDate documentDate = dateOf(rows);
        const int period = dmKartoteka->iIDOkresu(documentDate.year(), documentDate.month());
        // Right after issuing the register's current row is the batch's last transfer.
        const data::Dataset& przelewy = DMP->quePrzelewy;
        const QString description =
            przelewy.isActive() && !przelewy.isEmpty() ? przelewy["TRESC1"].asString() : QString();
        const int document = dmFinanse->iDodajDokumentFK(
            nullptr, period, -1, DMP->iIdKoduDokPrzelewu, QStringLiteral("PRZ"),
            static_cast<int>(rows["ID"].asInteger()), documentDate, documentDate,
            description, QString());
        if (document < 0)
            return ledgerFailed();

        // Balanced entries, or debit sides only and one credit of the batch total.
        const bool balanced = DMP->iPokazParagraf == 1;
        context.dSuma = 0;
        QString creditAccount;
        QString paragraph;
        QDate rowDate;
        // A batch uses few paragraphs: each one's account is looked up once.
        QHash<QString, QString> paragraphAccounts;
        const data::Dataset::NarrowUpdate stamp(
            rows, QStringLiteral("update PR_PRZELEWY_ZREALIZOWANE set ID_DOKUMENTU_FK = :ID_DOKUMENTU_FK "
                                 "where ID = :OLD_ID"));
        for (rows.first(); !rows.eof(); rows.next()) {
            creditAccount = bankAccount;
            const double amount = rows["WARTOSC"].asDouble();
            context.dSuma = dmMain->zaokr(amount + context.dSuma, 2);
            paragraph = rows["PARAGRAF"].asString();
            if (!paragraph.isEmpty()) {
                auto own = paragraphAccounts.find(paragraph);
                if (own == paragraphAccounts.end())
                    own = paragraphAccounts.insert(paragraph, sPobierzKontoFirmyZParagrafem(paragraph, companyBankId));
                if (!own->isEmpty())
                    creditAccount = *own;
            }
            rows.edit();
            rows["ID_DOKUMENTU_FK"].setInteger(document);
            rows.post();

            rowDate = dateOf(rows);
            if (dmFinanse->iDodajDekret(nullptr, document, rows["WN"].asString(), balanced ? creditAccount : QString(),
                                        amount, rows["TRESC1"].asString(), rowDate, rowDate, rows["NR_FAKTURY"].asString(),
                                        0, paragraph, -1) < 0)
                return ledgerFailed();
        }
        if (!balanced) {
            const QString closing = "Przelewy z dnia:" + data::formatDateTime(QDateTime(rowDate, QTime(0, 0)),
                                                                              QStringLiteral("dd/mm/yyyy"));
            if (dmFinanse->iDodajDekret(nullptr, document, QString(), creditAccount, context.dSuma, closing, rowDate,
                                        rowDate, QString(), 0, paragraph, -1) < 0)
                return ledgerFailed();
        }
        uow.commit();
        ui::dialogs().showMessage(QStringLiteral("Dopisano dokument FK"));
        DMP->queDok.close();
        return true;
    } catch (const std::exception& e) {
        ui::dialogs().showMessage("Błąd zapisu Dokumentu do FK " + QString::fromUtf8(e.what()));
        return false;
    }
}
