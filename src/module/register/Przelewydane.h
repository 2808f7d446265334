#pragma once
// The form in which a transfer is typed in or a pending one is changed. It
// edits the register query's current row in place, helps to pick the
// contractor, the contractor's account and the budget classification, checks
// the row and saves it. The register opens it with itself as owner.

#include "platform/ui/FormBase.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class QAction;
class QFrame;
class QGroupBox;
class QPushButton;
class QToolButton;

namespace data {
class Dataset;
class Field;
}  // namespace data

namespace ui {
class DBCheckBox;
class DBEdit;
class DBLookupComboBox;
class DBMemo;
}  // namespace ui

class TfrmPrzelewyDane;
inline TfrmPrzelewyDane* frmPrzelewyDane = nullptr;

class TfrmPrzelewyDane : public ui::Form<TfrmPrzelewyDane, frmPrzelewyDane> {
    Q_OBJECT
public:
    // bZmiana false adds a transfer, true changes the register's current one.
    TfrmPrzelewyDane(QWidget* owner, bool bZmiana);

    // --- controls, bound to the register query
    ui::DBEdit* edtNrFaktury;     // NR_FAKTURY
    ui::DBEdit* DBEdit2;          // DATA_WYSTAWIENIA
    ui::DBEdit* DBEdit3;          // TERMIN_ZAPLATY
    ui::DBEdit* DBEdit4;          // WARTOSC_CALA: what is typed is the full amount
    ui::DBCheckBox* chbMpp;       // MPP: a split payment
    ui::DBEdit* edtKwotaVat;      // KWOTA_VAT_CALA: the VAT of the full amount
    ui::DBMemo* DBMemo1;          // TRESC1
    QGroupBox* grpKontrahent;
    ui::DBEdit* edtSymbol;        // SYMBOL_NAZWA
    ui::DBEdit* edtSkrot;         // KONTRAHENT_SKROT
    ui::DBEdit* DBEdit1;          // KONTRAHENT_NAZWA
    QToolButton* spbKontrahentSkrot;
    ui::DBLookupComboBox* cmbBank;   // ID_KONTA_BANK over the contractor's accounts
    QToolButton* spbKonto;
    ui::DBEdit* DBEdit8;          // KONTRAHENT_NAZWABANKU
    ui::DBEdit* DBEdit6;          // WN
    QFrame* pnlParagraf;
    ui::DBEdit* edtParagraf;      // PARAGRAF
    QToolButton* spbParagraf;
    QFrame* pnlBottom;
    QPushButton* btnHelp;
    QPushButton* btnZapisz;
    QPushButton* btnAnuluj;
    QAction* actZapisz;
    QAction* actAnuluj;

    // --- state
    const bool bZmiana;
    // The chooser opened last, acted on when the form is activated again:
    // 1 contractor, 2 contractor's account, 5 budget classification, 0 none.
    int iWybor = 0;
    QString sNazwaParagrafu;      // NAZWA_PAR found by the last classification lookup
    bool bZmieniono = false;      // the row was changed since the form opened
    std::int64_t iKontoSprawdzone = 0;   // ID_KONTA_BANK whose number was checked last

    // --- handlers
    void edtSkrotExit(ui::DBEdit& edit);   // also edtSymbol's
    void spbKontrahentSkrotClick();
    void spbKontoClick();
    void spbParagrafClick();
    void cmbBankClick();                   // also on leaving cmbBank
    void edtNrFakturyExit();
    void edtParagrafExit();
    void btnZapiszClick();
    void btnAnulujClick();
    void actAnulujExecute();               // Escape
    void btnHelpClick();

    // --- steps
    // The contractor's accounts into queBankiKontrahenta, on the first (the default) one.
    void vWczytajKonta();
    // Takes the contractor of queRob's current row: names, first account, debit account.
    void vUstawKontrahenta();
    // NAZWA of the account ID_KONTA_BANK, empty when there is none.
    QString sNazwaKonta();
    // Warns once about an account newly in the row whose check digits are
    // wrong; the user may still save it.
    void vSprawdzNumerKonta();
    // KONTO_ID of the classification with that id or (when given) that name;
    // 0 or less when there is none, which beeps.
    int iSprawdzParagraf(int kontoId, const QString& nazwa);
    // Lists every failed check in one box; false when there was any.
    bool bSprawdz();
    // The failed checks of a split payment, each ended by a line break.
    QStringList sBledyMpp();
    // Checks, writes and commits the row; false when it stays being edited.
    bool bZapisz();

protected:
    void onActivate() override;
    bool onCloseQuery() override;
    void onClose() override;
    void onHandlerFailed(const char* operacja) override;

private:
    void vZbudujOkno();
    void vPolacz();
    void vOtworz();
    data::Dataset& przelewy() const;
    // The handler runs through runHandler whenever the signal comes.
    template <class Sender, class Signal>
    void podlacz(Sender* sender, Signal signal, const char* operacja, std::function<void()> handler);
};
