#pragma once
// The options of the printed list of pending transfers and its two print
// buttons, variant P1 and variant P1_2. Opened from the register, which
// stays disabled while this window is open.

#include "module/reports/OpcjeZestawienia.h"
#include "platform/ui/FormBase.h"

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class TfrmZestawienia;
inline TfrmZestawienia* frmZestawienia = nullptr;

class TfrmZestawienia : public ui::Form<TfrmZestawienia, frmZestawienia> {
    Q_OBJECT
public:
    explicit TfrmZestawienia(QWidget* owner);

    QGroupBox *rgCzyWszystkie, *rgCzyTermin, *rgCzyWybranyKontrahent, *rgUklad, *rgDrukDok;
    // The items of each radio group, ids from 0.
    QButtonGroup *grpCzyWszystkie, *grpCzyTermin, *grpCzyWybranyKontrahent, *grpUklad, *grpDrukDok;
    QDateEdit* DateTimePickerTermin;
    QLineEdit* edtSkrot;
    QToolButton* spbDajKontrahenta;
    QLabel* lbNazwaKontrahenta;
    QCheckBox* chbKontrolny;
    QPushButton *btnDrukuj, *btnDrukuj2, *btnAnuluj;

    int iCzyZaznaczone = -1;
    int iWybranyKontrahent = -1;
    int iCzyWybrano = 0; // the contractor picker was used since the last activation

    // The options as the controls stand.
    OpcjeZestawienia opcje() const;

    void btnDrukujClick();
    void btnDrukuj2Click();
    void btnAnulujClick();
    void edtSkrotExit();
    void spbDajKontrahentaClick();
    void rgCzyWybranyKontrahentClick(int item);

protected:
    void onActivate() override;
    void onClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void vZbudujOkno();
    QGroupBox* grupa(const char* name, const QString& title, const QStringList& items, QButtonGroup*& buttons);
    void vDrukuj(bool p1_2);
    // Shows the contractor of the spare query's row, or forgets the choice when there is none.
    void vPokazKontrahenta(int brak);
};
