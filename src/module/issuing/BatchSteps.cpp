#include "module/issuing/BatchSteps.h"

#include "module/frame/TDMP.h"
#include "module/issuing/BankFile.h"
#include "module/issuing/IssueContext.h"
#include "module/issuing/LedgerPosting.h"
#include "platform/data/Formats.h"
#include "platform/data/UnitOfWork.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"

#include <QStringList>

namespace {

const char* columnOf(BatchStep step) { return step == BatchStep::File ? "ZBIOR_ZAPISANY" : "DOKUMENT_ZAPISANY"; }

// A document posted for the batch stamps every realized row with its ID.
bool bMaDokument(const UnfinishedBatch& batch) {
    fb::Statement st(dmMain->transaction(), "select first 1 1 from PR_PRZELEWY_ZREALIZOWANE "
                                            "where DATA_REALIZACJI = ? and KOLEJNY = ? and ID_DOKUMENTU_FK is not null");
    const fb::Timestamp day{batch.date.year(), batch.date.month(), batch.date.day()};
    st.setParams({day, std::string(1, batch.letter)});
    return st.open(dmMain->transaction()).fetch();
}

}  // namespace

void vZapiszKrokPartii(int batchId, BatchStep step) {
    data::UnitOfWork uow(dmMain->transaction());
    fb::Statement st(dmMain->transaction(),
                     std::string("update PR_WYSTAWIONE set ") + columnOf(step) + " = 1 where ID = ?");
    st.setParams({std::int64_t(batchId)});
    st.execute(dmMain->transaction());
    uow.commit();
}

void vZapiszKrokPartii(const QDate& date, char letter, BatchStep step) {
    data::UnitOfWork uow(dmMain->transaction());
    fb::Statement st(dmMain->transaction(), std::string("update PR_WYSTAWIONE set ") + columnOf(step) +
                                                " = 1 where DATA_REALIZACJI = ? and KOLEJNY = ?");
    st.setParams({fb::Timestamp{date.year(), date.month(), date.day()}, std::string(1, letter)});
    st.execute(dmMain->transaction());
    uow.commit();
}

std::vector<UnfinishedBatch> unfinishedBatches() {
    fb::Statement st(dmMain->transaction(),
                     "select ID, DATA_REALIZACJI, KOLEJNY, ID_BANKU, ZBIOR_ZAPISANY, DOKUMENT_ZAPISANY from "
                     "PR_WYSTAWIONE where ZBIOR_ZAPISANY = 0 or DOKUMENT_ZAPISANY = 0 order by DATA_REALIZACJI, KOLEJNY");
    fb::Cursor c = st.open(dmMain->transaction());
    std::vector<UnfinishedBatch> batches;
    while (c.fetch()) {
        UnfinishedBatch b;
        b.id = static_cast<int>(c.asInt(0));
        b.date = data::dayOf(c, 1);
        const std::string_view letter = c.asText(2);
        b.letter = letter.empty() ? 'A' : letter.front();
        b.bankId = static_cast<int>(c.asInt(3));
        b.fileMissing = !c.isNull(4) && c.asInt(4) == 0;
        b.documentMissing = !c.isNull(5) && c.asInt(5) == 0;
        batches.push_back(b);
    }
    return batches;
}

QString sOpisPartii(const std::vector<UnfinishedBatch>& batches) {
    QStringList lines;
    for (const UnfinishedBatch& b : batches) {
        QStringList missing;
        if (b.fileMissing) missing << QStringLiteral("brak zbioru bankowego");
        if (b.documentMissing) missing << QStringLiteral("brak dokumentu FK");
        lines << b.date.toString(QStringLiteral("yyyy-MM-dd")) + u' ' + QLatin1Char(b.letter) + ": " +
                     missing.join(QStringLiteral(", "));
    }
    return lines.join(u'\n');
}

bool bDokonczPartie(const UnfinishedBatch& batch) {
    // The file of procedure 5 carries the issue day, which was the batch's own.
    IssueContext context;
    context.dataPrzelewu = batch.date;
    context.cKolejny = batch.letter;
    context.iIdKontaFirmy = batch.bankId;
    bool done = true;
    if (batch.fileMissing && !bUtworzPlikDoBanku(context, batch.date, batch.letter, batch.bankId)) done = false;
    if (batch.documentMissing) {
        // Posted before the step was recorded with it: a second document would
        // book the batch twice. A posting records its step itself.
        if (bMaDokument(batch))
            vZapiszKrokPartii(batch.id, BatchStep::Document);
        else if (!bKsiegujPrzelewy(context, batch.date, batch.letter, batch.bankId))
            done = false;
    }
    return done;
}

void vZaproponujDokonczeniePartii() {
    std::vector<UnfinishedBatch> batches;
    try {
        batches = unfinishedBatches();
    } catch (const std::exception& e) {
        // A database without the step columns has nothing recorded to finish.
        qWarning("Unfinished batches not read: %s", e.what());
        return;
    }
    if (batches.empty()) return;
    if (ui::dialogs().message("Nie dokończono wystawienia partii przelewów:\n" + sOpisPartii(batches) +
                                  "\n\nCzy dokończyć je teraz?",
                              QStringLiteral("Niedokończone partie"), ui::Buttons::YesNo,
                              ui::Icon::Question) != ui::Answer::Yes)
        return;
    try {
        DMP->vWczytajParametry();
        for (const UnfinishedBatch& b : batches) bDokonczPartie(b);
    } catch (const std::exception& e) {
        ui::dialogs().showMessage("Błąd dokończenia partii przelewów\n\n" + QString::fromUtf8(e.what()));
    }
}
