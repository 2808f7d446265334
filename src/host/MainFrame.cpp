#include "host/MainFrame.h"

#include "host/WindowTabBar.h"
#include "module/frame/CPrzelew.h"
#include "module/realized/Zrealizowane.h"
#include "module/register/Przelewy.h"
#include "module/reports/ListaRejestru.h"
#include "module/whitelist/Wczytywanie.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBase.h"
#include "siblings/core/TdmMain.h"
#include "siblings/finanse/TdmFinanse.h"
#include "siblings/kartoteka/TdmKartoteka.h"
#include "siblings/kontr/TdmKontr.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

namespace host {

MainFrame::MainFrame(CPrzelew& module, const QString& databaseText)
    : m_module(module), m_area(new QMdiArea), m_tabs(new WindowTabBar)
{
    const QStringList company = dmMain->PobierzDaneFirmowe();
    setWindowTitle(QStringLiteral("Przelewy – %1 – użytkownik %2").arg(company.value(0), dmMain->PobierzUzytkownik()));
    resize(1200, 800);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tabs);
    layout->addWidget(m_area, 1);
    setCentralWidget(central);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    statusBar()->addWidget(new QLabel(QStringLiteral("Baza: ") + databaseText, this), 1);
    statusBar()->addPermanentWidget(new QLabel(QStringLiteral("Wersja ") + dmMain->ProgramVersionInfo(), this));

    connect(dmMain, &TdmMain::windowTabAdded, m_tabs, &WindowTabBar::addWindow);
    connect(dmMain, &TdmMain::windowTabRemoved, m_tabs, &WindowTabBar::removeWindow);
    ui::setMainWindow(this);
    ui::setMdiArea(m_area);
    buildMenus();
}

MainFrame::~MainFrame()
{
    ui::setMdiArea(nullptr);
    ui::setMainWindow(nullptr);
}

void MainFrame::closeEvent(QCloseEvent* event)
{
    m_area->closeAllSubWindows();
    for (QMdiSubWindow* sub : m_area->subWindowList())
        if (sub->isVisible()) {
            event->ignore();
            return;
        }
    event->accept();
}

void MainFrame::buildMenus()
{
    QMenu* transfers = menuBar()->addMenu(QStringLiteral("&Przelewy"));
    transfers->addAction(QStringLiteral("Rejestr przelewów"), this, [this] { m_module.vPrzelewyMDI(qApp); });
    transfers->addAction(QStringLiteral("Przelewy zrealizowane"), this, [this] {
        // The list belongs to the register, which it returns to.
        m_module.vPrzelewyMDI(qApp);
        if (frmZrealizowane)
            frmZrealizowane->showWindow();
        else if (frmPrzelewy && frmPrzelewy->isEnabled())
            frmPrzelewy->spbZrealizowaneClick();
    });
    transfers->addAction(QStringLiteral("Wyciągi bankowe"), this, [this] { m_module.vWyciagiBankoweMDI(qApp); });
    // Refused with a message while the parameters do not ask for acceptance.
    transfers->addAction(QStringLiteral("Akceptacja kont bankowych"), this,
                         [this] { m_module.vPrzelewyDoAkceptacjiMDI(qApp); });
    transfers->addAction(QStringLiteral("Wczytaj plik płaski białej listy VAT"), this,
                         [this] { whitelist::vWczytajPlikPlaskiZMenu(this); });
    transfers->addAction(QStringLiteral("Parametry przelewów"), this,
                         [this] { m_module.vParametryPrzelewyMDI(qApp); });
    transfers->addAction(QStringLiteral("Wydruk rejestru (podgląd)"), this, [this] { vPodgladListyRejestru(this); });
    transfers->addSeparator();
    transfers->addAction(QStringLiteral("Zakończ"), this, &QWidget::close);

    QMenu* registers = menuBar()->addMenu(QStringLiteral("&Kartoteki"));
    registers->addAction(QStringLiteral("Kontrahenci"), this, [this] { dmKontr->KontrahentModalne(this, 0); });
    registers->addAction(QStringLiteral("Banki firmy"), this, [this] { dmKartoteka->BankModalne(this); });
    registers->addAction(QStringLiteral("Klasyfikacja budżetowa"), this,
                         [this] { dmFinanse->vDzialParPodpModalne(this); });

    QMenu* ledger = menuBar()->addMenu(QStringLiteral("Księ&gowość"));
    ledger->addAction(QStringLiteral("Dokumenty księgowe"), this, [this] { dmFinanse->vDokumentyModalne(this); });

    QMenu* windows = menuBar()->addMenu(QStringLiteral("&Okna"));
    windows->addAction(QStringLiteral("Kaskada"), m_area, &QMdiArea::cascadeSubWindows);
    windows->addAction(QStringLiteral("Sąsiadująco"), m_area, &QMdiArea::tileSubWindows);
    windows->addAction(QStringLiteral("Zamknij wszystkie"), m_area, &QMdiArea::closeAllSubWindows);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Po&moc"));
    help->addAction(QStringLiteral("Przelewy"), this,
                    [this] { dmMain->ShowHelpWindow(*this, QStringLiteral("HTML/Przelewy.html")); });
    help->addAction(QStringLiteral("Parametry"), this,
                    [this] { dmMain->ShowHelpWindow(*this, QStringLiteral("HTML/RejestrVAT.html")); });
    help->addAction(QStringLiteral("O programie"), this, [] {
        ui::dialogs().message(QStringLiteral("Przelewy dla jednostek budżetowych\nWersja ") + dmMain->ProgramVersionInfo() +
                                  QStringLiteral("\n\nBaza: ") + dmMain->PobierzSciezke(),
                              QStringLiteral("O programie"), ui::Buttons::Ok, ui::Icon::Information);
    });
}

}  // namespace host
