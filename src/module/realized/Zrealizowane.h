#pragma once
// The realized transfers of a date range, newest batch first: the place from
// which a batch's ledger document is shown or created, a batch is printed,
// its bank file written again or the batch withdrawn, and old history deleted.

#include "platform/grid/DbGrid.h"
#include "platform/ui/FormBase.h"

#include <QDate>

class QAction;
class QDateEdit;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;

class TfrmZrealizowane;
inline TfrmZrealizowane* frmZrealizowane = nullptr;

class TfrmZrealizowane : public ui::Form<TfrmZrealizowane, frmZrealizowane> {
    Q_OBJECT
public:
    explicit TfrmZrealizowane(QWidget* owner);
    // The size it opens in, also as a frame of the host.
    QSize sizeHint() const override { return {900, 600}; }

    ui::DbGrid* grdZrealizowane;
    QToolButton* spbFK;
    QToolButton* spbWydruk;
    QToolButton* spbBank;
    QToolButton* btnHelp;
    QDateEdit* DateTimePickerOd;
    QDateEdit* DateTimePickerDo;
    QPushButton* btnFiltruj;
    QLabel* Label1;
    QMenu* PopupMenu1;
    QAction* Anulujzrealizowane1;
    QAction* KsujzBazyzrealizowanedoroku1;

    // 1 after construction, 2 after the issued batches window was opened:
    // the next activation selects the list anew. 0: it does not.
    int iKodAktywacji = 1;
    QString sDataOd, sDataDo;  // "yyyy-mm-dd"
    QString sWarunek;  // the range line of the query
    QString sKolumnaSortowania;  // the field last sorted by its title
    bool bRosnaco = true;

    void btnFiltrujClick();
    void DateTimePickerOdChange();
    void grdZrealizowaneTitleClick(const QString& pole);
    void grdZrealizowaneDrawColumnCell(const ui::DbGrid::Cell& cell);
    void grdZrealizowaneDblClick();
    void spbWydrukClick();
    void spbBankClick();
    void Anulujzrealizowane1Click();
    void KsujzBazyzrealizowanedoroku1Click();
    void btnDokFKClick();
    void btnHelpClick();

protected:
    void onActivate() override;
    void onClose() override;

private:
    void vZbudujOkno();
    void vZbudujGore();
    void vZbudujMenu();
    void vUstawZakres(const QDate& od, const QDate& doDnia);
    // The list of the stored range in its first order.
    void vWybierzListe();
    void vOtworzWystawione(char tryb);
    bool bWolno();
    // A document for the current row's batch, through the posting of a hidden issuing window.
    void vUtworzDokument();
};
