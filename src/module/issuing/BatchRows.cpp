#include "module/issuing/BatchRows.h"

#include "module/frame/TDMP.h"
#include "platform/data/Formats.h"
#include "platform/data/SqlText.h"

QString sWarunekPartii(const QDate& date, char letter)
{
    // The date as the realized-transfer filters write it, with the date separator of the suite.
    const QString day = data::formatDateTime(QDateTime(date, QTime(0, 0)), QStringLiteral("yyyy/mm/dd"));
    return "and a.DATA_REALIZACJI =" + data::sqlQuote(day) + " and a.KOLEJNY = " +
           data::sqlQuote(QString(QLatin1Char(letter)));
}

namespace {

QStringList batchSql(const QDate& date, char letter)
{
    return TDMP::sZapytanieZrealizowanych(sWarunekPartii(date, letter), QStringLiteral("a.id  DESC"));
}

}  // namespace

void vWybierzPrzelewyPartii(const QDate& date, char letter)
{
    data::Dataset& rows = DMP->queZrealizowane;
    rows.close();
    rows.setSql(batchSql(date, letter));
    rows.open();
}

bool bWybranoPrzelewyPartii(const QDate& date, char letter)
{
    const data::Dataset& rows = DMP->queZrealizowane;
    return rows.isActive() && rows.sql() == batchSql(date, letter);
}
