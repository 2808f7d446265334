#pragma once

#include "PageStore.h"

#include <QByteArray>
#include <QPageLayout>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

// Writing prepared pages to files of other programs. Text filters read the
// text records of each page line by line, left to right.
namespace rpt {

// Turns text into the bytes of a text file; UTF-8 unless a filter is told otherwise.
using TextEncoder = std::function<QByteArray(const QString&)>;

class ExportFilter {
public:
    virtual ~ExportFilter() = default;
    // For the save dialog's list ("Plik PDF").
    virtual QString description() const = 0;
    // Upper case, without the dot ("PDF").
    virtual QString extension() const = 0;
    // Throws std::runtime_error with a message for the user.
    virtual void write(const PageStore& pages, const QString& fileName) const = 0;
};

class PdfFilter : public ExportFilter {
public:
    QString description() const override { return QStringLiteral("Plik PDF"); }
    QString extension() const override { return QStringLiteral("PDF"); }
    void write(const PageStore& pages, const QString& fileName) const override;
};

class CsvFilter : public ExportFilter {
public:
    explicit CsvFilter(QChar separator = QLatin1Char(';'), TextEncoder encoder = {});
    QString description() const override { return QStringLiteral("Plik CSV"); }
    QString extension() const override { return QStringLiteral("CSV"); }
    void write(const PageStore& pages, const QString& fileName) const override;
    QString text(const PageStore& pages) const;

private:
    QChar m_separator;
    TextEncoder m_encoder;
};

// Each text at the character column of its position; pages end with a form feed.
class TextFilter : public ExportFilter {
public:
    explicit TextFilter(TextEncoder encoder = {});
    QString description() const override { return QStringLiteral("Plik tekstowy"); }
    QString extension() const override { return QStringLiteral("TXT"); }
    void write(const PageStore& pages, const QString& fileName) const override;
    QString text(const PageStore& pages) const;

private:
    TextEncoder m_encoder;
};

class HtmlFilter : public ExportFilter {
public:
    QString description() const override { return QStringLiteral("Plik HTML"); }
    QString extension() const override { return QStringLiteral("HTML"); }
    void write(const PageStore& pages, const QString& fileName) const override;
};

// The metafile: one SVG picture per page; the second and later pages go to
// "<name>_<page>.svg" beside the chosen file.
class SvgFilter : public ExportFilter {
public:
    QString description() const override { return QStringLiteral("Metaplik SVG"); }
    QString extension() const override { return QStringLiteral("SVG"); }
    void write(const PageStore& pages, const QString& fileName) const override;
    static QString pageFileName(const QString& fileName, int page);
};

// The registered filters, in the order the save dialog lists them after the native format.
class FilterLibrary {
public:
    FilterLibrary(); // PDF, CSV, plain text, HTML, metafile
    void add(std::unique_ptr<ExportFilter> filter) { m_filters.push_back(std::move(filter)); }
    void clear() { m_filters.clear(); }

    int count() const { return int(m_filters.size()); }
    const ExportFilter& filter(int index) const { return *m_filters.at(size_t(index)); }
    // By extension, case-insensitive ("HTM" finds HTML); null when none.
    const ExportFilter* byExtension(const QString& extension) const;
    // "Wydruk (*.QRP);;Plik PDF (*.pdf);;..." for a file dialog.
    QString dialogFilter() const;

private:
    std::vector<std::unique_ptr<ExportFilter>> m_filters;
};

inline const QString kNativeExtension = QStringLiteral("QRP");
inline const QString kNativeDescription = QStringLiteral("Wydruk");

// The text lines of a page, top to bottom, each with its texts left to right.
struct TextLine {
    std::vector<const PageItem*> items;
};
std::vector<TextLine> textLines(const Page& page);

// The paper of a page, without margins.
QPageLayout pageLayout(const Page& page);

} // namespace rpt
