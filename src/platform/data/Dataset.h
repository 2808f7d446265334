#pragma once
// A query over the shared transaction as the module's windows use it: SQL
// text kept as lines (so a window can replace its filter or order line),
// all rows fetched on open and held compactly, a current row, fields, and
// editing through parameterised insert/update/delete statements.

#include "platform/data/Field.h"
#include "platform/data/RowStore.h"
#include "platform/fb/Fb.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace data {

class Dataset : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    Q_ENUM(State)
    using Handler = std::function<void(Dataset&)>;

    // Event handlers of the owning data module or window. They run whether
    // or not views are detached (disableControls), before the signals.
    struct Handlers {
        Handler afterOpen, beforeClose, afterScroll, newRecord, beforePost, afterPost, afterDelete;
        // Sets the calculated fields of the row being calculated (the current
        // one or one a view is drawing): it reads fields and sets calculated
        // ones, and must not move or edit the dataset.
        Handler calcFields;
    };

    explicit Dataset(QObject* parent = nullptr);
    ~Dataset() override;

    // --- statement text; any change closes the dataset
    const QStringList& sql() const { return m_sql; }
    void setSql(const QStringList& lines);
    void setSqlLine(int index, const QString& line);   // throws std::out_of_range
    void setInsertSql(const QString& sql) { m_insertSql = sql; }
    void setModifySql(const QString& sql) { m_modifySql = sql; }
    void setDeleteSql(const QString& sql) { m_deleteSql = sql; }
    void setRefreshSql(const QString& sql) { m_refreshSql = sql; }
    // What the user is told when a row to update or delete is no longer as read.
    void setRowChangedText(const QString& text) { m_rowChangedText = text; }
    const QString& refreshSql() const { return m_refreshSql; }

    // The database and transaction every statement runs in (not owned).
    void setTransaction(fb::Transaction* transaction);
    fb::Transaction* transaction() const { return m_tr; }

    Handlers& handlers() { return m_handlers; }

    // --- open and close
    void open();    // fetches every row; the first becomes current
    void close();   // cancels a pending edit
    bool isActive() const { return m_state != State::Inactive; }
    bool isEmpty() const { return recordCount() == 0; }
    State state() const { return m_state; }
    std::size_t rowBytes() const { return m_rows.bytesAllocated(); }   // memory held by the fetched rows
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }

    // --- moving; a pending edit is posted first
    void first();
    void last();
    void next();    // at the last row sets eof and stays
    void prior();   // at the first row sets bof and stays
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    int recordCount() const { return m_rows.rowCount(); }
    int recNo() const { return m_current; }   // 0-based; -1 when empty
    void setRecNo(int row);                   // clamped to the rows there are
    // Moves to the first row whose field equals the value exactly; false (and
    // no move) when there is none.
    bool locate(const QString& fieldName, const QVariant& value);
    // The row holding the value, without moving; -1 when there is none.
    int findRow(const Field& field, const fb::Value& value) const;

    // --- fields
    const std::vector<std::unique_ptr<Field>>& fields() const { return m_fields; }
    Field* findField(const QString& name) const;     // case-insensitive; null when absent
    Field& fieldByName(const QString& name) const;   // throws std::invalid_argument when absent
    // The column by its (ASCII) name, as handlers read rows: ds["WARTOSC"].asDouble().
    Field& operator[](const char* name) const { return fieldByName(QLatin1String(name)); }
    // A column field made before the open that binds it, so its display
    // format, mask and handlers can be set early. Opening a select without
    // that column fails.
    Field& declareField(const QString& name);
    // `size`: characters of a string, digits after the point of a decimal.
    Field& addCalculatedField(const QString& name, FieldType type, int size = 0);
    Field& addLookupField(const QString& name, FieldType type, int size, const QString& keyField, Dataset* source,
                          const QString& sourceKey, const QString& sourceResult);

    // --- editing
    void edit();      // on an empty dataset appends
    void insert();    // a new row before the current one
    void append();    // a new row at the end
    // Writes through the insert or update statement and keeps the row buffer
    // current (re-read through the refresh statement when there is one).
    // On failure the state and the edited values stay and fb::Error is rethrown;
    // an update that changes no row throws data::RowChanged (RowChanged.h).
    void post();
    void cancel();
    void remove();    // deletes the current row through the delete statement; RowChanged alike

    // --- views
    // While disabled, views get no notifications; enableControls resyncs them once.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

    // For a walk that changes a few columns of many rows: while it lives the
    // update statement writes only those columns and nothing is re-read.
    class NarrowUpdate {
    public:
        NarrowUpdate(Dataset& dataset, const QString& modifySql);
        ~NarrowUpdate();
        NarrowUpdate(const NarrowUpdate&) = delete;
        NarrowUpdate& operator=(const NarrowUpdate&) = delete;

    private:
        Dataset& m_dataset;
        QString m_modifySql, m_refreshSql;
    };

    // Reads the fields of another row while it lives (for drawing and
    // calculated fields of rows other than the current one).
    class RowScope {
    public:
        RowScope(const Dataset& dataset, int row);
        ~RowScope();
        RowScope(const RowScope&) = delete;
        RowScope& operator=(const RowScope&) = delete;

    private:
        const Dataset& m_dataset;
        int m_saved;
    };

