#include "platform/data/UnitOfWork.h"

#include "platform/data/Dataset.h"

#include <QtGlobal>
#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace data {
namespace {

// The open outermost-to-innermost chain, by transaction; windows run on the GUI thread only.
std::unordered_map<const fb::Transaction*, UnitOfWork*>& openUnits() {
    static std::unordered_map<const fb::Transaction*, UnitOfWork*> units;
    return units;
}

}  // namespace

UnitOfWork::UnitOfWork(fb::Transaction& transaction, std::initializer_list<Dataset*> datasets, Commit commit)
    : m_tr(transaction), m_commit(commit) {
    auto& units = openUnits();
    auto it = units.find(&m_tr);
    if (it != units.end()) m_outer = it->second;
    units[&m_tr] = this;
    for (Dataset* d : datasets)
        if (d) touch(*d);
}

UnitOfWork::~UnitOfWork() {
    if (!m_committed) undo();
    auto& units = openUnits();
    if (m_outer)
        units[&m_tr] = m_outer;
    else
        units.erase(&m_tr);
}

void UnitOfWork::touch(Dataset& dataset) {
    if (std::find(m_datasets.begin(), m_datasets.end(), &dataset) == m_datasets.end()) m_datasets.push_back(&dataset);
}

void UnitOfWork::commit() {
    if (m_doomed) throw std::logic_error("A part of this unit of work failed; nothing of it is committed");
    if (!m_outer && m_commit == Commit::Here) m_tr.commitRetaining();
    m_committed = true;
}

void UnitOfWork::undo() noexcept {
    for (Dataset* d : m_datasets) {
        try {
            if (d->isEditing()) d->cancel();
        } catch (const std::exception& e) {
            qWarning("Cancelling an edit failed: %s", e.what());
        }
    }
    if (m_outer) {
        // The outer unit owns the transaction: it rolls back, and its datasets with ours.
        m_outer->m_doomed = true;
        for (Dataset* d : m_datasets) m_outer->touch(*d);
        return;
    }
    if (m_commit == Commit::ByCaller) return;
    try {
        if (m_tr.isActive()) m_tr.rollbackRetaining();
    } catch (const std::exception& e) {
        qWarning("Rolling back failed: %s", e.what());
    }
}

}  // namespace data
