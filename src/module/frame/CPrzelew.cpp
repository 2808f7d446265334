#include "module/frame/CPrzelew.h"

#include "module/frame/TDMP.h"
#include "module/import/Wyciagibankowe.h"
#include "module/register/Przelewy.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"

#include <QApplication>

namespace {

// One register window: a second call restores the saved layout again and
// brings the open window to the front.
void vPokazRejestr(QWidget* owner, bool bPrzywrocWlasciciela) {
    if (!frmPrzelewy) new TfrmPrzelewy(owner, bPrzywrocWlasciciela);
    dmMain->vWczytajGrid(*frmPrzelewy->grdPrzelewy, QStringLiteral("TfrmPrzelewy"), true);
    frmPrzelewy->showWindow();
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

void CPrzelew::vPrzelewyInicjacja() {}

void CPrzelew::vPrzelewyMDI(QApplication*) { vPokazRejestr(ui::mainWindow(), false); }

void CPrzelew::vPrzelewyModalne(QApplication*) { vPokazRejestr(nullptr, true); }

void CPrzelew::vWyciagiBankoweMDI(QApplication*) {
    if (!frmWyciagiBankowe) new TfrmWyciagiBankowe(ui::mainWindow());
    frmWyciagiBankowe->showWindow();
}
