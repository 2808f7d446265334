#pragma once
// One column of a Dataset as windows and reports see it: the value of the
// current row (or of the row a view is drawing) in the types the code asks
// for, and how it is shown and edited.

#include "platform/fb/Fb.h"

#include <QDateTime>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

namespace data {

class Dataset;

enum class FieldType { Integer, Decimal, Double, String, DateTime, BlobText };

enum class FieldKind {
    Data,        // a column of the select
    Calculated,  // filled by the dataset's calc-fields handler for each row
    Lookup,      // a value of another dataset found by a key of this row
};

class Field {
public:
    // Text shown for the value instead of the default one; `forDisplay` is
    // false when the text is for an editor.
    using GetText = std::function<QString(const Field&, bool forDisplay)>;
    // Stores the value for a text typed by the user.
    using SetText = std::function<void(Field&, const QString&)>;

    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    const QString& name() const { return m_name; }
    FieldType type() const { return m_type; }
    FieldKind kind() const { return m_kind; }
    int size() const { return m_size; }     // characters of a string field
    int scale() const { return m_scale; }   // digits after the point of a decimal field
    bool required() const { return m_required; }
    bool isString() const { return m_type == FieldType::String || m_type == FieldType::BlobText; }
    bool isNumeric() const;
    Dataset& dataset() const { return *m_dataset; }

    // Reading. A NULL reads as 0, "", an invalid date-time or an invalid
    // variant; texts that are not numbers throw std::invalid_argument.
    bool isNull() const;
    fb::Value value() const;
    qint64 asInteger() const;
    double asDouble() const;
    fb::Decimal asDecimal() const;
    QString asString() const;
    QDateTime asDateTime() const;
    QDate asDate() const;   // the day alone, without the cost of a local date-time
    QVariant asVariant() const;

    // Writing (the dataset must be editing or inserting, or be calculating
    // this row for a calculated field). Values are converted to the field's type.
    void clear();
    void setValue(const fb::Value& value);
    void setVariant(const QVariant& value);
    void setInteger(qint64 value);
    void setDouble(double value);
    void setDecimal(const fb::Decimal& value);
    void setString(const QString& value);
    void setDateTime(const QDateTime& value);
    void setDate(const QDate& value);   // midnight of that day

    // Texts: displayText() as grids show it (display format applied), text()
    // as an editor shows it, setText() stores what the user typed.
    QString displayText() const;
    QString text() const;
    void setText(const QString& text);

    const QString& displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString& format) { m_displayFormat = format; }
    const QString& editMask() const { return m_editMask; }
    void setEditMask(const QString& mask) { m_editMask = mask; }
    QString displayLabel() const { return m_displayLabel.isNull() ? m_name : m_displayLabel; }
    void setDisplayLabel(const QString& label) { m_displayLabel = label; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    bool isReadOnly() const { return m_readOnly || m_kind != FieldKind::Data; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    void setGetText(GetText handler) { m_getText = std::move(handler); }
    void setSetText(SetText handler) { m_setText = std::move(handler); }

    // The short date format used for date-times without a display format
    // (time of day appended when it is not midnight).
    static void setShortDateFormat(const QString& format);
    static QString shortDateFormat();

private:
    std::optional<fb::Timestamp> asTimestamp() const;
    friend class Dataset;
    Field(Dataset* dataset, QString name, FieldKind kind, FieldType type, int size);

    QString defaultText() const;
    fb::Value converted(const fb::Value& v) const;

    Dataset* m_dataset;
    QString m_name;
    FieldKind m_kind;
    FieldType m_type;
    int m_size = 0;
    int m_scale = 0;
    bool m_required = false;
    bool m_declared = false;      // created before the open that binds it
    int m_index = -1;             // result column, or calculated slot

    QString m_displayFormat, m_editMask, m_displayLabel;
    bool m_visible = true;
    bool m_readOnly = false;
    GetText m_getText;
    SetText m_setText;

    struct Lookup {
        QString keyField;          // in this dataset
        QPointer<Dataset> source;
        QString sourceKey, sourceResult;
    } m_lookup;
};

// A variant as a value: integers, doubles, date-times and dates keep their
// kind, anything else becomes text; an invalid or null variant is NULL.
fb::Value valueOf(const QVariant& value);

// Two values as the same key or cell: numbers compare by value whatever their
// representation (integer, decimal, double).
bool sameValue(const fb::Value& a, const fb::Value& b);

}  // namespace data
