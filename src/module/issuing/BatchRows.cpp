#include "module/issuing/BatchRows.h"

#include "platform/data/Formats.h"
#include "platform/data/SqlText.h"
#include "siblings/core/TdmMain.h"

#include <algorithm>

QString sWarunekPartii(const QDate& date, char letter) {
    // The date as the realized-transfer filters write it, with the date separator of the suite.
    const QString day = data::formatDateTime(QDateTime(date, QTime(0, 0)), QStringLiteral("yyyy/mm/dd"));
    return "and a.DATA_REALIZACJI =" + data::sqlQuote(day) +
           " and a.KOLEJNY = " + data::sqlQuote(QString(QLatin1Char(letter)));
}

void vNajnowszeNajpierw(std::vector<BatchRow>& rows) {
    // Sorted here: cheaper than the database sorting whole rows.
    std::sort(rows.begin(), rows.end(), [](const BatchRow& a, const BatchRow& b) { return a.id > b.id; });
}

const char* const kWierszePartii =
    " where a.DATA_REALIZACJI = ? and a.KOLEJNY = ?"
    " and exists (select 1 from ET_KONTAKT b where b.ID = a.ID_KONTRAHENTA)"
    " and exists (select 1 from ET_BANK_KONTO c where c.ID = a.ID_KONTA_BANK)";

std::vector<fb::Value> batchKey(const QDate& date, char letter) {
    return {fb::Timestamp{date.year(), date.month(), date.day()}, std::string(1, letter)};
}

std::vector<BatchRow> batchRows(const QDate& date, char letter) {
    fb::Transaction& tr = dmMain->transaction();
    fb::Statement st(tr, std::string("select a.ID, a.ID_KONTRAHENTA, a.ID_KONTA_BANK, a.WARTOSC, a.DATA_REALIZACJI, "
                                     "a.TRESC1, a.NR_FAKTURY, a.PARAGRAF, a.WN, a.MPP, a.KWOTA_VAT "
                                     "from PR_PRZELEWY_ZREALIZOWANE a") +
                             kWierszePartii);
    st.setParams(batchKey(date, letter));
    fb::Cursor c = st.open(tr);
    const auto text = [&c](int i) { return QString::fromUtf8(c.asText(i)); };
    const auto decimal = [&c](int i) { return c.isNull(i) ? fb::Decimal{} : c.asDecimal(i); };
    std::vector<BatchRow> rows;
    while (c.fetch()) {
        BatchRow r;
        r.id = c.asInt(0);
        r.contractorId = c.asInt(1);
        r.accountId = c.asInt(2);
        r.amount = decimal(3);
        r.date = data::dayOf(c, 4);
        r.title = text(5);
        r.invoice = text(6);
        r.paragraph = text(7);
        r.debit = text(8);
        r.split = !c.isNull(9) && c.asInt(9) == 1;
        r.vat = decimal(10);
        rows.push_back(std::move(r));
    }
    vNajnowszeNajpierw(rows);
    return rows;
}
