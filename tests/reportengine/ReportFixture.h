#pragma once

#include "reportengine/Export.h"
#include "reportengine/Report.h"
#include "reportengine/RowSource.h"

#include <QStringList>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace rpttest {

// Rows held in memory.
class VectorRows : public rpt::RowSource {
public:
    explicit VectorRows(std::vector<QVariantMap> rows = {}) : m_rows(std::move(rows)) {}
    void first() override { m_at = 0; }
    void next() override { ++m_at; }
    bool eof() const override { return m_at >= m_rows.size(); }
    QVariant value(const QString& field) const override { return eof() ? QVariant() : m_rows[m_at].value(field); }
    int count() const override { return int(m_rows.size()); }

    std::vector<QVariantMap>& rows() { return m_rows; }

private:
    std::vector<QVariantMap> m_rows;
    size_t m_at = 0;
};

// n rows: NR 1..n, NAZWA "Pozycja <nr>", GRUPA the group letter of every `perGroup` rows.
inline std::vector<QVariantMap> numberedRows(int n, int perGroup = 1000000) {
    std::vector<QVariantMap> rows;
    for (int i = 1; i <= n; ++i)
        rows.push_back({{"NR", i},
                        {"NAZWA", QStringLiteral("Pozycja %1").arg(i)},
                        {"GRUPA", QString(QChar('A' + (i - 1) / perGroup))}});
    return rows;
}

// A list with a page header ("Strona:" and the page number), a column header, a
// detail of number and name, a summary and a page footer; detail bands 20 pt high.
inline std::unique_ptr<rpt::Report> listReport(rpt::RowSource& rows) {
    auto report = std::make_unique<rpt::Report>(QStringLiteral("Lista"));
    report->setSource(&rows);
    report->setPrintDate(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
    auto& header = report->band(rpt::BandKind::PageHeader, 30);
    header.addLabel({0, 0, 300, 20}, QStringLiteral("Zażółć gęślą jaźń"), {.size = 12, .bold = true});
    header.addSystemField({400, 0, 120, 20}, rpt::SystemData::PageNumber, QStringLiteral("Strona:"));
    auto& columns = report->band(rpt::BandKind::ColumnHeader, 20);
    columns.addLabel({0, 0, 50, 20}, QStringLiteral("L.p"));
    columns.addLabel({60, 0, 200, 20}, QStringLiteral("Nazwa"));
    auto& detail = report->band(rpt::BandKind::Detail, 20);
    detail.addDataText({0, 0, 50, 20}, QStringLiteral("queX.NR"));
    detail.addDataText({60, 0, 200, 20}, QStringLiteral("NAZWA"));
    report->band(rpt::BandKind::Summary, 20).addLabel({0, 0, 200, 20}, QStringLiteral("Koniec listy"));
    report->band(rpt::BandKind::PageFooter, 20).addLabel({0, 0, 200, 20}, QStringLiteral("Stopka"));
    return report;
}

// The text lines of one page as the CSV filter joins them.
inline QStringList pageLines(const rpt::Page& page) {
    QStringList lines;
    for (const rpt::TextLine& line : rpt::textLines(page)) {
        QStringList texts;
        for (const rpt::PageItem* item : line.items) texts << item->text;
        lines << texts.join(';');
    }
    return lines;
}

inline QStringList allLines(const rpt::PageStore& pages) {
    QStringList lines;
    for (int i = 0; i < pages.pageCount(); ++i) lines << pageLines(pages.page(i));
    return lines;
}

}  // namespace rpttest
