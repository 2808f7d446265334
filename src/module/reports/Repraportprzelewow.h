#pragma once
// The printed lists of pending transfers, "Przelewy do opłacenia", over the
// register query as it stands, in two variants: P1 cuts names and titles into
// two lines and may show the contractor's account for control; P1_2 prints
// them whole and adds what was paid so far. The summaries window's options
// choose the rows and the headline; with the layout by contractor code a
// contractor of two or more rows gets its subtotal.

#include "module/reports/DatasetRows.h"
#include "module/reports/ElementyRaportu.h"
#include "module/reports/OpcjeZestawienia.h"

#include <memory>

namespace data {
class Dataset;
}

class TRaportDoOplacenia {
public:
    enum class Wariant { P1, P1_2 };

    TRaportDoOplacenia(Wariant wariant, data::Dataset& przelewy, const OpcjeZestawienia& opcje);
    virtual ~TRaportDoOplacenia() = default;

    std::unique_ptr<rpt::Report> rep;

    // The headline of the options, as the page header prints it.
    static QString sFiltr(const OpcjeZestawienia& opcje, int zestaw);

private:
    void vNaglowki();
    void vSzczegoly();
    void vSumy();
    void repBeforePrint();
    void QRBand2BeforePrint(rpt::Band& band, bool& print);
    void QRBandFooterBeforePrint(rpt::Band& band, bool& print);
    bool bNaLiscie() const;
    QString sKontoKontrolne() const;
    const data::Field& pole(const char* name) const;

    const Wariant m_wariant;
    data::Dataset& m_przelewy;
    const OpcjeZestawienia& m_opcje;
    DatasetRows m_wiersze;
    rpt::Group* QRGroup1 = nullptr;
    raport::LinieFirmy m_firma{};
    rpt::Label *QRLFiltr = nullptr, *QRLNagAkcept = nullptr, *QRLKontrolnie = nullptr, *QRLabelTytul3 = nullptr;
    rpt::Label *QRLLp = nullptr, *QRLKonto = nullptr, *QRLNazwa = nullptr, *QRLNazwa2 = nullptr,
               *QRLKwota = nullptr, *QRLOplacono = nullptr, *QRLTresc = nullptr, *QRLTresc2 = nullptr,
               *QRLKodFK = nullptr, *QRLDok = nullptr, *QRLNieZaakceptowane = nullptr;
    rpt::Label *QRLKod = nullptr, *QRLRazemKontr = nullptr, *QRLRazemKwota = nullptr;
    int m_lp = 1;
    int m_wGrupie = 0;
    std::int64_t m_sumaGrupy = 0;
    std::int64_t m_suma = 0;
};

// Variant "( P1 )".
class TfrmQRRaportPrzelewow : public TRaportDoOplacenia {
public:
    TfrmQRRaportPrzelewow(data::Dataset& przelewy, const OpcjeZestawienia& opcje)
        : TRaportDoOplacenia(Wariant::P1, przelewy, opcje) {}
};

// Variant "( P1_2 )".
class TfrmQRRaportPrzelewow2 : public TRaportDoOplacenia {
public:
    TfrmQRRaportPrzelewow2(data::Dataset& przelewy, const OpcjeZestawienia& opcje)
        : TRaportDoOplacenia(Wariant::P1_2, przelewy, opcje) {}
};
