#pragma once
// The structured title a bank needs to split a payment: the VAT part goes to
// the payee's VAT account, the rest to the account given. Banks read it from
// the title of an Elixir-O order whose transaction code marks a split payment.

#include "platform/fb/Fb.h"

#include <QString>

namespace bankfile {

// The transaction code of a split payment, used when the company bank sets none.
inline const QString kSplitPaymentCode = QStringLiteral("53");

// The invoice number and the free text are cut to what the message takes.
constexpr int kSplitInvoiceLength = 35;
constexpr int kSplitTextLength = 33;

// "1234,56": two decimals after a comma, no grouping, rounded to the grosz.
QString vatAmountText(const fb::Decimal& vat);

// "/VAT/1234,56/IDC/5512393471/INV/FV 1/2026/TXT/free text": the NIP by its
// ten digits when it is a valid one, otherwise as written without blanks and dashes.
QString splitPaymentTitle(const fb::Decimal& vat, const QString& nip, const QString& invoice, const QString& text);

}  // namespace bankfile
