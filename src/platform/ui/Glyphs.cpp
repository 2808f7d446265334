#include "Glyphs.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QResource>
#include <QSvgRenderer>

namespace ui {
namespace {

const QString kPackName = QStringLiteral("btnkit.rcc");
const QString kMapRoot = QStringLiteral("/pxglyphs");

QStringList packFolders()
{
    QDir dir(QCoreApplication::applicationDirPath());
    // Next to the program, or installed: <prefix>/bin/pxhost with <prefix>/share/pxfer/btnkit.rcc.
    QStringList folders{dir.absolutePath(), QDir::cleanPath(dir.absoluteFilePath(QStringLiteral("../share/pxfer")))};
#ifdef PXFER_BUILD_ROOT
    // Tests run a few folders below the build root, where the pack is built.
    const QString root = QDir::cleanPath(QStringLiteral(PXFER_BUILD_ROOT));
    if (dir.absolutePath().startsWith(root + QLatin1Char('/'))) {
        while (dir.absolutePath() != root && dir.cdUp())
            folders << dir.absolutePath();
    }
    folders << root;
#endif
    return folders;
}

} // namespace

QString GlyphLibrary::locate()
{
    const QString chosen = qEnvironmentVariable("PXFER_BTNKIT");
    if (!chosen.isEmpty())
        return QFileInfo(chosen).isFile() ? chosen : QString();
    for (const QString& folder : packFolders()) {
        const QString path = QDir(folder).filePath(kPackName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

GlyphLibrary::GlyphLibrary()
{
    const QString path = locate();
    if (!path.isEmpty() && QResource::registerResource(path, kMapRoot))
        m_path = path;
}

GlyphLibrary::~GlyphLibrary()
{
    if (isLoaded())
        QResource::unregisterResource(m_path, kMapRoot);
}

QIcon GlyphLibrary::icon(const char* name) const
{
    if (!isLoaded())
        return {};
    QFile file(QStringLiteral(":%1/btnkit/%2").arg(kMapRoot, QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Rendered now: the resource is gone once the library is released.
    QSvgRenderer renderer(file.readAll());
    if (!renderer.isValid())
        return {};
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

bool loadGlyphs(std::initializer_list<GlyphUse> uses)
{
    const GlyphLibrary library;
    if (!library.isLoaded())
        return false;
    for (const GlyphUse& use : uses) {
        const QIcon icon = library.icon(use.glyph);
        if (icon.isNull())
            continue;
        use.button->setIcon(icon);
        if (use.caption == Caption::Clear)
            use.button->setText(QString());
    }
    return true;
}

} // namespace ui
