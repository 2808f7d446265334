#pragma once
// The bar of open windows under the menu: the core module adds and removes
// the module windows, a click brings the window forward.

#include <QTabBar>

namespace host {

class WindowTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit WindowTabBar(QWidget* parent = nullptr);

    void addWindow(QWidget* form);
    void removeWindow(QWidget* form);
    QWidget* windowAt(int index) const;
    int indexOfWindow(const QWidget* form) const;

private:
    void activate(int index);

    QList<QWidget*> m_windows;   // each removed when its window is destroyed
};

}  // namespace host
