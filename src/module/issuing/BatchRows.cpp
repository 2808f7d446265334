#include "module/issuing/BatchRows.h"

#include "module/frame/TDMP.h"
#include "platform/data/Formats.h"
#include "platform/data/SqlText.h"

namespace {

QStringList batchSql(const QDate& date, char letter)
{
    // The date as the realized-transfer filters write it, with the date separator of the suite.
    const QString day = data::formatDateTime(QDateTime(date, QTime(0, 0)), QStringLiteral("yyyy/mm/dd"));
    return {QStringLiteral("select a.*,b.PELNA as KONTRAHENT_NAZWA, b.KOD_FK as SYMBOL_NAZWA, b.SKROT as "
                           "KONTRAHENT_SKROT,"),
            QStringLiteral(" c.KONTO as KONTRAHENT_KONTO , c.NAZWA as KONTRAHENT_NAZWABANKU"),
            QStringLiteral(" from"),
            QStringLiteral("PR_PRZELEWY_ZREALIZOWANE a , ET_KONTAKT b, ET_BANK_KONTO c"),
            QStringLiteral("where"),
            QStringLiteral(" a.ID_KONTRAHENTA=b.ID and a.ID_KONTA_BANK=c.ID"),
            "and a.DATA_REALIZACJI =" + data::sqlQuote(day) + " and a.KOLEJNY = " +
                data::sqlQuote(QString(QLatin1Char(letter))),
            QStringLiteral("order by"),
            QStringLiteral("a.id  DESC")};
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
