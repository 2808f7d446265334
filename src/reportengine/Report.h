#pragma once

#include "Band.h"
#include "PageStore.h"

#include <QDateTime>
#include <QMarginsF>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace rpt {

class RowSource;

enum class Orientation { Portrait, Landscape };

// A4 in points, with margins.
struct PageSetup {
    Orientation orientation = Orientation::Portrait;
    QMarginsF margins{28.35, 28.35, 28.35, 28.35}; // 10 mm

    QSizeF size() const;
    QRectF printable() const;
};

enum class Duplex { Off, Vertical, Horizontal };

// How the report goes to a printer; first and last page 0 mean every page.
struct PrintSettings {
    QString printerName; // empty: the system's default
    int copies = 1;
    int firstPage = 0;
    int lastPage = 0;
    Duplex duplex = Duplex::Off;
};

// Rows grouped by the value of a field: the header opens each group, the footer
// closes it. The footer runs once the source has moved past the group, so its
// hook reads the ending group's value through endingKey(), not the source.
class Group {
public:
    explicit Group(const QString& expression);

    // The field, without a dataset qualifier ("queX.FIELD" groups on FIELD).
    QString field() const { return m_field; }
    Band& header() { return m_header; }
    Band& footer() { return m_footer; }
    QVariant endingKey() const { return m_endingKey; }

private:
    friend class Preparation;
    QString m_field;
    Band m_header{BandKind::GroupHeader, 0};
    Band m_footer{BandKind::GroupFooter, 0};
    QVariant m_endingKey;
};

// A banded report over a row source: title, page header, column header, groups,
// detail, summary and page footer. Preparation runs the bands over the rows into
// a store of pages; every preparation starts from the report's own start hook, so
// counters kept by hooks begin afresh each time.
class Report {
public:
    explicit Report(const QString& title = {});
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    QString title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

    // Not owned; null runs the report without rows.
    void setSource(RowSource* source) { m_source = source; }
    RowSource* source() const { return m_source; }

    PageSetup& pageSetup() { return m_page; }
    const PageSetup& pageSetup() const { return m_page; }
    void setOrientation(Orientation orientation) { m_page.orientation = orientation; }

    // The single band of its kind, created on first use (not for group bands).
    Band& band(BandKind kind, qreal height = 0);
    Band* findBand(BandKind kind) const;
    // Groups nest in the order they are added, the first outermost.
    Group& addGroup(const QString& expression);

    // Without rows the report prints its headers and summary only when asked; otherwise it has no pages.
    bool printIfEmpty() const { return m_printIfEmpty; }
    void setPrintIfEmpty(bool print) { m_printIfEmpty = print; }

    // Runs at the start of every preparation.
    void setBeforePrint(std::function<void()> hook) { m_beforePrint = std::move(hook); }
    // Preparation progress, 0 to 100.
    void setProgress(std::function<void(int)> progress) { m_progress = std::move(progress); }
    // The moment printed by date and time fields; the start of each preparation when not set.
    void setPrintDate(const QDateTime& moment) { m_printDate = moment; }

    std::unique_ptr<PageStore> prepare();

    PrintSettings& printSettings() { return m_printSettings; }
    // A preview's zoom mode, kept with the report for the preview that shows it.
    int zoomMode() const { return m_zoomMode; }
    void setZoomMode(int mode) { m_zoomMode = mode; }

private:
    friend class Preparation;
    QString m_title;
    RowSource* m_source = nullptr;
    PageSetup m_page;
    std::map<BandKind, std::unique_ptr<Band>> m_bands;
    std::vector<std::unique_ptr<Group>> m_groups;
    bool m_printIfEmpty = false;
    std::function<void()> m_beforePrint;
    std::function<void(int)> m_progress;
    QDateTime m_printDate;
    PrintSettings m_printSettings;
    int m_zoomMode = 1;
};

} // namespace rpt
