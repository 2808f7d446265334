#include "Reportviewer.h"

#include "platform/text/Cp1250.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Glyphs.h"
#include "reportengine/PageView.h"
#include "reportengine/Printing.h"
#include "reportengine/QrpFile.h"
#include "siblings/core/TdmMain.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

const QString kNativeFilter = QStringLiteral("Wydruk (*.QRP *.qrp)");

// The hourglass for the length of a scope, whatever leaves it.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

QString extensionOf(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName.mid(dot + 1).toUpper();
}

// Text files leave the program in the suite's code page.
QByteArray cp1250(const QString& text)
{
    return QByteArray::fromStdString(text::toCp1250(text));
}

void vPokazBlad(const QString& prefix, const std::exception& error)
{
    ui::dialogs().message(prefix + QString::fromUtf8(error.what()), {}, ui::Buttons::Ok, ui::Icon::Error);
}

} // namespace

void vPokazWydruk(QWidget* caller, std::unique_ptr<rpt::Report> report)
{
    TfrmPreview* preview = frmPreview ? frmPreview : new TfrmPreview(caller);
    // Modal, so that it opens as a window of its own and not inside the MDI area.
    preview->setWindowModality(Qt::ApplicationModal);
    if (auto* form = qobject_cast<ui::FormBase*>(caller))
        form->openChild(preview);
    else
        preview->showWindow();
    preview->SetReport(std::move(report));
    preview->ShowReport();
}

TfrmPreview::TfrmPreview(QWidget* owner) : Form(owner)
{
    setObjectName(QStringLiteral("frmPreview"));
    vZbudujOkno();
    setWindowTitle(QStringLiteral("Podgląd wydruku : "));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowState(Qt::WindowMaximized);
    dmMain->vKolorForm(*this);
    actSave->setEnabled(false);
}

TfrmPreview::~TfrmPreview() = default;

QAction* TfrmPreview::action(const QString& name, const QKeySequence& key, const QString& hint,
                             void (TfrmPreview::*handler)())
{
    auto* act = new QAction(name, this);
    act->setObjectName(name);
    act->setShortcut(key);
    act->setToolTip(hint);
    addAction(act);
    if (handler)
        connect(act, &QAction::triggered, this, handler);
    return act;
}

void TfrmPreview::vZbudujOkno()
{
    vZbudujAkcje();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 0);
    layout->setSpacing(2);
    layout->addLayout(vZbudujPasek());

    QRPreview = new rpt::PageView(this);
    QRPreview->setObjectName(QStringLiteral("QRPreview"));
    QRPreview->setBackground(QColor(0x80, 0x80, 0x80));
    QRPreview->viewport()->installEventFilter(this);
    layout->addWidget(QRPreview, 1);

    auto* status = new QStatusBar(this);
    StatusPanel0 = new QLabel(QStringLiteral("   %  wykonania"), status);
    StatusPanel0->setMinimumWidth(160);
    StatusPanel1 = new QLabel(QStringLiteral("Strona"), status);
    status->addWidget(StatusPanel0);
    status->addWidget(StatusPanel1, 1);
    layout->addWidget(status);
    vWczytajGlify();
}

