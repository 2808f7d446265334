#pragma once

#include "platform/ui/Dialogs.h"

#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace pxtest {

// One interaction the code under test asked for, as it asked for it.
struct Shown {
    enum class Kind { Message, ShowMessage, Modal, OpenFile, SaveFile, Folder, Print };
    Kind kind;
    QString text;  // the message; the window's title for a modal run; the folder for file dialogs
    QString caption;  // the caption of a message box or dialog
    ui::Buttons buttons = ui::Buttons::Ok;
    ui::Icon icon = ui::Icon::None;
    QString filter;  // the filter list offered by a file dialog
};

// Dialogs for tests: answers from a queue of expected interactions, in order, and
// records everything shown. Anything unexpected, or not matching the next
// expectation, fails the running test and gets the safe answer (Cancel, No,
// an empty path, a cancelled print, a cancelled modal run).
class ScriptedDialogs final : public ui::Dialogs {
public:
    using Driver = std::function<int(QWidget&)>;

    // Matches a message box whose text contains textOrSubstring.
    void expectMessage(const QString& textOrSubstring, ui::Answer answer);
    // Matches a plain message whose text contains textOrSubstring.
    void expectShowMessage(const QString& textOrSubstring);
    // The driver gets the shown window and returns the modal result.
    void expectModal(Driver driver);
    // An empty path answers as a cancelled dialog.
    void expectOpenFile(const QString& path);
    // Answers as if the entry `filterIndex` of the dialog's filter list was chosen.
    void expectSaveFile(const QString& path, int filterIndex = 0);
    void expectFolder(const QString& path);
    void expectPrint(bool accepted);
    // The chooser sets up the printer as the user would and returns whether the dialog was confirmed.
    void expectPrint(std::function<bool(QPrinter&)> chooser);

    // Fails the running test for each expectation left over, and forgets them.
    void verifyAllConsumed();

    const std::vector<Shown>& shown() const { return m_shown; }
    int beeps() const { return m_beeps; }

    ui::Answer message(const QString& text, const QString& caption, ui::Buttons buttons, ui::Icon icon) override;
    void showMessage(const QString& text) override;
    int runModal(QWidget& window) override;
    QString openFileName(const QString& caption, const QString& dir, const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& dir, const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& dir, const QString& filter, int& chosenFilter) override;
    QString folder(const QString& caption, const QString& dir) override;
    bool print(QPrinter& printer) override;
    void beep() override { ++m_beeps; }

private:
    struct Expectation {
        Shown::Kind kind;
        QString text;  // the substring for messages, the path for file dialogs
        ui::Answer answer = ui::Answer::Cancel;
        bool accepted = false;
        Driver driver;
        int filterIndex = 0;
        std::function<bool(QPrinter&)> chooser;
    };

    // Records what was shown and hands out the next expectation when it matches.
    std::unique_ptr<Expectation> take(Shown shown);
    QString pathFor(Shown::Kind kind, const QString& caption, const QString& dir, const QString& filter = {},
                    int* chosenFilter = nullptr);

    std::deque<Expectation> m_expected;
    std::vector<Shown> m_shown;
    int m_beeps = 0;
};

// Installs a fresh ScriptedDialogs for a scope, verifies that all it expected was
// consumed and puts the previous service back.
class ScopedDialogs {
public:
    ScopedDialogs();
    ~ScopedDialogs();
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;

    ScriptedDialogs& operator*() const { return *m_dialogs; }
    ScriptedDialogs* operator->() const { return m_dialogs; }

private:
    ScriptedDialogs* m_dialogs;
    std::unique_ptr<ui::Dialogs> m_previous;
};

}  // namespace pxtest
