#include "module/issuing/PlatnoscMpp.h"

#include "module/frame/CzescVat.h"
#include "module/issuing/BankRecord.h"
#include "platform/data/Dataset.h"
#include "platform/text/Nip.h"

namespace {

bool bMpp(const data::Dataset& przelewy) {
    const data::Field* mpp = przelewy.findField(QStringLiteral("MPP"));
    return mpp && mpp->asInteger() == 1;
}

std::int64_t grosze(const data::Dataset& przelewy, const char* kolumna) {
    const data::Field& pole = przelewy[kolumna];
    return pole.isNull() ? 0 : pole.asDecimal().rescaled(2).units;
}

QString sOdmowaPrzelewu(const data::Dataset& przelewy, int procedura, const QString& bank) {
    const QString przelew = "Przelew " + przelewy["NR_FAKTURY"].asString() + " dla " +
                            przelewy["KONTRAHENT_NAZWA"].asString() + " jest w mechanizmie podzielonej płatności";
    if (!bankfile::carriesSplitPayment(procedura))
        return przelew + ", a zbiór banku " + bank + " (procedura " + QString::number(procedura) +
               ") nie przenosi takich przelewów.\nWybierz bank z procedurą 1 (Elixir-O) albo odznacz ten przelew.";
    const QString nip = text::nipError(mpp::contractorNip(przelewy["ID_KONTRAHENTA"].asInteger()));
    if (!nip.isEmpty()) return przelew + ", a kontrahent nie ma poprawnego numeru NIP.\n" + nip;
    const std::int64_t pozostalo = grosze(przelewy, "WARTOSC_CALA") - grosze(przelewy, "WARTOSC_WYPLACONA");
    const std::int64_t vatPozostal = grosze(przelewy, "KWOTA_VAT_CALA") - grosze(przelewy, "KWOTA_VAT_WYPLACONA");
    const QString vat = mpp::vatPartRefusal(pozostalo, vatPozostal, grosze(przelewy, "WARTOSC"),
                                            grosze(przelewy, "KWOTA_VAT"));
    if (!vat.isEmpty())
        return przelew + ".\n" + vat + ".\nPopraw kwotę VAT w podziale kwoty (F6) lub w formularzu przelewu.";
    return {};
}

}  // namespace

QString sOdmowaMpp(const data::Dataset& przelewy, int procedura, const QString& bank) {
    for (int r = 0; r < przelewy.recordCount(); ++r) {
        data::Dataset::RowScope wiersz(przelewy, r);
        if (!bMpp(przelewy)) continue;
        const QString odmowa = sOdmowaPrzelewu(przelewy, procedura, bank);
        if (!odmowa.isEmpty()) return odmowa;
    }
    return {};
}

std::int64_t iZaplacVat(data::Dataset& przelewy) {
    if (!bMpp(przelewy)) return 0;
    const std::int64_t czesc = grosze(przelewy, "KWOTA_VAT");
    const std::int64_t wyplacono = grosze(przelewy, "KWOTA_VAT_WYPLACONA") + czesc;
    przelewy["KWOTA_VAT_WYPLACONA"].setDecimal(fb::Decimal{wyplacono, 2});
    przelewy["KWOTA_VAT"].setDecimal(fb::Decimal{grosze(przelewy, "KWOTA_VAT_CALA") - wyplacono, 2});
    return czesc;
}
