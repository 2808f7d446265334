#pragma once
// What issuing does with split payments: the hand-off check of the marked
// transfers against the chosen bank, and the VAT part of a payment.

#include <QString>
#include <cstdint>

namespace data {
class Dataset;
}

// Why the marked transfers (every row of the register query) cannot be paid
// through the bank of that procedure and name; "" when they can. A split
// payment needs a format that carries it, a payee with a valid NIP and a VAT
// part its amount can pay.
QString sOdmowaMpp(const data::Dataset& przelewy, int procedura, const QString& bank);

// Pays the VAT part of the register row being edited: adds it to the VAT
// paid and leaves the whole VAT rest with the rest of the amount. The part
// paid, in grosze; 0, with nothing changed, for an ordinary transfer.
std::int64_t iZaplacVat(data::Dataset& przelewy);
