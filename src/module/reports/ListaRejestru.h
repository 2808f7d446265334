#pragma once
// A plain list of the register's transfers in the register's order: number,
// contractor, due date, amount and title, with the total at the end. The
// register offers it as a quick printout; it also shows how a report window
// of the module is built: the report `rep` over the window's dataset, hooks
// that read the dataset and keep their counters in the window.

#include "module/reports/DatasetRows.h"
#include "reportengine/Report.h"

#include <memory>

namespace data {
class Dataset;
}

class TListaRejestru {
public:
    explicit TListaRejestru(data::Dataset& transfers);

    std::unique_ptr<rpt::Report> rep;

private:
    void repBeforePrint();
    void QRBand2BeforePrint(rpt::Band& band, bool& print);

    data::Dataset& m_transfers;
    DatasetRows m_rows;
    rpt::Label* QRLLp = nullptr;
    rpt::Label* QRLKwota = nullptr;
    rpt::Label* QRLRazemKwota = nullptr;
    rpt::Label* QRLabelTytul3 = nullptr;
    int m_lp = 1;
    double m_suma = 0;
};

// Opens the register's query when it is closed and shows the list in the preview.
void vPodgladListyRejestru(QWidget* caller);
