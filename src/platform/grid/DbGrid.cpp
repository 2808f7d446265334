#include "platform/grid/DbGrid.h"

#include "platform/data/DatasetGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>

namespace ui {

// Paints every cell through the grid, so the window's painter sees the row it
// paints as the dataset's row.
class DbGridDelegate : public QStyledItemDelegate {
public:
    explicit DbGridDelegate(DbGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const auto base = [&] {
            QStyleOptionViewItem opt(option);
            initStyleOption(&opt, index);
            const QColor colour = m_grid->rowColor(index.row());
            if (colour.isValid() && !(opt.state & QStyle::State_Selected))
                opt.backgroundBrush = colour;
            m_grid->style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, m_grid);
        };
        data::Dataset* dataset = m_grid->dataset();
        if (!dataset || index.row() >= dataset->recordCount())
            return base();
        data::Dataset::RowScope scope(*dataset, index.row());
        m_grid->paintCell(painter, option, index, base);
    }

private:
    DbGrid* m_grid;
};

// The sort arrow at the right end of a title, and the room a title keeps for it.
constexpr int kArrowWidth = 9;
constexpr int kArrowMargin = 5;
constexpr int kArrowRoom = kArrowWidth + 2 * kArrowMargin;

// Titles with the grid's own sort arrow: the same drawing in every style,
// pointing up for ascending order.
class SortHeader : public QHeaderView {
public:
    explicit SortHeader(DbGrid* grid) : QHeaderView(Qt::Horizontal, grid), m_grid(grid) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logical) const override
    {
        if (m_grid->sortField().isEmpty() || logical != m_grid->columnIndex(m_grid->sortField())) {
            QHeaderView::paintSection(painter, rect, logical);
            return;
        }
        // The title is centred beside the arrow, not under it.
        QStyleOptionHeader option;
        initStyleOptionForIndex(&option, logical);
        option.rect = rect;
        painter->save();
        style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
        option.rect = rect.adjusted(0, 0, -kArrowRoom, 0);
        style()->drawControl(QStyle::CE_HeaderLabel, &option, painter, this);
        painter->restore();
        const int half = kArrowWidth / 2;
        const int left = rect.right() - kArrowMargin - kArrowWidth + 1;
        const int top = rect.center().y() - half / 2;
        const int bottom = top + half;
        QPolygon arrow;
        if (m_grid->sortAscending())
            arrow << QPoint(left, bottom) << QPoint(left + kArrowWidth - 1, bottom) << QPoint(left + half, top);
        else
            arrow << QPoint(left, top) << QPoint(left + kArrowWidth - 1, top) << QPoint(left + half, bottom);
        painter->save();
        // The style leaves the painter clipped to nothing after drawing the title.
        painter->setClipRect(rect);
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(palette().color(QPalette::WindowText));
        painter->setBrush(palette().color(QPalette::WindowText));
        painter->drawPolygon(arrow);
        painter->restore();
    }

private:
    DbGrid* m_grid;
};

namespace {

bool isArrow(int key) { return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down; }

// The characters a typed key hands to the window: printable ones and the
// editing keys Backspace, Enter and Escape; nothing for shortcuts.
QChar typedChar(const QKeyEvent* event)
{
    if (event->text().isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return {};
    const QChar ch = event->text().at(0);
    if (ch == u'\b' || ch == u'\r' || ch == u'\x1b' || (ch.isPrint() && ch != u'\x7f'))
        return ch;
    return {};
}

} // namespace

DbGrid::DbGrid(QWidget* parent) : QTableView(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    setItemDelegate(new DbGridDelegate(this));
    setHorizontalHeader(new SortHeader(this));
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int logical) { emit titleClicked(columnField(logical)); });
}

