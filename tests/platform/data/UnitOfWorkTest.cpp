#include "RegisterFixture.h"

#include "platform/data/UnitOfWork.h"

#include <stdexcept>

using data::UnitOfWork;

namespace {

class UnitOfWorkTest : public RegisterFixture {
protected:
    UnitOfWorkTest() { register_.open(); }

    // The row's invoice number as the register's transaction sees it.
    std::string invoice(int id) {
        return db.scalarText("select NR_FAKTURY from PR_PRZELEWY where ID = " + std::to_string(id));
    }
    // The same as another user sees it: only what was committed.
    std::string committedInvoice(int id) {
        fb::Transaction other(db.attachment());
        const auto v = fb::selectValue(other, "select NR_FAKTURY from PR_PRZELEWY where ID = " + std::to_string(id));
        return v ? std::get<std::string>(*v) : std::string();
    }
    void rename(int id, const QString& number) {
        ASSERT_TRUE(register_.locate("ID", id));
        register_.edit();
        register_.fieldByName("NR_FAKTURY").setString(number);
        register_.post();
    }
    // A handler that writes, leaves the next row in edit and then fails.
    void failingHandler() {
        UnitOfWork uow(db.transaction(), {&register_});
        rename(1, "ZMIANA");
        register_.locate("ID", 2);
        register_.edit();
        register_.fieldByName("NR_FAKTURY").setString("W EDYCJI");
        throw std::runtime_error("awaria");
    }
};

TEST_F(UnitOfWorkTest, CommitMakesTheWorkDurableAndTheDatasetKeepsItsRows) {
    {
        UnitOfWork uow(db.transaction(), {&register_});
        rename(1, "FV/1a");
        uow.commit();
    }
    EXPECT_EQ("FV/1a", committedInvoice(1));
    EXPECT_TRUE(register_.isActive()) << "commit-retaining keeps the open datasets";
    EXPECT_EQ(3, register_.recordCount());
}

TEST_F(UnitOfWorkTest, LeavingWithoutCommitUndoesTheWritesAndCancelsTheEdits) {
    EXPECT_THROW(failingHandler(), std::runtime_error);
    EXPECT_EQ("FV/1", invoice(1)) << "rolled back, not only left uncommitted";
    EXPECT_EQ("FV/2", invoice(2));
    EXPECT_FALSE(register_.isEditing());
    EXPECT_EQ("FV/2", register_.fieldByName("NR_FAKTURY").asString().toStdString());
    EXPECT_TRUE(db.transaction().isActive());

    // An early return without commit undoes as well.
    [&] {
        UnitOfWork uow(db.transaction(), {&register_});
        rename(3, "FV/3a");
    }();
    EXPECT_EQ("FV/3", invoice(3));
}

TEST_F(UnitOfWorkTest, AnInnerUnitJoinsTheOuterAndItsFailureDoomsIt) {
    {
        UnitOfWork outer(db.transaction());
        {
            UnitOfWork inner(db.transaction(), {&register_});
            EXPECT_FALSE(inner.isOutermost());
            rename(1, "FV/1a");
            inner.commit();
        }
        EXPECT_EQ("FV/1", committedInvoice(1)) << "only the outermost unit commits";
        outer.commit();
    }
    EXPECT_EQ("FV/1a", committedInvoice(1));

    {
        UnitOfWork outer(db.transaction());
        rename(3, "FV/3a");
        EXPECT_THROW(failingHandler(), std::runtime_error);
        EXPECT_FALSE(register_.isEditing());
        EXPECT_THROW(outer.commit(), std::logic_error) << "half of the work must not become durable";
    }
    EXPECT_EQ("FV/3", invoice(3));
    EXPECT_EQ("FV/1a", invoice(1));

    // A new unit after the failed one starts afresh.
    UnitOfWork next(db.transaction());
    EXPECT_TRUE(next.isOutermost());
    next.commit();
}

TEST_F(UnitOfWorkTest, AUnitCommittedByItsCallerLeavesTheTransactionToTheCaller) {
    rename(3, "CALLER");  // the caller's own work, not committed yet
    {
        UnitOfWork part(db.transaction(), {&register_}, UnitOfWork::Commit::ByCaller);
        rename(1, "FV/1a");
        part.commit();
    }
    EXPECT_EQ("FV/3", committedInvoice(3));
    EXPECT_EQ("FV/1", committedInvoice(1));
    EXPECT_EQ("FV/1a", invoice(1));

    EXPECT_THROW(([&] {
                     UnitOfWork part(db.transaction(), {&register_}, UnitOfWork::Commit::ByCaller);
                     register_.edit();
                     throw std::runtime_error("awaria");
                 }()),
                 std::runtime_error);
    EXPECT_FALSE(register_.isEditing());
    EXPECT_EQ("CALLER", invoice(3)) << "the caller's work is the caller's to undo";
}

}  // namespace
