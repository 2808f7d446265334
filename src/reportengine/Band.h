#pragma once

#include "Elements.h"

#include <functional>
#include <memory>
#include <vector>

namespace rpt {

enum class BandKind { Title, PageHeader, ColumnHeader, GroupHeader, Detail, GroupFooter, Summary, PageFooter };

// Lines drawn along the band's edges across the printable width.
struct Frame {
    bool top = false;
    bool bottom = false;
    bool left = false;
    bool right = false;
    qreal width = 0.5;
};

// A horizontal strip of a page. Its hook runs each time just before the band is
// placed: it may change the band's elements and height, or refuse the band.
class Band {
public:
    using Hook = std::function<void(Band& band, bool& print)>;

    Band(BandKind kind, qreal height) : m_kind(kind), m_height(height) {}
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;

    BandKind kind() const { return m_kind; }
    qreal height() const { return m_height; }
    void setHeight(qreal height) { m_height = height; }
    Frame& frame() { return m_frame; }
    const Frame& frame() const { return m_frame; }
    // The band starts a new page unless it would be the first band under the page's headers.
    bool forceNewPage() const { return m_forceNewPage; }
    void setForceNewPage(bool force) { m_forceNewPage = force; }

    void setBeforePrint(Hook hook) { m_beforePrint = std::move(hook); }
    // False when the hook refused the band.
    bool runBeforePrint();

    template <class T, class... Args>
    T& add(Args&&... args)
    {
        auto element = std::make_unique<T>(std::forward<Args>(args)...);
        T& added = *element;
        m_elements.push_back(std::move(element));
        return added;
    }
    Label& addLabel(const QRectF& geometry, const QString& text, const FontStyle& font = {},
                    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
    {
        return add<Label>(geometry, text, font, alignment);
    }
    DataText& addDataText(const QRectF& geometry, const QString& field, const FontStyle& font = {},
                          Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
    {
        return add<DataText>(geometry, field, font, alignment);
    }
    SystemField& addSystemField(const QRectF& geometry, SystemData data, const QString& prefix = {},
                                const FontStyle& font = {}, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
    {
        return add<SystemField>(geometry, data, prefix, font, alignment);
    }
    Shape& addShape(const QRectF& geometry, ShapeKind kind, qreal penWidth = 0.5)
    {
        return add<Shape>(geometry, kind, penWidth);
    }

    const std::vector<std::unique_ptr<Element>>& elements() const { return m_elements; }

    // Appends the band's drawing records with its top-left corner at `origin`, `width` wide.
    void place(std::vector<PageItem>& items, QPointF origin, qreal width, const PrintContext& context) const;

private:
    BandKind m_kind;
    qreal m_height;
    Frame m_frame;
    bool m_forceNewPage = false;
    Hook m_beforePrint;
    std::vector<std::unique_ptr<Element>> m_elements;
};

} // namespace rpt
