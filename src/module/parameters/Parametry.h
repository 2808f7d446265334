#pragma once
// The module's settings, the one row of RE_PARAMETRY: shown read-only, F2
// opens them for change, Ctrl+S saves and closes, Esc drops the changes and
// closes. The acceptance switch opens only to Ctrl+Shift+F8. After a save
// the data module reads the parameters again, so every window uses them at once.

#include "platform/ui/FormBase.h"

#include <QStringList>
#include <vector>

class QAction;
class QFrame;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace data {
class Dataset;
}
namespace ui {
class DBCheckBox;
class DBComboBox;
class DBEdit;
class DBLookupComboBox;
}

class TfrmParametry;
inline TfrmParametry* frmParametry = nullptr;

class TfrmParametry : public ui::Form<TfrmParametry, frmParametry> {
    Q_OBJECT
public:
    explicit TfrmParametry(QWidget* owner);
    // The size it opens in, also as a frame of the host.
    QSize sizeHint() const override { return {607, 450}; }

    ui::DBCheckBox* chbCzyPrzelewy;
    ui::DBCheckBox* chbKsiegPrzelewy;
    ui::DBEdit* edtSyntetykaPrzelewow;
    ui::DBLookupComboBox* cmbKod;
    ui::DBEdit* edtSciezkaImportu;
    QPushButton* btnKAT;
    ui::DBEdit* edtTresc;
    ui::DBEdit* edtTrescGr;
    ui::DBComboBox* cmbTrescFZ;
    ui::DBEdit* edtProgBialejListy;  // PROG_BIALEJ_LISTY: the white list's threshold
    ui::DBEdit* edtSciezkaBialejListy;  // SCIEZKA_BIALEJ_LISTY: the folder of the loaded flat files
    QPushButton* btnKatBialejListy;
    ui::DBCheckBox* chbCzyAkceptacja;
    QPushButton* btnModyfikuj;
    QPushButton* btnZapisz;
    QPushButton* btnAnuluj;
    QToolButton* btnHelp;
    QFrame* pnlParametry;
    QAction* actModyfikuj;
    QAction* actZapisz;
    QAction* actAnuluj;
    QAction* actAkceptacja;

    void btnModyfikujClick();
    void btnZapiszClick();
    void btnAnulujClick();
    void actAnulujExecute();  // Esc
    void btnKATClick();
    void btnKatBialejListyClick();
    void vWybierzFolder(const QString& tytul, ui::DBEdit* edycja, const char* kolumna);
    void actAkceptacjaExecute();
    void btnHelpClick();

protected:
    bool onCloseQuery() override;
    void onClose() override;

private:
    void vZbudujOkno();
    QWidget* vZbudujGore();
    QFrame* vZbudujEdytory();
    void vZbudujAkcje();
    void vKolorPanelu(int odcien);
    // Posts the changed row and commits it; false (the changes kept on
    // screen, the database untouched) when that failed.
    bool bZapisz();
    QList<QWidget*> edytory() const;
};
