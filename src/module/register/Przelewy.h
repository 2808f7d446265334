#pragma once
// The register of transfers owed to contractors: the module's main window
// over the data module's register query. It lists, sorts and searches the
// transfers, adds, changes and deletes them, marks them into one of three
// sets and hands the active set over to issuing.

#include "module/register/ListaSortowana.h"
#include "module/register/Zestawy.h"
#include "platform/grid/DbGrid.h"
#include "platform/ui/FormBase.h"

#include <QStringList>
#include <exception>

class QAction;
class QActionGroup;
class QBoxLayout;
class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolBar;
class QToolButton;

class TfrmPrzelewy;
inline TfrmPrzelewy* frmPrzelewy = nullptr;

class TfrmPrzelewy : public ui::Form<TfrmPrzelewy, frmPrzelewy> {
    Q_OBJECT
public:
    // With bPrzywrocWlasciciela the owner is enabled again when the register closes.
    TfrmPrzelewy(QWidget* owner, bool bPrzywrocWlasciciela);
    ~TfrmPrzelewy() override;

    // --- controls
    QToolBar* tlbToolbar;
    QToolButton* btnAnuluj;
    QToolButton* btnWybierz;
    QToolButton* btnDodaj;
    QToolButton* btnUsun;
    QToolButton* btnModyfikuj;
    QToolButton* btnPomoc;
    QToolButton* spbKontrahenci;
    QToolButton* spbBanki;
    QToolButton* spbZrealizowane;
    QToolButton* spbWydruk;
    QToolButton* spbWyciagiBankowe;
    QLineEdit* edtTekst;
    QToolButton* btnCzysc;
    QToolButton* spbWszystkie;
    ui::DbGrid* grdPrzelewy;
    QFrame* pnlRecord;
    QFrame* pnlParagraf;
    QFrame* pnlBottom;
    QGroupBox* rgKtoryZestaw;
    QButtonGroup* grpZestawy;   // the items of rgKtoryZestaw, ids 0..2
    QPushButton* btnZaznacz;
    QPushButton* btnWystaw;
    QLabel* pnlIlosc;
    QLabel* pnlRazem;
    QToolButton* spbImport;
    QMenu* PopupMenu1;

    // --- actions: ActionList1 holds those with shortcuts of their own
    QActionGroup* ActionList1;
    QAction* actDodaj;
    QAction* actUsun;
    QAction* actModyfikuj;
    QAction* actWystaw;
    QAction* actZaznacz;
    QAction* actLista;
    QAction* actBialaLista;   // the current transfer's white-list checks, on demand
    QAction* actZnajdz;
    QAction* actCzesciowaOplata;
    QAction* actZaznaczWszystkie;
    QAction* actOdznaczWszystkie;
    QAction* actPrzelicz;
    QAction* actPomoc;

    // --- state
    bool bPrzywrocWlasciciela;
    TListaSortowana* lista;              // order, search and colours of the grid
    bool bPokazWszystkie = false;
    QString sWarunekRealizacji;          // filter line of the register query
    int iStanPowrotu = -1;               // what the window opened last (see onActivate)
    QString sPlikImportu;
    QString sZapamietanyPorzadek;        // order line kept while the summaries are open
    TZestawZaznaczonych zestaw;          // count and sum of the active set

    // --- list
    void actSQLExecute();
    void spbWszystkieClick();
    void grdPrzelewyTitleClick(const QString& pole);
    void grdPrzelewyKeyPress(QChar& key);
    void actCzyscExecute();

    // --- transfers
    void btnDodajClick();
    void btnModyfikujClick();
    void btnUsunClick();

    // --- marking sets
    void rgKtoryZestawClick(int index);
    void vPrzelicz();
    void btnZaznaczClick();
    void ZaznaczWszystkieClick();
    void OdznaczWszystkieClick();
    void CzesciowaOplataClick();
    void vPokazZestaw();
    // The list and the set's count read from the database again, the current row kept.
    void vOdswiez();

    // --- issuing
    void btnWystawClick();
    // Back from issuing: the pending list by due date again, the set recounted.
    void vPoWystawieniu();

    // --- other windows and host services
    void spbZrealizowaneClick();
    void spbWydrukClick();
    void spbImportClick();
    void spbWyciagiBankoweClick();
    void spbKontrahenciClick();
    void spbBankiClick();
    void actZnajdzExecute();
    void actListaExecute();
    void actBialaListaExecute();
    void actPomocExecute();

protected:
    void onActivate() override;
    void onClose() override;
    void onHandlerFailed(const char* operacja) override;

private:
    void vZbudujOkno();
    void vZbudujGore(QBoxLayout& uklad);
    void vZbudujSiatke(QBoxLayout& uklad);
    void vZbudujRekord(QBoxLayout& uklad);
    void vZbudujDol(QBoxLayout& uklad);
    void vZbudujAkcje();

    void vPrzywrocListe(const QStringList& zapytanie);
    // Whether the current row's contractor account may go to the bank; says why not.
    bool bKontoDoWystawienia();
    // A handler that writes transfers: one another user changed meanwhile is
    // told in the user's words, any other failure as `zglos` (or the window's
    // error path) says; the list is read again after either.
    bool bZapiszWRejestrze(const char* operacja, const std::function<void()>& zapis,
                           const std::function<void(const std::exception&)>& zglos = {});

    // The checked set goes to the issuing window here.
    void vOtworzWystawianie(const QStringList& poprzednieZapytanie);
    // Windows of the realized transfers, the summaries, the import and the
    // bank statements, opened once the register has done its part.
    void vOtworzZrealizowane();
    void vOtworzZestawienia();
    void vOtworzImport();
    void vOtworzWyciagi();
};
