#pragma once

#include <QDate>
#include <QString>

// The condition line of the realized-transfer query that keeps one batch.
QString sWarunekPartii(const QDate& date, char letter);
