#include "Report.h"

#include "RowSource.h"

#include <stdexcept>

namespace rpt {

namespace {
constexpr QSizeF kA4{595.276, 841.890};
}

QSizeF PageSetup::size() const
{
    return orientation == Orientation::Portrait ? kA4 : kA4.transposed();
}

QRectF PageSetup::printable() const
{
    return QRectF(QPointF(0, 0), size()).marginsRemoved(margins);
}

Group::Group(const QString& expression) : m_field(expression.mid(expression.lastIndexOf(QLatin1Char('.')) + 1)) {}

Report::Report(const QString& title) : m_title(title) {}

Band& Report::band(BandKind kind, qreal height)
{
    if (kind == BandKind::GroupHeader || kind == BandKind::GroupFooter)
        throw std::invalid_argument("group bands belong to their group");
    auto& slot = m_bands[kind];
    if (!slot)
        slot = std::make_unique<Band>(kind, height);
    return *slot;
}

Group& Report::addGroup(const QString& expression)
{
    m_groups.push_back(std::make_unique<Group>(expression));
    return *m_groups.back();
}

Band* Report::findBand(BandKind kind) const
{
    const auto found = m_bands.find(kind);
    return found == m_bands.end() ? nullptr : found->second.get();
}

// One run of the bands over the rows, page by page.
class Preparation {
public:
    explicit Preparation(Report& report) : m_report(report), m_store(std::make_unique<PageStore>()) {}

    std::unique_ptr<PageStore> run()
    {
        m_context.printed = m_report.m_printDate.isValid() ? m_report.m_printDate : QDateTime::currentDateTime();
        if (m_report.m_beforePrint)
            m_report.m_beforePrint();
        progress(0);
        RowSource* source = m_report.m_source;
        if (source)
            source->first();
        const bool empty = !source || source->eof();
        if (empty && !m_report.m_printIfEmpty) {
            progress(100);
            return std::move(m_store);
        }
        m_context.row = source;
        startPage();
        if (!empty)
            runRows(*source);
        m_context.row = nullptr;
        print(m_report.findBand(BandKind::Summary));
        finishPage();
        progress(100);
        return std::move(m_store);
    }

private:
    void runRows(RowSource& source)
    {
        auto& groups = m_report.m_groups;
        const int total = source.count();
        std::vector<QVariant> keys;
        for (auto& group : groups)
            keys.push_back(source.value(group->m_field));
        for (auto& group : groups)
            print(&group->header());
        for (int done = 1;; ++done) {
            print(m_report.findBand(BandKind::Detail));
            source.next();
            if (total > 0)
                progress(std::min(99, done * 100 / total));
            if (source.eof())
                break;
            size_t changed = groups.size();
            for (size_t i = 0; i < groups.size() && changed == groups.size(); ++i)
                if (source.value(groups[i]->m_field) != keys[i])
                    changed = i;
            if (changed == groups.size())
                continue;
            closeGroups(keys, changed);
            for (size_t i = changed; i < groups.size(); ++i) {
                keys[i] = source.value(groups[i]->m_field);
                print(&groups[i]->header());
            }
        }
        closeGroups(keys, 0);
    }

    // Footers from the innermost group out to `outermost`, each told the key that ends.
    void closeGroups(const std::vector<QVariant>& keys, size_t outermost)
    {
        auto& groups = m_report.m_groups;
        for (size_t i = groups.size(); i-- > outermost;) {
            groups[i]->m_endingKey = keys[i];
            print(&groups[i]->footer());
        }
    }

    qreal footerTop() const
    {
        const Band* footer = m_report.findBand(BandKind::PageFooter);
        return m_report.m_page.printable().bottom() - (footer ? footer->height() : 0);
    }

    void startPage()
    {
        m_page = &m_store->addPage(m_report.m_page.size());
        ++m_context.pageNumber;
        m_y = m_report.m_page.printable().top();
        print(m_report.findBand(BandKind::PageHeader), false);
        if (m_context.pageNumber == 1)
            print(m_report.findBand(BandKind::Title), false);
        print(m_report.findBand(BandKind::ColumnHeader), false);
        m_bodyTop = m_y;
    }

    void finishPage()
    {
        Band* footer = m_report.findBand(BandKind::PageFooter);
        if (footer && footer->runBeforePrint())
            place(*footer, footerTop());
    }

    // Places the band under the last one, first moving to a new page when it does not fit.
    void print(Band* band, bool mayBreak = true)
    {
        if (!band || !band->runBeforePrint())
            return;
        const bool pageHasBody = m_y > m_bodyTop;
        if (mayBreak && pageHasBody && (band->forceNewPage() || m_y + band->height() > footerTop())) {
            finishPage();
            startPage();
        }
        if (band->kind() == BandKind::Detail)
            ++m_context.detailNumber;
        place(*band, m_y);
        m_y += band->height();
    }

    void place(const Band& band, qreal top)
    {
        const QRectF printable = m_report.m_page.printable();
        band.place(m_page->items, QPointF(printable.left(), top), printable.width(), m_context);
    }

    void progress(int percent)
    {
        if (percent != m_lastProgress && m_report.m_progress)
            m_report.m_progress(percent);
        m_lastProgress = percent;
    }

    Report& m_report;
    std::unique_ptr<PageStore> m_store;
    Page* m_page = nullptr;
    PrintContext m_context;
    qreal m_y = 0;
    qreal m_bodyTop = 0;
    int m_lastProgress = -1;
};

std::unique_ptr<PageStore> Report::prepare()
{
    return Preparation(*this).run();
}

} // namespace rpt
