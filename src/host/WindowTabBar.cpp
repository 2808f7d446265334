#include "host/WindowTabBar.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace host {

WindowTabBar::WindowTabBar(QWidget* parent) : QTabBar(parent)
{
    setExpanding(false);
    setDocumentMode(true);
    setDrawBase(true);
    connect(this, &QTabBar::tabBarClicked, this, &WindowTabBar::activate);
}

void WindowTabBar::addWindow(QWidget* form)
{
    if (!form || indexOfWindow(form) >= 0)
        return;
    m_windows.append(form);
    addTab(form->windowTitle().trimmed());
    connect(form, &QWidget::windowTitleChanged, this, [this, form](const QString& title) {
        if (const int i = indexOfWindow(form); i >= 0)
            setTabText(i, title.trimmed());
    });
    // A window that goes without telling the bar still leaves it; the
    // pointer is only compared, never followed, once the window is going.
    connect(form, &QObject::destroyed, this, [this, form] {
        if (const int i = indexOfWindow(form); i >= 0) {
            m_windows.removeAt(i);
            removeTab(i);
        }
    });
}

void WindowTabBar::removeWindow(QWidget* form)
{
    const int i = indexOfWindow(form);
    if (i < 0)
        return;
    disconnect(form, nullptr, this, nullptr);
    m_windows.removeAt(i);
    removeTab(i);
}

QWidget* WindowTabBar::windowAt(int index) const { return m_windows.value(index); }

int WindowTabBar::indexOfWindow(const QWidget* form) const
{
    for (int i = 0; i < m_windows.size(); ++i)
        if (m_windows[i] == form)
            return i;
    return -1;
}

void WindowTabBar::activate(int index)
{
    QWidget* form = windowAt(index);
    if (!form)
        return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) {
        if (sub->isMinimized())
            sub->showNormal();
        sub->mdiArea()->setActiveSubWindow(sub);
        return;
    }
    form->show();
    form->raise();
    form->activateWindow();
}

}  // namespace host
