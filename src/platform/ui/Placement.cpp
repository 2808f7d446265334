#include "Placement.h"

#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ui {
namespace {

QWidget* frameOf(QWidget* widget)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(widget->parentWidget()))
        return sub;
    return widget->window();
}

// The rectangle of that size centred on the target, shifted to lie inside the bounds where it fits.
QPoint centredTopLeft(const QSize& size, const QRect& target, const QRect& bounds)
{
    QRect r(QPoint(), size);
    r.moveCenter(target.center());
    r.moveLeft(std::max(bounds.left(), std::min(r.left(), bounds.right() + 1 - r.width())));
    r.moveTop(std::max(bounds.top(), std::min(r.top(), bounds.bottom() + 1 - r.height())));
    return r.topLeft();
}

} // namespace

void centreOnOwner(QWidget& window, QWidget* owner)
{
    if (!owner)
        return;
    QWidget* ownerFrame = frameOf(owner);
    const QRect ownerOnScreen(ownerFrame->mapToGlobal(QPoint()), ownerFrame->size());
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window.parentWidget())) {
        QWidget* area = sub->parentWidget();
        if (!area)
            return;
        const QRect target(area->mapFromGlobal(ownerOnScreen.topLeft()), ownerOnScreen.size());
        sub->move(centredTopLeft(sub->size(), target, area->rect()));
        return;
    }
    const QSize size = window.testAttribute(Qt::WA_Resized) ? window.size() : window.sizeHint();
    const QScreen* screen = ownerFrame->screen();
    const QRect bounds = screen ? screen->availableGeometry() : ownerOnScreen;
    window.move(centredTopLeft(size, ownerOnScreen, bounds));
}

} // namespace ui
