#pragma once
// The amount split: the user pays only part of an invoice with the next
// issue by changing the amount to pay (WARTOSC) of the register's current
// row; the full amount stays. The register runs it modally. What is accepted
// is posted but not committed: the register's next commit makes it durable.

#include "platform/ui/FormBase.h"

#include <cstdint>

class QLabel;
class QPushButton;

namespace ui {
class DBEdit;
}

class TfrmPodzialKwoty;
inline TfrmPodzialKwoty* frmPodzialKwoty = nullptr;

class TfrmPodzialKwoty : public ui::Form<TfrmPodzialKwoty, frmPodzialKwoty> {
    Q_OBJECT
public:
    explicit TfrmPodzialKwoty(QWidget* owner);

    ui::DBEdit* DBEdit1;  // NR_FAKTURY
    ui::DBEdit* edtWartoscCala;  // WARTOSC_CALA
    ui::DBEdit* edtWartosc;  // WARTOSC, the amount to pay
    ui::DBEdit* edtKwotaVat;  // KWOTA_VAT, its VAT part (split payments only)
    QLabel* pnlZostaje;  // WARTOSC_CALA - WARTOSC
    QPushButton* btnOK;
    QPushButton* btnAnuluj;

    void vPokazZostaje();
    // Leaving the amount: the remaining amount shown and, for a split
    // payment, the VAT part proposed in proportion to the amount.
    void edtWartoscExit();
    void btnOKClick();
    void btnAnulujClick();

protected:
    void onClose() override;
    void onHandlerFailed(const char* operacja) override;

private:
    void vZbudujOkno();
    bool bMpp() const;
    // The VAT part proposed for an amount, unless the user typed another.
    void vZaproponujVat();

    // The amount and VAT part last proposed (or read at opening), in grosze.
    std::int64_t iKwotaZaproponowana = 0;
    std::int64_t iVatZaproponowany = 0;
};
