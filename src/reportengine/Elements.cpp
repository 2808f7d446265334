#include "Elements.h"

#include "RowSource.h"

#include <QLocale>

namespace rpt {

PageItem lineItem(QPointF a, QPointF b, qreal width, const QColor& color)
{
    PageItem item;
    item.kind = ItemKind::Line;
    item.rect = QRectF(a, b);
    item.penWidth = width;
    item.pen = color;
    return item;
}

Label::Label(const QRectF& geometry, const QString& text, const FontStyle& font, Qt::Alignment alignment)
    : Element(geometry), m_text(text), m_font(font), m_alignment(alignment)
{
}

QString Label::printedText(const PrintContext&) const { return m_text; }

void Label::place(std::vector<PageItem>& items, QPointF origin, const PrintContext& context) const
{
    const QString text = printedText(context);
    if (text.isEmpty())
        return;
    PageItem item;
    item.rect = geometry().translated(origin);
    item.text = text;
    item.font = m_font;
    item.flags = int(m_alignment) | (m_wordWrap ? int(Qt::TextWordWrap) : 0);
    item.pen = m_color;
    items.push_back(std::move(item));
}

DataText::DataText(const QRectF& geometry, const QString& field, const FontStyle& font, Qt::Alignment alignment)
    : Label(geometry, {}, font, alignment), m_field(field.mid(field.lastIndexOf(QLatin1Char('.')) + 1))
{
}

QString DataText::printedText(const PrintContext& context) const
{
    const QVariant value = context.row && !context.row->eof() ? context.row->value(m_field) : QVariant();
    if (m_formatter)
        return m_formatter(value);
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDate:
        return QLocale().toString(value.toDate(), QLocale::ShortFormat);
    case QMetaType::QDateTime: {
        const QDateTime stamp = value.toDateTime();
        // Date columns arrive as midnight time stamps; they print as dates.
        return stamp.time() == QTime(0, 0) ? QLocale().toString(stamp.date(), QLocale::ShortFormat)
                                           : QLocale().toString(stamp, QLocale::ShortFormat);
    }
    default:
        return value.toString();
    }
}

SystemField::SystemField(const QRectF& geometry, SystemData data, const QString& prefix, const FontStyle& font,
                         Qt::Alignment alignment)
    : Label(geometry, prefix, font, alignment), m_data(data)
{
}

QString SystemField::printedText(const PrintContext& context) const
{
    const QLocale locale;
    QString value;
    switch (m_data) {
    case SystemData::PageNumber: value = QString::number(context.pageNumber); break;
    case SystemData::Date: value = locale.toString(context.printed.date(), QLocale::ShortFormat); break;
    case SystemData::Time: value = locale.toString(context.printed.time(), QLocale::ShortFormat); break;
    case SystemData::DateTime: value = locale.toString(context.printed, QLocale::ShortFormat); break;
    case SystemData::DetailNumber: value = QString::number(context.detailNumber); break;
    }
    return text() + value;
}

Shape::Shape(const QRectF& geometry, ShapeKind kind, qreal penWidth)
    : Element(geometry), m_kind(kind), m_penWidth(penWidth)
{
}

void Shape::place(std::vector<PageItem>& items, QPointF origin, const PrintContext&) const
{
    const QRectF r = geometry().translated(origin);
    const qreal midY = r.center().y();
    const qreal midX = r.center().x();
    switch (m_kind) {
    case ShapeKind::Rectangle:
    case ShapeKind::Ellipse: {
        PageItem item;
        item.kind = m_kind == ShapeKind::Rectangle ? ItemKind::Rectangle : ItemKind::Ellipse;
        item.rect = r;
        item.penWidth = m_penWidth;
        item.pen = m_pen;
        item.brush = m_brush;
        items.push_back(item);
        break;
    }
    case ShapeKind::HorizontalLine:
        items.push_back(lineItem({r.left(), midY}, {r.right(), midY}, m_penWidth, m_pen));
        break;
    case ShapeKind::VerticalLine:
        items.push_back(lineItem({midX, r.top()}, {midX, r.bottom()}, m_penWidth, m_pen));
        break;
    case ShapeKind::TopAndBottomLines:
        items.push_back(lineItem(r.topLeft(), r.topRight(), m_penWidth, m_pen));
        items.push_back(lineItem(r.bottomLeft(), r.bottomRight(), m_penWidth, m_pen));
        break;
    case ShapeKind::LeftAndRightLines:
        items.push_back(lineItem(r.topLeft(), r.bottomLeft(), m_penWidth, m_pen));
        items.push_back(lineItem(r.topRight(), r.bottomRight(), m_penWidth, m_pen));
        break;
    }
}

} // namespace rpt
