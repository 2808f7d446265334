// Report to PDF benchmark, driven by report-pdf.sh:
//   report_pdf engine <out.pdf>   prepare a 10,000-row list and export it to PDF
//   report_pdf floor <out.pdf>    draw the same texts at the same places with a bare QPdfWriter loop
//   report_pdf memory             bytes held by the prepared pages against one rendered image per page
// Each mode prints its milliseconds (or bytes) on one line.

#include "reportengine/Export.h"
#include "reportengine/Report.h"
#include "reportengine/RowSource.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kRows = 10000;
constexpr int kResolution = 1200;

class Rows : public rpt::RowSource {
public:
    void first() override { m_at = 0; }
    void next() override { ++m_at; }
    bool eof() const override { return m_at >= kRows; }
    int count() const override { return kRows; }
    QVariant value(const QString& field) const override
    {
        if (field == QLatin1String("NR"))
            return m_at + 1;
        if (field == QLatin1String("NAZWA"))
            return QStringLiteral("Kontrahent numer %1 sp. z o.o.").arg(m_at + 1);
        return QStringLiteral("%1 234,%2").arg(m_at % 97).arg(m_at % 89, 2, 10, QLatin1Char('0'));
    }

private:
    int m_at = 0;
};

std::unique_ptr<rpt::Report> listReport(Rows& rows)
{
    auto report = std::make_unique<rpt::Report>();
    report->setSource(&rows);
    auto& header = report->band(rpt::BandKind::PageHeader, 30);
    header.addLabel({0, 0, 300, 20}, QStringLiteral("Przelewy do opłacenia"), {.size = 12, .bold = true});
    header.addSystemField({400, 0, 120, 20}, rpt::SystemData::PageNumber, QStringLiteral("Strona:"));
    auto& detail = report->band(rpt::BandKind::Detail, 15);
    detail.addDataText({0, 0, 40, 15}, QStringLiteral("NR"));
    detail.addDataText({45, 0, 300, 15}, QStringLiteral("NAZWA"));
    detail.addDataText({400, 0, 120, 15}, QStringLiteral("KWOTA"), {}, Qt::AlignRight | Qt::AlignVCenter);
    report->band(rpt::BandKind::PageFooter, 15).addLabel({0, 0, 300, 15}, QStringLiteral("Stopka wydruku"));
    return report;
}

int engine(const char* out)
{
    Rows rows;
    QElapsedTimer timer;
    timer.start();
    const auto pages = listReport(rows)->prepare();
    rpt::PdfFilter().write(*pages, QString::fromLocal8Bit(out));
    std::printf("%lld\n", timer.elapsed());
    std::fprintf(stderr, "pages: %d\n", pages->pageCount());
    return 0;
}

// The texts the engine draws, collected before the clock starts.
struct Draw {
    int page;
    QRectF rect;
    QString text;
    rpt::FontStyle font;
    int flags;
};

int floor(const char* out)
{
    Rows rows;
    const auto pages = listReport(rows)->prepare();
    std::vector<Draw> draws;
    for (int p = 0; p < pages->pageCount(); ++p)
        for (const rpt::PageItem& item : pages->page(p).items)
            draws.push_back({p, item.rect, item.text, item.font, item.flags});

    QElapsedTimer timer;
    timer.start();
    QPdfWriter writer(QString::fromLocal8Bit(out));
    writer.setResolution(kResolution);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF());
    QPainter painter(&writer);
    painter.scale(kResolution / 72.0, kResolution / 72.0);
    int page = 0;
    for (const Draw& d : draws) {
        if (d.page != page) {
            writer.newPage();
            page = d.page;
        }
        QFont font(d.font.family);
        font.setPointSizeF(d.font.size * 72.0 / kResolution);
        font.setBold(d.font.bold);
        painter.setFont(font);
        painter.drawText(d.rect, d.flags, d.text);
    }
    painter.end();
    std::printf("%lld\n", timer.elapsed());
    return 0;
}

int memory()
{
    Rows rows;
    const auto pages = listReport(rows)->prepare();
    qint64 bytes = 0;
    for (int p = 0; p < pages->pageCount(); ++p)
        for (const rpt::PageItem& item : pages->page(p).items)
            bytes += qint64(sizeof item) + 2 * (item.text.capacity() + 1);
    // One A4 page as a 96 dpi screen image, 32 bits a pixel.
    const qint64 image = qint64(794) * 1123 * 4;
    std::printf("%d %lld %lld\n", pages->pageCount(), bytes, image * pages->pageCount());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const char* mode = argc > 1 ? argv[1] : "";
    if (std::strcmp(mode, "engine") == 0 && argc > 2)
        return engine(argv[2]);
    if (std::strcmp(mode, "floor") == 0 && argc > 2)
        return floor(argv[2]);
    if (std::strcmp(mode, "memory") == 0)
        return memory();
    std::fprintf(stderr, "usage: report_pdf engine|floor <out.pdf> | memory\n");
    return 2;
}
