#pragma once
// The accounts of an issue that are not on the VAT white list (or could not
// be checked), with the contractor, the account and the amount. The user
// confirms paying them, which is recorded with who and when, or goes back to
// the register to unmark them. Run modally by the issue.

#include "module/whitelist/Kontrola.h"
#include "platform/ui/FormBase.h"

class QLabel;
class QPushButton;
class QTableWidget;

class TfrmBialaLista;
inline TfrmBialaLista* frmBialaLista = nullptr;

class TfrmBialaLista : public ui::Form<TfrmBialaLista, frmBialaLista> {
    Q_OBJECT
public:
    TfrmBialaLista(QWidget* owner, const whitelist::WynikKontroli& kontrola);

    QLabel* lblPlik;  // the file's date and why it is not the issue day's
    QTableWidget* grdRachunki;  // Kontrahent, NIP, Rachunek, Kwota, Wynik
    QPushButton* btnPotwierdz;
    QPushButton* btnWroc;

    void btnPotwierdzClick();
    void btnWrocClick();

private:
    void vZbudujOkno();
    void vWypelnij();

    std::vector<whitelist::Sprawdzony> m_poza;
    whitelist::WynikKontroli m_kontrola;
};
