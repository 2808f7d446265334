#pragma once

#include "reportengine/RowSource.h"

namespace data {
class Dataset;
}

// The rows of an open dataset for a report: the report moves the dataset
// itself, as the windows' own hooks expect when they read its fields.
class DatasetRows : public rpt::RowSource {
public:
    explicit DatasetRows(data::Dataset& dataset) : m_dataset(dataset) {}

    void first() override;
    void next() override;
    bool eof() const override;
    QVariant value(const QString& field) const override;
    int count() const override;

private:
    data::Dataset& m_dataset;
    bool m_pastLast = false; // the dataset stays on its last row at its end
};
