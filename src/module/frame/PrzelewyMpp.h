#pragma once
// The invoice module's entry points for an invoice paid as a split payment:
// as TDMP::iDodajPrzelew and TDMP::iZmienPrzelew, which stay as they are,
// with the split-payment flag and the invoice's VAT. Inside the host's
// transaction, committing is the caller's. A VAT that cannot be kept (negative,
// above the amount) or a contractor without a valid NIP is refused with the
// reason shown, and nothing is written: -1. The transfer and its flag are
// written together: when the flag cannot be, the transfer is taken back too.

#include <QDateTime>
#include <QString>

int iDodajPrzelewMpp(int idFaktury, int idKontrahenta, int idKontaBank, const QString& nrFaktury, const QString& wn,
                     const QDateTime& dataWystawienia, const QDateTime& terminZaplaty, float kwota,
                     const QString& paragraf, const QString& tresc, bool mpp, float kwotaVat);

int iZmienPrzelewMpp(int id, int idFaktury, int idKontrahenta, int idKontaBank, const QString& nrFaktury,
                     const QString& wn, const QDateTime& dataWystawienia, const QDateTime& terminZaplaty, float kwota,
                     const QString& paragraf, const QString& tresc, bool mpp, float kwotaVat);
