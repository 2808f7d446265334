#include "module/frame/CzescVat.h"

#include "siblings/core/TdmMain.h"

namespace mpp {
namespace {

// "1234,50 zł" in a message.
QString zl(std::int64_t grosze) {
    const std::int64_t whole = grosze < 0 ? -grosze : grosze;
    return QStringLiteral("%1%2,%3 zł")
        .arg(grosze < 0 ? QStringLiteral("-") : QString())
        .arg(whole / 100)
        .arg(whole % 100, 2, 10, QLatin1Char('0'));
}

}  // namespace

std::int64_t proportionalVat(std::int64_t amountLeft, std::int64_t vatLeft, std::int64_t payment) {
    if (payment >= amountLeft || amountLeft <= 0) return vatLeft;
    // Grosze fit 18 digits; their product needs 128 bits.
    const __int128 scaled = static_cast<__int128>(vatLeft) * payment * 2;
    const __int128 twice = scaled / amountLeft;
    return static_cast<std::int64_t>((twice + (twice >= 0 ? 1 : -1)) / 2);
}

QString vatRefusal(bool given, std::int64_t vat, std::int64_t amount) {
    if (!given) return QStringLiteral("Brak kwoty VAT przelewu w mechanizmie podzielonej płatności");
    if (vat < 0) return QStringLiteral("Kwota VAT nie może być ujemna");
    if (vat > amount) return "Kwota VAT " + zl(vat) + " jest większa od kwoty przelewu " + zl(amount);
    return {};
}

QString vatPartRefusal(std::int64_t amountLeft, std::int64_t vatLeft, std::int64_t payment, std::int64_t vatPart) {
    if (vatPart < 0) return QStringLiteral("Kwota VAT nie może być ujemna");
    if (vatPart > payment)
        return "VAT w tej części " + zl(vatPart) + " jest większy od kwoty do przelewu " + zl(payment);
    if (vatPart > vatLeft)
        return "VAT w tej części " + zl(vatPart) + " jest większy od VAT pozostałego do zapłaty " + zl(vatLeft);
    if (payment >= amountLeft && vatPart != vatLeft)
        return "Przelew płaci całą pozostałą kwotę: VAT w nim musi wynosić " + zl(vatLeft);
    if (vatLeft - vatPart > amountLeft - payment)
        return "Po tej części zostałby VAT " + zl(vatLeft - vatPart) + " większy od kwoty pozostałej " +
               zl(amountLeft - payment);
    return {};
}

QString contractorNip(std::int64_t contractorId) {
    const auto nip = fb::selectValue(dmMain->transaction(), "select NIP from ET_KONTAKT where ID = ?", {contractorId});
    const auto* text = nip ? std::get_if<std::string>(&*nip) : nullptr;
    return text ? QString::fromStdString(*text) : QString();
}

}  // namespace mpp
