#include "RegisterFixture.h"

#include "platform/data/UnitOfWork.h"

#include <stdexcept>

using data::UnitOfWork;

namespace {

class UnitOfWorkTest : public RegisterFixture {
protected:
    UnitOfWorkTest() { register_.open(); }

    // Invoice numbers of rows 1 and 3 as this transaction sees them, then as another one sees them
    // (only what was committed).
    std::string invoices() {
        const std::string sql =
            "select list(NR_FAKTURY, ',') from (select NR_FAKTURY from PR_PRZELEWY where ID in "
            "(1, 3) order by ID)";
        fb::Transaction other(db.attachment());
        return db.scalarText(sql) + "/" + std::get<std::string>(*fb::selectValue(other, sql));
    }
    void rename(int id, const QString& number) {
        ASSERT_TRUE(register_.locate("ID", id));
        register_.edit();
        register_.fieldByName("NR_FAKTURY").setString(number);
        register_.post();
    }
    // A handler that writes, leaves another row in edit and then fails.
    void failingHandler() {
        UnitOfWork uow(db.transaction(), {&register_});
        rename(1, "ZMIANA");
        register_.locate("ID", 2);
        register_.edit();
        register_.fieldByName("NR_FAKTURY").setString("W EDYCJI");
        throw std::runtime_error("awaria");
    }
};

TEST_F(UnitOfWorkTest, CommitMakesTheWorkDurableAndLeavingWithoutCommitUndoesIt) {
    {
        UnitOfWork uow(db.transaction(), {&register_});
        rename(3, "FV/3a");
        uow.commit();
    }
    EXPECT_EQ("FV/1,FV/3a/FV/1,FV/3a", invoices());
    EXPECT_EQ(3, register_.recordCount()) << "commit-retaining keeps the open datasets";

    EXPECT_THROW(failingHandler(), std::runtime_error);
    EXPECT_EQ("FV/1,FV/3a/FV/1,FV/3a", invoices()) << "rolled back, not only left uncommitted";
    EXPECT_FALSE(register_.isEditing());
    EXPECT_EQ("FV/2", register_.fieldByName("NR_FAKTURY").asString().toStdString());
    EXPECT_TRUE(db.transaction().isActive());
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
        EXPECT_EQ("FV/1a,FV/3/FV/1,FV/3", invoices()) << "only the outermost unit commits";
        outer.commit();
    }
    {
        UnitOfWork outer(db.transaction());
        rename(3, "FV/3a");
        EXPECT_THROW(failingHandler(), std::runtime_error);
        EXPECT_THROW(outer.commit(), std::logic_error) << "half of the work must not become durable";
    }
    EXPECT_EQ("FV/1a,FV/3/FV/1a,FV/3", invoices());
    UnitOfWork next(db.transaction());
    EXPECT_TRUE(next.isOutermost()) << "a new unit after the failed one starts afresh";
    next.commit();
}

TEST_F(UnitOfWorkTest, AUnitCommittedByItsCallerLeavesTheTransactionToTheCaller) {
    rename(3, "CALLER");  // the caller's own work, not committed yet
    {
        UnitOfWork part(db.transaction(), {&register_}, UnitOfWork::Commit::ByCaller);
        rename(1, "FV/1a");
        part.commit();
    }
    EXPECT_EQ("FV/1a,CALLER/FV/1,FV/3", invoices());
    EXPECT_THROW(([&] {
                     UnitOfWork part(db.transaction(), {&register_}, UnitOfWork::Commit::ByCaller);
                     register_.edit();
                     throw std::runtime_error("awaria");
                 }()),
                 std::runtime_error);
    EXPECT_FALSE(register_.isEditing());
    EXPECT_EQ("FV/1a,CALLER/FV/1,FV/3", invoices()) << "the caller's work is the caller's to undo";
}

}  // namespace
