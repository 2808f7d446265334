#pragma once
// The bank statements window: the user picks a statement file, sees its
// text and its number of lines, and the window checks the statement's
// structure. It changes no data.

#include "platform/ui/FormBase.h"

#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

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

    void btnKsiegujClick();
    // Shows the path and, when the file exists, its text; false otherwise.
    bool Pokaz(const QString& sciezka);
    void vCzytajWyciag(const QStringList& wiersze);

    // Where the file dialog starts: the import folder of the parameters when
    // it exists, else the user's home.
    static QString sKatalogPoczatkowy();

    // Also the size the host's MDI frame opens it in.
    QSize sizeHint() const override { return {700, 300}; }

protected:
    void onClose() override;

private:
    void vZbudujOkno();
};
