#pragma once

#include <QDate>

// Selects the realized transfers of one batch into DMP->queZrealizowane,
// newest first, with the contractor's name and account joined.
void vWybierzPrzelewyPartii(const QDate& date, char letter);
