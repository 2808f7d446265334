#include "module/issuing/LedgerPosting.h"

#include "module/frame/TDMP.h"
#include "module/issuing/BatchRows.h"
#include "module/issuing/BatchSteps.h"
#include "module/issuing/IssueContext.h"
#include "platform/data/Formats.h"
#include "platform/data/RowChanged.h"
#include "platform/data/SqlText.h"
#include "platform/data/UnitOfWork.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"
#include "siblings/finanse/TdmFinanse.h"
#include "siblings/kartoteka/TdmKartoteka.h"

#include <QHash>
#include <vector>

namespace {

const QString kCaptionError = QStringLiteral("Bład");

// NAZWA_WYSWIETLANA of the statement's first row, on a short-lived query of
// the shared transaction.
QString firstAccount(const QString& statement, const QString& operation) {
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
bool ledgerFailed() {
    ui::dialogs().message(QStringLiteral("Nie utworzono dokumentu w FK"), QStringLiteral("PO ZAPISIE !! "),
                          ui::Buttons::Ok, ui::Icon::None);
    return false;
}

// Every row posted carries the document; a row that left the batch meanwhile
// (withdrawn by another user) fails the whole posting.
void stampRows(const QDate& date, char letter, int document, std::size_t posted) {
    fb::Transaction& tr = dmMain->transaction();
    fb::Statement st(tr, std::string("update PR_PRZELEWY_ZREALIZOWANE a set ID_DOKUMENTU_FK = ?") + kWierszePartii);
    std::vector<fb::Value> params{std::int64_t(document)};
    for (fb::Value& v : batchKey(date, letter)) params.push_back(std::move(v));
    st.setParams(params);
    if (static_cast<std::size_t>(st.execute(tr)) != posted)
        throw data::RowChanged("PR_PRZELEWY_ZREALIZOWANE", "Przelewy partii zmienił w międzyczasie inny użytkownik.");
}

}  // namespace

QString sPobierzKontoFirmy(int companyBankId) {
    return firstAccount(
        " SELECT * FROM FK_PLANKONT WHERE SLOWNIK_NALEZY = 1 AND BANK_ID = " + QString::number(companyBankId),
        QStringLiteral("sPobierzKontoFirmy"));
}

QString sPobierzKontoFirmyZParagrafem(const QString& paragraph, int companyBankId) {
    return firstAccount(" SELECT distinct b.NAZWA_PAR, a.* FROM FK_PLANKONT a, FK_DZIAL_PAR_PODP(0) b " +
                            QStringLiteral(" WHERE a.SLOWNIK_NALEZY = 1 AND a.BANK_ID = ") +
                            QString::number(companyBankId) + " and a.ID=b.KONTO_ID" +
                            " and b.nazwa_par=" + data::sqlQuote(paragraph),
                        QStringLiteral("sPobierzKontoFirmyZParagrafem"));
}

bool bKsiegujPrzelewy(IssueContext& context, const QDate& date, char letter, int companyBankId,
                      const std::vector<BatchRow>* inHand) {
    try {
        const std::vector<BatchRow> read = inHand ? std::vector<BatchRow>() : batchRows(date, letter);
        const std::vector<BatchRow>& rows = inHand ? *inHand : read;
        if (rows.empty()) {
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
        data::UnitOfWork uow(dmMain->transaction());
        const QDate documentDate = rows.front().date;
        const int period = dmKartoteka->iIDOkresu(documentDate.year(), documentDate.month());
        // Right after issuing the register's current row is the batch's last transfer.
        const data::Dataset& przelewy = DMP->quePrzelewy;
        const QString description = przelewy.isActive() && !przelewy.isEmpty() ? przelewy["TRESC1"].asString()
                                                                               : QString();
        const int document = dmFinanse->iDodajDokumentFK(nullptr, period, -1, DMP->iIdKoduDokPrzelewu,
                                                         QStringLiteral("PRZ"), rows.front().id, documentDate,
                                                         documentDate, description, QString());
        if (document < 0) return ledgerFailed();

        // Balanced entries, or debit sides only and one credit of the batch total.
        const bool balanced = DMP->iPokazParagraf == 1;
        context.dSuma = 0;
        QString creditAccount;
        // A batch uses few paragraphs: each one's account is looked up once.
        QHash<QString, QString> paragraphAccounts;
        for (const BatchRow& row : rows) {
            creditAccount = bankAccount;
            const double amount = row.amount.toDouble();
            context.dSuma = dmMain->zaokr(amount + context.dSuma, 2);
            if (!row.paragraph.isEmpty()) {
                auto own = paragraphAccounts.find(row.paragraph);
                if (own == paragraphAccounts.end())
                    own = paragraphAccounts.insert(row.paragraph,
                                                   sPobierzKontoFirmyZParagrafem(row.paragraph, companyBankId));
                if (!own->isEmpty()) creditAccount = *own;
            }
            if (dmFinanse->iDodajDekret(nullptr, document, row.debit, balanced ? creditAccount : QString(), amount,
                                        row.title, row.date, row.date, row.invoice, 0, row.paragraph, -1) < 0)
                return ledgerFailed();
        }
        stampRows(date, letter, document, rows.size());
        if (!balanced) {
            const BatchRow& last = rows.back();
            const QString closing = "Przelewy z dnia:" + data::formatDateTime(QDateTime(last.date, QTime(0, 0)),
                                                                              QStringLiteral("dd/mm/yyyy"));
            if (dmFinanse->iDodajDekret(nullptr, document, QString(), creditAccount, context.dSuma, closing, last.date,
                                        last.date, QString(), 0, last.paragraph, -1) < 0)
                return ledgerFailed();
        }
        // Recorded with the document it speaks of: a batch never shows its
        // document missing once it is there, nor done before it is.
        vZapiszKrokPartii(date, letter, BatchStep::Document);
        uow.commit();
        ui::dialogs().showMessage(QStringLiteral("Dopisano dokument FK"));
        DMP->queDok.close();
        return true;
    } catch (const std::exception& e) {
        ui::dialogs().showMessage("Błąd zapisu Dokumentu do FK " + QString::fromUtf8(e.what()));
        return false;
    }
}
