#pragma once

#include <QDate>
#include <QString>

// The condition line of the realized-transfer query that keeps one batch.
QString sWarunekPartii(const QDate& date, char letter);

// Selects the realized transfers of one batch into DMP->queZrealizowane,
// newest first, with the contractor's name and account joined.
void vWybierzPrzelewyPartii(const QDate& date, char letter);
// Whether DMP->queZrealizowane holds the rows vWybierzPrzelewyPartii selects
// for that batch (a grouping bank's file replaces them by its grouped rows).
bool bWybranoPrzelewyPartii(const QDate& date, char letter);
