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
};

// Dialogs for tests: answers from a queue of expected interactions, in order, and
// records everything shown. Anything unexpected, or not matching the next
// expectation, fails the running test and gets the safe answer (Cancel, No,
// an empty path, a cancelled print, a cancelled modal run).
class ScriptedDialogs final : public ui::Dialogs {
public:
    using Driver = std::function<int(QWidget&)>;
    using PrintChooser = std::function<bool(QPrinter&)>;

private:
    using Kind = Shown::Kind;
    struct Expectation {
        Kind kind;
        QString text;  // the substring for messages, the path for file dialogs
        ui::Answer answer = ui::Answer::Cancel;
        Driver driver;
        int filterIndex = 0;
        PrintChooser chooser;
    };
    void expect(Expectation e) { m_expected.push_back(std::move(e)); }

public:
    // Matches a message box, or a plain message, whose text contains the substring.
    void expectMessage(const QString& substring, ui::Answer answer) { expect({Kind::Message, substring, answer}); }
    void expectShowMessage(const QString& substring) { expect({Kind::ShowMessage, substring}); }
    // The driver gets the shown window and returns the modal result.
    void expectModal(Driver driver) { expect({Kind::Modal, {}, {}, std::move(driver)}); }
    // An empty path answers as a cancelled dialog.
    void expectOpenFile(const QString& path) { expect({Kind::OpenFile, path}); }
    // Answers as if the entry `filter` of the dialog's filter list was chosen.
    void expectSaveFile(const QString& path, int filter = 0) { expect({Kind::SaveFile, path, {}, {}, filter}); }
    void expectFolder(const QString& path) { expect({Kind::Folder, path}); }
    void expectPrint(bool accepted) {
        expectPrint([accepted](QPrinter&) { return accepted; });
    }
    // The chooser sets up the printer as the user would and returns whether the dialog was confirmed.
    void expectPrint(PrintChooser chooser) { expect({Kind::Print, {}, {}, {}, 0, std::move(chooser)}); }

    // Fails the running test for each expectation left over, and forgets them.
    void verifyAllConsumed();

    const std::vector<Shown>& shown() const { return m_shown; }
    int beeps() const { return m_beeps; }

    ui::Answer message(const QString& text, const QString& caption, ui::Buttons buttons, ui::Icon icon) override;
    void showMessage(const QString& text) override { take({Kind::ShowMessage, text}); }
    int runModal(QWidget& window) override;
    QString openFileName(const QString& caption, const QString& dir, const QString&) override {
        return pathFor(Kind::OpenFile, caption, dir);
    }
    QString saveFileName(const QString& caption, const QString& dir, const QString&) override {
        return pathFor(Kind::SaveFile, caption, dir);
    }
    QString saveFileName(const QString& caption, const QString& dir, const QString&, int& chosenFilter) override {
        return pathFor(Kind::SaveFile, caption, dir, &chosenFilter);
    }
    QString folder(const QString& caption, const QString& dir) override { return pathFor(Kind::Folder, caption, dir); }
    bool print(QPrinter& printer) override;
    void beep() override { ++m_beeps; }

private:
    // Records what was shown and hands out the next expectation when it matches.
    std::unique_ptr<Expectation> take(Shown shown);
    QString pathFor(Kind kind, const QString& caption, const QString& dir, int* chosenFilter = nullptr);

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
