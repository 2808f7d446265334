#pragma once
// The preview of the module's printed reports: prepares the pages of a report,
// shows them page by page, zooms, prints (also with duplex), saves and reopens
// the prepared pages and exports them.
//
// How a report window shows its report (vPokazWydruk does all of it):
//
//   auto window = std::make_unique<TfrmQRRaportX>(...);   // builds window->rep over its dataset;
//                                                          // rep's hooks use the window's members
//   vPokazWydruk(this, std::move(window->rep));           // modal: returns when the preview closes
//   // the preview has destroyed the report by now; destroy the report window after it
//
// vPokazWydruk creates the preview (owner: the caller) unless one exists,
// disables the caller and shows the preview, hands it the report (SetReport)
// and runs it (ShowReport). Closing the preview re-enables the caller and runs
// the caller's activation. Each preparation, and each print of the report,
// runs the report's hooks again from its start hook, so a report keeps its
// counters in members that its start hook resets.

#include "platform/ui/FormBase.h"
#include "reportengine/Export.h"
#include "reportengine/Report.h"

#include <QPrinter>

#include <memory>

class QAction;
class QGridLayout;
class QLabel;
class QLineEdit;
class QToolButton;

namespace rpt {
class PageView;
}

class TfrmPreview;
inline TfrmPreview* frmPreview = nullptr;

// Shows the report in the preview window as described above.
void vPokazWydruk(QWidget* caller, std::unique_ptr<rpt::Report> report);

class TfrmPreview : public ui::Form<TfrmPreview, frmPreview> {
    Q_OBJECT
public:
    // Zoom modes kept in the report.
    enum ZoomMode { zmWholePage = 0, zmPageWidth = 1, zm200 = 2, zm100 = 3 };

    explicit TfrmPreview(QWidget* owner);
    ~TfrmPreview() override;

    QAction *actPrint, *actSettings, *actFit100, *actFitPage, *actFitWidth, *actFit200, *actFirst, *actPrev,
        *actNext, *actLast, *actOpen, *actSave, *actSavePDF, *actSaveCSV, *actSaveTXT, *actDuplexPion,
        *actDuplexPoziom, *actRight, *actLeft, *actCancel, *actTextPrint, *actHelp;
    QToolButton *btnPrint, *btnSettings, *btnFit100, *btnFitPage, *btnFitWidth, *btnFit200, *btnFirst, *btnPrev,
        *btnNext, *btnLast, *btnOpen, *btnSave, *btnPDF, *btnCSV, *btnTXT, *btnDuplexPion, *btnDuplexPoziom,
        *btnCancel, *btnTextPrint, *btnHelp;
    QLineEdit* edtPage;
    QLineEdit* edtPageCount;
    QLabel* StatusPanel0; // progress
    QLabel* StatusPanel1; // page
    rpt::PageView* QRPreview;

    // The report being previewed; null between previews.
    rpt::Report* MyReport() const { return m_report.get(); }
    // The printer that prints go to: the system's default unless changed (tests print to a PDF file).
    QPrinter& printer() { return m_printer; }
    int iWpisanaStrona() const { return m_typedPage; }

    void SetReport(std::unique_ptr<rpt::Report> report);
    void ShowReport();
    void PrepareViewer(std::unique_ptr<rpt::PageStore> pages);
    void QRPreviewProgressUpdate(int percent);
    void UpdatePageInfo(int page);
    void ReleasePages();
    void SaveToFile(const QString& fileName, int filterIndex);
    void LoadFromFile(const QString& fileName);

    void actPrintExecute();
    void actSettingsExecute();
    void actFit100Execute();
    void actFitPageExecute();
    void actFitWidthExecute();
    void actFit200Execute();
    void actFirstExecute();
    void actPrevExecute();
    void actNextExecute();
    void actLastExecute();
    void actOpenExecute();
    void actSaveExecute();
    void actSavePDFExecute();
    void actSaveCSVExecute();
    void actSaveTXTExecute();
    void actDuplexPionExecute();
    void actDuplexPoziomExecute();
    void actCancelExecute();

protected:
    void onClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void vZbudujOkno();
    void vZbudujAkcje();
    QGridLayout* vZbudujPasek();
    void vWczytajGlify();
    QAction* action(const QString& name, const QKeySequence& key, const QString& hint, void (TfrmPreview::*handler)());
    void vZaznaczZoom(QAction* pressed);
    void vPokazStrone(int page);
    // Whether the shown pages are the current report's (and may be saved), not pages opened from a file.
    bool bStronyRaportu() const;
    // Prints what is shown: the report run afresh when its pages are shown, else the pages opened from a file.
    void vDrukuj(rpt::PrintSettings settings);
    void vDrukujDuplex(rpt::Duplex duplex);
    rpt::PrintSettings ustawieniaDruku() const;
    void vEksport(const QString& kind, const char* handler);
    void edtPageTextEdited(const QString& text);
    void edtPageReturnPressed();

    std::unique_ptr<rpt::Report> m_report;
    rpt::FilterLibrary m_filters;
    QPrinter m_printer;
    int m_typedPage = 1;
};
