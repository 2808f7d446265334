#pragma once
// The import of the payroll program's transfer file: every valid line becomes
// a pending transfer of the register, committed by itself, so a rejected or
// failing line never takes the others with it. The register opens the window
// with the chosen file and stays disabled until it closes.

#include "module/import/WierszePliku.h"
#include "platform/fb/Fb.h"
#include "platform/ui/FormBase.h"

#include <QDate>
#include <QString>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class TKartotekaImportu;

class TfrmImportPrzelewow;
inline TfrmImportPrzelewow* frmImportPrzelewow = nullptr;

class TfrmImportPrzelewow : public ui::Form<TfrmImportPrzelewow, frmImportPrzelewow> {
    Q_OBJECT
public:
    TfrmImportPrzelewow(QWidget* owner, const QString& sciezka);
    ~TfrmImportPrzelewow() override;

    QLabel* pnlZbioru;           // the file
    QLabel* pnlImportu;          // how many lines it has
    QProgressBar* ProgressBar1;
    QPushButton* btnWybierz;     // runs the import
    QPushButton* btnAnuluj;

    void btnWybierzClick();
    void btnAnulujClick();

    // Tries every line in file order, shows the counts and closes the window.
    void vImportuj();
    // Adds the transfer of one line; false when the line is rejected.
    bool bImportujWiersz(const QString& wiersz);
    // The contractor with the ledger code, 0 (after saying so) when none.
    int iDaj_ID_KONTR(const QString& kod);
    // The contractor's default bank account, 0 (after saying so) when none.
    int iDaj_ID_KONTA(int idKontrahenta);
    // Adds one pending transfer through the register query and commits it;
    // false, with nothing of it left behind, when that fails.
    bool bDopiszPrzelew(int idKontrahenta, int idKonta, const QString& wn, const QDate& data,
                        const fb::Decimal& kwota, const QString& tresc);

    int iDobrych() const { return m_dobre; }
    int iBlednych() const { return m_bledne; }
    // Memory held for the file's lines.
    std::size_t iBajtowPliku() const { return m_wiersze.iBajtow(); }

protected:
    void onActivate() override;
    void onClose() override;

private:
    void vZbudujOkno();
    TKartotekaImportu& kartoteka();

    QString m_sciezka;
    TWierszePliku m_wiersze;
    bool m_aktywowane = false;
    int m_dobre = 0;
    int m_bledne = 0;
    // A line was undone after the register query had taken its row.
    bool m_rejestrDoOdczytu = false;
    std::unique_ptr<TKartotekaImportu> m_kartoteka;
};
