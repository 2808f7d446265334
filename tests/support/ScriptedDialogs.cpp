#include "ScriptedDialogs.h"

#include "platform/ui/FormBase.h"

#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

#include <utility>

namespace pxtest {
namespace {

const char* kindName(Shown::Kind kind) {
    switch (kind) {
    case Shown::Kind::Message: return "message box";
    case Shown::Kind::ShowMessage: return "ShowMessage";
    case Shown::Kind::Modal: return "modal window";
    case Shown::Kind::OpenFile: return "open-file dialog";
    case Shown::Kind::SaveFile: return "save-file dialog";
    case Shown::Kind::Folder: return "folder dialog";
    case Shown::Kind::Print: return "print dialog";
    }
    return "?";
}

bool offers(ui::Buttons buttons, ui::Answer answer) {
    switch (buttons) {
    case ui::Buttons::Ok: return answer == ui::Answer::Ok;
    case ui::Buttons::OkCancel: return answer == ui::Answer::Ok || answer == ui::Answer::Cancel;
    case ui::Buttons::YesNo: return answer == ui::Answer::Yes || answer == ui::Answer::No;
    case ui::Buttons::YesNoCancel: return answer != ui::Answer::Ok;
    }
    return false;
}

ui::Answer safeAnswer(ui::Buttons buttons) {
    if (buttons == ui::Buttons::Ok) return ui::Answer::Ok;
    return buttons == ui::Buttons::YesNo ? ui::Answer::No : ui::Answer::Cancel;
}

bool matchesText(Shown::Kind kind) { return kind == Shown::Kind::Message || kind == Shown::Kind::ShowMessage; }

}  // namespace

void ScriptedDialogs::expectMessage(const QString& textOrSubstring, ui::Answer answer) {
    m_expected.push_back({Shown::Kind::Message, textOrSubstring, answer});
}

void ScriptedDialogs::expectShowMessage(const QString& textOrSubstring) {
    m_expected.push_back({Shown::Kind::ShowMessage, textOrSubstring});
}

void ScriptedDialogs::expectModal(Driver driver) {
    m_expected.push_back({Shown::Kind::Modal, {}, ui::Answer::Ok, false, std::move(driver)});
}

void ScriptedDialogs::expectOpenFile(const QString& path) { m_expected.push_back({Shown::Kind::OpenFile, path}); }

void ScriptedDialogs::expectSaveFile(const QString& path, int filterIndex) {
    m_expected.push_back({Shown::Kind::SaveFile, path, ui::Answer::Ok, false, {}, filterIndex});
}

void ScriptedDialogs::expectFolder(const QString& path) { m_expected.push_back({Shown::Kind::Folder, path}); }

void ScriptedDialogs::expectPrint(bool accepted) {
    m_expected.push_back({Shown::Kind::Print, {}, ui::Answer::Ok, accepted});
}

void ScriptedDialogs::expectPrint(std::function<bool(QPrinter&)> chooser) {
    m_expected.push_back({Shown::Kind::Print, {}, ui::Answer::Ok, false, {}, 0, std::move(chooser)});
}

void ScriptedDialogs::verifyAllConsumed() {
    for (const Expectation& left : m_expected)
        ADD_FAILURE() << "Expected " << kindName(left.kind) << " was never shown" << (left.text.isEmpty() ? "" : ": ")
                      << left.text.toStdString();
    m_expected.clear();
}

std::unique_ptr<ScriptedDialogs::Expectation> ScriptedDialogs::take(Shown shown) {
    m_shown.push_back(shown);
    const std::string what = std::string(kindName(shown.kind)) + " \"" + shown.text.toStdString() + "\" (caption \"" +
                             shown.caption.toStdString() + "\")";
    if (m_expected.empty()) {
        ADD_FAILURE() << "Unexpected " << what;
        return nullptr;
    }
    const Expectation& next = m_expected.front();
    if (next.kind != shown.kind || (matchesText(next.kind) && !shown.text.contains(next.text))) {
        ADD_FAILURE() << "Unexpected " << what << "; next expected: " << kindName(next.kind)
                      << (next.text.isEmpty() ? "" : " containing \"" + next.text.toStdString() + "\"");
        return nullptr;
    }
    if (next.kind == Shown::Kind::Message && !offers(shown.buttons, next.answer)) {
        ADD_FAILURE() << "The expected answer is not one of the buttons of " << what;
        m_expected.pop_front();
        return nullptr;
    }
    auto taken = std::make_unique<Expectation>(std::move(m_expected.front()));
    m_expected.pop_front();
    return taken;
}

ui::Answer ScriptedDialogs::message(const QString& text, const QString& caption, ui::Buttons buttons, ui::Icon icon) {
    const auto expected = take({Shown::Kind::Message, text, caption, buttons, icon});
    return expected ? expected->answer : safeAnswer(buttons);
}

void ScriptedDialogs::showMessage(const QString& text) { take({Shown::Kind::ShowMessage, text}); }

int ScriptedDialogs::runModal(QWidget& window) {
    QPointer<QWidget> guard(&window);
    const auto expected = take({Shown::Kind::Modal, window.windowTitle()});
    int result = ui::mrCancel;
    window.setWindowModality(Qt::ApplicationModal);
    if (expected) {
        window.show();
        result = expected->driver(window);
    }
    // Whatever the driver left open is closed, as a user would have to; an
    // unexpected window is closed unseen so that it still frees itself.
    if (guard && (!expected || guard->isVisible())) guard->close();
    return result;
}

QString ScriptedDialogs::pathFor(Shown::Kind kind, const QString& caption, const QString& dir, const QString& filter,
                                 int* chosenFilter) {
    const auto expected = take({kind, dir, caption, ui::Buttons::Ok, ui::Icon::None, filter});
    if (chosenFilter) *chosenFilter = expected ? expected->filterIndex : 0;
    return expected ? expected->text : QString();
}

QString ScriptedDialogs::openFileName(const QString& caption, const QString& dir, const QString& filter) {
    return pathFor(Shown::Kind::OpenFile, caption, dir, filter);
}

QString ScriptedDialogs::saveFileName(const QString& caption, const QString& dir, const QString& filter) {
    return pathFor(Shown::Kind::SaveFile, caption, dir, filter);
}

QString ScriptedDialogs::saveFileName(const QString& caption, const QString& dir, const QString& filter,
                                      int& chosenFilter) {
    return pathFor(Shown::Kind::SaveFile, caption, dir, filter, &chosenFilter);
}

QString ScriptedDialogs::folder(const QString& caption, const QString& dir) {
    return pathFor(Shown::Kind::Folder, caption, dir);
}

bool ScriptedDialogs::print(QPrinter& printer) {
    const auto expected = take({Shown::Kind::Print});
    if (expected && expected->chooser) return expected->chooser(printer);
    return expected && expected->accepted;
}

ScopedDialogs::ScopedDialogs() {
    auto dialogs = std::make_unique<ScriptedDialogs>();
    m_dialogs = dialogs.get();
    m_previous = ui::setDialogs(std::move(dialogs));
}

ScopedDialogs::~ScopedDialogs() {
    m_dialogs->verifyAllConsumed();
    ui::setDialogs(std::move(m_previous));
}

}  // namespace pxtest