void DbGrid::setDataset(data::Dataset* dataset)
{
    if (m_model && dataset == m_model->dataset())
        return;
    QList<Column> columns = m_pendingColumns;
    if (m_model) {
        columns = layoutInLogicalOrder();
        delete m_binder;
        QItemSelectionModel* oldSelection = selectionModel();
        setModel(nullptr);
        delete oldSelection;
        delete m_model;
        m_model = nullptr;
        m_binder = nullptr;
    }
    if (!dataset)
        return;
    m_model = new data::DatasetModel(dataset, this);
    m_binder = new data::DatasetGridBinder(this, m_model);
    // A reset re-creates the header's sections; the user's order, widths and
    // hidden columns must survive reopening the query.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        if (!m_replacingColumns)
            m_keptLayout = layout();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        if (!m_keptLayout.isEmpty())
            applyLayout(m_keptLayout);
        m_keptLayout.clear();
        if (!m_fitted && isVisible())
            fitColumnsToContents();
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &DbGrid::keepSelectionOnCurrentRow);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &DbGrid::keepSelectionOnCurrentRow);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (!current.isValid() || (previous.isValid() && current.column() == previous.column()))
                    return;
                m_selected = columnField(current.column());
                emit selectedFieldChanged(m_selected);
            });
    setColumns(columns);
}

data::Dataset* DbGrid::dataset() const { return m_model ? m_model->dataset() : nullptr; }

void DbGrid::showCurrentRow()
{
    data::Dataset* ds = dataset();
    if (!ds || ds->recNo() < 0 || ds->recNo() >= m_model->rowCount())
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : std::max(columnIndex(m_selected), 0);
    const QModelIndex target = m_model->index(ds->recNo(), column);
    if (currentIndex() != target)
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(target);
}

void DbGrid::detachDataset()
{
    if (data::Dataset* ds = dataset()) {
        ++m_detached;
        ds->disableControls();
    }
}

void DbGrid::attachDataset()
{
    data::Dataset* ds = dataset();
    if (!ds || m_detached == 0)
        return;
    --m_detached;
    ds->enableControls();
    showCurrentRow();
}

// ---------------------------------------------------------------- columns

void DbGrid::setColumns(const QList<Column>& columns)
{
    if (!m_model) {
        m_pendingColumns = columns;
        return;
    }
    QList<data::DatasetModel::Column> modelColumns;
    m_widths.clear();
    m_visible.clear();
    for (const Column& c : columns) {
        modelColumns.append({c.field, c.title, c.width});
        m_widths.append(c.width);
        m_visible.append(c.visible);
    }
    m_replacingColumns = true;
    m_model->setColumns(modelColumns);
    m_replacingColumns = false;
    for (int c = 0; c < columns.size(); ++c) {
        if (columns[c].width > 0)
            setColumnWidth(c, columns[c].width);
        setColumnHidden(c, !columns[c].visible);
    }
}

void DbGrid::addColumn(const QString& field, const QString& title, int width)
{
    QList<Column> all = layoutInLogicalOrder();
    all.append({field, title, width, true});
    const QList<Column> visual = layout();
    setColumns(all);
    applyLayout(visual);
}

int DbGrid::columnCount() const { return m_model ? m_model->columnCount() : 0; }

int DbGrid::columnIndex(const QString& field) const { return m_model ? m_model->columnOf(field) : -1; }

QString DbGrid::columnField(int logicalIndex) const
{
    if (!m_model || logicalIndex < 0 || logicalIndex >= m_model->columns().size())
        return {};
    return m_model->columns()[logicalIndex].field;
}

QString DbGrid::columnTitle(int logicalIndex) const
{
    return m_model ? m_model->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
}

void DbGrid::setColumnTitle(const QString& field, const QString& title)
{
    const int c = columnIndex(field);
    if (c < 0)
        return;
    QList<Column> all = layoutInLogicalOrder();
    all[c].title = title;
    const QList<Column> visual = layout();
    setColumns(all);
    applyLayout(visual);
}

bool DbGrid::isColumnVisible(const QString& field) const
{
    const int c = columnIndex(field);
    return c >= 0 && !isColumnHidden(c);
}

void DbGrid::setColumnVisible(const QString& field, bool visible)
{
    const int c = columnIndex(field);
    if (c < 0 || visible == !isColumnHidden(c))
        return;
    if (!visible)
        m_widths[c] = columnWidth(c);
    m_visible[c] = visible;
    setColumnHidden(c, !visible);
    if (visible && m_widths[c] > 0)
        setColumnWidth(c, m_widths[c]);
}

