#pragma once
// Deleting old history: every realized transfer dated before 1 January of a
// year the user picks, which may not be later than the database's fiscal year.
// Batches, the register and ledger documents stay as they are.

#include "platform/fb/Fb.h"
#include "platform/ui/FormBase.h"

class QPlainTextEdit;
class QPushButton;
class QSpinBox;

// Deletes the realized transfers dated before 1 January of the year, inside
// the transaction (committing is the caller's); how many went.
long iUsunZrealizowaneDoRoku(fb::Transaction& transaction, int rok);

class TfrmKasujZrealizowane;
inline TfrmKasujZrealizowane* frmKasujZrealizowane = nullptr;

class TfrmKasujZrealizowane : public ui::Form<TfrmKasujZrealizowane, frmKasujZrealizowane> {
    Q_OBJECT
public:
    explicit TfrmKasujZrealizowane(QWidget* owner);

    QSpinBox* cspRok;
    QPlainTextEdit* Memo1;
    QPushButton* btnOK;
    QPushButton* btnAnuluj;

    // FK_ROK_OBRACHUNKOWY.ROK of row 0; 0 when there is none.
    int iRokBazy = 0;

    void btnOKClick();
    void btnAnulujClick();

protected:
    void onClose() override;
    void onHandlerFailed(const char* operation) override;

private:
    void vZbudujOkno();
};
