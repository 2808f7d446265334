#pragma once
// Order and search expressions of the register and realized-transfer queries:
// grid columns that come from the contractor and account joins sort by those
// tables' columns, text columns sort case-blind in the Polish collation.

#include <QString>

// The order expression of a grid column: "b.PELNA" for the contractor name,
// "b.KOD_FK" for its symbol, "b.WYROZNIONY", "a.WPROWADZONY" for the origin
// mark, "c.KONTO" for the contractor's account, "c.ZAAKCEPTOWANE" for its
// acceptance, otherwise "a." + the field.
QString sWyrazenieSortowania(const QString& pole);

// The expression the suite's incremental search gets for a sort column.
QString sWyrazenieSzukania(const QString& pole);

// The order line: "UPPER(x) COLLATE PXW_PLK ASC" for texts (except the mark
// and origin columns, which hold numbers), "x ASC" otherwise; DESC descending.
QString sLiniaPorzadku(const QString& wyrazenie, bool tekst, bool rosnaco);
