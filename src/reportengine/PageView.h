#pragma once

#include "PageStore.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <memory>

namespace rpt {

// Shows one page of a store of prepared pages at a zoom, with scroll bars.
// Zoom 100 % draws a page at its printed size on the screen's resolution.
class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class Fit { None, Page, Width };

    explicit PageView(QWidget* parent = nullptr);
    ~PageView() override;

    // Takes the pages and shows the first.
    void setPages(std::unique_ptr<PageStore> pages);
    void releasePages();
    const PageStore* pages() const { return m_pages.get(); }
    int pageCount() const { return m_pages ? m_pages->pageCount() : 0; }

    // 1-based; 0 without pages.
    int pageNumber() const { return m_page; }
    // Clamped to the pages there are.
    void setPageNumber(int page);

    int zoom() const;
    void setZoom(int percent);
    void zoomToFit();
    void zoomToWidth();
    Fit fit() const { return m_fit; }

    void setBackground(const QColor& color);

signals:
    void pageChanged(int page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QSizeF pageSize() const;
    qreal pixelsPerPoint() const;
    void applyFit();
    void updateScrollBars();
    const QImage& pageImage();

    std::unique_ptr<PageStore> m_pages;
    int m_page = 0;
    qreal m_zoom = 100;
    Fit m_fit = Fit::None;
    QImage m_cache;
    int m_cachedPage = 0;
    qreal m_cachedZoom = 0;
};

} // namespace rpt
