#pragma once

#include <QString>

#include <memory>

class QPrinter;
class QWidget;

// Every message box, modal run, file, folder and print dialog and the beep go
// through one replaceable service, so that tests and headless runs can script them.
namespace ui {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Owned by the main window.
    virtual Answer message(const QString& text, const QString& caption, Buttons buttons, Icon icon) = 0;
    // OK only, the application title as caption.
    virtual void showMessage(const QString& text) = 0;
    // Shows the window modally until it closes; returns its modal result.
    virtual int runModal(QWidget& window) = 0;
    // An empty text means the user cancelled.
    virtual QString openFileName(const QString& caption, const QString& dir, const QString& filter) = 0;
    virtual QString saveFileName(const QString& caption, const QString& dir, const QString& filter) = 0;
    // As saveFileName; chosenFilter gets the zero-based entry of the filter list the user chose
    // (services that cannot tell answer the first).
    virtual QString saveFileName(const QString& caption, const QString& dir, const QString& filter,
                                 int& chosenFilter)
    {
        chosenFilter = 0;
        return saveFileName(caption, dir, filter);
    }
    virtual QString folder(const QString& caption, const QString& dir) = 0;
    // False when the user cancelled. When the printer has a page range set
    // (toPage() > 0) the dialog offers choosing pages between fromPage() and toPage().
    virtual bool print(QPrinter& printer) = 0;
    virtual void beep() = 0;
};

// The current service; the Qt one unless replaced.
Dialogs& dialogs();
// Installs a service (null brings back the Qt one) and hands back the previous one.
std::unique_ptr<Dialogs> setDialogs(std::unique_ptr<Dialogs> service);

// The owner of message boxes and dialogs; the host sets it.
void setMainWindow(QWidget* window);
QWidget* mainWindow();

} // namespace ui
