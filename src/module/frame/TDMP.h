#pragma once
// The module's data module: every shared query of the windows, the module
// parameters read from RE_PARAMETRY, the register's active marking set, and
// the operations other modules of the suite call directly (the invoice module
// adds and changes transfers through iDodajPrzelew / iZmienPrzelew).
//
// Grids bind to the datasets themselves; what the original data sources did
// for the grids (forwarding row moves to the host) is done by the
// dsc...DataChange handlers connected to the datasets' row-move signal.

#include "platform/data/Dataset.h"
#include "platform/fb/Fb.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

namespace ui {
class DbGrid;
}

class TDMP : public QObject {
    Q_OBJECT
public:
    // Where the module's own connection looks first; when no such file
    // exists it takes the suite's database (see dbBazaBeforeConnect).
    static constexpr const char* kDesignDatabase = "c:/wzor.gdb";
    static constexpr const char* kUser = "ULMO";
    static constexpr const char* kPassword = "wsx741";

    explicit TDMP(QObject* owner);
    ~TDMP() override;

    // The module's own connection and its default transaction; only
    // queProcParagraf works on them, every other query on the host's.
    fb::ConnectParams dbBazaParams;
    std::unique_ptr<fb::Attachment> dbBaza;
    std::unique_ptr<fb::Transaction> tsnTransakcja;

    // Lines of quePrzelewy that the windows rewrite: the filter condition
    // (after the join) and the order expression.
    static constexpr int kLiniaWarunku = 6;
    static constexpr int kLiniaPorzadku = 8;
    // The register query as quePrzelewy has it: its nine lines, the writes of
    // every column and the refresh of one row.
    static void vUstawZapytaniePrzelewow(data::Dataset& zbior);

    data::Dataset quePrzelewy;
    data::Dataset queZrealizowane;
    data::Dataset queWystawione;
    data::Dataset queParametry;
    data::Dataset queKontr;
    data::Dataset queBanki;
    data::Dataset queBankiKontrahenta;
    data::Dataset queDok;
    data::Dataset queKodyDokFK;
    data::Dataset queProcParagraf;
    data::Dataset queRob;

    // Parameters (valid after vWczytajParametry).
    int iKsiegowacPrzelewy = 0;
    int iIdKoduDokPrzelewu = 0;
    QString sSyntetykaPrzelewow;
    QString sSciezkaImportuPrzelewow;
    int iPokazParagraf = 0;
    QString sTrescPrzelewow;
    QString sTrescPrzelewowGrupowanych;
    int iCzyAkceptacjaKontaBankowego = 0;

    // The register's active marking set and its mark field of quePrzelewy.
    int iKtoryZestaw = 1;
    data::Field* fldZaznacz = nullptr;
    void vUstawZestaw(int zestaw);

    // Grids of the windows that show quePrzelewy and queWystawione, set by
    // those windows while they exist; row moves are forwarded to the host.
    QPointer<ui::DbGrid> grdPrzelewy;
    QPointer<ui::DbGrid> grdWystawione;

    // The realized-transfer query in nine lines: line 7 (index 6) is the
    // condition, line 9 (index 8) the order; every selection of realized rows
    // (a date range, one batch) has this shape and these columns.
    static constexpr int kLiniaWarunkuZrealizowanych = 6;
    static constexpr int kLiniaPorzadkuZrealizowanych = 8;
    static QStringList sZapytanieZrealizowanych(const QString& warunek, const QString& porzadek);
    // Selects queZrealizowane anew with that condition and order.
    void vWybierzZrealizowane(const QString& warunek, const QString& porzadek);

    void vWczytajParametry();
    void dbBazaBeforeConnect();

    void quePrzelewyCalcFields(data::Dataset& dataset);
    void queBankiCalcFields(data::Dataset& dataset);
    QString queParametryJAKA_TRESC_PRZELEWOW_FZGetText(const data::Field& field, bool displayText) const;
    void queParametryJAKA_TRESC_PRZELEWOW_FZSetText(data::Field& field, const QString& text);
    void dscPrzelewyDataChange();
    void dscWystawioneDataChange();
    void queBankiKontrahentaAfterOpen(data::Dataset& dataset);

    // Adds a pending transfer inside the host's transaction (committing is the
    // caller's); returns its new ID, or -1.
    int iDodajPrzelew(int idFaktury, int idKontrahenta, int idKontaBank, const QString& nrFaktury, const QString& wn,
                      const QDateTime& dataWystawienia, const QDateTime& terminZaplaty, float kwota,
                      const QString& paragraf, const QString& tresc);
    // Changes the transfer found in the register's current result; its ID, or -1.
    int iZmienPrzelew(int id, int idFaktury, int idKontrahenta, int idKontaBank, const QString& nrFaktury,
                      const QString& wn, const QDateTime& dataWystawienia, const QDateTime& terminZaplaty, float kwota,
                      const QString& paragraf, const QString& tresc);
    // Tells the user that another user changed the transfer being written and
    // reads the register again, staying on the same transfer when it is still listed.
    void vPrzelewZmieniony();
    // ZAAKCEPTOWANE of the contractor account, 0 when there is no such account.
    int iKontoZaakceptowane(int idKonta);

private:
    void buildQueries();
    // Opens the register query; false (after the warning when a row is being
    // edited elsewhere) when a transfer cannot be added or changed now.
    bool bRejestrWolny(const QString& warning);
    void connectDatabase();
    void writeTransferFields(int idKontrahenta, int idKontaBank, const QString& nrFaktury, const QString& wn,
                             const QDateTime& dataWystawienia, const QDateTime& terminZaplaty, float kwota,
                             const QString& paragraf, const QString& tresc);
};

inline TDMP* DMP = nullptr;
