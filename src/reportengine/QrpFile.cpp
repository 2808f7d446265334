#include "QrpFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <cstring>

namespace rpt {
namespace {

const QByteArray kMagic = QByteArrayLiteral("PXPAGES\x1A");
constexpr int kDigestSize = 32;
// Larger files are not page files of ours; reading them whole would only exhaust memory.
constexpr qint64 kMaxFileSize = qint64(1) << 30;

QString damaged() { return QStringLiteral("Plik wydruku jest uszkodzony."); }

class Writer {
public:
    void u8(quint8 v) { m_bytes.append(char(v)); }
    void u32(quint32 v)
    {
        char b[4];
        qToBigEndian(v, b);
        m_bytes.append(b, 4);
    }
    void f64(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, sizeof bits);
        char b[8];
        qToBigEndian(bits, b);
        m_bytes.append(b, 8);
    }
    void text(const QString& s)
    {
        const QByteArray utf8 = s.toUtf8();
        u32(quint32(utf8.size()));
        m_bytes.append(utf8);
    }
    void raw(const QByteArray& bytes) { m_bytes.append(bytes); }
    QByteArray& bytes() { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Every read checks what is left, so a bad length stops here instead of reading past the end.
class Reader {
public:
    Reader(const char* data, qsizetype size) : m_data(data), m_left(size) {}

    quint8 u8() { return quint8(*take(1)); }
    quint32 u32() { return qFromBigEndian<quint32>(take(4)); }
    double f64()
    {
        const quint64 bits = qFromBigEndian<quint64>(take(8));
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    QString text()
    {
        const quint32 size = u32();
        return QString::fromUtf8(take(size), qsizetype(size));
    }
    // A count of records each at least `minSize` bytes long, checked against what is left.
    quint32 count(qsizetype minSize)
    {
        const quint32 n = u32();
        if (qsizetype(n) > m_left / minSize)
            throw FileError(damaged());
        return n;
    }
    bool atEnd() const { return m_left == 0; }

private:
    const char* take(qsizetype n)
    {
        if (n < 0 || n > m_left)
            throw FileError(damaged());
        const char* at = m_data;
        m_data += n;
        m_left -= n;
        return at;
    }

    const char* m_data;
    qsizetype m_left;
};

constexpr qsizetype kMinItemSize = 1 + 4 * 8 + 4 + 4 + 8 + 1 + 4 + 8 + 4 + 4;

void writeItem(Writer& w, const PageItem& item)
{
    w.u8(quint8(item.kind));
    for (const double v : {item.rect.x(), item.rect.y(), item.rect.width(), item.rect.height()})
        w.f64(v);
    w.text(item.text);
    w.text(item.font.family);
    w.f64(item.font.size);
    w.u8(quint8((item.font.bold ? 1 : 0) | (item.font.italic ? 2 : 0) | (item.font.underline ? 4 : 0)));
    w.u32(quint32(item.flags));
    w.f64(item.penWidth);
    w.u32(item.pen.rgba());
    w.u32(item.brush.rgba());
}

PageItem readItem(Reader& r)
{
    PageItem item;
    const quint8 kind = r.u8();
    if (kind > quint8(ItemKind::Ellipse))
        throw FileError(damaged());
    item.kind = ItemKind(kind);
    const double x = r.f64(), y = r.f64(), w = r.f64(), h = r.f64();
    item.rect = QRectF(x, y, w, h);
    item.text = r.text();
    item.font.family = r.text();
    item.font.size = r.f64();
    const quint8 style = r.u8();
    item.font.bold = style & 1;
    item.font.italic = style & 2;
    item.font.underline = style & 4;
    item.flags = int(r.u32());
    item.penWidth = r.f64();
    item.pen = QColor::fromRgba(r.u32());
    item.brush = QColor::fromRgba(r.u32());
    return item;
}

} // namespace

QByteArray encodePages(const PageStore& pages)
{
    Writer w;
    w.raw(kMagic);
    w.u32(kQrpVersion);
    w.u32(quint32(pages.pageCount()));
    for (int i = 0; i < pages.pageCount(); ++i) {
        const Page& page = pages.page(i);
        w.f64(page.size.width());
        w.f64(page.size.height());
        w.u32(quint32(page.items.size()));
        for (const PageItem& item : page.items)
            writeItem(w, item);
    }
    w.raw(QCryptographicHash::hash(w.bytes(), QCryptographicHash::Sha256));
    return w.bytes();
}

std::unique_ptr<PageStore> decodePages(const QByteArray& bytes)
{
    if (!bytes.startsWith(kMagic))
        throw FileError(QStringLiteral("Plik nie jest zapisanym wydrukiem."));
    Reader header(bytes.constData() + kMagic.size(), bytes.size() - kMagic.size());
    const quint32 version = header.u32();
    if (version != kQrpVersion)
        throw FileError(QStringLiteral("Wydruk zapisano w nieznanej wersji formatu (%1).").arg(version));
    const qsizetype bodySize = bytes.size() - kDigestSize;
    if (bodySize < kMagic.size() + 8
        || QCryptographicHash::hash(QByteArrayView(bytes).first(bodySize), QCryptographicHash::Sha256)
               != QByteArrayView(bytes).sliced(bodySize))
        throw FileError(damaged());

    Reader r(bytes.constData() + kMagic.size() + 4, bodySize - kMagic.size() - 4);
    auto pages = std::make_unique<PageStore>();
    const quint32 pageCount = r.count(2 * 8 + 4);
    for (quint32 p = 0; p < pageCount; ++p) {
        const double width = r.f64(), height = r.f64();
        if (!(width > 0 && height > 0 && width < 1e5 && height < 1e5))
            throw FileError(damaged());
        Page& page = pages->addPage(QSizeF(width, height));
        const quint32 itemCount = r.count(kMinItemSize);
        page.items.reserve(itemCount);
        for (quint32 i = 0; i < itemCount; ++i)
            page.items.push_back(readItem(r));
    }
    if (!r.atEnd())
        throw FileError(damaged());
    return pages;
}

void savePages(const PageStore& pages, const QString& fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(encodePages(pages)) < 0 || !file.commit())
        throw FileError(QStringLiteral("Nie można zapisać pliku %1: %2").arg(fileName, file.errorString()));
}

std::unique_ptr<PageStore> loadPages(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("Nie można otworzyć pliku %1: %2").arg(fileName, file.errorString()));
    if (file.size() > kMaxFileSize)
        throw FileError(QStringLiteral("Plik nie jest zapisanym wydrukiem."));
    return decodePages(file.readAll());
}

} // namespace rpt
