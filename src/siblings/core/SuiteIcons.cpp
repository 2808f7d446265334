#include "siblings/core/SuiteIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace siblings::icons {
namespace {

constexpr int kSize = 16;

QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return QIcon(pixmap);
}

QIcon cross(const QColor& colour, int margin)
{
    return drawn([=](QPainter& p) {
        p.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(margin, margin, kSize - margin, kSize - margin);
        p.drawLine(kSize - margin, margin, margin, kSize - margin);
    });
}

QIcon text(const QString& glyph, const QColor& colour, const QColor& disc = {})
{
    return drawn([=](QPainter& p) {
        if (disc.isValid()) {
            p.setPen(Qt::NoPen);
            p.setBrush(disc);
            p.drawEllipse(1, 1, kSize - 2, kSize - 2);
        }
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(12);
        p.setFont(font);
        p.setPen(colour);
        p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, glyph);
    });
}

QIcon funnel(bool crossed)
{
    return drawn([=](QPainter& p) {
        QPainterPath path;
        path.moveTo(2, 3);
        path.lineTo(14, 3);
        path.lineTo(9, 9);
        path.lineTo(9, 14);
        path.lineTo(7, 13);
        path.lineTo(7, 9);
        path.closeSubpath();
        p.setPen(QPen(QColor(40, 70, 120), 1));
        p.setBrush(QColor(120, 160, 220));
        p.drawPath(path);
        if (crossed) {
            p.setPen(QPen(QColor(200, 30, 30), 2));
            p.drawLine(10, 10, 15, 15);
            p.drawLine(15, 10, 10, 15);
        }
    });
}

QIcon arrow(bool up)
{
    return drawn([=](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 70, 120));
        const QPolygon triangle = up ? QPolygon({QPoint(8, 3), QPoint(14, 12), QPoint(2, 12)})
                                     : QPolygon({QPoint(2, 4), QPoint(14, 4), QPoint(8, 13)});
        p.drawPolygon(triangle);
    });
}

}  // namespace

QList<QIcon> buttons()
{
    const QIcon pencil = drawn([](QPainter& p) {
        p.setPen(QPen(QColor(90, 60, 20), 1));
        p.setBrush(QColor(240, 190, 60));
        p.drawPolygon(QPolygon({QPoint(3, 11), QPoint(11, 3), QPoint(13, 5), QPoint(5, 13), QPoint(2, 14)}));
    });
    const QIcon minus = drawn([](QPainter& p) {
        p.setPen(QPen(QColor(190, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(3, 8, 13, 8);
    });
    const QIcon plus = drawn([](QPainter& p) {
        p.setPen(QPen(QColor(30, 140, 40), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(3, 8, 13, 8);
        p.drawLine(8, 3, 8, 13);
    });
    const QIcon tick = drawn([](QPainter& p) {
        p.setPen(QPen(QColor(30, 140, 40), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPolyline(QPolygon({QPoint(3, 8), QPoint(7, 12), QPoint(13, 4)}));
    });
    return {cross(QColor(190, 30, 30), 3), pencil, minus, plus, tick};
}

QList<QIcon> small()
{
    return {text(QStringLiteral("..."), QColor(30, 30, 30)), cross(QColor(120, 120, 120), 4)};
}

QList<QIcon> filters()
{
    return {funnel(false),
            funnel(true),
            arrow(true),
            arrow(false),
            text(QStringLiteral("F"), QColor(40, 70, 120)),
            text(QStringLiteral("?"), Qt::white, QColor(40, 90, 170))};
}

}  // namespace siblings::icons
