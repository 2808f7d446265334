#include "platform/controls/EntryForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QHBoxLayout>
#include <QPushButton>
#include <QApplication>
#include <QKeyEvent>

namespace ui {

namespace {

// Watches the application's key presses on the form's own controls: Enter
// reaches the focus widget first, so a filter on each control would miss
// controls made later and composite controls' inner widgets.
class EnterMovesFocus : public QObject {
public:
    explicit EnterMovesFocus(QWidget& form) : QObject(&form), m_form(form) { qApp->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        // Only where the key arrives, not again as it travels up to the parents.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !widget->hasFocus() || widget == &m_form || !m_form.isAncestorOf(widget) ||
            qobject_cast<QAbstractButton*>(widget))
            return false;
        focusNext(widget);
        return true;
    }

private:
    void focusNext(QWidget* from)
    {
        for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain()) {
            if (m_form.isAncestorOf(w) && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
                !w->focusProxy()) {
                w->setFocus(Qt::TabFocusReason);
                return;
            }
        }
    }

    QWidget& m_form;
};

}  // namespace

void enterMovesFocus(QWidget& form) { new EnterMovesFocus(form); }

QAction* formKey(QWidget& form, const QKeySequence& key)
{
    auto* action = new QAction(&form);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    form.addAction(action);
    return action;
}

QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons, QWidget* parent)
{
    auto* row = new QHBoxLayout(parent);
    row->addStretch(1);
    for (QPushButton* b : buttons) {
        b->setMinimumSize(90, 34);
        b->setIconSize(QSize(24, 24));
        row->addWidget(b);
    }
    return row;
}

}  // namespace ui
