#include "PageStore.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <cmath>

namespace rpt {
namespace {

// A point size that gives `size` painter units once the painter is scaled to
// device units: Qt sizes fonts by the device's resolution before the transform.
QFont deviceFont(const FontStyle& style, const QPaintDevice& device)
{
    QFont font(style.family);
    font.setPointSizeF(style.size * 72.0 / device.logicalDpiY());
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}

void paintItem(QPainter& painter, const PageItem& item)
{
    QPen pen(item.pen, item.penWidth);
    switch (item.kind) {
    case ItemKind::Text:
        painter.setPen(item.pen);
        painter.setFont(deviceFont(item.font, *painter.device()));
        painter.drawText(item.rect, item.flags, item.text);
        break;
    case ItemKind::Line:
        painter.setPen(pen);
        painter.drawLine(item.rect.topLeft(), item.rect.bottomRight());
        break;
    case ItemKind::Rectangle:
        painter.setPen(item.penWidth > 0 ? pen : QPen(Qt::NoPen));
        painter.setBrush(item.brush);
        painter.drawRect(item.rect);
        break;
    case ItemKind::Ellipse:
        painter.setPen(item.penWidth > 0 ? pen : QPen(Qt::NoPen));
        painter.setBrush(item.brush);
        painter.drawEllipse(item.rect);
        break;
    }
}

} // namespace

Page& PageStore::addPage(QSizeF size)
{
    m_pages.push_back({size, {}});
    return m_pages.back();
}

void paintPage(QPainter& painter, const Page& page, qreal scale)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    for (const PageItem& item : page.items)
        paintItem(painter, item);
    painter.restore();
}

QImage renderPage(const Page& page, qreal dpi)
{
    const qreal scale = dpi / 72.0;
    QImage image(std::max(1, int(std::ceil(page.size.width() * scale))),
                 std::max(1, int(std::ceil(page.size.height() * scale))), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, page, scale);
    return image;
}

} // namespace rpt
