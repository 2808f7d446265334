#pragma once
// One realized transfer, read-only: the contractor and its account, the
// invoice, amount, split-payment flag and VAT part, title, the budget
// paragraph, the batch and its ledger document number.

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
    // The size it opens in, also as a frame of the host.
    QSize sizeHint() const override { return {555, 450}; }

    QFrame* pnlParagraf;
    QPushButton* btnAnuluj;
    QLabel* lblEsc;
    QLabel* lblBialaLista;  // the white-list check the payment went through, when there was one

    void btnAnulujClick();

protected:
    void onClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void vZbudujOkno();
    void vOtworzDane();
};
