#include "module/issuing/BatchRows.h"

#include "platform/data/Formats.h"
#include "platform/data/SqlText.h"

QString sWarunekPartii(const QDate& date, char letter) {
    // The date as the realized-transfer filters write it, with the date separator of the suite.
    const QString day = data::formatDateTime(QDateTime(date, QTime(0, 0)), QStringLiteral("yyyy/mm/dd"));
    return "and a.DATA_REALIZACJI =" + data::sqlQuote(day) +
           " and a.KOLEJNY = " + data::sqlQuote(QString(QLatin1Char(letter)));
}
