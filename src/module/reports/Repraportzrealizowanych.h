#pragma once
// The printed list of one issued batch, "Przelewy zrealizowane" ( P2 ): its
// letter and date, every transfer with its name and title cut into lines of
// 40 characters, the total and the company account it was paid from.

#include "module/reports/DatasetRows.h"
#include "module/reports/ElementyRaportu.h"

#include <memory>

namespace data {
class Dataset;
}

class TfrmQRRaportZrealizowanych {
public:
    // `przelewy`: the batch's rows (or a grouping bank's grouped rows); `partia`: the batch's row.
    TfrmQRRaportZrealizowanych(data::Dataset& przelewy, data::Dataset& partia);

    std::unique_ptr<rpt::Report> rep;

private:
    void vNaglowki();
    void vSzczegoly();
    void repBeforePrint();
    void QRBandPrzelewBeforePrint(rpt::Band& band, bool& print);
    QString sPole(const char* name) const;

    data::Dataset& m_przelewy;
    data::Dataset& m_partia;
    DatasetRows m_wiersze;
    raport::LinieFirmy m_firma{};
    rpt::Label *QRLKolejny = nullptr, *QRLData = nullptr, *QRLabelTytul3 = nullptr;
    rpt::Label *QRLLp = nullptr, *QRLKonto = nullptr, *QRLNazwa = nullptr, *QRLNazwa2 = nullptr,
               *QRLKwota = nullptr, *QRLTresc = nullptr, *QRLTresc2 = nullptr, *QRLTresc3 = nullptr,
               *QRLSymbol = nullptr;
    rpt::Label *QRLRazemKwota = nullptr, *QRLKontoBanku = nullptr;
    int m_lp = 1;
    std::int64_t m_suma = 0;
};
