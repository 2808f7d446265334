#pragma once
// Statements that write one row of PR_PRZELEWY. Each finds its row by every
// column as the register read it, so a row that another user has changed
// (corrected an amount, issued it, marked it) since is not found, nothing is
// written and the dataset reports the row as changed.

#include <QString>

// What the user is told when the row is no longer as the register read it.
extern const QString kPrzelewZmieniony;

// The transfer columns the register reads and writes, "ID, ID_KONTRAHENTA, ...".
extern const QString kKolumnyPrzelewu;

// " where ID = :OLD_ID and ID_KONTRAHENTA is not distinct from :OLD_ID_KONTRAHENTA and ...".
QString sWarunekPrzelewu();

// Updates only the columns given ("ZAZNACZ2, WARTOSC") of the row as read.
QString sZmianaPrzelewu(const QString& kolumny);
