#include "Band.h"

namespace rpt {

bool Band::runBeforePrint()
{
    bool print = true;
    if (m_beforePrint)
        m_beforePrint(*this, print);
    return print;
}

void Band::place(std::vector<PageItem>& items, QPointF origin, qreal width, const PrintContext& context) const
{
    for (const auto& element : m_elements)
        if (element->isVisible())
            element->place(items, origin, context);
    const QRectF r(origin, QSizeF(width, m_height));
    if (m_frame.top)
        items.push_back(lineItem(r.topLeft(), r.topRight(), m_frame.width));
    if (m_frame.bottom)
        items.push_back(lineItem(r.bottomLeft(), r.bottomRight(), m_frame.width));
    if (m_frame.left)
        items.push_back(lineItem(r.topLeft(), r.bottomLeft(), m_frame.width));
    if (m_frame.right)
        items.push_back(lineItem(r.topRight(), r.bottomRight(), m_frame.width));
}

} // namespace rpt
