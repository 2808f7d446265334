#include "platform/controls/DBEdit.h"

#include "platform/data/Formats.h"
#include "platform/ui/Dialogs.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QValidator>
#include <algorithm>

namespace ui {

namespace {

class UpperCase : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

}  // namespace

QString qtInputMask(const QString& suiteMask)
{
    const QStringList sections = suiteMask.split(u';');
    const QString& mask = sections.value(0);
    if (mask.isEmpty())
        return {};
    static const QString qtSpecial = QStringLiteral("AaNnXx90Dd#HhBb><![]{}\\");
    QString out;
    for (int i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        switch (c.unicode()) {
        case '0': out += u'9'; break;      // a digit, required
        case '9': out += u'0'; break;      // a digit, optional
        case '#': out += u'#'; break;      // a digit or sign, optional
        case 'L': out += u'A'; break;      // a letter, required
        case 'l': out += u'a'; break;
        case 'A': out += u'N'; break;      // a letter or digit, required
        case 'a': out += u'n'; break;
        case 'C': out += u'X'; break;      // any character, required
        case 'c': out += u'x'; break;
        case '>': out += u'>'; break;
        case '<':
            if (mask.mid(i, 2) == QLatin1String("<>")) {
                out += u'!';
                ++i;
            } else {
                out += u'<';
            }
            break;
        case '!': break;                   // trimming blanks is not an input rule
        case '\\':
            if (++i < mask.size())
                out += (qtSpecial.contains(mask[i]) ? QStringLiteral("\\") : QString()) + mask[i];
            break;
        case '/': out += data::kDateSeparator; break;
        default:
            if (qtSpecial.contains(c))
                out += u'\\';
            out += c;
        }
    }
    const QString blank = sections.value(2);
    return out + u';' + (blank.isEmpty() ? QStringLiteral("_") : blank.left(1));
}

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent), m_link(this)
{
    connect(&m_link, &FieldLink::changed, this, [this] {
        m_typed = false;
        showField();
    });
    connect(this, &QLineEdit::textEdited, this, &DBEdit::userEdited);
    showField();
}

void DBEdit::setDataField(data::Dataset* dataset, const QString& fieldName) { m_link.bind(dataset, fieldName); }

void DBEdit::setEditMask(const QString& suiteMask)
{
    m_mask = suiteMask;
    showField();
}

void DBEdit::setUpperCase(bool on)
{
    setValidator(on ? new UpperCase(this) : nullptr);
}

void DBEdit::setInfo(bool on)
{
    m_info = on;
    QPalette p = palette();
    p.setColor(QPalette::Base, on ? p.color(QPalette::ToolTipBase) : QPalette().color(QPalette::Base));
    setPalette(p);
    setFocusPolicy(on ? Qt::ClickFocus : Qt::StrongFocus);
    showField();
}

QString DBEdit::activeMask() const
{
    if (!m_mask.isEmpty())
        return m_mask;
    const data::Field* f = field();
    return f ? f->editMask() : QString();
}

bool DBEdit::isBlank() const
{
    const QString typed = text();
    if (inputMask().isEmpty())
        return typed.isEmpty();
    // A mask leaves its literals in the text even when nothing was typed.
    return std::none_of(typed.begin(), typed.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

void DBEdit::showField()
{
    const QString mask = qtInputMask(activeMask());
    if (inputMask() != mask)
        setInputMask(mask);
    const data::Field* f = field();
    QString shown;
    if (f && m_link.isActive() && !f->isNull()) {
        if (!mask.isEmpty() && f->type() == data::FieldType::DateTime)
            shown = data::formatDateTime(f->asDateTime(), data::Field::shortDateFormat());
        else
            shown = hasFocus() || !mask.isEmpty() ? f->text() : f->displayText();
    }
    // What the column cannot hold is never typed; a mask sets its own length.
    const int limit = mask.isEmpty() ? textLimit(f) : 0;
    setMaxLength(limit > 0 ? limit : 32767);
    setText(shown);
    setReadOnly(m_info || !m_link.canModify());
    m_pending = false;
}

void DBEdit::userEdited()
{
    // The dataset goes into edit state now; what was typed stays on screen.
    if (!m_link.startEdit()) {
        showField();
        return;
    }
    m_pending = true;
    m_typed = true;
}

bool DBEdit::applyEdit()
{
    if (!m_pending || !m_link.startEdit()) {
        m_pending = false;
        return true;
    }
    data::Field* f = field();
    if (!isBlank() && !acceptsText(f, text()))
        return false;
    try {
        m_link.quietly([&] {
            if (isBlank())
                f->clear();
            else
                f->setText(text());
        });
    } catch (const std::exception& e) {
        dialogs().message(QString::fromUtf8(e.what()), QString(), Buttons::Ok, Icon::Error);
        return false;
    }
    m_pending = false;
    return true;
}

bool DBEdit::finishEdit()
{
    if (!applyEdit())
        return false;
    emit exited();
    m_typed = false;
    return true;
}

void DBEdit::focusInEvent(QFocusEvent* event)
{
    m_typed = false;
    if (!m_pending)
        showField();   // the editor text instead of the display text
    QLineEdit::focusInEvent(event);
}

void DBEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    // A click into an empty masked field (a date) would leave the cursor
    // where it fell, past places nothing can be typed into.
    if (event->button() == Qt::LeftButton && !inputMask().isEmpty() && isBlank())
        setCursorPosition(0);
}

void DBEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (!leavesControl(*this, *event))
        return;
    if (finishEdit())
        showField();   // the display text again
    else
        setFocus();
}

}  // namespace ui
