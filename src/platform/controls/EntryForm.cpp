#include "platform/controls/EntryForm.h"

#include "platform/controls/FieldLink.h"

#include <QAbstractButton>
#include <QAction>
#include <QHBoxLayout>
#include <QPushButton>
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

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

// A key of the form is a shortcut, and a shortcut takes its key before the
// focus widget sees it, even inside an open list: the list claims Escape first.
class ListTakesEscape : public QObject {
public:
    explicit ListTakesEscape(QWidget& form) : QObject(&form), m_form(form) { qApp->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier || !isOpenFromForm())
            return false;
        key->accept();
        return true;
    }

private:
    bool isOpenFromForm() const
    {
        QWidget* popup = QApplication::activePopupWidget();
        for (QWidget* w = popup ? popup->parentWidget() : nullptr; w; w = w->parentWidget())
            if (w == &m_form)
                return true;
        return false;
    }

    QWidget& m_form;
};

}  // namespace

void enterMovesFocus(QWidget& form) { new EnterMovesFocus(form); }

void escapeClosesListFirst(QWidget& form) { new ListTakesEscape(form); }

bool hasPendingEdits(const QWidget& window)
{
    const auto children = window.findChildren<QWidget*>();
    return std::any_of(children.begin(), children.end(), [](QWidget* w) {
        const auto* control = dynamic_cast<const DataControl*>(w);
        return control && control->hasPendingEdit();
    });
}

QAction* formKey(QWidget& form, const QKeySequence& key, const char* name)
{
    auto* action = new QAction(&form);
    if (name)
        action->setObjectName(QString::fromLatin1(name));
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
