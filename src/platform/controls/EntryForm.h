#pragma once
// What the suite's entry forms share besides their data controls: widgets
// created under the names the code and the tests know them by, Enter
// moving on to the next field as Tab does, and Escape closing an open list.

#include <QAction>
#include <QKeySequence>
#include <QString>
#include <initializer_list>
#include <utility>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace ui {

// A new widget whose object name is `name`.
template <class W, class... Args>
W* named(const char* name, Args&&... args)
{
    auto* w = new W(std::forward<Args>(args)...);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// Enter pressed in a control of the form (not in a button, which Enter
// presses) moves the focus to the next control instead of reaching it.
void enterMovesFocus(QWidget& form);

// Escape on a drop-down list (or another popup) opened from the form closes
// that list only; the form's own Escape key is left for when none is open.
void escapeClosesListFirst(QWidget& form);

// Whether a data control of the window holds typed text not yet written into its field.
bool hasPendingEdits(const QWidget& window);

// A key of the form (Esc, F1) that works wherever the focus is inside it;
// connect the action's triggered() to what the key does. A named one is the
// action the code and the tests know by that name.
QAction* formKey(QWidget& form, const QKeySequence& key, const char* name = nullptr);

// A named action of the form that runs `handler`: its text is its menu item,
// its key (if any) works wherever the focus is inside the form.
template <class Form>
QAction* formAction(Form& form, const char* name, const QString& text, const QKeySequence& key,
                    void (Form::*handler)())
{
    QAction* action = formKey(form, key, name);
    action->setText(text);
    QObject::connect(action, &QAction::triggered, &form, handler);
    return action;
}

// The row of glyph buttons (save/OK, cancel) at the bottom right of a form,
// all of one size so that a glyph without a caption still fills its button.
QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons, QWidget* parent = nullptr);

}  // namespace ui
