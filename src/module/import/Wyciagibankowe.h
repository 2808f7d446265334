#pragma once
// The bank statements window: the user picks a statement file, sees its
// text and its number of lines, and the window checks the statement's
// structure. Then it lists the statements' entries with the state of each
// against the realized transfers, and "Rozlicz" records on the realized rows
// which entries confirmed them.

#include "module/import/RozliczenieWyciagu.h"
#include "module/import/ZestawienieOtwartych.h"
#include "platform/mt940/Wyciag.h"
#include "platform/ui/FormBase.h"

#include <QStringList>

#include <memory>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

class TfrmWyciagiBankowe;
inline TfrmWyciagiBankowe* frmWyciagiBankowe = nullptr;

class TfrmWyciagiBankowe : public ui::Form<TfrmWyciagiBankowe, frmWyciagiBankowe> {
    Q_OBJECT
public:
    explicit TfrmWyciagiBankowe(QWidget* owner);

    QPushButton* btnKsieguj;
    QPushButton* btnParametry;
    QLabel* Label1;            // the chosen file
    QPlainTextEdit* Memo1;     // the file's text
    QTabWidget* tabStrony;     // the file, the entries, the unconfirmed transfers
    QPushButton* btnRozlicz;
    QPushButton* btnDrukuj;
    QLabel* lblWynik;          // what the reading found wrong, else the number of entries
    QTableWidget* tblPozycje;  // one row per entry
    QTableWidget* tblNiepotwierdzone;   // realized transfers no statement confirmed within kDniOdstepu days

    static constexpr int kDniOdstepu = 5;

    void btnKsiegujClick();
    // Shows the path and, when the file exists, its text; false otherwise.
    bool Pokaz(const QString& sciezka);
    void vCzytajWyciag(const QStringList& wiersze);
    // Reads the statements of the file and lists their entries.
    void vWczytajPozycje(const QString& sciezka);
    void btnRozliczClick();
    // Prints the entries without a pair and the unconfirmed transfers.
    void btnDrukujClick();
    void vZestawienie(TZestawienieOtwartych& z) const;

    // Where the file dialog starts: the import folder of the parameters when
    // it exists, else the user's home.
    static QString sKatalogPoczatkowy();

    // Also the size the host's MDI frame opens it in.
    QSize sizeHint() const override { return {700, 300}; }

protected:
    void onClose() override;
    void onHandlerFailed(const char* operation) override;

private:
    void vZbudujOkno();
    void vRozliczenia();
    void vPokazPozycje();
    void vPokazNiepotwierdzone();

    std::vector<mt940::Wyciag> m_wyciagi;
    std::vector<std::unique_ptr<TRozliczenieWyciagu>> m_rozliczenia;   // one per statement
};
