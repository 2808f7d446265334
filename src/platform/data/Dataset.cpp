#include "platform/data/Dataset.h"

#include "platform/data/RowChanged.h"
#include "platform/data/SqlText.h"

#include <algorithm>
#include <stdexcept>

namespace data {

namespace {

FieldType fieldTypeOf(fb::ColumnType type) {
    switch (type) {
    case fb::ColumnType::Integer:
    case fb::ColumnType::Boolean: return FieldType::Integer;
    case fb::ColumnType::Decimal: return FieldType::Decimal;
    case fb::ColumnType::Double: return FieldType::Double;
    case fb::ColumnType::Timestamp:
    case fb::ColumnType::Date:
    case fb::ColumnType::Time: return FieldType::DateTime;
    case fb::ColumnType::Blob: return FieldType::BlobText;
    case fb::ColumnType::Text:
    case fb::ColumnType::Other: break;
    }
    return FieldType::String;
}

Storage storageOf(FieldType type) {
    switch (type) {
    case FieldType::Integer:
    case FieldType::Decimal: return Storage::Int;
    case FieldType::Double: return Storage::Double;
    case FieldType::DateTime: return Storage::Timestamp;
    case FieldType::String:
    case FieldType::BlobText: break;
    }
    return Storage::Text;
}

}  // namespace

struct Dataset::Prepared {
    QList<SqlParam> params;
    std::vector<Field*> fields;   // of each parameter, null when there is none by that name
    fb::Statement statement;
};

Dataset::Dataset(QObject* parent) : QObject(parent) {}
Dataset::~Dataset() = default;

// ---------------------------------------------------------------- statement text

void Dataset::setSql(const QStringList& lines) {
    close();
    m_sql = lines;
}

void Dataset::setSqlLine(int index, const QString& line) {
    if (index < 0 || index >= m_sql.size())
        throw std::out_of_range("SQL line " + std::to_string(index) + " does not exist");
    close();
    m_sql[index] = line;
}

void Dataset::setTransaction(fb::Transaction* transaction) {
    close();
    m_prepared.clear();
    m_tr = transaction;
}

// ---------------------------------------------------------------- fields

Field* Dataset::findField(const QString& name) const {
    // Callers mostly spell names as the select does: try that before upper-casing.
    if (Field* f = m_byName.value(name)) return f;
    return m_byName.value(name.toUpper());
}

Field& Dataset::addField(std::unique_ptr<Field> field) {
    Field& f = *field;
    m_fields.push_back(std::move(field));
    const QString key = f.name().toUpper();
    if (!m_byName.contains(key)) m_byName.insert(key, &f);   // the first of a name wins, as in the select
    return f;
}

Field& Dataset::fieldByName(const QString& name) const {
    if (Field* f = findField(name)) return *f;
    throw std::invalid_argument("Field " + name.toStdString() + " not found in " + objectName().toStdString());
}

Field& Dataset::declareField(const QString& name) {
    Field* f = findField(name);
    if (!f) f = &addField(std::unique_ptr<Field>(new Field(this, name.toUpper(), FieldKind::Data, FieldType::String, 0)));
    f->m_declared = true;
    return *f;
}

Field& Dataset::addCalculatedField(const QString& name, FieldType type, int size) {
    if (findField(name)) throw std::invalid_argument("Field " + name.toStdString() + " already exists");
    Field& f = addField(std::unique_ptr<Field>(new Field(this, name, FieldKind::Calculated, type, size)));
    f.m_index = m_calcCount++;
    invalidateCalc();
    return f;
}

Field& Dataset::addLookupField(const QString& name, FieldType type, int size, const QString& keyField,
                               Dataset* source, const QString& sourceKey, const QString& sourceResult) {
    Field& f = addCalculatedField(name, type, size);
    f.m_kind = FieldKind::Lookup;
    f.m_lookup = {keyField, source, sourceKey, sourceResult};
    // Values found earlier are stale once the source's rows change.
    for (auto signal : {&Dataset::afterOpen, &Dataset::afterClose, &Dataset::afterPost, &Dataset::afterDelete})
        connect(source, signal, this, [this] { invalidateCalc(); });
    return f;
}

void Dataset::bindFields(const std::vector<fb::Column>& columns) {
    // Names as the select gives them; a repeated name gets "_1", "_2"...
    QStringList names;
    for (const fb::Column& c : columns) {
        const QString base = QString::fromStdString(c.name).toUpper();
        QString name = base;
        for (int n = 1; names.contains(name); ++n) name = base + QLatin1Char('_') + QString::number(n);
        names.append(name);
    }
    for (const auto& f : m_fields)
        if (f->m_declared && f->m_kind == FieldKind::Data && !names.contains(f->m_name, Qt::CaseInsensitive))
            throw std::invalid_argument("Field " + f->m_name.toStdString() + " not found in the select of " +
                                        objectName().toStdString());

    std::vector<std::unique_ptr<Field>> fields;
    m_columnFields.clear();
    for (size_t i = 0; i < columns.size(); ++i) {
        auto it = std::find_if(m_fields.begin(), m_fields.end(), [&](const auto& f) {
            return f && f->m_kind == FieldKind::Data && f->m_name.compare(names[int(i)], Qt::CaseInsensitive) == 0;
        });
        std::unique_ptr<Field> f = it != m_fields.end()
            ? std::move(*it)
            : std::unique_ptr<Field>(new Field(this, names[int(i)], FieldKind::Data, FieldType::String, 0));
        const fb::Column& c = columns[i];
        f->m_type = fieldTypeOf(c.type);
        f->m_size = f->isString() ? c.length : 0;
        f->m_scale = c.type == fb::ColumnType::Decimal ? c.scale : 0;
        f->m_required = !c.nullable;
        f->m_index = static_cast<int>(i);
        m_columnFields.push_back(f.get());
        fields.push_back(std::move(f));
    }
    for (auto& f : m_fields)
        if (f && f->m_kind != FieldKind::Data) fields.push_back(std::move(f));
    m_fields.clear();
    m_byName.clear();
    for (auto& f : fields) addField(std::move(f));
}

// ---------------------------------------------------------------- open and close

void Dataset::open() {
    if (isActive()) return;
    if (!m_tr) throw std::logic_error("Dataset " + objectName().toStdString() + " has no transaction");
    fb::Statement statement(*m_tr, m_sql.join(QLatin1Char('\n')).toStdString());
    fb::Cursor cursor = statement.open(*m_tr);
    bindFields(statement.columns());
    fetchAll(cursor);

    m_current = m_rows.rowCount() > 0 ? 0 : kNoRow;
    m_bof = true;
    m_eof = m_rows.rowCount() == 0;
    invalidateCalc();
    setState(State::Browse);
    run(m_handlers.afterOpen);
    emit afterOpen();
    run(m_handlers.afterScroll);
    notifyViews([this] { emit afterScroll(); });
}

void Dataset::fetchAll(fb::Cursor& cursor) {
    std::vector<Storage> layout;
    std::vector<FieldType> types;
    for (Field* f : m_columnFields) {
        layout.push_back(storageOf(f->type()));
        types.push_back(f->type());
    }
    RowStore rows(std::move(layout));
    RowStore::Builder b(rows);
    const int n = static_cast<int>(types.size());
    while (cursor.fetch()) {
        b.begin();
        for (int i = 0; i < n; ++i) {
            if (cursor.isNull(i)) {
                b.setNull();
                continue;
            }
            switch (types[i]) {
            case FieldType::Integer: b.setInt(cursor.asInt(i)); break;
            case FieldType::Decimal: b.setInt(cursor.asDecimal(i).rescaled(m_columnFields[i]->scale()).units); break;
            case FieldType::Double: b.setDouble(cursor.asDouble(i)); break;
            case FieldType::DateTime: b.setTimestamp(cursor.asTimestamp(i)); break;
            case FieldType::BlobText: b.setText(std::get<std::string>(cursor.value(i))); break;
            case FieldType::String: b.setText(cursor.asText(i)); break;
            }
        }
        rows.append(b.row());
    }
    m_rows = std::move(rows);
}

void Dataset::close() {
    if (!isActive()) return;
    if (isEditing()) cancel();
    run(m_handlers.beforeClose);
    emit beforeClose();
    m_prepared.clear();
    m_rows = RowStore();
    m_current = kNoRow;
    m_bof = m_eof = true;
    invalidateCalc();
    setState(State::Inactive);
    emit afterClose();
}

// ---------------------------------------------------------------- moving

void Dataset::requireActive() const {
    if (!isActive()) throw std::logic_error("Dataset " + objectName().toStdString() + " is not open");
}

void Dataset::checkBrowse() {
    requireActive();
    if (isEditing()) post();
}

void Dataset::moveTo(int row, bool bof, bool eof) {
    const bool moved = row != m_current;
    m_current = row;
    m_bof = bof;
    m_eof = eof;
    if (!moved) return;
    run(m_handlers.afterScroll);
    notifyViews([this] { emit afterScroll(); });
}

void Dataset::first() {
    checkBrowse();
    moveTo(isEmpty() ? kNoRow : 0, true, isEmpty());
}

void Dataset::last() {
    checkBrowse();
    moveTo(recordCount() - 1, isEmpty(), true);
}

void Dataset::next() {
    checkBrowse();
    if (m_current + 1 < recordCount()) moveTo(m_current + 1, false, false);
    else m_eof = true;
}

void Dataset::prior() {
    checkBrowse();
    if (m_current > 0) moveTo(m_current - 1, false, false);
    else m_bof = true;
}

void Dataset::setRecNo(int row) {
    checkBrowse();
    if (isEmpty()) return;
    moveTo(std::clamp(row, 0, recordCount() - 1), false, false);
}

int Dataset::findRow(const Field& field, const fb::Value& value) const {
    if (field.kind() == FieldKind::Data) {
        if (field.m_index < 0) return kNoRow;
        for (int r = 0; r < recordCount(); ++r)
            if (sameValue(storedValue(r, field.m_index), value)) return r;
        return kNoRow;
    }
    for (int r = 0; r < recordCount(); ++r) {
        RowScope scope(*this, r);
        if (sameValue(field.value(), value)) return r;
    }
    return kNoRow;
}

bool Dataset::locate(const QString& fieldName, const QVariant& value) {
    checkBrowse();
    const Field& field = fieldByName(fieldName);
    const int row = findRow(field, field.converted(valueOf(value)));
    if (row == kNoRow) return false;
    moveTo(row, false, false);
    return true;
}

// ---------------------------------------------------------------- reading cells

Dataset::RowScope::RowScope(const Dataset& dataset, int row) : m_dataset(dataset), m_saved(dataset.m_scopeRow) {
    if (row < 0 || row >= dataset.recordCount()) throw std::out_of_range("Row " + std::to_string(row) + " out of range");
    dataset.m_scopeRow = row;
}

Dataset::RowScope::~RowScope() { m_dataset.m_scopeRow = m_saved; }

int Dataset::readRow() const {
    if (m_scopeRow != kNoRow)
        return m_state == State::Edit && m_scopeRow == m_current ? kEditRow : m_scopeRow;
    return isEditing() ? kEditRow : m_current;
}

fb::Value Dataset::storedValue(int row, int column) const {
    if (m_rows.isNull(row, column)) return {};
    const Field& f = *m_columnFields[column];
    switch (f.type()) {
    case FieldType::Integer: return m_rows.intAt(row, column);
    case FieldType::Decimal: return fb::Decimal{m_rows.intAt(row, column), f.scale()};
    case FieldType::Double: return m_rows.doubleAt(row, column);
    case FieldType::DateTime: return m_rows.timestampAt(row, column);
    case FieldType::String:
    case FieldType::BlobText: break;
    }
    return std::string(m_rows.textAt(row, column));
}

std::vector<fb::Value> Dataset::rowValues(int row) const {
    std::vector<fb::Value> values;
    values.reserve(m_columnFields.size());
    for (int c = 0; c < m_rows.columnCount(); ++c) values.push_back(storedValue(row, c));
    return values;
}

fb::Value Dataset::fieldValue(const Field& field) const {
    const int row = readRow();
    if (field.kind() != FieldKind::Data) {
        calculate(row);
        return m_calc[field.m_index];
    }
    if (field.m_index < 0 || row == kNoRow) return {};
    return row == kEditRow ? m_edit[field.m_index] : storedValue(row, field.m_index);
}

void Dataset::calculate(int row) const {
    if (m_calculating || m_calcRow == row) return;
    m_calc.assign(m_calcCount, fb::Value{});
    if (row != kNoRow) {
        m_calculating = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{m_calculating};
        for (const auto& f : m_fields)
            if (f->kind() == FieldKind::Lookup) m_calc[f->m_index] = f->converted(lookupValue(*f));
        if (m_handlers.calcFields) m_handlers.calcFields(const_cast<Dataset&>(*this));
    }
    m_calcRow = row;
}

fb::Value Dataset::lookupValue(const Field& field) const {
    const Dataset* source = field.m_lookup.source;
    if (!source || !source->isActive()) return {};
    const fb::Value key = fieldByName(field.m_lookup.keyField).value();
    if (fb::isNull(key)) return {};
    const int row = source->findRow(source->fieldByName(field.m_lookup.sourceKey), key);
    if (row == kNoRow) return {};
    RowScope scope(*source, row);
    return source->fieldByName(field.m_lookup.sourceResult).value();
}

void Dataset::setFieldValue(Field& field, fb::Value value) {
    if (field.kind() != FieldKind::Data) {
        if (!m_calculating)
            throw std::logic_error("Field " + field.name().toStdString() + " can be set only while calculating");
        m_calc[field.m_index] = std::move(value);
        return;
    }
    if (!isEditing() || readRow() != kEditRow)
        throw std::logic_error(objectName().toStdString() + " is not editing the row of " + field.name().toStdString());
    if (field.isReadOnly()) throw std::logic_error("Field " + field.name().toStdString() + " is read-only");
    if (field.m_index < 0) throw std::logic_error("Field " + field.name().toStdString() + " is not bound");
    m_edit[field.m_index] = std::move(value);
    invalidateCalc();
    notifyViews([this, &field] { emit dataChanged(&field); });
}

// ---------------------------------------------------------------- editing

void Dataset::setState(State state) {
    if (m_state == state) return;
    m_state = state;
    emit stateChanged(state);
}

void Dataset::edit() {
    requireActive();
    if (isEditing()) return;
    if (isEmpty()) return append();
    m_edit = rowValues(m_current);
    invalidateCalc();
    setState(State::Edit);
}

void Dataset::insert() {
    checkBrowse();
    startEdit(State::Insert, std::max(m_current, 0));
}

void Dataset::append() {
    checkBrowse();
    startEdit(State::Insert, recordCount());
}

void Dataset::startEdit(State state, int insertAt) {
    m_edit.assign(m_columnFields.size(), fb::Value{});
    m_insertAt = insertAt;
    invalidateCalc();
    setState(state);
    run(m_handlers.newRecord);
}

Dataset::Prepared& Dataset::prepared(const QString& sql) {
    auto it = m_prepared.find(sql);
    if (it == m_prepared.end()) {
        ParsedSql parsed = parseNamedParams(sql);
        // Fields stay put while the dataset is open, and a walk that posts
        // thousands of rows would otherwise look each one up by name again.
        std::vector<Field*> fields;
        std::vector<std::string> names;
        for (const SqlParam& param : parsed.params) {
            fields.push_back(findField(param.field));
            names.push_back(param.field.toStdString());
        }
        fb::Statement statement(*m_tr, parsed.sql.toStdString());
        statement.setParamNames(std::move(names));
        auto made = std::make_unique<Prepared>(Prepared{std::move(parsed.params), std::move(fields), std::move(statement)});
        it = m_prepared.emplace(sql, std::move(made)).first;
    }
    return *it->second;
}

long Dataset::execute(const QString& sql, const std::vector<fb::Value>& current, int oldRow) {
    Prepared& p = prepared(sql);
    std::vector<fb::Value> params;
    params.reserve(p.fields.size());
    for (qsizetype i = 0; i < p.params.size(); ++i) {
        const SqlParam& param = p.params[i];
        const Field* f = p.fields[static_cast<size_t>(i)];
        if (!f || f->kind() != FieldKind::Data || f->m_index < 0)
            throw std::invalid_argument("No field for parameter :" + param.field.toStdString());
        // Only the old values the statement names are read out of the row.
        if (!param.old) params.push_back(current[f->m_index]);
        else params.push_back(oldRow == kNoRow ? fb::Value{} : storedValue(oldRow, f->m_index));
    }
    p.statement.setParams(std::move(params));
    return p.statement.execute(*m_tr);
}

void Dataset::executeOnRow(const QString& sql, const std::vector<fb::Value>& current, int row) {
    // The statements find the row by what was read: none found means another
    // user got there first, more than one a statement that does not name one row.
    const long changed = execute(sql, current, row);
    if (changed == 0) throw RowChanged(objectName().toStdString(), m_rowChangedText.toStdString());
    if (changed != 1)
        throw std::logic_error(objectName().toStdString() + ": a row's statement changed " + std::to_string(changed) +
                               " rows");
}

void Dataset::refreshBuffer() {
    Prepared& p = prepared(m_refreshSql);
    std::vector<fb::Value> params;
    for (size_t i = 0; i < p.fields.size(); ++i)
        params.push_back((p.fields[i] ? *p.fields[i] : fieldByName(p.params[i].field)).value());
    p.statement.setParams(params);
    fb::Cursor cursor = p.statement.open(*m_tr);
    if (!cursor.fetch()) return;   // the row left the select's join: keep what was posted
    const auto& columns = cursor.columns();
    for (size_t i = 0; i < columns.size(); ++i) {
        Field* f = findField(QString::fromStdString(columns[i].name));
        if (f && f->kind() == FieldKind::Data && f->m_index >= 0)
            m_edit[f->m_index] = f->converted(cursor.value(static_cast<int>(i)));
    }
}

std::string Dataset::packRow(const std::vector<fb::Value>& values) {
    RowStore::Builder b(m_rows);
    for (size_t i = 0; i < values.size(); ++i) {
        const fb::Value& v = values[i];
        if (fb::isNull(v)) {
            b.setNull();
            continue;
        }
        switch (m_columnFields[i]->type()) {
        case FieldType::Integer: b.setInt(std::get<std::int64_t>(v)); break;
        case FieldType::Decimal: b.setInt(std::get<fb::Decimal>(v).rescaled(m_columnFields[i]->scale()).units); break;
        case FieldType::Double: b.setDouble(std::get<double>(v)); break;
        case FieldType::DateTime: b.setTimestamp(std::get<fb::Timestamp>(v)); break;
        case FieldType::String:
        case FieldType::BlobText: b.setText(std::get<std::string>(v)); break;
        }
    }
    return std::string(b.row());
}

void Dataset::post() {
    requireActive();
    if (!isEditing()) return;
    run(m_handlers.beforePost);
    const bool inserting = m_state == State::Insert;
    const QString& sql = inserting ? m_insertSql : m_modifySql;
    if (sql.isEmpty())
        throw std::logic_error("Dataset " + objectName().toStdString() + " has no " +
                               (inserting ? "insert" : "update") + " statement");
    if (inserting) execute(sql, m_edit, kNoRow);
    else executeOnRow(sql, m_edit, m_current);
    if (!m_refreshSql.isEmpty()) refreshBuffer();

    // Views hear of the row while the dataset still reads consistently: an
    // inserted row is in place before the state leaves Insert, a changed
    // row is announced once its edit buffer is no longer read.
    const std::string row = packRow(m_edit);
    invalidateCalc();
    if (inserting) {
        notifyViews([this] { emit aboutToInsertRow(m_insertAt); });
        m_rows.insert(m_insertAt, row);
        m_current = m_insertAt;
        m_bof = m_eof = false;
        notifyViews([this] { emit rowInserted(m_current); });
        setState(State::Browse);
    } else {
        m_rows.replace(m_current, row);
        setState(State::Browse);
        notifyViews([this] { emit rowChanged(m_current); });
    }
    m_edit.clear();
    run(m_handlers.afterPost);
    emit afterPost();
    if (inserting) {
        run(m_handlers.afterScroll);
        notifyViews([this] { emit afterScroll(); });
    }
}

Dataset::NarrowUpdate::NarrowUpdate(Dataset& dataset, const QString& modifySql)
    : m_dataset(dataset), m_modifySql(dataset.m_modifySql), m_refreshSql(dataset.m_refreshSql) {
    dataset.m_modifySql = modifySql;
    dataset.m_refreshSql.clear();
}

Dataset::NarrowUpdate::~NarrowUpdate() {
    m_dataset.m_modifySql = m_modifySql;
    m_dataset.m_refreshSql = m_refreshSql;
}

void Dataset::cancel() {
    if (!isEditing()) return;
    const bool editing = m_state == State::Edit;
    m_edit.clear();
    invalidateCalc();
    setState(State::Browse);
    if (editing) notifyViews([this] { emit rowChanged(m_current); });
}

void Dataset::remove() {
    requireActive();
    if (m_state == State::Insert) return cancel();
    cancel();
    if (isEmpty()) throw std::logic_error("Dataset " + objectName().toStdString() + " is empty");
    if (m_deleteSql.isEmpty()) throw std::logic_error("Dataset " + objectName().toStdString() + " has no delete statement");
    executeOnRow(m_deleteSql, rowValues(m_current), m_current);

    const int removed = m_current;
    notifyViews([this, removed] { emit aboutToRemoveRow(removed); });
    m_rows.remove(removed);
    invalidateCalc();
    m_current = std::min(removed, recordCount() - 1);
    m_eof = removed >= recordCount();
    m_bof = m_current <= 0;
    notifyViews([this, removed] { emit rowRemoved(removed); });
    run(m_handlers.afterDelete);
    emit afterDelete();
    run(m_handlers.afterScroll);
    notifyViews([this] { emit afterScroll(); });
}

// ---------------------------------------------------------------- views

void Dataset::run(const Handler& handler) {
    if (handler) handler(*this);
}

void Dataset::notifyViews(const std::function<void()>& emitter) {
    if (m_disabled > 0) m_missed = true;
    else emitter();
}

void Dataset::disableControls() { ++m_disabled; }

void Dataset::enableControls() {
    if (m_disabled == 0 || --m_disabled > 0 || !m_missed) return;
    m_missed = false;
    emit resynced();
}

}  // namespace data
