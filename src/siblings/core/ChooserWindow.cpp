#include "siblings/core/ChooserWindow.h"

#include "platform/data/SqlText.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace siblings {

ChooserWindow::ChooserWindow(QWidget* owner, ChooserSetup setup, bool choosing)
    : FormBase(owner), m_setup(std::move(setup)), m_dataset(new data::Dataset(this)), m_grid(new ui::DbGrid(this)),
      m_choosing(choosing)
{
    setWindowTitle(m_setup.caption);
    resize(760, 480);
    auto* layout = new QVBoxLayout(this);
    m_header = new QVBoxLayout;
    layout->addLayout(m_header);

    if (!m_setup.searches.isEmpty()) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(QStringLiteral("Szukaj według:"), this));
        m_column = new QComboBox(this);
        for (const auto& s : m_setup.searches)
            m_column->addItem(s.title, s.column);
        row->addWidget(m_column);
        m_search = new QLineEdit(this);
        m_search->setClearButtonEnabled(true);
        row->addWidget(m_search, 1);
        layout->addLayout(row);
        connect(m_search, &QLineEdit::textChanged, this, [this] { requery(); });
        connect(m_column, &QComboBox::currentIndexChanged, this, [this] { requery(); });
        connect(m_search, &QLineEdit::returnPressed, this, [this] {
            if (m_choosing)
                choose();
        });
    }

    m_dataset->setTransaction(&dmMain->transaction());
    m_grid->setDataset(m_dataset);
    m_grid->setColumns(m_setup.columns);
    m_grid->setRowColors(QColor(Qt::white), dmMain->clPobierzParzysty());
    layout->addWidget(m_grid, 1);
    m_extra = new QVBoxLayout;
    layout->addLayout(m_extra);

    m_buttons = new QHBoxLayout;
    m_buttons->addStretch(1);
    const QList<QIcon> images = dmMain->PobierzPrzyciski();
    if (m_choosing) {
        auto* ok = new QPushButton(images.value(4), QStringLiteral("Wybierz"), this);
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, &ChooserWindow::choose);
        m_buttons->addWidget(ok);
        connect(m_grid, &ui::DbGrid::rowActivated, this, [this] { choose(); });
    }
    auto* cancel = new QPushButton(images.value(0), m_choosing ? QStringLiteral("Anuluj") : QStringLiteral("Zamknij"), this);
    connect(cancel, &QPushButton::clicked, this, [this] {
        setModalResult(ui::mrCancel);
        close();
    });
    m_buttons->addWidget(cancel);
    layout->addLayout(m_buttons);

    connect(m_grid, &ui::DbGrid::keyPress, this, &ChooserWindow::onKeyPress);
    connect(m_grid, &ui::DbGrid::keyDown, this, &ChooserWindow::onKeyDown);

    // Nothing is chosen until the user chooses.
    if (m_choosing)
        if (auto* form = qobject_cast<ui::FormBase*>(owner))
            form->setTag(0);
    dmMain->vKolorForm(*this);
    if (m_setup.prepare)
        m_setup.prepare(*m_dataset);
    requery();
}

QString ChooserWindow::statement() const
{
    QStringList conditions;
    if (!m_setup.condition.isEmpty())
        conditions << m_setup.condition;
    if (m_search && !m_search->text().trimmed().isEmpty())
        conditions << m_column->currentData().toString() + QStringLiteral(" CONTAINING ") +
                          data::sqlQuote(m_search->text().trimmed());
    QString sql = m_setup.select;
    if (!conditions.isEmpty())
        sql += QStringLiteral(" where ") + conditions.join(QStringLiteral(" and "));
    if (!m_setup.order.isEmpty())
        sql += QStringLiteral(" order by ") + m_setup.order;
    return sql;
}

void ChooserWindow::requery()
{
    const bool hadRow = m_dataset->isActive() && !m_dataset->isEmpty();
    const qint64 key = hadRow ? m_dataset->fieldByName(m_setup.keyField).asInteger() : 0;
    try {
        m_dataset->setSql({statement()});
        m_dataset->open();
        if (hadRow)
            m_dataset->locate(m_setup.keyField, key);
    } catch (const std::exception& e) {
        ui::dialogs().message(windowTitle() + QStringLiteral("\n\n") + QString::fromUtf8(e.what()), QString(),
                              ui::Buttons::Ok, ui::Icon::Error);
    }
}

void ChooserWindow::search(const QString& column, const QString& text)
{
    if (!m_search)
        return;
    const int index = m_column->findData(column, Qt::UserRole, Qt::MatchFixedString);
    if (index >= 0)
        m_column->setCurrentIndex(index);
    m_search->setText(text);
}

bool ChooserWindow::locateKey(int key)
{
    return m_dataset->isActive() && key > 0 && m_dataset->locate(m_setup.keyField, key);
}

void ChooserWindow::choose()
{
    if (!m_choosing || !m_dataset->isActive() || m_dataset->isEmpty())
        return;
    if (auto* form = qobject_cast<ui::FormBase*>(owner()))
        form->setTag(static_cast<int>(m_dataset->fieldByName(m_setup.keyField).asInteger()));
    setModalResult(ui::mrOk);
    if (isVisible())
        close();
}

void ChooserWindow::onKeyDown(int& key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        choose();
        key = 0;
    }
}

// Escape leaves the register from the list and from the search box alike.
void ChooserWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape)
        return FormBase::keyPressEvent(event);
    setModalResult(ui::mrCancel);
    close();
}

// Typing in the list goes on in the search box.
void ChooserWindow::onKeyPress(QChar& key)
{
    if (!m_search || !key.isPrint())
        return;
    m_search->setFocus();
    m_search->setText(m_search->text() + key);
    key = QChar();
}

}  // namespace siblings
