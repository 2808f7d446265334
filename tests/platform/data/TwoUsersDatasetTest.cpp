// A second user on a second attachment changes or deletes a row the dataset
// holds: the dataset's write finds no row, writes nothing and says so.
#include "platform/data/RegisterFixture.h"
#include "platform/data/RowChanged.h"

namespace {

class TwoUsersDatasetTest : public RegisterFixture {
protected:
    void SetUp() override {
        // Found by what was read: the key and the amount.
        register_.setModifySql(
            "update PR_PRZELEWY set WARTOSC = :WARTOSC, TRESC1 = :TRESC1 "
            "where ID = :OLD_ID and WARTOSC is not distinct from :OLD_WARTOSC");
        register_.setDeleteSql(
            "delete from PR_PRZELEWY where ID = :OLD_ID and WARTOSC is not distinct from :OLD_WARTOSC");
        register_.setRowChangedText("Przelew zmienił inny użytkownik.");
        register_.open();
        ASSERT_TRUE(register_.locate("ID", 2));
    }
    // The other user's change, committed.
    void otherUser(const std::string& sql) {
        fb::Attachment other = fb::Attachment::connect(db.params());
        fb::Transaction tr(other);
        other.execute(tr, sql);
        tr.commit();
    }
    std::string amountOf2() { return db.scalarText("select WARTOSC || '/' || TRESC1 from PR_PRZELEWY where ID = 2"); }
};

TEST_F(TwoUsersDatasetTest, UpdateOfARowChangedMeanwhileWritesNothing) {
    otherUser("update PR_PRZELEWY set WARTOSC = 9999.99 where ID = 2");
    register_.edit();
    register_.fieldByName("TRESC1").setString("moja zmiana");
    try {
        register_.post();
        FAIL() << "the stale row was written";
    } catch (const data::RowChanged& e) {
        EXPECT_EQ("quePrzelewy: Przelew zmienił inny użytkownik.", e.dataset() + ": " + e.what());
    }
    EXPECT_EQ(data::Dataset::State::Edit, register_.state()) << "the edit stays for the caller to cancel";
    EXPECT_EQ("9999.9900/Zapłata FV/2", amountOf2());

    // Read again, the same change goes through.
    register_.cancel();
    register_.close();
    register_.open();
    ASSERT_TRUE(register_.locate("ID", 2));
    register_.edit();
    register_.fieldByName("TRESC1").setString("moja zmiana");
    register_.post();
    EXPECT_EQ("9999.9900/moja zmiana", amountOf2());
}

TEST_F(TwoUsersDatasetTest, DeleteOfARowChangedOrGoneMeanwhileIsRefused) {
    otherUser("update PR_PRZELEWY set WARTOSC = 1 where ID = 2");
    EXPECT_THROW(register_.remove(), data::RowChanged);
    EXPECT_EQ(1, db.scalarCents("select count(*) from PR_PRZELEWY where ID = 2"));
    EXPECT_EQ(3, register_.recordCount()) << "the row stays listed";

    // A row another user deleted cannot be updated either; the text defaults to a technical one.
    register_.setRowChangedText({});
    ASSERT_TRUE(register_.locate("ID", 1));
    otherUser("delete from PR_PRZELEWY where ID = 1");
    register_.edit();
    register_.fieldByName("TRESC1").setString("x");
    EXPECT_THROW(register_.post(), data::RowChanged);
}

// A statement that changes several rows is no statement of one row.
TEST_F(TwoUsersDatasetTest, StatementChangingManyRowsIsAnError) {
    register_.setModifySql("update PR_PRZELEWY set TRESC1 = :TRESC1 where ID_KONTRAHENTA = :OLD_ID_KONTRAHENTA");
    register_.edit();
    register_.fieldByName("TRESC1").setString("wszystkie");
    EXPECT_THROW(register_.post(), std::logic_error);
}

}  // namespace
