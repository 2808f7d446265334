// The host application: opens the suite database, brings up the sibling
// modules and the transfer module, and shows the main frame.
#include "host/Connection.h"
#include "host/DatabaseUpgrade.h"
#include "host/MainFrame.h"
#include "module/frame/CPrzelew.h"
#include "module/import/Importprzelewow.h"
#include "module/import/Wyciagibankowe.h"
#include "module/parameters/Parametry.h"
#include "module/register/Przelewy.h"
#include "module/register/Przelewydane.h"
#include "module/whitelist/Folder.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Glyphs.h"
#include "platform/ui/Placement.h"
#include "platform/ui/PolishLocale.h"
#include "siblings/core/Suite.h"
#include "suitedb/Backup.h"

#include <QApplication>
#include <QDateTime>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <memory>
#include <stdexcept>

namespace {

void fail(const QString& text)
{
    ui::dialogs().message(text, QStringLiteral("Błąd"), ui::Buttons::Ok, ui::Icon::Error);
}

enum class Picture { Register, Entry, Import, Statement, Realized, Acceptance, Parameters };

// Opens the register (and the entry form on its current transfer, the
// import window on a file or the realized transfers) or the statements window
// on a file, lets the windows settle and saves the frame as a picture.
int screenshot(host::MainFrame& frame, CPrzelew& module, const QString& file, Picture picture, const QString& shown)
{
    if (picture == Picture::Statement) {
        module.vWyciagiBankoweMDI(qApp);
        frmWyciagiBankowe->Pokaz(shown);
    } else if (picture == Picture::Acceptance) {
        module.vPrzelewyDoAkceptacjiMDI(qApp);
    } else if (picture == Picture::Parameters) {
        module.vParametryPrzelewyMDI(qApp);
    } else {
        module.vPrzelewyMDI(qApp);
        if (auto* sub = frame.mdiArea().activeSubWindow())
            sub->showMaximized();
    }
    if (picture == Picture::Entry && frmPrzelewy)
        frmPrzelewy->btnModyfikujClick();
    if (picture == Picture::Import && frmPrzelewy)
        frmPrzelewy->openChild(new TfrmImportPrzelewow(frmPrzelewy, shown));
    if (picture == Picture::Realized && frmPrzelewy)
        frmPrzelewy->spbZrealizowaneClick();
    // A child in its own size centred on the register, as it opens for the user.
    if (picture == Picture::Entry || picture == Picture::Import || picture == Picture::Realized) {
        if (auto* sub = frame.mdiArea().activeSubWindow()) {
            sub->showNormal();
            QApplication::processEvents();
            ui::centreOnOwner(*sub->widget(), frmPrzelewy);
        }
    }
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    const bool saved = frame.grab().save(file);
    // Nothing was changed: no question about saving when the windows close.
    if (frmPrzelewyDane)
        frmPrzelewyDane->btnAnulujClick();
    if (frmParametry)
        frmParametry->btnAnulujClick();
    return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pxfer"));
    QApplication::setApplicationDisplayName(QStringLiteral("Przelewy"));
    ui::usePolish(app);
    if (ui::GlyphLibrary::locate().isEmpty())
        qWarning("Brak zestawu ikon przycisków btnkit.rcc: przyciski pokażą same napisy.");

    host::Connection connection;
    try {
        connection = host::chooseConnection(QApplication::arguments());
    } catch (const std::invalid_argument& e) {
        fail(QString::fromUtf8(e.what()));
        return 2;
    }

    const QString database = QString::fromStdString(connection.params.database);
    std::unique_ptr<siblings::Suite> suite;
    try {
        host::prepareDemo(connection);
        whitelist::ustawFolderDanych(host::dataFolder(connection));
        const auto backup = suitedb::backupPathFor(connection.params.database, QDateTime::currentDateTime());
        if (!host::upgradeDatabase(connection.params, backup))
            return 1;
        suite = std::make_unique<siblings::Suite>(connection.params, connection.userName);
    } catch (const std::exception& e) {
        fail(QStringLiteral("Nie można połączyć się z bazą danych\n%1\n\n%2").arg(database, QString::fromUtf8(e.what())));
        return 1;
    }

    int result = 0;
    {
        std::unique_ptr<CPrzelew> module;
        try {
            module = std::make_unique<CPrzelew>();
        } catch (const std::exception& e) {
            fail(QStringLiteral("Nie można uruchomić modułu przelewów\n\n") + QString::fromUtf8(e.what()));
            return 1;
        }
        host::MainFrame frame(*module, database);
        frame.show();
        const QString& shown = connection.screenshotFile;
        if (!connection.screenshot.isEmpty())
            result = screenshot(frame, *module, connection.screenshot, Picture::Register, shown);
        else if (!connection.screenshotEntry.isEmpty())
            result = screenshot(frame, *module, connection.screenshotEntry, Picture::Entry, shown);
        else if (!connection.screenshotImport.isEmpty())
            result = screenshot(frame, *module, connection.screenshotImport, Picture::Import, shown);
        else if (!connection.screenshotStatement.isEmpty())
            result = screenshot(frame, *module, connection.screenshotStatement, Picture::Statement, shown);
        else if (!connection.screenshotRealized.isEmpty())
            result = screenshot(frame, *module, connection.screenshotRealized, Picture::Realized, shown);
        else if (!connection.screenshotAccept.isEmpty())
            result = screenshot(frame, *module, connection.screenshotAccept, Picture::Acceptance, shown);
        else if (!connection.screenshotParams.isEmpty())
            result = screenshot(frame, *module, connection.screenshotParams, Picture::Parameters, shown);
        else
            result = QApplication::exec();
        // The windows work on the module's queries: they go before the module does.
        frame.mdiArea().closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return result;
}
