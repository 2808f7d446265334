#pragma once
// The host's main window: the menus that open the module and the sibling
// registers, the bar of open windows and the MDI area they live in.

#include <QMainWindow>

class CPrzelew;
class QMdiArea;

namespace host {

class WindowTabBar;

class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    // The module object must outlive the frame's menus.
    MainFrame(CPrzelew& module, const QString& databaseText);
    ~MainFrame() override;

    QMdiArea& mdiArea() { return *m_area; }
    WindowTabBar& windowBar() { return *m_tabs; }

protected:
    // The module windows close first; one that refuses (unsaved changes the
    // user keeps) keeps the application open.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();

    CPrzelew& m_module;
    QMdiArea* m_area;
    WindowTabBar* m_tabs;
};

}  // namespace host
