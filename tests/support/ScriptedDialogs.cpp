#include "ScriptedDialogs.h"

#include "platform/ui/FormBase.h"

#include <QPointer>

#include <gtest/gtest.h>

#include <algorithm>

namespace pxtest {
namespace {

const char* kindName(Shown::Kind kind) {
    static const char* const names[] = {"message box",      "ShowMessage",   "modal window", "open-file dialog",
                                        "save-file dialog", "folder dialog", "print dialog"};
    return names[static_cast<int>(kind)];
}

// The answers a box with these buttons offers, the safe one last.
std::vector<ui::Answer> answersOf(ui::Buttons buttons) {
    using ui::Answer;
    switch (buttons) {
    case ui::Buttons::Ok: return {Answer::Ok};
    case ui::Buttons::OkCancel: return {Answer::Ok, Answer::Cancel};
    case ui::Buttons::YesNo: return {Answer::Yes, Answer::No};
    default: return {Answer::Yes, Answer::No, Answer::Cancel};
    }
}

}  // namespace

void ScriptedDialogs::verifyAllConsumed() {
    for (const Expectation& left : m_expected)
        ADD_FAILURE() << "Expected " << kindName(left.kind) << " was never shown" << (left.text.isEmpty() ? "" : ": ")
                      << left.text.toStdString();
    m_expected.clear();
}

std::unique_ptr<ScriptedDialogs::Expectation> ScriptedDialogs::take(Shown shown) {
    m_shown.push_back(shown);
    const std::string what = kindName(shown.kind) +
                             (" \"" + shown.text + "\" (caption \"" + shown.caption + "\")").toStdString();
    const Expectation* next = m_expected.empty() ? nullptr : &m_expected.front();
    const bool byText = next && (next->kind == Kind::Message || next->kind == Kind::ShowMessage);
    if (!next || next->kind != shown.kind || (byText && !shown.text.contains(next->text))) {
        ADD_FAILURE() << "Unexpected " << what << (next ? "; next expected: " : "")
                      << (next ? kindName(next->kind) : "")
                      << (next && !next->text.isEmpty() ? " containing \"" + next->text.toStdString() + "\"" : "");
        return nullptr;
    }
    auto taken = std::make_unique<Expectation>(std::move(m_expected.front()));
    m_expected.pop_front();
    const auto offered = answersOf(shown.buttons);
    if (taken->kind == Kind::Message && std::find(offered.begin(), offered.end(), taken->answer) == offered.end()) {
        ADD_FAILURE() << "The expected answer is not one of the buttons of " << what;
        return nullptr;
    }
    return taken;
}

ui::Answer ScriptedDialogs::message(const QString& text, const QString& caption, ui::Buttons buttons, ui::Icon icon) {
    const auto expected = take({Kind::Message, text, caption, buttons, icon});
    return expected ? expected->answer : answersOf(buttons).back();
}

int ScriptedDialogs::runModal(QWidget& window) {
    QPointer<QWidget> guard(&window);
    const auto expected = take({Kind::Modal, window.windowTitle()});
    window.setWindowModality(Qt::ApplicationModal);
    if (expected) window.show();
    const int result = expected ? expected->driver(window) : int(ui::mrCancel);
    // Whatever the driver left open is closed, as a user would have to; an
    // unexpected window is closed unseen so that it still frees itself.
    if (guard && (!expected || guard->isVisible())) guard->close();
    return result;
}

QString ScriptedDialogs::pathFor(Shown::Kind kind, const QString& caption, const QString& dir, int* chosenFilter) {
    const auto expected = take({kind, dir, caption});
    if (chosenFilter) *chosenFilter = expected ? expected->filterIndex : 0;
    return expected ? expected->text : QString();
}

bool ScriptedDialogs::print(QPrinter& printer) {
    const auto expected = take({Kind::Print});
    return expected && expected->chooser(printer);
}

ScopedDialogs::ScopedDialogs() : m_dialogs(new ScriptedDialogs) {
    m_previous = ui::setDialogs(std::unique_ptr<ui::Dialogs>(m_dialogs));
}

ScopedDialogs::~ScopedDialogs() {
    m_dialogs->verifyAllConsumed();
    ui::setDialogs(std::move(m_previous));
}

}  // namespace pxtest
