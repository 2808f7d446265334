#pragma once
// The transfers with the acceptance state of the contractor account each one
// pays to: a second person accepts an account (or cancels its acceptance)
// before money may go to it. Accepting is refused to the user who typed the
// account's number; the contractor register stores who accepted and when.

#include "module/register/ListaSortowana.h"
#include "module/register/Zestawy.h"
#include "platform/data/Dataset.h"
#include "platform/grid/DbGrid.h"
#include "platform/ui/FormBase.h"

class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

class TfrmPrzelewyDoAkceptacji;
inline TfrmPrzelewyDoAkceptacji* frmPrzelewyDoAkceptacji = nullptr;

class TfrmPrzelewyDoAkceptacji : public ui::Form<TfrmPrzelewyDoAkceptacji, frmPrzelewyDoAkceptacji> {
    Q_OBJECT
public:
    explicit TfrmPrzelewyDoAkceptacji(QWidget* owner);
    // The size it opens in, also as a frame of the host.
    QSize sizeHint() const override { return {900, 600}; }

    data::Dataset queRobPrzelewy;

    // --- controls
    ui::DbGrid* grdPrzelewy;
    QPushButton* btnAkceptuj;
    QPushButton* btnOdAkceptuj;
    QGroupBox* rgKtoryZestaw;
    QButtonGroup* grpZestawy;       // items of rgKtoryZestaw, ids 0..2
    QGroupBox* rgWszystkie;
    QButtonGroup* grpWszystkie;     // 0 "Zaznaczone", 1 "Wszystkie"
    QLineEdit* edtTekst;
    QToolButton* btnCzysc;
    QLabel* pnlIlosc;
    QLabel* pnlRazem;
    QMenu* PopupMenu1;
    QAction* actZaznacz;
    QAction* actOdakceptuj;
    QAction* actLista;
    QAction* actAkceptujWszystkie;

    // --- state
    int iZestaw = 1;
    QString sWarunekZestawu;        // the set condition of line 7
    TListaSortowana* lista;
    TZestawZaznaczonych zestaw;     // count and sum of the current set's marks

    // --- handlers
    void btnAkceptujClick();
    void btnOdAkceptujClick();
    void AkceptacjaWszystkie1Click();
    void actSQLExecute();
    void rgKtoryZestawClick(int index);
    void vPrzelicz();
    void actListaExecute();
    void grdPrzelewyDrawColumnCell(const ui::DbGrid::Cell& cell);

protected:
    void onActivate() override;
    void onClose() override;
    void onHandlerFailed(const char* operation) override;

private:
    void vZbudujOkno();
    QWidget* vZbudujGore();
    QWidget* vZbudujRekord();
    QWidget* vZbudujDol();
    void vZbudujAkcje();
    void vPokazZestaw();
    // The acceptance state of the current transfer's account (0 when it has none).
    int iStanKonta();
    int iKontoBiezace() const;
    bool bJestWiersz() const;
    bool bWszystkie() const;
};
