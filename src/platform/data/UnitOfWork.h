#pragma once
// One writing handler's unit of work over the host's shared transaction.
//
//   data::UnitOfWork uow(dmMain->transaction(), {&przelewy()});
//   ...writes...
//   uow.commit();
//
// commit() makes the work durable with commit-retaining, so the windows' open
// datasets keep their rows. Leaving the scope without commit (an exception, an
// early return) cancels the edits of the datasets the unit touched and rolls
// back everything written since the last commit with rollback-retaining.
//
// Units nest: one begun while another is open on the same transaction joins
// it. Only the outermost commits or rolls back; an inner unit left without
// commit dooms the outer one, whose commit() then throws instead of making
// half of the work durable.
//
// An operation that other modules call inside work of their own (adding a
// transfer for an invoice) is a unit with Commit::ByCaller: nested it is an
// inner unit as any other; outermost it leaves committing and rolling back to
// its caller and only cancels its datasets' edits when it fails.

#include "platform/fb/Fb.h"

#include <initializer_list>
#include <vector>

namespace data {

class Dataset;

class UnitOfWork {
public:
    enum class Commit { Here, ByCaller };

    explicit UnitOfWork(fb::Transaction& transaction, std::initializer_list<Dataset*> datasets = {},
                        Commit commit = Commit::Here);
    ~UnitOfWork();
    UnitOfWork(const UnitOfWork&) = delete;
    UnitOfWork& operator=(const UnitOfWork&) = delete;

    // A dataset whose pending edit must be cancelled when the work is undone.
    void touch(Dataset& dataset);
    // Throws fb::Error when the commit fails (the work is then rolled back
    // when the unit leaves its scope) and std::logic_error when an inner unit
    // failed.
    void commit();
    bool isCommitted() const { return m_committed; }
    bool isOutermost() const { return m_outer == nullptr; }

private:
    void undo() noexcept;

    fb::Transaction& m_tr;
    UnitOfWork* m_outer = nullptr;
    std::vector<Dataset*> m_datasets;
    Commit m_commit;
    bool m_committed = false;
    bool m_doomed = false;
};

}  // namespace data