void TfrmPreview::vZbudujAkcje()
{
    using T = TfrmPreview;
    actPrint = action("actPrint", QKeySequence("Ctrl+P"), "Ctrl-P - Drukuj", &T::actPrintExecute);
    actSettings = action("actSettings", QKeySequence("Ctrl+Shift+P"), "Ustawienia wydruku", &T::actSettingsExecute);
    actFit100 = action("actFit100", QKeySequence(Qt::Key_F9), "F9 - Widok 100%", &T::actFit100Execute);
    actFitPage = action("actFitPage", QKeySequence(Qt::Key_F11), "F11 - Cała strona", &T::actFitPageExecute);
    actFitWidth = action("actFitWidth", QKeySequence(Qt::Key_F12), "F12 - Szerokość strony", &T::actFitWidthExecute);
    actFit200 = action("actFit200", QKeySequence("Ctrl+F12"), "Powiększenie 200%", &T::actFit200Execute);
    actFirst = action("actFirst", QKeySequence("Ctrl+Home"), "Pierwsza strona", &T::actFirstExecute);
    actPrev = action("actPrev", QKeySequence("Ctrl+PgUp"), "Poprzednia strona", &T::actPrevExecute);
    actNext = action("actNext", QKeySequence("Ctrl+PgDown"), "Następna strona", &T::actNextExecute);
    actLast = action("actLast", QKeySequence("Ctrl+End"), "Ostatnia strona", &T::actLastExecute);
    actOpen = action("actOpen", QKeySequence("Ctrl+O"), "Otwórz wydruk", &T::actOpenExecute);
    actSave = action("actSave", QKeySequence("Ctrl+S"), "Zapisz wydruk", &T::actSaveExecute);
    actSavePDF = action("actSavePDF", QKeySequence("Ctrl+F"), "Eksport do pliku pdf.", &T::actSavePDFExecute);
    actSaveCSV = action("actSaveCSV", QKeySequence("Ctrl+E"), "Eksport do pliku csv( dane oddzielone przecinkami).",
                        &T::actSaveCSVExecute);
    actSaveTXT =
        action("actSaveTXT", QKeySequence("Ctrl+T"), "Eksport do pliku tekstowego txt.", &T::actSaveTXTExecute);
    actDuplexPion = action("actDuplexPion", QKeySequence(Qt::Key_F6), "Drukuj z duplexem w pionie",
                           &T::actDuplexPionExecute);
    actDuplexPoziom = action("actDuplexPoziom", QKeySequence(Qt::Key_F7), "Drukuj z duplexem w poziomie",
                             &T::actDuplexPoziomExecute);
    actRight = action("actRight", QKeySequence("Ctrl+Alt+R"), {}, nullptr);
    actLeft = action("actLeft", QKeySequence("Ctrl+Alt+L"), {}, nullptr);
    actCancel = action("actCancel", QKeySequence(Qt::Key_Escape), "Esc - zamknij", &T::actCancelExecute);
    actTextPrint = action("actTextPrint", QKeySequence("Ctrl+Alt+T"), {}, nullptr);
    actHelp = action("actHelp", QKeySequence(Qt::Key_F1), "F1 - pomoc", nullptr);
    connect(actRight, &QAction::triggered, this, [this] {
        QRPreview->horizontalScrollBar()->setValue(QRPreview->horizontalScrollBar()->value() + 100);
    });
    connect(actLeft, &QAction::triggered, this, [this] {
        QRPreview->horizontalScrollBar()->setValue(QRPreview->horizontalScrollBar()->value() - 100);
    });
    for (QAction* zoom : {actFit100, actFitPage, actFitWidth, actFit200})
        zoom->setCheckable(true);
}

