#include "module/frame/PrzelewyMpp.h"

#include "module/frame/CzescVat.h"
#include "module/frame/TDMP.h"
#include "platform/data/RowChanged.h"
#include "platform/data/UnitOfWork.h"
#include "platform/text/Nip.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"

#include <algorithm>
#include <functional>

namespace {

std::int64_t grosze(float kwota) { return fb::Decimal::fromDouble(static_cast<double>(kwota), 2).units; }

// The refusal shown for the invoice, or false when the split payment can be kept.
bool bOdmowa(int idKontrahenta, float kwota, bool mpp, float kwotaVat) {
    if (!mpp) return false;
    QString odmowa = mpp::vatRefusal(true, grosze(kwotaVat), grosze(kwota));
    if (odmowa.isEmpty()) {
        const QString nip = text::nipError(mpp::contractorNip(idKontrahenta));
        if (!nip.isEmpty()) odmowa = "Podzielona płatność wymaga poprawnego NIP kontrahenta: " + nip;
    }
    if (odmowa.isEmpty()) return false;
    ui::dialogs().message(odmowa, QStringLiteral("Przelew nie został zapisany"), ui::Buttons::Ok, ui::Icon::Warning);
    return true;
}

// Writes the flag and the VAT on the register row just written by `zapis`,
// all in one unit: a failure of either leaves nothing of them.
int iZapiszZMpp(const std::function<int()>& zapis, bool mpp, float kwotaVat) {
    data::Dataset& przelewy = DMP->quePrzelewy;
    try {
        data::UnitOfWork uow(dmMain->transaction(), {&przelewy}, data::UnitOfWork::Commit::ByCaller);
        const int id = zapis();
        if (id < 0) return -1;
        if (!przelewy.locate(QStringLiteral("ID"), id)) return -1;
        przelewy.edit();
        przelewy["MPP"].setInteger(mpp ? 1 : 0);
        if (mpp) {
            // The amount written is owed whole, so is the VAT not yet paid.
            const double vat = dmMain->zaokr(static_cast<double>(kwotaVat), 2);
            if (przelewy["KWOTA_VAT_WYPLACONA"].isNull()) przelewy["KWOTA_VAT_WYPLACONA"].setDouble(0);
            przelewy["KWOTA_VAT_CALA"].setDouble(vat);
            przelewy["KWOTA_VAT"].setDouble(
                std::max(0.0, dmMain->zaokr(vat - przelewy["KWOTA_VAT_WYPLACONA"].asDouble(), 2)));
        }
        przelewy.post();
        uow.commit();
        return id;
    } catch (const data::RowChanged&) {
        DMP->vPrzelewZmieniony();
        return -1;
    } catch (const std::exception&) {
        return -1;
    }
}

}  // namespace

int iDodajPrzelewMpp(int idFaktury, int idKontrahenta, int idKontaBank, const QString& nrFaktury, const QString& wn,
                     const QDateTime& dataWystawienia, const QDateTime& terminZaplaty, float kwota,
                     const QString& paragraf, const QString& tresc, bool mpp, float kwotaVat) {
    if (bOdmowa(idKontrahenta, kwota, mpp, kwotaVat)) return -1;
    return iZapiszZMpp(
        [&] {
            return DMP->iDodajPrzelew(idFaktury, idKontrahenta, idKontaBank, nrFaktury, wn, dataWystawienia,
                                      terminZaplaty, kwota, paragraf, tresc);
        },
        mpp, kwotaVat);
}

int iZmienPrzelewMpp(int id, int idFaktury, int idKontrahenta, int idKontaBank, const QString& nrFaktury,
                     const QString& wn, const QDateTime& dataWystawienia, const QDateTime& terminZaplaty, float kwota,
                     const QString& paragraf, const QString& tresc, bool mpp, float kwotaVat) {
    if (bOdmowa(idKontrahenta, kwota, mpp, kwotaVat)) return -1;
    return iZapiszZMpp(
        [&] {
            return DMP->iZmienPrzelew(id, idFaktury, idKontrahenta, idKontaBank, nrFaktury, wn, dataWystawienia,
                                      terminZaplaty, kwota, paragraf, tresc);
        },
        mpp, kwotaVat);
}
