#pragma once
// The finishing steps of an issued batch. The batch is committed first and
// its bank file and ledger document are made afterwards, so a crash or a
// failing step can leave a paid batch without either. PR_WYSTAWIONE records
// each step (ZBIOR_ZAPISANY, DOKUMENT_ZAPISANY: 0 while missing; 1 or NULL
// when done or not wanted), so such a batch is found and finished later.

#include <QDate>
#include <QString>
#include <vector>

enum class BatchStep { File, Document };

struct UnfinishedBatch {
    int id = 0;
    QDate date;
    char letter = 'A';
    int bankId = 0;
    bool fileMissing = false;
    bool documentMissing = false;
};

// Records the step as done and commits it.
void vZapiszKrokPartii(int batchId, BatchStep step);
// The same for the batch of that day and letter, when a window makes a step again.
void vZapiszKrokPartii(const QDate& date, char letter, BatchStep step);

// Committed batches with a step missing, oldest first.
std::vector<UnfinishedBatch> unfinishedBatches();

// "2026-12-10 A: brak zbioru bankowego, brak dokumentu FK", one line per batch.
QString sOpisPartii(const std::vector<UnfinishedBatch>& batches);

// Writes the missing bank file (the same bytes as at the issue) and posts the
// missing document, unless the batch's rows already carry one; each step done
// is recorded. True when nothing is missing any more.
bool bDokonczPartie(const UnfinishedBatch& batch);

// Lists the unfinished batches and, when the user agrees, finishes them.
// Silent when there are none or when they cannot be read.
void vZaproponujDokonczeniePartii();
