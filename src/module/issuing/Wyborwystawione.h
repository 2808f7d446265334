#pragma once
// The issued batches, newest first, and one action on the batch the user
// picks: print it again ('W'), write its bank file again ('B') or withdraw it
// back into the register ('A'). Opened from the realized transfers list.

#include "platform/grid/DbGrid.h"
#include "platform/ui/FormBase.h"

#include <QDate>

class QLabel;
class QPushButton;
class QToolButton;

class TfrmWyborWystawione;
inline TfrmWyborWystawione* frmWyborWystawione = nullptr;

class TfrmWyborWystawione : public ui::Form<TfrmWyborWystawione, frmWyborWystawione> {
    Q_OBJECT
public:
    TfrmWyborWystawione(QWidget* owner, char tryb);

    ui::DbGrid* DBGrid1;
    QPushButton* btnWybierz;
    QPushButton* btnAnuluj;
    QToolButton* btnHelp;
    QLabel* lblTytul;

    const char cTryb;
    // The batch to stand on at the first activation; '*' stands on the newest.
    QDateTime dtWybrana;
    char cWybranaLitera = '*';

    void btnWybierzClick();
    void btnAnulujClick();
    void btnHelpClick();
    void DBGrid1DrawColumnCell(const ui::DbGrid::Cell& cell);

protected:
    void onActivate() override;
    void onClose() override;
    void onHandlerFailed(const char* operation) override;

private:
    void vZbudujOkno();
    // The batch's realized rows into the realized query, and its company
    // bank; false after telling why there is nothing to work on.
    bool bWybierzPartie();
    // The rows of a grouping bank as its file carries them, one per payee.
    void vPogrupuj();
    void vWydruk();
    void vPlikDoBanku();
    void vWycofaj();
    // The register lists pending transfers again; the window closes.
    void vZakonczWycofanie();

    bool bPierwszaAktywacja = true;
    bool bWycofywanie = false;   // the withdrawal has started writing
    QDate m_data;                // the chosen batch
    char m_litera = 'A';
    int m_idBanku = 0;
    bool m_grupuje = false;
};