signals:
    void afterOpen();
    void beforeClose();
    void afterClose();
    void stateChanged(data::Dataset::State state);
    void afterPost();
    void afterDelete();
    // View notifications, held back while controls are disabled:
    void afterScroll();                      // the current row moved
    void dataChanged(data::Field* field);    // a value of the row being edited changed
    void aboutToInsertRow(int row);
    void rowInserted(int row);
    void aboutToRemoveRow(int row);
    void rowRemoved(int row);
    void rowChanged(int row);
    void resynced();                         // views must re-read everything

private:
    friend class Field;
    static constexpr int kNoRow = -1;
    static constexpr int kEditRow = -2;   // "the row being edited or inserted"
    static constexpr int kStale = -3;     // no row calculated yet

    fb::Value fieldValue(const Field& field) const;
    void setFieldValue(Field& field, fb::Value value);
    int readRow() const;   // kEditRow, a row index, or kNoRow
    fb::Value storedValue(int row, int column) const;
    void calculate(int row) const;
    fb::Value lookupValue(const Field& field) const;

    void bindFields(const std::vector<fb::Column>& columns);
    Field& addField(std::unique_ptr<Field> field);
    void fetchAll(fb::Cursor& cursor);
    std::string packRow(const std::vector<fb::Value>& values);
    std::vector<fb::Value> rowValues(int row) const;
    struct Prepared;
    // The write and refresh statements are prepared once while the dataset
    // is open: a walk that posts row after row only executes them again.
    Prepared& prepared(const QString& sql);
    // The statement's new values from `current`, its old ones from the stored
    // row `oldRow` (NULL for kNoRow).
    long execute(const QString& sql, const std::vector<fb::Value>& current, int oldRow);
    void executeOnRow(const QString& sql, const std::vector<fb::Value>& current, int row);
    void refreshBuffer();
    void requireActive() const;
    void checkBrowse();
    void moveTo(int row, bool bof, bool eof);
    void startEdit(State state, int insertAt);
    void setState(State state);
    void invalidateCalc() const { m_calcRow = kStale; }
    void notifyViews(const std::function<void()>& emitter);
    void run(const Handler& handler);

    QStringList m_sql;
    QString m_insertSql, m_modifySql, m_deleteSql, m_refreshSql, m_rowChangedText;
    fb::Transaction* m_tr = nullptr;
    std::map<QString, std::unique_ptr<Prepared>> m_prepared;   // by statement text
    Handlers m_handlers;

    std::vector<std::unique_ptr<Field>> m_fields;
    QHash<QString, Field*> m_byName;      // by upper-case name: rows are read by field name in every walk
    std::vector<Field*> m_columnFields;   // by result column
    int m_calcCount = 0;

    RowStore m_rows;
    State m_state = State::Inactive;
    int m_current = kNoRow;
    bool m_bof = true, m_eof = true;

    std::vector<fb::Value> m_edit;       // the row being edited or inserted
    int m_insertAt = 0;

    mutable int m_scopeRow = kNoRow;      // set by RowScope
    mutable std::vector<fb::Value> m_calc;
    mutable int m_calcRow = kStale;
    mutable bool m_calculating = false;

    int m_disabled = 0;
    bool m_missed = false;               // notifications were held back
};

}  // namespace data
