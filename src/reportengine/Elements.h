#pragma once

#include "PageStore.h"

#include <QDateTime>
#include <QRectF>
#include <QString>
#include <QVariant>

#include <functional>

namespace rpt {

class RowSource;

// What an element may read while its band is placed on a page.
struct PrintContext {
    const RowSource* row = nullptr; // null when the report has no current row
    int pageNumber = 0;
    int detailNumber = 0; // detail bands printed so far, this one included
    QDateTime printed;
};

// Something printed in a band, at a position relative to the band's top-left corner (points).
class Element {
public:
    explicit Element(const QRectF& geometry) : m_geometry(geometry) {}
    virtual ~Element() = default;

    QRectF geometry() const { return m_geometry; }
    void setGeometry(const QRectF& geometry) { m_geometry = geometry; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    // Appends the element's drawing records for a band placed at `origin`.
    virtual void place(std::vector<PageItem>& items, QPointF origin, const PrintContext& context) const = 0;

private:
    QRectF m_geometry;
    bool m_visible = true;
};

// A fixed text.
class Label : public Element {
public:
    Label(const QRectF& geometry, const QString& text, const FontStyle& font = {},
          Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

    QString text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }
    FontStyle& font() { return m_font; }
    const FontStyle& font() const { return m_font; }
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment) { m_alignment = alignment; }
    void setWordWrap(bool wrap) { m_wordWrap = wrap; }
    void setColor(const QColor& color) { m_color = color; }

    void place(std::vector<PageItem>& items, QPointF origin, const PrintContext& context) const override;

protected:
    // The text as printed in this context.
    virtual QString printedText(const PrintContext& context) const;

private:
    QString m_text;
    FontStyle m_font;
    Qt::Alignment m_alignment;
    bool m_wordWrap = false;
    QColor m_color = Qt::black;
};

// A value of the current row; the label's own text is ignored.
class DataText : public Label {
public:
    using Formatter = std::function<QString(const QVariant&)>;

    // A field may be qualified by its dataset ("queX.FIELD").
    DataText(const QRectF& geometry, const QString& field, const FontStyle& font = {},
             Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

    QString field() const { return m_field; }
    // Dates print in the short date form and the rest as their text unless a formatter is set.
    void setFormatter(Formatter formatter) { m_formatter = std::move(formatter); }

protected:
    QString printedText(const PrintContext& context) const override;

private:
    QString m_field;
    Formatter m_formatter;
};

enum class SystemData { PageNumber, Date, Time, DateTime, DetailNumber };

// Data the engine knows, after the label's text as a prefix ("Strona:" and the page number).
class SystemField : public Label {
public:
    SystemField(const QRectF& geometry, SystemData data, const QString& prefix = {}, const FontStyle& font = {},
                Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

    SystemData data() const { return m_data; }

protected:
    QString printedText(const PrintContext& context) const override;

private:
    SystemData m_data;
};

enum class ShapeKind { Rectangle, Ellipse, HorizontalLine, VerticalLine, TopAndBottomLines, LeftAndRightLines };

class Shape : public Element {
public:
    Shape(const QRectF& geometry, ShapeKind kind, qreal penWidth = 0.5);

    ShapeKind kind() const { return m_kind; }
    void setBrush(const QColor& brush) { m_brush = brush; }
    void setPen(const QColor& pen, qreal width) { m_pen = pen; m_penWidth = width; }

    void place(std::vector<PageItem>& items, QPointF origin, const PrintContext& context) const override;

private:
    ShapeKind m_kind;
    qreal m_penWidth;
    QColor m_pen = Qt::black;
    QColor m_brush = Qt::transparent;
};

// A line record from a to b.
PageItem lineItem(QPointF a, QPointF b, qreal width, const QColor& color = Qt::black);

} // namespace rpt
