#include "module/register/Podzialkwoty.h"

#include "module/frame/CzescVat.h"
#include "module/frame/TDMP.h"
#include "platform/controls/DBEdit.h"
#include "platform/controls/EntryForm.h"
#include "platform/data/Formats.h"
#include "platform/data/RowChanged.h"
#include "platform/data/UnitOfWork.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Glyphs.h"
#include "siblings/core/TdmMain.h"

#include <QAction>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void odmowa(const QString& tekst) { ui::dialogs().message(tekst, QString(), ui::Buttons::Ok, ui::Icon::None); }

std::int64_t grosze(const char* kolumna) {
    const data::Field& pole = DMP->quePrzelewy[kolumna];
    return pole.isNull() ? 0 : pole.asDecimal().rescaled(2).units;
}

std::int64_t pozostalo() { return grosze("WARTOSC_CALA") - grosze("WARTOSC_WYPLACONA"); }
std::int64_t vatPozostal() { return grosze("KWOTA_VAT_CALA") - grosze("KWOTA_VAT_WYPLACONA"); }

}  // namespace

TfrmPodzialKwoty::TfrmPodzialKwoty(QWidget* owner) : Form(owner) {
    setObjectName(QStringLiteral("frmPodzialKwoty"));
    setWindowTitle(QStringLiteral("Przelewy-Podział kwoty"));
    vZbudujOkno();
    vPokazZostaje();
    iKwotaZaproponowana = grosze("WARTOSC");
    iVatZaproponowany = grosze("KWOTA_VAT");
    ui::loadGlyphs({{btnAnuluj, "D_ANULUJ"}, {btnOK, "D_OK"}});
    dmMain->vAddWindowTab(*this);
    dmMain->vKolorForm(*this);
}

void TfrmPodzialKwoty::vZbudujOkno() {
    DBEdit1 = ui::named<ui::DBEdit>("DBEdit1");
    edtWartoscCala = ui::named<ui::DBEdit>("edtWartoscCala");
    edtWartosc = ui::named<ui::DBEdit>("edtWartosc");
    edtKwotaVat = ui::named<ui::DBEdit>("edtKwotaVat");
    pnlZostaje = ui::named<QLabel>("pnlZostaje");
    pnlZostaje->setFrameShape(QFrame::Panel);
    pnlZostaje->setFrameShadow(QFrame::Sunken);
    btnOK = ui::named<QPushButton>("btnOK", QStringLiteral("OK"));
    btnOK->setToolTip(QStringLiteral("Zapisz zmiany i zamknij okno"));
    btnAnuluj = ui::named<QPushButton>("btnAnuluj", QStringLiteral("Anuluj"));
    btnAnuluj->setToolTip(QStringLiteral("Anuluj zmiany i zamknij okno"));

    data::Dataset* q = &DMP->quePrzelewy;
    DBEdit1->setDataField(q, QStringLiteral("NR_FAKTURY"));
    edtWartoscCala->setDataField(q, QStringLiteral("WARTOSC_CALA"));
    edtWartosc->setDataField(q, QStringLiteral("WARTOSC"));
    edtKwotaVat->setDataField(q, QStringLiteral("KWOTA_VAT"));
    // Only the amount to pay is split here.
    DBEdit1->setInfo(true);
    edtWartoscCala->setInfo(true);

    auto* pola = new QFormLayout;
    pola->addRow(QStringLiteral("Faktura :"), DBEdit1);
    pola->addRow(QStringLiteral("Całkowita kwota:"), edtWartoscCala);
    pola->addRow(QStringLiteral("Podaj kwotę do przelewu:"), edtWartosc);
    pola->addRow(QStringLiteral("VAT w tej kwocie:"), edtKwotaVat);
    pola->setRowVisible(edtKwotaVat, bMpp());
    pola->addRow(QStringLiteral("Pozostanie::"), pnlZostaje);
    auto* przyciski = ui::buttonRow({btnOK, btnAnuluj});
    auto* okno = new QVBoxLayout(this);
    okno->addLayout(pola);
    okno->addLayout(przyciski);
    resize(380, 200);

    ui::enterMovesFocus(*this);

    connect(edtWartosc, &ui::DBEdit::exited, this, &TfrmPodzialKwoty::edtWartoscExit);
    connect(btnOK, &QPushButton::clicked, this, &TfrmPodzialKwoty::btnOKClick);
    connect(btnAnuluj, &QPushButton::clicked, this, &TfrmPodzialKwoty::btnAnulujClick);
    connect(ui::formKey(*this, Qt::Key_Escape), &QAction::triggered, this, &TfrmPodzialKwoty::btnAnulujClick);
}

