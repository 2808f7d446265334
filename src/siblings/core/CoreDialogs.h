#pragma once
// The core module's two small grid dialogs: the search text and the column list.

#include "platform/grid/DbGrid.h"
#include "platform/ui/FormBase.h"

class QLineEdit;
class QListWidget;

namespace siblings {

// Asks for a text to look for; modalResult() is mrOk when the user confirmed.
class FindDialog : public ui::FormBase {
    Q_OBJECT
public:
    FindDialog(QWidget* owner, const QString& columnTitle);
    QString text() const;
    QLineEdit& edit() { return *m_edit; }

private:
    QLineEdit* m_edit;
};

// Lists the grid's columns with check boxes; OK shows the checked ones and
// hides the others (one at least stays visible).
class ColumnListDialog : public ui::FormBase {
    Q_OBJECT
public:
    ColumnListDialog(QWidget* owner, ui::DbGrid& grid);
    QListWidget& list() { return *m_list; }
    void apply();

private:
    ui::DbGrid& m_grid;
    QListWidget* m_list;
};

}  // namespace siblings
