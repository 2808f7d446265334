#include "module/issuing/Wycofanie.h"

#include "module/frame/TDMP.h"
#include "platform/fb/Scalar.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"
#include "siblings/finanse/TdmFinanse.h"

#include <optional>
#include <stdexcept>

namespace {

fb::Transaction& shared() { return dmMain->transaction(); }

fb::Value grosze(std::int64_t units) { return fb::Decimal{units, 2}; }

[[noreturn]] void changedMeanwhile(const QString& what)
{
    throw std::runtime_error(
        (what + " został w międzyczasie zmieniony przez innego użytkownika. Nic nie wycofano.").toStdString());
}

// The register transfer the realized row paid: the one it records; for rows
// written before transfers were recorded, the newest transfer of that
// contractor and invoice realized that day, else the newest of them in any state.
std::int64_t przelewZrodlowy(const data::Dataset& row, const QDate& date)
{
    const data::Field& link = row["ID_PRZELEWU"];
    if (!link.isNull())
        return fb::asInteger(fb::selectValue(shared(), "select ID from PR_PRZELEWY where ID = ?", {std::int64_t(link.asInteger())}));
    const fb::Value contractor = std::int64_t(row["ID_KONTRAHENTA"].asInteger());
    const fb::Value invoice = row["NR_FAKTURY"].asString().toStdString();
    const std::int64_t sameDay = fb::asInteger(fb::selectValue(
        shared(),
        "select first 1 ID from PR_PRZELEWY where DATA_REALIZACJI = ? and ID_KONTRAHENTA = ? and NR_FAKTURY = ? "
        "order by ID desc",
        {fb::Timestamp{date.year(), date.month(), date.day()}, contractor, invoice}));
    if (sameDay > 0) return sameDay;
    return fb::asInteger(fb::selectValue(
        shared(), "select first 1 ID from PR_PRZELEWY where ID_KONTRAHENTA = ? and NR_FAKTURY = ? order by ID desc",
        {contractor, invoice}));
}

void oznaczWycofany(const data::Dataset& row)
{
    fb::Statement mark(shared(), "update PR_PRZELEWY_ZREALIZOWANE set KOLEJNY = '*' where ID = ? and KOLEJNY = ?");
    mark.setParams({std::int64_t(row["ID"].asInteger()), row["KOLEJNY"].asString().toStdString()});
    if (mark.execute(shared()) != 1) changedMeanwhile("Przelew zrealizowany " + row["NR_FAKTURY"].asString());
}

// Takes the paid amount (and the VAT part of a split payment) back; the
// transfer is pending again and owes the rest with the rest of its VAT.
void zwrocPrzelew(std::int64_t id, std::int64_t paidBack, std::int64_t vatBack, bool zaznacz)
{
    fb::Statement read(shared(), "select WARTOSC_CALA, WARTOSC_WYPLACONA, coalesce(ZAZNACZ2, 0) + "
                                 "coalesce(ZAZNACZ3, 0), NR_FAKTURY, MPP, KWOTA_VAT_CALA, KWOTA_VAT_WYPLACONA "
                                 "from PR_PRZELEWY where ID = ?");
    read.setParams({id});
    fb::Cursor c = read.open(shared());
    if (!c.fetch()) changedMeanwhile(QStringLiteral("Przelew"));
    const std::int64_t full = c.asDecimal(0).rescaled(2).units;
    const std::int64_t paid = c.isNull(1) ? 0 : c.asDecimal(1).rescaled(2).units;
    // A transfer of another set stays there: in two sets it would be issued twice.
    const bool toSet1 = zaznacz && c.asInt(2) == 0;
    const QString invoice = QString::fromUtf8(c.asText(3));
    const bool split = !c.isNull(4) && c.asInt(4) == 1;
    const std::int64_t fullVat = c.isNull(5) ? 0 : c.asDecimal(5).rescaled(2).units;
    const std::int64_t paidVat = c.isNull(6) ? 0 : c.asDecimal(6).rescaled(2).units;
    c.close();

    const std::int64_t stillPaid = paid - paidBack;
    const std::int64_t stillPaidVat = paidVat - vatBack;
    fb::Statement write(shared(), std::string("update PR_PRZELEWY set DATA_REALIZACJI = null, KOLEJNY = null, "
                                              "WARTOSC_WYPLACONA = ?, WARTOSC = ?") +
                                      (toSet1 ? ", ZAZNACZ = 1" : "") +
                                      (split ? ", KWOTA_VAT_WYPLACONA = ?, KWOTA_VAT = ?" : "") +
                                      " where ID = ? and WARTOSC_CALA = ? and coalesce(WARTOSC_WYPLACONA, 0) = ?" +
                                      (split ? " and coalesce(KWOTA_VAT_WYPLACONA, 0) = ?" : ""));
    std::vector<fb::Value> params{grosze(stillPaid), grosze(full - stillPaid)};
    if (split) params.insert(params.end(), {grosze(stillPaidVat), grosze(fullVat - stillPaidVat)});
    params.insert(params.end(), {id, grosze(full), grosze(paid)});
    if (split) params.push_back(grosze(paidVat));
    write.setParams(params);
    if (write.execute(shared()) != 1) changedMeanwhile("Przelew " + invoice);
}

}  // namespace

WynikWycofania wycofajPartie(const QDate& date, bool zaznacz)
{
    data::Dataset& rows = DMP->queZrealizowane;
    rows.first();
    const data::Field& document = rows["ID_DOKUMENTU_FK"];
    // The rows of a batch share its document; the ledger deletes it in the
    // shared transaction, so a failure below brings it back with the rest.
    if (!document.isNull() && document.asInteger() > 0 &&
        dmFinanse->iUsunDokumentFK(nullptr, static_cast<int>(document.asInteger())) < 1) {
        ui::dialogs().showMessage(QStringLiteral(" Błąd  -  Nie anulowano dekretacji"));
        return WynikWycofania::DokumentNieUsuniety;
    }
    for (rows.first(); !rows.eof(); rows.next()) {
        oznaczWycofany(rows);
        const std::int64_t transfer = przelewZrodlowy(rows, date);
        if (transfer <= 0) {
            ui::dialogs().showMessage("Brak faktury na zb.Przelewy " + rows["NR_FAKTURY"].asString());
            continue;
        }
        const data::Field* vat = rows.findField(QStringLiteral("KWOTA_VAT"));
        zwrocPrzelew(transfer, rows["WARTOSC"].asDecimal().rescaled(2).units,
                     vat && !vat->isNull() ? vat->asDecimal().rescaled(2).units : 0, zaznacz);
    }
    return WynikWycofania::Wycofano;
}