int DbGrid::columnWidthOf(const QString& field) const
{
    const int c = columnIndex(field);
    if (c < 0)
        return 0;
    return isColumnHidden(c) ? m_widths.value(c) : columnWidth(c);
}

void DbGrid::setColumnWidthOf(const QString& field, int width)
{
    const int c = columnIndex(field);
    if (c < 0 || width <= 0)
        return;
    m_widths[c] = width;
    if (!isColumnHidden(c))
        setColumnWidth(c, width);
}

QList<DbGrid::Column> DbGrid::layoutInLogicalOrder() const
{
    QList<Column> all;
    if (!m_model)
        return m_pendingColumns;
    for (int c = 0; c < m_model->columns().size(); ++c) {
        const auto& mc = m_model->columns()[c];
        all.append({mc.field, mc.title, columnWidthOf(mc.field), !isColumnHidden(c)});
    }
    return all;
}

QList<DbGrid::Column> DbGrid::layout() const
{
    const QList<Column> all = layoutInLogicalOrder();
    if (!m_model)
        return all;
    QList<Column> visual;
    for (int v = 0; v < all.size(); ++v)
        visual.append(all[horizontalHeader()->logicalIndex(v)]);
    return visual;
}

void DbGrid::applyLayout(const QList<Column>& layout)
{
    int target = 0;
    for (const Column& c : layout) {
        const int logical = columnIndex(c.field);
        if (logical < 0)
            continue;
        horizontalHeader()->moveSection(horizontalHeader()->visualIndex(logical), target++);
        if (c.width > 0)
            m_widths[logical] = c.width;
        m_visible[logical] = c.visible;
        setColumnHidden(logical, !c.visible);
        if (c.visible && m_widths[logical] > 0)
            setColumnWidth(logical, m_widths[logical]);
    }
}

void DbGrid::fitColumnsToContents()
{
    constexpr int kMostWidth = 360;
    data::Dataset* ds = dataset();
    if (!ds || !ds->isActive())
        return;
    m_fitted = true;
    const QFontMetrics titles(horizontalHeader()->font());
    // Any column may become the sorted one: its title keeps room for the arrow.
    const int margins =
        2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader()) + 4 + kArrowRoom;
    for (int c = 0; c < columnCount(); ++c) {
        if (isColumnHidden(c))
            continue;
        const int title = columnTitle(c).isEmpty() ? 0 : titles.horizontalAdvance(columnTitle(c)) + margins;
        const int wanted = std::min(kMostWidth, std::max(title, sizeHintForColumn(c)));
        if (wanted > columnWidth(c)) {
            m_widths[c] = wanted;
            setColumnWidth(c, wanted);
        }
    }
}

void DbGrid::showEvent(QShowEvent* event)
{
    QTableView::showEvent(event);
    if (!m_fitted)
        fitColumnsToContents();
}

// A grid that grows back to its place when panels around it come back (the
// register's panels after the entry form closes) would otherwise leave the
// current row, which was in sight, below its lower edge.
void DbGrid::resizeEvent(QResizeEvent* event)
{
    const int shrunk = event->oldSize().height() - event->size().height();
    const QRect row = visualRect(currentIndex());
    const bool wasInSight = row.isValid() && row.top() >= 0 && row.bottom() < viewport()->height() + shrunk;
    QTableView::resizeEvent(event);
    if (shrunk > 0 && wasInSight && m_detached == 0)
        scrollTo(currentIndex());
}

// ---------------------------------------------------------------- selected column

QString DbGrid::selectedField() const
{
    if (currentIndex().isValid())
        return columnField(currentIndex().column());
    if (!m_selected.isEmpty() && columnIndex(m_selected) >= 0)
        return m_selected;
    const QStringList visible = visibleFields();
    return visible.isEmpty() ? QString() : visible.first();
}

