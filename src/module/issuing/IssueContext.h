#pragma once
// The working fields of one issue: the batch being issued or rewritten, the
// company bank that pays it and the transfer in hand. The issuing window owns
// one; the issued batches window and the realized list make one of their own
// to write a batch's bank file again or post its ledger document.

#include <QDate>
#include <QString>

namespace data {
class Dataset;
}

class IssueContext {
public:
    IssueContext();

    char cKolejny = 'A';             // batch letter, 'A' to 'S'
    bool bBlad = false;              // a transfer or a bank file record failed
    QString sSql;                    // last batch lookup, later the bank file confirmation

    // The transfer in hand.
    int iIdPrzelewu = 0;             // its register row, recorded with what was paid
    int iIdKontrahenta = 0;
    int iIdKontaBank = 0;
    QString sKontoKontrahenta;       // KONTRAHENT_KONTO of the realized row
    QString sNazwaBankuKontrahenta;  // KONTRAHENT_NAZWABANKU of the realized row
    double dKwota = 0;
    QString sTresc;
    QString sParagraf;
    QString sWn;
    QString sNrFaktury;
    QString sKodFK;                  // ET_KONTAKT.KOD_FK of the contractor
    bool bMpp = false;               // a split payment
    double dKwotaVat = 0;            // its VAT part paid now

    double dSuma = 0;                // running total of the batch

    // The paying company bank (ET_BANKI).
    int iIdKontaFirmy = 0;
    QString sKontoFirmy;             // stripped by the bank file writer
    QString sKontoFirmyOrg;          // as stored
    QString sNazwaBankuFirmy;
    int iProcedura = 0;
    int iGrupowanie = 0;
    int iObslugaParagraf = 0;
    QString sKodMpp;                 // transaction code of a split payment

    // The date in the issuing window's picker dtPrzelewu (the window keeps it
    // current); today for a context without a window. Procedure 5 files carry
    // this date, not the batch's.
    QDate dataPrzelewu;

    // Bank file settings of the current ET_BANKI row.
    void vPrzepiszBank(const data::Dataset& banki);
    // The transfer in hand from the current row of a realized-transfer query
    // (or of the grouped rows, which have the same columns).
    void vPrzepiszZrealizowany(const data::Dataset& zrealizowane);
};
