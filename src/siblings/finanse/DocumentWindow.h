#pragma once
// A ledger document as the ledger shows it: its header and its entries.

#include "platform/data/Dataset.h"
#include "platform/grid/DbGrid.h"
#include "platform/ui/FormBase.h"

namespace siblings {

class DocumentWindow : public ui::FormBase {
    Q_OBJECT
public:
    DocumentWindow(QWidget* owner, int documentId);

    data::Dataset& entries() { return *m_entries; }
    // The document number and dates line.
    QString headerText() const { return m_header; }

private:
    data::Dataset* m_entries;
    ui::DbGrid* m_grid;
    QString m_header;
};

}  // namespace siblings
