#pragma once
// A dataset wrote a row through its update or delete statement and the
// statement found no such row: another user changed or deleted it since the
// dataset read it (the statements compare the values read). Nothing was
// written; the caller tells the user and reads the rows again.

#include <stdexcept>
#include <string>

namespace data {

class RowChanged : public std::runtime_error {
public:
    // `text` is what the user is told; empty gives a technical text naming the dataset.
    RowChanged(const std::string& dataset, const std::string& text)
        : std::runtime_error(text.empty() ? dataset + ": the row was changed or deleted by another user since it was read"
                                          : text),
          m_dataset(dataset) {}
    const std::string& dataset() const { return m_dataset; }

private:
    std::string m_dataset;
};

}  // namespace data
