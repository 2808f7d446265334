#pragma once
// The working fields of one issue: the batch being issued or rewritten and
// the company bank that pays it. The issuing window owns
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

    char cKolejny = 'A';  // batch letter, 'A' to 'S'
    bool bBlad = false;  // a transfer or a bank file record failed
    QString sSql;  // last batch lookup, later the bank file confirmation

    double dSuma = 0;  // running total of the batch

    // The paying company bank (ET_BANKI).
    int iIdKontaFirmy = 0;
    QString sKontoFirmyOrg;  // as stored
    QString sNazwaBankuFirmy;
    int iProcedura = 0;
    int iGrupowanie = 0;
    int iObslugaParagraf = 0;
    QString sKodMpp;  // transaction code of a split payment

    // The date in the issuing window's picker dtPrzelewu (the window keeps it
    // current); today for a context without a window. Procedure 5 files carry
    // this date, not the batch's.
    QDate dataPrzelewu;

    // Bank file settings of the current ET_BANKI row.
    void vPrzepiszBank(const data::Dataset& banki);
};
