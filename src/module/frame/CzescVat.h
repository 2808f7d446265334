#pragma once
// The VAT of a split payment through its part payments, in grosze. A transfer
// owes `amountLeft` of which `vatLeft` is VAT; a payment of part of it takes
// its own VAT part, and what stays must still be a payable split payment: its
// VAT no larger than its amount, and no VAT left once the amount is paid.

#include <QString>
#include <cstdint>

namespace mpp {

// The VAT part of a payment: proportional to what is left, rounded to the
// grosz (half away from zero); all the VAT left when the payment pays the rest.
std::int64_t proportionalVat(std::int64_t amountLeft, std::int64_t vatLeft, std::int64_t payment);

// Why the typed VAT of a split payment cannot be kept ("" when it can):
// it is not given, negative, or above the amount.
QString vatRefusal(bool given, std::int64_t vat, std::int64_t amount);

// Why a payment cannot carry that VAT part ("" when it can).
QString vatPartRefusal(std::int64_t amountLeft, std::int64_t vatLeft, std::int64_t payment, std::int64_t vatPart);

// The NIP of the contractor as ET_KONTAKT holds it; "" when there is none.
QString contractorNip(std::int64_t contractorId);

}  // namespace mpp