QGridLayout* TfrmPreview::vZbudujPasek()
{
    auto* bar = new QGridLayout;
    bar->setHorizontalSpacing(2);
    bar->setVerticalSpacing(0);
    int column = 0;
    // Every button over the label of its key.
    const auto button = [&](QAction* act, const char* name, const QString& keyLabel) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setDefaultAction(act);
        b->setAutoRaise(true);
        b->setIconSize(QSize(24, 24));
        bar->addWidget(b, 0, column, Qt::AlignHCenter);
        auto* key = new QLabel(keyLabel, this);
        key->setStyleSheet(QStringLiteral("font-size: 7pt; color: #455a64"));
        bar->addWidget(key, 1, column++, Qt::AlignHCenter);
        return b;
    };
    const auto gap = [&] { bar->setColumnMinimumWidth(column++, 10); };
    btnPrint = button(actPrint, "btnPrint", "Ctrl+P");
    btnSettings = button(actSettings, "btnSettings", "Ctrl+Shift+P");
    btnDuplexPion = button(actDuplexPion, "btnDuplexPion", "F6");
    btnDuplexPoziom = button(actDuplexPoziom, "btnDuplexPoziom", "F7");
    btnTextPrint = button(actTextPrint, "btnTextPrint", "Ctrl+Alt+T");
    gap();
    btnFit100 = button(actFit100, "btnFit100", "F9");
    btnFitPage = button(actFitPage, "btnFitPage", "F11");
    btnFitWidth = button(actFitWidth, "btnFitWidth", "F12");
    btnFit200 = button(actFit200, "btnFit200", "Ctrl+F12");
    btnFit200->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    actFit200->setText(QStringLiteral("200"));
    gap();
    btnFirst = button(actFirst, "btnFirst", "Ctrl+Home");
    btnPrev = button(actPrev, "btnPrev", "Ctrl+PgUp");
    edtPage = new QLineEdit(QStringLiteral("1"), this);
    edtPage->setObjectName(QStringLiteral("edtPage"));
    edtPage->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), edtPage));
    edtPage->setFixedWidth(48);
    edtPage->installEventFilter(this);
    auto* pageOf = new QLabel(QStringLiteral("Z"), this);
    edtPageCount = new QLineEdit(QStringLiteral("1"), this);
    edtPageCount->setObjectName(QStringLiteral("edtPageCount"));
    edtPageCount->setReadOnly(true);
    edtPageCount->setFixedWidth(48);
    edtPageCount->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(edtPage, 0, column++);
    bar->addWidget(pageOf, 0, column++);
    bar->addWidget(edtPageCount, 0, column++);
    btnNext = button(actNext, "btnNext", "Ctrl+PgDn");
    btnLast = button(actLast, "btnLast", "Ctrl+End");
    gap();
    btnOpen = button(actOpen, "btnOpen", "Ctrl+O");
    btnSave = button(actSave, "btnSave", "Ctrl+S");
    btnPDF = button(actSavePDF, "btnPDF", "Ctrl+F");
    btnCSV = button(actSaveCSV, "btnCSV", "Ctrl+E");
    btnTXT = button(actSaveTXT, "btnTXT", "Ctrl+T");
    gap();
    btnHelp = button(actHelp, "btnHelp", "F1");
    btnCancel = button(actCancel, "btnCancel", "Esc");
    bar->setColumnStretch(column, 1);
    connect(edtPage, &QLineEdit::textEdited, this, &TfrmPreview::edtPageTextEdited);
    connect(edtPage, &QLineEdit::returnPressed, this, &TfrmPreview::edtPageReturnPressed);
    return bar;
}

void TfrmPreview::vWczytajGlify()
{
    const ui::GlyphLibrary glyphs;
    const std::pair<QAction*, const char*> icons[] = {
        {actPrint, "D_WYDRUK"}, {actSettings, "P_USTAWIENIA"}, {actFit100, "P_LUPA100"},
        {actFitPage, "P_STRONA"}, {actFitWidth, "P_SZEROKOSC"}, {actFit200, "P_LUPA200"},
        {actFirst, "P_PIERWSZA"}, {actPrev, "P_POPRZEDNIA"}, {actNext, "P_NASTEPNA"},
        {actLast, "P_OSTATNIA"}, {actOpen, "P_OTWORZ"}, {actSave, "D_ZAPISZ"},
        {actSavePDF, "P_PDF"}, {actSaveCSV, "P_CSV"}, {actSaveTXT, "P_TXT"},
        {actDuplexPion, "P_DUPLEX_PION"}, {actDuplexPoziom, "P_DUPLEX_POZIOM"}, {actCancel, "D_ANULUJ"},
        {actTextPrint, "P_TEKST"}, {actHelp, "P_POMOC"}};
    for (const auto& [act, name] : icons)
        act->setIcon(glyphs.icon(name));
}

void TfrmPreview::SetReport(std::unique_ptr<rpt::Report> report)
{
    m_report = std::move(report);
    edtPage->setText(QStringLiteral("1"));
    m_typedPage = 1;
    if (m_report)
        m_report->setZoomMode(zmPageWidth);
    QRPreview->zoomToWidth();
}

void TfrmPreview::ShowReport()
{
    if (!m_report)
        throw std::logic_error("TfrmPreview::ShowReport without a report");
    ReleasePages();
    m_report->setProgress([this](int percent) { QRPreviewProgressUpdate(percent); });
    runHandler("ShowReport", [this] { PrepareViewer(m_report->prepare()); });
    if (isVisible())
        ui::dialogs().runModal(*this);
    m_report.reset();
    if (isVisible())
        close();
}

