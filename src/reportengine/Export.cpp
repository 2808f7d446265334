#include "Export.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace rpt {
namespace {

// Texts whose tops differ less than this share a line.
constexpr qreal kLineTolerance = 2.0;
// The width of one character of the plain-text grid, in points.
constexpr qreal kColumnWidth = 5.0;
constexpr int kPdfResolution = 1200;

std::runtime_error writeError(const QString& fileName, const QString& why)
{
    return std::runtime_error(QStringLiteral("Nie można zapisać pliku %1: %2").arg(fileName, why).toStdString());
}

void writeFile(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0 || !file.commit())
        throw writeError(fileName, file.errorString());
}

QByteArray encode(const TextEncoder& encoder, const QString& text)
{
    return encoder ? encoder(text) : text.toUtf8();
}

} // namespace

QPageLayout pageLayout(const Page& page)
{
    const bool landscape = page.isLandscape();
    const QSizeF upright = landscape ? page.size.transposed() : page.size;
    return QPageLayout(QPageSize(upright, QPageSize::Point), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF());
}

namespace {

QString csvField(const QString& text, QChar separator)
{
    if (!text.contains(separator) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Line breaks inside a text would break the file's lines.
QString flat(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}

QString pt(qreal v) { return QString::number(v, 'f', 2) + QLatin1String("pt"); }

QString htmlItem(const PageItem& item)
{
    const QRectF r = item.rect;
    switch (item.kind) {
    case ItemKind::Text: {
        const char* align = item.flags & Qt::AlignRight ? "right" : item.flags & Qt::AlignHCenter ? "center" : "left";
        return QStringLiteral("<div style=\"left:%1;top:%2;width:%3;height:%4;font-family:'%5';font-size:%6;"
                              "font-weight:%7;font-style:%8;text-align:%9;color:%10;%11\">%12</div>\n")
            .arg(pt(r.left()), pt(r.top()), pt(r.width()), pt(r.height()), item.font.family.toHtmlEscaped(),
                 pt(item.font.size), item.font.bold ? QStringLiteral("bold") : QStringLiteral("normal"),
                 item.font.italic ? QStringLiteral("italic") : QStringLiteral("normal"), QLatin1String(align),
                 item.pen.name(), item.flags & Qt::TextWordWrap ? QString() : QStringLiteral("white-space:pre;"),
                 item.text.toHtmlEscaped());
    }
    case ItemKind::Line: {
        const QRectF n = r.normalized();
        return QStringLiteral("<div style=\"left:%1;top:%2;width:%3;height:%4;border-%5:%6 solid %7\"></div>\n")
            .arg(pt(n.left()), pt(n.top()), pt(n.width()), pt(n.height()),
                 n.width() >= n.height() ? QStringLiteral("top") : QStringLiteral("left"), pt(item.penWidth),
                 item.pen.name());
    }
    case ItemKind::Rectangle:
    case ItemKind::Ellipse:
        return QStringLiteral("<div style=\"left:%1;top:%2;width:%3;height:%4;border:%5 solid %6;%7%8\"></div>\n")
            .arg(pt(r.left()), pt(r.top()), pt(r.width()), pt(r.height()), pt(item.penWidth), item.pen.name(),
                 item.brush.alpha() ? QStringLiteral("background:%1;").arg(item.brush.name()) : QString(),
                 item.kind == ItemKind::Ellipse ? QStringLiteral("border-radius:50%;") : QString());
    }
    return {};
}

} // namespace

std::vector<TextLine> textLines(const Page& page)
{
    std::vector<const PageItem*> texts;
    for (const PageItem& item : page.items)
        if (item.kind == ItemKind::Text && !item.text.trimmed().isEmpty())
            texts.push_back(&item);
    std::stable_sort(texts.begin(), texts.end(),
                     [](const PageItem* a, const PageItem* b) { return a->rect.top() < b->rect.top(); });
    std::vector<TextLine> lines;
    qreal lineTop = 0;
    for (const PageItem* item : texts) {
        if (lines.empty() || item->rect.top() - lineTop >= kLineTolerance) {
            lines.emplace_back();
            lineTop = item->rect.top();
        }
        lines.back().items.push_back(item);
    }
    for (TextLine& line : lines)
        std::stable_sort(line.items.begin(), line.items.end(),
                         [](const PageItem* a, const PageItem* b) { return a->rect.left() < b->rect.left(); });
    return lines;
}

void PdfFilter::write(const PageStore& pages, const QString& fileName) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw writeError(fileName, file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setCreator(QStringLiteral("Przelewy"));
        if (pages.pageCount() > 0)
            writer.setPageLayout(pageLayout(pages.page(0)));
        QPainter painter;
        if (!painter.begin(&writer))
            throw writeError(fileName, QStringLiteral("błąd zapisu PDF"));
        for (int i = 0; i < pages.pageCount(); ++i) {
            if (i > 0) {
                writer.setPageLayout(pageLayout(pages.page(i)));
                writer.newPage();
            }
            paintPage(painter, pages.page(i), kPdfResolution / 72.0);
        }
        painter.end();
    }
    if (!file.commit())
        throw writeError(fileName, file.errorString());
}

CsvFilter::CsvFilter(QChar separator, TextEncoder encoder) : m_separator(separator), m_encoder(std::move(encoder)) {}

QString CsvFilter::text(const PageStore& pages) const
{
    QString out;
    for (int i = 0; i < pages.pageCount(); ++i)
        for (const TextLine& line : textLines(pages.page(i))) {
            QStringList fields;
            for (const PageItem* item : line.items)
                fields << csvField(item->text, m_separator);
            out += fields.join(m_separator) + QLatin1String("\r\n");
        }
    return out;
}

void CsvFilter::write(const PageStore& pages, const QString& fileName) const
{
    writeFile(fileName, encode(m_encoder, text(pages)));
}

TextFilter::TextFilter(TextEncoder encoder) : m_encoder(std::move(encoder)) {}

QString TextFilter::text(const PageStore& pages) const
{
    QString out;
    for (int i = 0; i < pages.pageCount(); ++i) {
        if (i > 0)
            out += QLatin1Char('\f');
        for (const TextLine& line : textLines(pages.page(i))) {
            QString row;
            for (const PageItem* item : line.items) {
                const QString text = flat(item->text).trimmed();
                const QRectF r = item->rect;
                qsizetype column = std::lround(r.left() / kColumnWidth);
                if (item->flags & Qt::AlignRight)
                    column = std::lround(r.right() / kColumnWidth) - text.size();
                else if (item->flags & Qt::AlignHCenter)
                    column = std::lround(r.center().x() / kColumnWidth) - text.size() / 2;
                // Texts never run into each other, whatever their positions.
                column = std::max(column, row.isEmpty() ? qsizetype(0) : row.size() + 1);
                row = row.leftJustified(column, QLatin1Char(' ')) + text;
            }
            out += row + QLatin1String("\r\n");
        }
    }
    return out;
}

void TextFilter::write(const PageStore& pages, const QString& fileName) const
{
    writeFile(fileName, encode(m_encoder, text(pages)));
}

void HtmlFilter::write(const PageStore& pages, const QString& fileName) const
{
    QString html = QStringLiteral(
        "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n<style>\n"
        "body{background:#808080;margin:0}\n"
        ".page{position:relative;background:#fff;margin:12pt auto;overflow:hidden}\n"
        ".page div{position:absolute;box-sizing:border-box;overflow:visible;line-height:1.15}\n"
        "</style>\n</head>\n<body>\n")
                       .arg(QFileInfo(fileName).completeBaseName().toHtmlEscaped());
    for (int i = 0; i < pages.pageCount(); ++i) {
        const Page& page = pages.page(i);
        html += QStringLiteral("<div class=\"page\" style=\"width:%1;height:%2\">\n")
                    .arg(pt(page.size.width()), pt(page.size.height()));
        for (const PageItem& item : page.items)
            html += htmlItem(item);
        html += QLatin1String("</div>\n");
    }
    html += QLatin1String("</body>\n</html>\n");
    writeFile(fileName, html.toUtf8());
}

QString SvgFilter::pageFileName(const QString& fileName, int page)
{
    if (page <= 1)
        return fileName;
    const QFileInfo info(fileName);
    return info.dir().filePath(QStringLiteral("%1_%2.%3").arg(info.completeBaseName()).arg(page).arg(info.suffix()));
}

void SvgFilter::write(const PageStore& pages, const QString& fileName) const
{
    for (int i = 0; i < pages.pageCount(); ++i) {
        const Page& page = pages.page(i);
        const QString name = pageFileName(fileName, i + 1);
        QSaveFile file(name);
        if (!file.open(QIODevice::WriteOnly))
            throw writeError(name, file.errorString());
        {
            QSvgGenerator svg;
            svg.setOutputDevice(&file);
            svg.setResolution(72);
            svg.setSize(page.size.toSize());
            svg.setViewBox(QRectF(QPointF(0, 0), page.size));
            svg.setTitle(QFileInfo(fileName).completeBaseName());
            QPainter painter;
            if (!painter.begin(&svg))
                throw writeError(name, QStringLiteral("błąd zapisu SVG"));
            painter.fillRect(QRectF(QPointF(0, 0), page.size), Qt::white);
            paintPage(painter, page, 1.0);
        }
        if (!file.commit())
            throw writeError(name, file.errorString());
    }
}

FilterLibrary::FilterLibrary()
{
    add(std::make_unique<PdfFilter>());
    add(std::make_unique<CsvFilter>());
    add(std::make_unique<TextFilter>());
    add(std::make_unique<HtmlFilter>());
    add(std::make_unique<SvgFilter>());
}

const ExportFilter* FilterLibrary::byExtension(const QString& extension) const
{
    QString wanted = extension.toUpper();
    if (wanted == QLatin1String("HTM"))
        wanted = QStringLiteral("HTML");
    for (const auto& filter : m_filters)
        if (filter->extension() == wanted)
            return filter.get();
    return nullptr;
}

QString FilterLibrary::dialogFilter() const
{
    QStringList entries{QStringLiteral("%1 (*.%2)").arg(kNativeDescription, kNativeExtension)};
    for (const auto& filter : m_filters)
        entries << QStringLiteral("%1 (*.%2)").arg(filter->description(), filter->extension().toLower());
    return entries.join(QLatin1String(";;"));
}

} // namespace rpt
