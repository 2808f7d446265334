#include "module/frame/CPrzelew.h"

#include "module/frame/TDMP.h"
#include "module/import/Wyciagibankowe.h"
#include "module/issuing/BatchSteps.h"
#include "module/parameters/Parametry.h"
#include "module/realized/Przelewydoakceptacji.h"
#include "module/register/Przelewy.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

// One register window: a second call restores the saved layout again and
// brings the open window to the front.
void vPokazRejestr(QWidget* owner, bool bPrzywrocWlasciciela) {
    if (!frmPrzelewy) {
        // A batch another user's crash left unfinished is offered to whoever opens the register next.
        vZaproponujDokonczeniePartii();
        new TfrmPrzelewy(owner, bPrzywrocWlasciciela);
    }
    dmMain->vWczytajGrid(*frmPrzelewy->grdPrzelewy, QStringLiteral("TfrmPrzelewy"), true);
    frmPrzelewy->showWindow();
}

void vUwaga(const QString& tekst) {
    ui::dialogs().message(tekst, QStringLiteral("Uwaga"), ui::Buttons::Ok, ui::Icon::Warning);
}

bool bOtwarteOkna() {
    const QMdiArea* obszar = ui::mdiArea();
    if (!obszar) return false;
    for (const QMdiSubWindow* okno : obszar->subWindowList())
        if (okno->isVisible()) return true;
    return false;
}

}  // namespace

CPrzelew::CPrzelew() {
    DMP = new TDMP(nullptr);
    vPrzelewyInicjacja();
}

CPrzelew::CPrzelew(int) {
    DMP = new TDMP(qApp);
    vPrzelewyInicjacja();
}

CPrzelew::~CPrzelew() {
    delete DMP;
    DMP = nullptr;
}

void CPrzelew::vPrzelewyInicjacja() { vZaproponujDokonczeniePartii(); }

void CPrzelew::vPrzelewyMDI(QApplication*) { vPokazRejestr(ui::mainWindow(), false); }

void CPrzelew::vPrzelewyModalne(QApplication*) { vPokazRejestr(nullptr, true); }

void CPrzelew::vWyciagiBankoweMDI(QApplication*) {
    if (!frmWyciagiBankowe) new TfrmWyciagiBankowe(ui::mainWindow());
    frmWyciagiBankowe->showWindow();
}

void CPrzelew::vParametryPrzelewyMDI(QApplication*) {
    // The parameters change what open windows have already read.
    if (bOtwarteOkna()) {
        vUwaga(QStringLiteral("Przed uruchomieniem zamknij wszystkie okna w systemie"));
        return;
    }
    if (!frmParametry) new TfrmParametry(ui::mainWindow());
    frmParametry->showWindow();
}

void CPrzelew::vPrzelewyDoAkceptacjiMDI(QApplication*) {
    try {
        DMP->vWczytajParametry();
    } catch (const std::exception& e) {
        ui::showError(QStringLiteral("CPrzelew"), "vPrzelewyDoAkceptacjiMDI", e);
        return;
    }
    if (DMP->iCzyAkceptacjaKontaBankowego == 0) {
        vUwaga(QStringLiteral("Nie ustawiono w parametrach akceptacji kont bankowych"));
        return;
    }
    if (!frmPrzelewyDoAkceptacji) new TfrmPrzelewyDoAkceptacji(nullptr);
    dmMain->vWczytajGrid(*frmPrzelewyDoAkceptacji->grdPrzelewy, QStringLiteral("TfrmPrzelewyDoAkceptacji"), true);
    frmPrzelewyDoAkceptacji->showWindow();
}