void TfrmPreview::PrepareViewer(std::unique_ptr<rpt::PageStore> pages)
{
    actSave->setEnabled(true);
    actFitWidth->setChecked(false);
    QRPreview->setPages(std::move(pages));
    UpdatePageInfo(QRPreview->pageNumber());
}

void TfrmPreview::QRPreviewProgressUpdate(int percent)
{
    UpdatePageInfo(QRPreview->pageNumber());
    StatusPanel0->setText(QStringLiteral("  %1 % wykonania").arg(percent));
    if (percent == 100)
        edtPageCount->setText(QString::number(std::max(1, QRPreview->pageCount())));
    // Preparation runs on this thread: paint the progress now.
    if (StatusPanel0->isVisible())
        StatusPanel0->repaint();
}

void TfrmPreview::UpdatePageInfo(int page)
{
    // A report without pages still reads as one empty page.
    const int total = std::max(1, QRPreview->pageCount());
    page = std::max(1, page);
    StatusPanel1->setText(QStringLiteral("Strona %1 z %2").arg(page).arg(total));
    edtPage->setText(QString::number(page));
    edtPageCount->setText(QString::number(total));
    actFirst->setEnabled(page > 1);
    actPrev->setEnabled(page > 1);
    actNext->setEnabled(total > page);
    actLast->setEnabled(total > page);
}

void TfrmPreview::ReleasePages()
{
    if (QRPreview->pages())
        QRPreview->releasePages();
    actSave->setEnabled(false);
}

bool TfrmPreview::bStronyRaportu() const { return m_report && actSave->isEnabled(); }

void TfrmPreview::vPokazStrone(int page)
{
    QRPreview->setPageNumber(page);
    UpdatePageInfo(QRPreview->pageNumber());
}

void TfrmPreview::actFirstExecute() { vPokazStrone(1); }
void TfrmPreview::actPrevExecute() { vPokazStrone(QRPreview->pageNumber() - 1); }
void TfrmPreview::actNextExecute() { vPokazStrone(QRPreview->pageNumber() + 1); }
void TfrmPreview::actLastExecute() { vPokazStrone(QRPreview->pageCount()); }

void TfrmPreview::edtPageTextEdited(const QString& text)
{
    if (text.isEmpty()) {
        m_typedPage = 1;
        return;
    }
    bool ok = false;
    const int page = text.toInt(&ok);
    if (ok)
        m_typedPage = page;
    edtPage->setText(QString::number(m_typedPage));
}

void TfrmPreview::edtPageReturnPressed()
{
    if (edtPage->text().isEmpty())
        return;
    int page = edtPage->text().toInt();
    if (page > QRPreview->pageCount()) {
        page = QRPreview->pageCount();
        edtPage->setText(QString::number(page));
    }
    vPokazStrone(page);
}

void TfrmPreview::vZaznaczZoom(QAction* pressed)
{
    for (QAction* zoom : {actFit100, actFitPage, actFitWidth, actFit200})
        zoom->setChecked(zoom == pressed);
}

void TfrmPreview::actFit100Execute()
{
    if (!isVisible())
        return;
    QRPreview->setZoom(100);
    if (m_report)
        m_report->setZoomMode(zm100);
    vZaznaczZoom(actFit100);
}

void TfrmPreview::actFitPageExecute()
{
    if (m_report)
        m_report->setZoomMode(zmWholePage);
    QRPreview->zoomToFit();
    vZaznaczZoom(actFitPage);
}

void TfrmPreview::actFitWidthExecute()
{
    if (m_report)
        m_report->setZoomMode(zmPageWidth);
    QRPreview->zoomToWidth();
    vZaznaczZoom(actFitWidth);
}

void TfrmPreview::actFit200Execute()
{
    if (!isVisible())
        return;
    if (m_report)
        m_report->setZoomMode(zm200);
    QRPreview->setZoom(200);
    vZaznaczZoom(actFit200);
}

