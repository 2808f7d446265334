#include "PageView.h"

#include <QPainter>
#include <QScrollBar>

#include <cmath>

namespace rpt {
namespace {
constexpr int kGap = 10; // pixels around the page
constexpr qreal kMinZoom = 5;
constexpr qreal kMaxZoom = 400;
} // namespace

PageView::PageView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setBackground(Qt::gray);
    setFocusPolicy(Qt::StrongFocus);
    horizontalScrollBar()->setSingleStep(25);
    verticalScrollBar()->setSingleStep(25);
}

PageView::~PageView() = default;

void PageView::setPages(std::unique_ptr<PageStore> pages)
{
    m_pages = std::move(pages);
    m_cache = {};
    m_cachedPage = 0;
    m_page = 0;
    setPageNumber(1);
    applyFit();
    updateScrollBars();
    viewport()->update();
}

void PageView::releasePages()
{
    m_pages.reset();
    m_cache = {};
    m_cachedPage = 0;
    m_page = 0;
    updateScrollBars();
    viewport()->update();
}

void PageView::setPageNumber(int page)
{
    const int clamped = pageCount() == 0 ? 0 : std::clamp(page, 1, pageCount());
    if (clamped == m_page)
        return;
    m_page = clamped;
    // Another page may differ in orientation.
    applyFit();
    updateScrollBars();
    viewport()->update();
    emit pageChanged(m_page);
}

int PageView::zoom() const { return int(std::lround(m_zoom)); }

void PageView::setZoom(int percent)
{
    m_fit = Fit::None;
    m_zoom = std::clamp(qreal(percent), kMinZoom, kMaxZoom);
    updateScrollBars();
    viewport()->update();
}

void PageView::zoomToFit()
{
    m_fit = Fit::Page;
    applyFit();
    updateScrollBars();
    viewport()->update();
}

void PageView::zoomToWidth()
{
    m_fit = Fit::Width;
    applyFit();
    updateScrollBars();
    viewport()->update();
}

void PageView::setBackground(const QColor& color)
{
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Window, color);
    viewport()->setPalette(palette);
    viewport()->setAutoFillBackground(true);
}

QSizeF PageView::pageSize() const
{
    return m_page > 0 ? m_pages->page(m_page - 1).size : QSizeF(595.276, 841.89);
}

qreal PageView::pixelsPerPoint() const { return logicalDpiX() / 72.0; }

void PageView::applyFit()
{
    if (m_fit == Fit::None)
        return;
    const QSizeF natural = pageSize() * pixelsPerPoint();
    const qreal byWidth = (viewport()->width() - 2 * kGap) * 100.0 / natural.width();
    const qreal byHeight = (viewport()->height() - 2 * kGap) * 100.0 / natural.height();
    const qreal zoom = m_fit == Fit::Width ? byWidth : std::min(byWidth, byHeight);
    m_zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
}

void PageView::updateScrollBars()
{
    const QSizeF shown = pageSize() * pixelsPerPoint() * m_zoom / 100.0;
    const QSize total(int(std::ceil(shown.width())) + 2 * kGap, int(std::ceil(shown.height())) + 2 * kGap);
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, total.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, std::max(0, total.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
}

const QImage& PageView::pageImage()
{
    if (m_cachedPage != m_page || m_cachedZoom != m_zoom || m_cache.isNull()) {
        m_cache = renderPage(m_pages->page(m_page - 1), logicalDpiX() * m_zoom / 100.0);
        m_cachedPage = m_page;
        m_cachedZoom = m_zoom;
    }
    return m_cache;
}

void PageView::paintEvent(QPaintEvent*)
{
    if (m_page == 0)
        return;
    const QImage& image = pageImage();
    QPainter painter(viewport());
    // A page narrower than the view stands in its middle.
    const int x = std::max(kGap, (viewport()->width() - image.width()) / 2) - horizontalScrollBar()->value();
    const int y = kGap - verticalScrollBar()->value();
    painter.fillRect(QRect(x + 3, y + 3, image.width(), image.height()), QColor(0, 0, 0, 80));
    painter.drawImage(x, y, image);
}

void PageView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    applyFit();
    updateScrollBars();
}

void PageView::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    QAbstractScrollArea::mousePressEvent(event);
}

} // namespace rpt
