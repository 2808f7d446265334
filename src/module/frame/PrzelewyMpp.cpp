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

// Writes the flag and the VAT on the register row just written by `zapis`; its ID or -1.
int iZapiszWiersz(const std::function<int()>& zapis, bool mpp, float kwotaVat) {
    data::Dataset& przelewy = DMP->quePrzelewy;
    data::UnitOfWork uow(dmMain->transaction(), {&przelewy}, data::UnitOfWork::Commit::ByCaller);
    const int id = zapis();
    if (id < 0 || !przelewy.locate(QStringLiteral("ID"), id)) return -1;
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
}

// The transfer and its flag are written together or not at all: the caller
// commits, and a transfer written without its flag would go to the bank as an
// ordinary payment. A savepoint takes back the first write when the second fails.
int iZapiszZMpp(const std::function<int()>& zapis, bool mpp, float kwotaVat) {
    fb::Transaction& tr = dmMain->transaction();
    dmMain->database().execute(tr, "SAVEPOINT PX_PRZELEW_MPP");
    int id = -1;
    bool zmieniony = false;
    try {
        id = iZapiszWiersz(zapis, mpp, kwotaVat);
    } catch (const data::RowChanged&) {
        zmieniony = true;
    } catch (const std::exception&) {
        id = -1;
    }
    try {
        if (id > 0) {
            dmMain->database().execute(tr, "RELEASE SAVEPOINT PX_PRZELEW_MPP");
            return id;
        }
        dmMain->database().execute(tr, "ROLLBACK TO SAVEPOINT PX_PRZELEW_MPP");
        if (zmieniony) {
            DMP->vPrzelewZmieniony();
        } else {
            // The register's rows may hold what was just taken back.
            DMP->quePrzelewy.close();
            DMP->quePrzelewy.open();
        }
    } catch (const std::exception&) {
        // The transaction itself is gone: the caller rolls back what is left.
    }
    return -1;
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
