#pragma once
// The finance-accounting ledger: documents and entries written inside the
// shared transaction (committing is the caller's), the document viewer and
// the budget classification chooser. Failures return negative values.

#include "platform/data/Dataset.h"

#include <QDate>
#include <QObject>
#include <memory>
#include <QString>

class QWidget;

class TdmFinanse : public QObject {
    Q_OBJECT
public:
    explicit TdmFinanse(QObject* parent = nullptr);
    ~TdmFinanse() override;

    // A new FK_DOKUMENTY row numbered code/month/running number of that code
    // in the fiscal year ("PRZ/12/0003"); `sourceId` is the record it was made from.
    // Its ID, or negative: -1 unknown period, -2 unknown code, -3 database failure.
    int iDodajDokumentFK(data::Dataset* query, int periodId, int minusOne, int codeId, const QString& code, int sourceId,
                         const QDate& documentDate, const QDate& operationDate, const QString& description,
                         const QString& text);
    // A FK_DEKRETY row of the document: debit and credit account, amount,
    // description, document and operation date, the invoice it settles,
    // contractor (0 none) and budget classification. Empty texts are stored
    // as NULL; the debit account is also the settlement account (NR_RACH).
    // Its ID, or negative: -1 unknown document, -3 database failure.
    int iDodajDekret(data::Dataset* query, int documentId, const QString& debitAccount, const QString& creditAccount,
                     double amount, const QString& description, const QDate& date1, const QDate& date2,
                     const QString& invoiceNumber, int i1, const QString& text, int i2);
    // Deletes the document and its entries: 1 when done, 0 when there is no
    // such document, -3 on a database failure.
    int iUsunDokumentFK(data::Dataset* query, int documentId);
    // The document viewer (header and entries), modal: 1 when the document was
    // shown, 0 when there is no such document, -3 on a database failure.
    int iDokumentKsiegowyTekst(QWidget* owner, data::Dataset* query, int documentId, bool flag, const QString& t1,
                                const QString& t2);
    // The ledger's documents, newest first; "Pokaż" or Enter opens the viewer.
    void vDokumentyModalne(QWidget* owner);
    // Budget classification chooser over FK_DZIAL_PAR_PODP(0); KONTO_ID to the owner's tag.
    void vDzialParPodpModalne(QWidget* owner);

private:
    // A batch posts thousands of entries: their statements are prepared once
    // for the shared transaction they run in.
    struct EntryStatements;
    EntryStatements& entryStatements();
    std::unique_ptr<EntryStatements> m_entry;
};

inline TdmFinanse* dmFinanse = nullptr;
