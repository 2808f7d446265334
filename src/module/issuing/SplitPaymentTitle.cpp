#include "module/issuing/SplitPaymentTitle.h"

#include "platform/text/Nip.h"

namespace bankfile {

QString vatAmountText(const fb::Decimal& vat) {
    const std::int64_t grosze = vat.rescaled(2).units;
    const std::int64_t whole = grosze < 0 ? -grosze : grosze;
    return QStringLiteral("%1%2,%3")
        .arg(grosze < 0 ? QStringLiteral("-") : QString())
        .arg(whole / 100)
        .arg(whole % 100, 2, 10, QLatin1Char('0'));
}

QString splitPaymentTitle(const fb::Decimal& vat, const QString& nip, const QString& invoice, const QString& text) {
    QString idc = text::nipDigits(nip);
    if (idc.isEmpty()) idc = QString(nip).remove(u'-').remove(u' ');
    return "/VAT/" + vatAmountText(vat) + "/IDC/" + idc + "/INV/" + invoice.trimmed().left(kSplitInvoiceLength) +
           "/TXT/" + text.trimmed().left(kSplitTextLength);
}

}  // namespace bankfile