void TfrmPreview::vDrukuj(rpt::PrintSettings settings)
{
    settings.printerName = m_printer.outputFileName().isEmpty() ? m_printer.printerName() : QString();
    if (bStronyRaportu()) {
        m_report->printSettings() = settings;
        m_report->setZoomMode(zm100);
        rpt::printReport(*m_report, m_printer);
    } else if (QRPreview->pages()) {
        rpt::printPages(*QRPreview->pages(), m_printer, settings);
    }
}

rpt::PrintSettings TfrmPreview::ustawieniaDruku() const
{
    return m_report ? m_report->printSettings() : rpt::PrintSettings{};
}

void TfrmPreview::actPrintExecute()
{
    const int page = QRPreview->pageNumber();
    UpdatePageInfo(page);
    try {
        vDrukuj(ustawieniaDruku());
    } catch (const std::exception& e) {
        vPokazBlad(QStringLiteral("Podczas drukowania nastąpił błąd :\n\n"), e);
    }
    vPokazStrone(page);
}

void TfrmPreview::actSettingsExecute()
{
    if (!QRPreview->pages())
        return;
    UpdatePageInfo(QRPreview->pageNumber());
    const int count = std::max(1, QRPreview->pageCount());
    m_printer.setPrintRange(QPrinter::AllPages);
    m_printer.setFromTo(1, count);
    if (!ui::dialogs().print(m_printer))
        return;
    rpt::PrintSettings settings = ustawieniaDruku();
    const bool range = m_printer.printRange() == QPrinter::PageRange;
    settings.firstPage = range ? m_printer.fromPage() : 1;
    settings.lastPage = range ? m_printer.toPage() : count;
    settings.copies = std::max(1, m_printer.copyCount());
    try {
        vDrukuj(settings);
    } catch (const std::exception& e) {
        vPokazBlad(QStringLiteral("Podczas drukowania nastąpił błąd :\n\n"), e);
    }
}

void TfrmPreview::vDrukujDuplex(rpt::Duplex duplex)
{
    rpt::PrintSettings settings = ustawieniaDruku();
    settings.duplex = duplex;
    try {
        vDrukuj(settings);
    } catch (const std::exception& e) {
        vPokazBlad(QStringLiteral("actDuplex(...)\n\n"), e);
    }
}

void TfrmPreview::actDuplexPionExecute() { vDrukujDuplex(rpt::Duplex::Vertical); }
void TfrmPreview::actDuplexPoziomExecute() { vDrukujDuplex(rpt::Duplex::Horizontal); }

void TfrmPreview::LoadFromFile(const QString& fileName)
{
    WaitCursor wait;
    QRPreview->setPages(rpt::loadPages(fileName));
    actSave->setEnabled(false);
    vPokazStrone(1);
    actFitWidthExecute();
}

void TfrmPreview::actOpenExecute()
{
    const QString fileName = ui::dialogs().openFileName(QStringLiteral("Otwórz wydruk"), {}, kNativeFilter);
    if (fileName.isEmpty())
        return;
    try {
        LoadFromFile(fileName);
    } catch (const std::exception& e) {
        ui::dialogs().message(QString::fromUtf8(e.what()), QStringLiteral("Otwórz wydruk"), ui::Buttons::Ok,
                              ui::Icon::Error);
    }
}

void TfrmPreview::SaveToFile(const QString& fileName, int filterIndex)
{
    const rpt::PageStore* pages = bStronyRaportu() ? QRPreview->pages() : nullptr;
    if (!pages || pages->pageCount() == 0) {
        ui::dialogs().beep();
        return;
    }
    if (fileName.isEmpty() || filterIndex < 0 || filterIndex > m_filters.count())
        throw std::invalid_argument("TfrmPreview::SaveToFile: no file name or an unknown format");
    const QString extension = extensionOf(fileName);
    const rpt::ExportFilter* filter = m_filters.byExtension(extension);
    const bool matches = filterIndex == 0 ? extension == rpt::kNativeExtension
                                          : filter && filter == &m_filters.filter(filterIndex - 1);
    if (!matches) {
        ui::dialogs().message(QStringLiteral("Rozszerzenie nazwy nie odpowiada wybranemu formatowi."),
                              QStringLiteral("Nieprawidłowe rozszerzenie"), ui::Buttons::Ok, ui::Icon::Warning);
        return;
    }
    if (filterIndex == 0)
        rpt::savePages(*pages, fileName);
    else
        filter->write(*pages, fileName);
}

