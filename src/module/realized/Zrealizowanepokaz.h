#pragma once
// One realized transfer, read-only: the contractor and its account, the
// invoice, amount and title, the budget paragraph, the batch and its ledger
// document number.

#include "platform/ui/FormBase.h"

class QFrame;
class QLabel;
class QPushButton;

class TfrmZrealizowanePokaz;
inline TfrmZrealizowanePokaz* frmZrealizowanePokaz = nullptr;

class TfrmZrealizowanePokaz : public ui::Form<TfrmZrealizowanePokaz, frmZrealizowanePokaz> {
    Q_OBJECT
public:
    explicit TfrmZrealizowanePokaz(QWidget* owner);

    QFrame* pnlParagraf;
    QPushButton* btnAnuluj;
    QLabel* lblEsc;

    void btnAnulujClick();

protected:
    void onClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void vZbudujOkno();
    void vOtworzDane();
};
