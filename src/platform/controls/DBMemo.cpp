#include "platform/controls/DBMemo.h"

#include "platform/ui/Dialogs.h"

#include <QFocusEvent>
#include <algorithm>

namespace ui {

DBMemo::DBMemo(QWidget* parent) : QPlainTextEdit(parent), m_link(this)
{
    setTabChangesFocus(true);
    connect(&m_link, &FieldLink::changed, this, &DBMemo::showField);
    connect(this, &QPlainTextEdit::textChanged, this, &DBMemo::userEdited);
    showField();
}

void DBMemo::setDataField(data::Dataset* dataset, const QString& fieldName) { m_link.bind(dataset, fieldName); }

void DBMemo::showField()
{
    const data::Field* f = field();
    m_showing = true;
    setPlainText(f && m_link.isActive() ? f->text() : QString());
    m_showing = false;
    setReadOnly(!m_link.canModify());
    m_pending = false;
}

void DBMemo::userEdited()
{
    if (m_showing)
        return;
    capText();
    if (!m_link.startEdit()) {
        showField();
        return;
    }
    m_pending = true;
}

bool DBMemo::finishEdit()
{
    if (m_pending && m_link.startEdit()) {
        data::Field* f = field();
        const QString text = toPlainText();
        if (!acceptsText(f, text))
            return false;
        try {
            m_link.quietly([&] {
                if (text.isEmpty())
                    f->clear();
                else
                    f->setText(text);
            });
        } catch (const std::exception& e) {
            dialogs().message(QString::fromUtf8(e.what()), QString(), Buttons::Ok, Icon::Error);
            return false;
        }
    }
    m_pending = false;
    emit exited();
    return true;
}

void DBMemo::capText()
{
    // A memo has no length of its own: what goes beyond the column is cut
    // off as it is typed or pasted, as a line edit does.
    int limit = textLimit(field());
    const QString text = toPlainText();
    if (limit <= 0 || text.size() <= limit)
        return;
    if (text.at(limit - 1).isHighSurrogate())
        --limit;   // never half a character
    QTextCursor cursor = textCursor();
    const int position = std::min(cursor.position(), limit);
    m_showing = true;
    setPlainText(text.left(limit));
    m_showing = false;
    cursor = textCursor();
    cursor.setPosition(position);
    setTextCursor(cursor);
}

void DBMemo::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (!leavesControl(*this, *event))
        return;
    if (!finishEdit())
        setFocus();
}

}  // namespace ui
