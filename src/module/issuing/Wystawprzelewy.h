#pragma once
// Issuing the transfers marked in the register: the user picks the paying
// company bank and the date; the window records a lettered batch, pays every
// marked transfer in full or in part, copies what is paid into the realized
// register, commits, then writes the bank file and posts the ledger document.
// Created hidden (never shown) the window only lends its issue context to the
// bank file writer and the ledger posting of an existing batch.

#include "module/issuing/BatchRows.h"
#include "module/issuing/IssueContext.h"
#include "platform/ui/FormBase.h"

#include <vector>

class QDateEdit;
class QLabel;
class QPushButton;
class QToolButton;

namespace ui {
class DbGrid;
}

class TfrmWystawPrzelewy;
inline TfrmWystawPrzelewy* frmWystawPrzelewy = nullptr;

class TfrmWystawPrzelewy : public ui::Form<TfrmWystawPrzelewy, frmWystawPrzelewy> {
    Q_OBJECT
public:
    explicit TfrmWystawPrzelewy(QWidget* owner);

    QDateEdit* dtPrzelewu;  // the issue date, today at first
    QLabel* pnlKolejny;  // the batch letter once chosen
    ui::DbGrid* DBGrid1;  // company banks; the current one pays
    QPushButton* btnWybierz;
    QPushButton* btnAnuluj;
    QToolButton* btnHelp;

    IssueContext kontekst;

    void btnWybierzClick();
    void btnAnulujClick();
    void btnHelpClick();

protected:
    void onClose() override;

private:
    void vZbudujOkno();

    // Refusals before anything is chosen (year-end block, no bank, no
    // document code, nothing to issue); false after showing the reason.
    bool bMoznaWystawic();
    // The first letter of the day no batch has; false when 'A' to 'S' are taken.
    bool bWybierzKolejny();
    // Checks, the letter, the question, the batch, then its file and document.
    void vWystaw();
    // The batch row, the payments and the realized rows, committed together
    // or rolled back together; false when nothing was kept.
    bool bZapiszPartie();
    struct Przelew;
    // Pays the register's current row and gives its realized row under that key.
    BatchRow wZaplac(const Przelew& przelew, std::int64_t klucz);
    // Pays the register's current row that amount, proving it unchanged; the
    // VAT part of a split payment paid with it, in grosze (0 for others).
    std::int64_t iZaplacPrzelew(const Przelew& przelew, double kwota);
    void vZglosBladPartii(const std::exception& e, bool przyPartii);

    std::vector<BatchRow> wydane;  // the realized rows of the batch just issued, newest first
    std::vector<int> iSprawdzeniaBialejListy;  // the white-list checks of this issue, linked to its realized rows
};
