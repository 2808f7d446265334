#include "FormBase.h"

#include "Dialogs.h"
#include "Placement.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace ui {
namespace {

QPointer<QMdiArea>& areaSlot()
{
    static QPointer<QMdiArea> area;
    return area;
}

// What the user sees as the window: the MDI frame around a child, else the widget.
QWidget* frameOf(QWidget* widget)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(widget->parentWidget()))
        return sub;
    return widget;
}

} // namespace

void showError(const QString& where, const char* operation, const std::exception& error)
{
    dialogs().showMessage(QStringLiteral("%1->%2() \n\n").arg(where, QLatin1String(operation)) +
                          QString::fromUtf8(error.what()));
}

bool FormBase::runHandler(const char* operation, const std::function<void()>& handler)
{
    return runHandler(operation, handler, [&](const std::exception& e) { showError(objectName(), operation, e); });
}

bool FormBase::runHandler(const char* operation, const std::function<void()>& handler,
                          const std::function<void(const std::exception&)>& report)
{
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        report(e);
    }
    // Showing the database again may fail as well (the connection is gone):
    // that is reported, never thrown into the event loop.
    try {
        onHandlerFailed(operation);
    } catch (const std::exception& e) {
        showError(objectName(), operation, e);
    }
    return false;
}

void setMdiArea(QMdiArea* area) { areaSlot() = area; }
QMdiArea* mdiArea() { return areaSlot(); }

FormBase::FormBase(QWidget* owner) : QWidget(nullptr, Qt::Window), m_owner(owner)
{
    // The owner is not the Qt parent: disabling a parent would disable the child too.
    setAttribute(Qt::WA_DeleteOnClose);
}

FormBase::~FormBase()
{
    if (m_ownerDisabled && m_reenablesOwner && m_owner)
        frameOf(m_owner)->setEnabled(true);
}

void FormBase::openChild(FormBase* child, bool reenableOwner)
{
    child->m_owner = this;
    child->m_reenablesOwner = reenableOwner;
    child->m_ownerDisabled = true;
    frameOf(this)->setEnabled(false);
    child->showWindow();
}

void FormBase::showWindow()
{
    QMdiArea* area = mdiArea();
    if (area && !isModal()) {
        auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
        const bool opening = !sub;
        if (!sub) {
            sub = area->addSubWindow(this);
            // Null only marks the moment between two windows (a child closing),
            // not that this one stopped being the active window.
            connect(area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* active) {
                if (!active)
                    return;
                if (active->widget() == this)
                    platformActivated();
                else
                    m_active = false;
            });
        }
        show();
        if (sub->isMinimized())
            sub->showNormal();
        else
            sub->show();
        // A child window opens over the window it belongs to, not over the menu.
        if (opening)
            centreOnOwner(*this, m_owner);
        area->setActiveSubWindow(sub);
        return;
    }
    if (!isVisible() && !testAttribute(Qt::WA_Moved))
        centreOnOwner(*this, m_owner);
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void FormBase::setModalResult(int result)
{
    m_modalResult = result;
    if (result != mrNone && isModal() && isVisible())
        close();
}

void FormBase::runActivation()
{
    m_active = true;
    onActivate();
}

void FormBase::platformActivated()
{
    if (!m_active)
        runActivation();
}

bool FormBase::event(QEvent* event)
{
    if (event->type() == QEvent::Show)
        m_closed = false; // a window kept after closing may be shown again
    if (isWindow()) {
        if (event->type() == QEvent::WindowActivate)
            platformActivated();
        else if (event->type() == QEvent::WindowDeactivate)
            m_active = false;
    }
    return QWidget::event(event);
}

void FormBase::closeEvent(QCloseEvent* event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    if (!onCloseQuery()) {
        m_modalResult = mrNone; // a refused modal close keeps the window running
        event->ignore();
        return;
    }
    if (isModal() && m_modalResult == mrNone)
        m_modalResult = mrCancel;
    m_closed = true;
    onClose();
    event->accept();
    if (testAttribute(Qt::WA_DeleteOnClose))
        forgetInstance();
    emit closed();
    releaseOwner();
    // Closing from code must take the MDI frame along; when the frame's own close
    // button started this, the frame is closing already and this does nothing.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
}

void FormBase::releaseOwner()
{
    m_ownerDisabled = false;
    if (!m_reenablesOwner || !m_owner)
        return;
    frameOf(m_owner)->setEnabled(true);
    if (auto* owner = qobject_cast<FormBase*>(m_owner.data()))
        owner->runActivation();
}

} // namespace ui
