#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

class QPainter;

// Prepared pages are kept as drawing records in points (1/72 inch), not as
// images, so that memory grows with what is printed and every device draws
// them at its own resolution.
namespace rpt {

struct FontStyle {
    QString family = QStringLiteral("DejaVu Sans");
    qreal size = 9; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const FontStyle&) const = default;
};

enum class ItemKind : quint8 { Text, Line, Rectangle, Ellipse };

struct PageItem {
    ItemKind kind = ItemKind::Text;
    QRectF rect;      // from the page's top-left corner; a line runs from topLeft to bottomRight
    QString text;
    FontStyle font;
    int flags = Qt::AlignLeft | Qt::AlignTop; // alignment, plus Qt::TextWordWrap
    qreal penWidth = 0.5;
    QColor pen = Qt::black;
    QColor brush = Qt::transparent;

    bool operator==(const PageItem&) const = default;
};

struct Page {
    QSizeF size; // points
    std::vector<PageItem> items;

    bool operator==(const Page&) const = default;
    bool isLandscape() const { return size.width() > size.height(); }
};

class PageStore {
public:
    int pageCount() const { return static_cast<int>(m_pages.size()); }
    // Zero-based.
    const Page& page(int index) const { return m_pages.at(static_cast<size_t>(index)); }
    Page& addPage(QSizeF size);

    bool operator==(const PageStore&) const = default;

private:
    std::vector<Page> m_pages;
};

// Draws a page whose top-left corner is at the painter's origin, `scale` device
// units to a point.
void paintPage(QPainter& painter, const Page& page, qreal scale);

// The page on white at the given resolution.
QImage renderPage(const Page& page, qreal dpi);

} // namespace rpt
