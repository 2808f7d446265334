#pragma once
// The sibling modules' register windows: a list over one query of the shared
// transaction, narrowed by a text typed into a search box, from which the
// user may choose a row. The chosen key goes to the owner's tag (0 while
// nothing is chosen), and closing runs the owner's activation hook.

#include "platform/data/Dataset.h"
#include "platform/grid/DbGrid.h"
#include "platform/ui/FormBase.h"

#include <functional>

class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace siblings {

struct ChooserSetup {
    struct Search {
        QString title;    // shown in the column box
        QString column;   // column expression the text is looked for in
    };
    QString caption;
    QString select;       // "select ... from ..."
    QString condition;    // fixed condition without "where"; may be empty
    QString order;        // "order by" expression
    QList<ui::DbGrid::Column> columns;
    QList<Search> searches;   // none: no search box
    QString keyField = QStringLiteral("ID");
    // Runs once before the first open (display handlers of declared fields).
    std::function<void(data::Dataset&)> prepare;
};

class ChooserWindow : public ui::FormBase {
    Q_OBJECT
public:
    // `choosing` false makes a browse-only register with a close button.
    ChooserWindow(QWidget* owner, ChooserSetup setup, bool choosing);

    data::Dataset& dataset() { return *m_dataset; }
    ui::DbGrid& grid() { return *m_grid; }
    QLineEdit& searchEdit() { return *m_search; }
    // Room for a window's own widgets above and under the list, and its own buttons.
    QVBoxLayout& headerArea() { return *m_header; }
    QVBoxLayout& extraArea() { return *m_extra; }
    QHBoxLayout& buttonRow() { return *m_buttons; }

    // Narrows the list to rows whose column (one of the setup's searches)
    // contains the text; an unknown column keeps the current one.
    void search(const QString& column, const QString& text);
    // Makes the row with that key current; false when it is not listed.
    bool locateKey(int key);
    // The statement the list is read with now.
    QString statement() const;
    // Puts the current row's key into the owner's tag and closes with OK.
    void choose();
    // Reads the list again, keeping the current row when it is still there.
    void requery();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onKeyPress(QChar& key);
    void onKeyDown(int& key, Qt::KeyboardModifiers modifiers);

    ChooserSetup m_setup;
    data::Dataset* m_dataset;
    ui::DbGrid* m_grid;
    QComboBox* m_column = nullptr;
    QLineEdit* m_search = nullptr;
    QVBoxLayout* m_header;
    QVBoxLayout* m_extra;
    QHBoxLayout* m_buttons;
    bool m_choosing;
};

}  // namespace siblings