void TfrmPreview::actSaveExecute()
{
    int chosen = 0;
    const QString fileName =
        ui::dialogs().saveFileName(QStringLiteral("Zapisz wydruk"), {}, m_filters.dialogFilter(), chosen);
    if (fileName.isEmpty())
        return;
    try {
        SaveToFile(fileName, chosen);
    } catch (const std::exception& e) {
        vPokazBlad({}, e);
    }
}

void TfrmPreview::vEksport(const QString& kind, const char* handler)
{
    if (!isVisible())
        return;
    const QString pattern = QStringLiteral("*.") + kind.toLower();
    const QString filter = QStringLiteral("Pliki %1 (%2)").arg(kind, pattern);
    const QString caption = kind == QLatin1String("PDF") ? QStringLiteral("Eksportuj wydruk jako ...")
                                                         : QStringLiteral("Zapisz wydruk");
    const QString fileName = ui::dialogs().saveFileName(caption, {}, filter);
    if (fileName.isEmpty() || extensionOf(fileName) != kind)
        return;
    try {
        std::unique_ptr<rpt::PageStore> prepared;
        const rpt::PageStore* pages = QRPreview->pages();
        if (!pages && m_report)
            pages = (prepared = m_report->prepare()).get();
        if (!pages)
            return;
        if (kind == QLatin1String("PDF"))
            rpt::PdfFilter().write(*pages, fileName);
        else if (kind == QLatin1String("CSV"))
            rpt::CsvFilter(QLatin1Char(';'), cp1250).write(*pages, fileName);
        else
            rpt::TextFilter(cp1250).write(*pages, fileName);
        ui::dialogs().message(QStringLiteral("Utworzono plik ") + fileName, QStringLiteral("Plik ") + kind,
                              ui::Buttons::Ok, ui::Icon::Information);
    } catch (const std::exception& e) {
        vPokazBlad(QLatin1String(handler) + QStringLiteral("\n\n"), e);
    }
}

void TfrmPreview::actSavePDFExecute() { vEksport(QStringLiteral("PDF"), "actSavePDFExecute"); }
void TfrmPreview::actSaveCSVExecute() { vEksport(QStringLiteral("CSV"), "actSaveCSVExecute"); }
void TfrmPreview::actSaveTXTExecute() { vEksport(QStringLiteral("TXT"), "actSaveTXTExecute"); }

void TfrmPreview::actCancelExecute()
{
    QRPreview->setPageNumber(1);
    close();
}

void TfrmPreview::onClose() { ReleasePages(); }

bool TfrmPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edtPage) {
        if (event->type() == QEvent::FocusIn)
            edtPage->setStyleSheet(QStringLiteral("background: white"));
        else if (event->type() == QEvent::FocusOut)
            edtPage->setText(QString::number(QRPreview->pageNumber()));
    } else if (watched == QRPreview->viewport() && event->type() == QEvent::Wheel && isVisible()) {
        const QPoint angle = static_cast<QWheelEvent*>(event)->angleDelta();
        // Some platforms turn a wheel with Shift into a horizontal one.
        const bool down = (angle.y() != 0 ? angle.y() : angle.x()) < 0;
        const Qt::KeyboardModifiers modifiers = static_cast<QWheelEvent*>(event)->modifiers();
        if (modifiers & Qt::ShiftModifier) {
            vPokazStrone(QRPreview->pageNumber() + (down ? 1 : -1));
        } else {
            QScrollBar* bar = modifiers & Qt::ControlModifier ? QRPreview->horizontalScrollBar()
                                                              : QRPreview->verticalScrollBar();
            bar->setValue(bar->value() + (down ? 25 : -25));
        }
        return true;
    }
    return Form::eventFilter(watched, event);
}
