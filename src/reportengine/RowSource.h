#pragma once

#include <QString>
#include <QVariant>

namespace rpt {

// The rows a report runs over, read forward from the first. The engine knows
// nothing of databases: whatever holds rows implements this.
class RowSource {
public:
    virtual ~RowSource() = default;
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;
    // The current row's value of a field; an invalid QVariant for a null or unknown field.
    virtual QVariant value(const QString& field) const = 0;
    // How many rows there are, for the progress of preparation; -1 when unknown.
    virtual int count() const { return -1; }
};

} // namespace rpt