void TfrmPodzialKwoty::vPokazZostaje() {
    pnlZostaje->setText(
        data::formatFloat(DMP->quePrzelewy["WARTOSC_CALA"].asDouble() - DMP->quePrzelewy["WARTOSC"].asDouble()));
}

bool TfrmPodzialKwoty::bMpp() const {
    const data::Field* mpp = DMP->quePrzelewy.findField(QStringLiteral("MPP"));
    return mpp && mpp->asInteger() == 1;
}

void TfrmPodzialKwoty::edtWartoscExit() {
    vPokazZostaje();
    vZaproponujVat();
}

void TfrmPodzialKwoty::vZaproponujVat() {
    const std::int64_t kwota = grosze("WARTOSC");
    if (!bMpp() || !DMP->quePrzelewy.isEditing() || kwota == iKwotaZaproponowana ||
        grosze("KWOTA_VAT") != iVatZaproponowany)
        return;
    iKwotaZaproponowana = kwota;
    iVatZaproponowany = mpp::proportionalVat(pozostalo(), vatPozostal(), kwota);
    DMP->quePrzelewy["KWOTA_VAT"].setDecimal(fb::Decimal{iVatZaproponowany, 2});
}

void TfrmPodzialKwoty::btnOKClick() {
    if (!ui::applyEdits(*this)) return;
    const double wartosc = DMP->quePrzelewy["WARTOSC"].asDouble();
    const double maksimum = DMP->quePrzelewy["WARTOSC_CALA"].asDouble() -
                            DMP->quePrzelewy["WARTOSC_WYPLACONA"].asDouble();
    if (dmMain->zaokr(wartosc, 2) > dmMain->zaokr(maksimum, 2)) {
        odmowa(QStringLiteral("Za duza kwota "));
        return;
    }
    // A negative amount would go to the bank as a negative payment.
    if (dmMain->zaokr(wartosc, 2) < 0) {
        odmowa(QStringLiteral("Kwota nie może być ujemna "));
        return;
    }
    if (bMpp()) {
        vZaproponujVat();
        const QString vat = mpp::vatPartRefusal(pozostalo(), vatPozostal(), grosze("WARTOSC"), grosze("KWOTA_VAT"));
        if (!vat.isEmpty()) {
            odmowa(vat);
            return;
        }
    }
    bool zmieniony = false;
    const bool zapisano = runHandler("btnOKClick", [&zmieniony] {
        // The dialog's row is not the unit's to cancel: after a failed save
        // the amount stays in the dialog to be corrected or cancelled. A saved
        // amount is made durable at once; nothing else would commit it.
        data::UnitOfWork uow(dmMain->transaction());
        try {
            if (DMP->quePrzelewy.state() == data::Dataset::State::Edit) DMP->quePrzelewy.post();
        } catch (const data::RowChanged&) {
            zmieniony = true;  // nothing was written
            return;
        }
        uow.commit();
    });
    if (zmieniony) {
        // The split was of a row that no longer is: the register reads it again.
        DMP->quePrzelewy.cancel();
        setModalResult(ui::mrAbort);
        if (isVisible()) close();
        DMP->vPrzelewZmieniony();
        return;
    }
    if (!zapisano) return;
    setModalResult(ui::mrOk);
    if (isVisible()) close();
}

void TfrmPodzialKwoty::btnAnulujClick() {
    setModalResult(ui::mrCancel);
    if (isVisible()) close();
}

void TfrmPodzialKwoty::onHandlerFailed(const char*) {
    // An amount written and then undone (the commit failed) no longer matches
    // the database: the dialog gives up and the register reads the row again.
    if (DMP->quePrzelewy.isEditing()) return;
    setModalResult(ui::mrAbort);
    if (isVisible()) close();
}

void TfrmPodzialKwoty::onClose() {
    if (DMP->quePrzelewy.state() == data::Dataset::State::Edit) DMP->quePrzelewy.cancel();
    dmMain->vRemoveWindowTab(*this);
}
