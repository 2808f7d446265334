#include "siblings/core/CoreDialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace siblings {
namespace {

// OK and Cancel under a dialog; OK runs the action and closes with mrOk.
void addButtons(ui::FormBase& dialog, QVBoxLayout& layout, const std::function<void()>& onOk)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Anuluj"), &dialog);
    row->addWidget(ok);
    row->addWidget(cancel);
    layout.addLayout(row);
    QObject::connect(ok, &QPushButton::clicked, &dialog, [&dialog, onOk] {
        if (onOk)
            onOk();
        dialog.setModalResult(ui::mrOk);
        dialog.close();
    });
    QObject::connect(cancel, &QPushButton::clicked, &dialog, [&dialog] {
        dialog.setModalResult(ui::mrCancel);
        dialog.close();
    });
}

}  // namespace

FindDialog::FindDialog(QWidget* owner, const QString& columnTitle) : FormBase(owner), m_edit(new QLineEdit(this))
{
    // Only a question: the owner has nothing to do when it closes.
    setReenablesOwner(false);
    setWindowTitle(QStringLiteral("Znajdź"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Szukany tekst w kolumnie „%1”:").arg(columnTitle), this));
    layout->addWidget(m_edit);
    addButtons(*this, *layout, {});
    connect(m_edit, &QLineEdit::returnPressed, this, [this] {
        setModalResult(ui::mrOk);
        close();
    });
}

QString FindDialog::text() const { return m_edit->text(); }

ColumnListDialog::ColumnListDialog(QWidget* owner, ui::DbGrid& grid)
    : FormBase(owner), m_grid(grid), m_list(new QListWidget(this))
{
    setReenablesOwner(false);
    setWindowTitle(QStringLiteral("Lista kolumn"));
    auto* layout = new QVBoxLayout(this);
    for (const ui::DbGrid::Column& c : grid.layout()) {
        const QString title = grid.columnTitle(grid.columnIndex(c.field));
        auto* item = new QListWidgetItem(title.trimmed().isEmpty() ? c.field : title, m_list);
        item->setData(Qt::UserRole, c.field);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(c.visible ? Qt::Checked : Qt::Unchecked);
    }
    layout->addWidget(m_list);
    addButtons(*this, *layout, [this] { apply(); });
}

void ColumnListDialog::apply()
{
    bool anyVisible = false;
    for (int i = 0; i < m_list->count(); ++i)
        anyVisible = anyVisible || m_list->item(i)->checkState() == Qt::Checked;
    if (!anyVisible)
        return;
    // Showing first, so that the grid never passes through having no column.
    for (const Qt::CheckState state : {Qt::Checked, Qt::Unchecked})
        for (int i = 0; i < m_list->count(); ++i)
            if (m_list->item(i)->checkState() == state)
                m_grid.setColumnVisible(m_list->item(i)->data(Qt::UserRole).toString(), state == Qt::Checked);
}

}  // namespace siblings