void DbGrid::setSelectedField(const QString& field)
{
    const int logical = columnIndex(field);
    if (logical < 0 || isColumnHidden(logical))
        return;
    const QString before = selectedField();
    m_selected = columnField(logical);
    const int row = currentIndex().isValid() ? currentIndex().row() : (dataset() ? dataset()->recNo() : -1);
    if (row >= 0 && row < m_model->rowCount()) {
        const QModelIndex target = m_model->index(row, logical);
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(target);
    } else if (before != m_selected) {
        emit selectedFieldChanged(m_selected);
    }
}

QStringList DbGrid::visibleFields() const
{
    QStringList fields;
    for (const Column& c : layout())
        if (c.visible)
            fields.append(c.field);
    return fields;
}

int DbGrid::selectedVisibleIndex() const
{
    const QString field = selectedField();
    const QStringList visible = visibleFields();
    for (int i = 0; i < visible.size(); ++i)
        if (visible[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// ---------------------------------------------------------------- painting

void DbGrid::setRowColors(const QColor& odd, const QColor& even)
{
    m_odd = odd;
    m_even = even;
    viewport()->update();
}

QColor DbGrid::rowColor(int row) const
{
    // Record numbers count from 1: the first row is an odd one.
    return row % 2 == 0 ? m_odd : m_even;
}

QString DbGrid::cellText(int row, int logicalColumn) const
{
    if (!m_model || row < 0 || row >= m_model->rowCount())
        return {};
    return m_model->data(m_model->index(row, logicalColumn)).toString();
}

void DbGrid::setSortMark(const QString& field, bool ascending)
{
    if (field == m_sortField && ascending == m_sortAscending)
        return;
    m_sortField = field;
    m_sortAscending = ascending;
    horizontalHeader()->viewport()->update();
}

void DbGrid::paintCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                       const std::function<void()>& base) const
{
    if (m_defaultDrawing || !m_painter)
        base();
    if (!m_painter)
        return;
    const Cell cell{painter,
                    option.rect,
                    columnField(index.column()),
                    index.row(),
                    index.column(),
                    (option.state & QStyle::State_Selected) != 0,
                    (option.state & QStyle::State_HasFocus) != 0,
                    base};
    painter->save();
    m_painter(cell);
    painter->restore();
}

// ---------------------------------------------------------------- keys and mouse

void DbGrid::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    emit keyDown(key, event->modifiers());
    if (key == 0) {
        event->accept();
        return;
    }
    // Shift with an arrow belongs to the window's column navigation on key up.
    if ((event->modifiers() & Qt::ShiftModifier) && isArrow(key)) {
        event->accept();
        return;
    }
    QChar ch = typedChar(event);
    if (!ch.isNull()) {
        emit keyPress(ch);
        if (ch.isNull() || ch.isPrint()) {
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void DbGrid::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return QTableView::keyReleaseEvent(event);
    int key = event->key();
    emit keyUp(key, event->modifiers());
    if (key == 0) {
        event->accept();
        return;
    }
    QTableView::keyReleaseEvent(event);
}

// The highlighted row is the current row and nothing else: a click makes the
// row under the mouse current and selected in one step. The view's own press
// handling would select by the mouse position after the current row had
// scrolled into view, which for a half-visible row is the row below it.
void DbGrid::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index != currentIndex())
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // Also back on the dataset's row when it refused to move.
    showCurrentRow();
    event->accept();
}

// No selecting by dragging: one row is selected, the current one.
void DbGrid::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

void DbGrid::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

void DbGrid::keepSelectionOnCurrentRow()
{
    const QModelIndex current = currentIndex();
    if (m_reselecting || !current.isValid())
        return;
    bool onlyCurrent = selectionModel()->isRowSelected(current.row(), {});
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        onlyCurrent = onlyCurrent && index.row() == current.row();
    if (onlyCurrent)
        return;
    QScopedValueRollback guard(m_reselecting, true);
    selectionModel()->select(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void DbGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        emit rowActivated(index.row());
}

void DbGrid::keyboardSearch(const QString&) {}

} // namespace ui
