#pragma once
// Withdrawing an issued batch: its realized rows are marked "*" (they stay in
// the realized register but no longer belong to the batch), the register
// transfers they paid go back to pending with their paid amount reduced, and
// the batch's ledger document is deleted. Nothing is committed here: the
// caller's unit of work keeps all of it or none of it.

#include <QDate>

enum class WynikWycofania { Wycofano, DokumentNieUsuniety };

// Works on the batch's realized rows as DMP->queZrealizowane holds them. With
// `zaznacz` the returned transfers go into set 1, unless one is in another
// set already. Throws on a database failure and when a row was changed by
// someone else since it was read.
WynikWycofania wycofajPartie(const QDate& date, bool zaznacz);
