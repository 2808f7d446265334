#include "platform/fb/Fb.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A bare database (no suite schema) for the client layer's own cases.
class FbTest : public ::testing::Test {
protected:
    void SetUp() override {
        params.database = (dir.path() + "/fb.fdb").toStdString();
        att = fb::Attachment::create(params, 8192, false);
        fb::Transaction tr(att);
        att.execute(tr, "create table T (ID integer not null primary key, S varchar(40), C char(5), "
                        "N numeric(18,4), D double precision, TS timestamp, B blob sub_type text)");
        tr.commit();
    }
    void TearDown() override {
        if (att.isConnected()) att.dropDatabase();
    }
    // Columns ID, S, C, N, D, TS, B; those not given are null.
    long insert(fb::Transaction& tr, std::vector<fb::Value> values) {
        values.resize(7);
        fb::Statement st(tr, "insert into T (ID, S, C, N, D, TS, B) values (?, ?, ?, ?, ?, ?, ?)");
        st.setParams(values);
        return st.execute();
    }
    std::int64_t count(fb::Transaction& tr) {
        return std::get<std::int64_t>(*fb::selectValue(tr, "select count(*) from T"));
    }

    QTemporaryDir dir;
    fb::ConnectParams params;
    fb::Attachment att;
};

TEST_F(FbTest, ValuesRoundTripExactlyIncludingNullAndPolishText) {
    fb::Transaction tr(att);
    fb::Timestamp ts{2026, 12, 6, 13, 45, 7, 0};
    EXPECT_EQ(1, insert(tr, {std::int64_t{1}, std::string("Żółć gęślą jaźń"), std::string("AB"),
                             fb::Decimal{12345678, 4}, 0.1, ts, std::string(70000, 'x')}));
    insert(tr, {std::int64_t{2}, fb::Value{}, fb::Value{}, fb::Decimal::fromDouble(-0.005, 4)});

    fb::Statement st(tr, "select ID, S, C, N, D, TS, B from T order by ID");
    ASSERT_TRUE(st.isSelect());
    fb::Cursor c = st.open();
    ASSERT_TRUE(c.fetch());
    EXPECT_EQ("Żółć gęślą jaźń", c.asText(1));
    EXPECT_EQ("AB", c.asText(2)) << "CHAR padding is not part of the value";
    EXPECT_EQ((fb::Decimal{12345678, 4}), c.asDecimal(3));
    EXPECT_DOUBLE_EQ(0.1, c.asDouble(4));
    EXPECT_EQ(ts, c.asTimestamp(5));
    EXPECT_EQ(70000u, std::get<std::string>(c.value(6)).size());
    EXPECT_EQ(3, c.indexOf("n"));
    ASSERT_TRUE(c.fetch());
    EXPECT_TRUE(c.isNull(1));
    EXPECT_TRUE(fb::isNull(c.value(5)));
    EXPECT_EQ("-0.0050", c.asDecimal(3).toString());
    EXPECT_FALSE(c.fetch());
}

TEST(FbDecimal, RoundsHalfAwayFromZeroOnTheDecimalForm) {
    EXPECT_EQ(101, fb::Decimal::fromDouble(1.005, 2).units);
    EXPECT_EQ(268, fb::Decimal::fromDouble(2.675, 2).units);
    EXPECT_EQ(-101, fb::Decimal::fromDouble(-1.005, 2).units);
    EXPECT_EQ(123456789012345, fb::Decimal::fromDouble(1234567890123.45, 2).units);
    EXPECT_EQ(13, (fb::Decimal{1250, 4}).rescaled(2).units);
    EXPECT_EQ(-13, (fb::Decimal{-1250, 4}).rescaled(2).units);
    EXPECT_EQ("0.05", (fb::Decimal{5, 2}).toString());
}

TEST_F(FbTest, RetainingCommitIsSeenElsewhereAndRetainingRollbackUndoesSinceLastCommit) {
    fb::Transaction tr(att);
    insert(tr, {std::int64_t{1}});
    tr.commitRetaining();
    fb::Attachment other = fb::Attachment::connect(params);
    {
        fb::Transaction otr(other);
        EXPECT_EQ(1, count(otr));
    }
    insert(tr, {std::int64_t{2}});
    tr.rollbackRetaining();
    EXPECT_TRUE(tr.isActive());
    EXPECT_EQ(1, count(tr));
    tr.commit();
    EXPECT_FALSE(tr.isActive());
    other.detach();
}

TEST_F(FbTest, FailuresCarryTheServerMessageAndLeaveEverythingUsable) {
    fb::Transaction tr(att);
    insert(tr, {std::int64_t{1}});
    try {
        insert(tr, {std::int64_t{1}});
        FAIL() << "duplicate key accepted";
    } catch (const fb::Error& e) {
        EXPECT_TRUE(e.isUniqueViolation()) << e.what() << " " << e.iscCode();
        EXPECT_NE(std::string(e.what()).find("PRIMARY"), std::string::npos) << e.what();
    }
    EXPECT_THROW(fb::Statement(tr, "select NOPE from T"), fb::Error);
    EXPECT_THROW(insert(tr, {std::int64_t{5}, std::string(41, 'x')}), fb::Error);
    EXPECT_EQ(1, count(tr));
    tr.commit();
    EXPECT_THROW(tr.commit(), fb::Error);
}

TEST_F(FbTest, ConcurrentWritersConflictWithoutWaiting) {
    fb::Transaction a(att);
    insert(a, {std::int64_t{1}});
    a.commitRetaining();
    fb::Attachment other = fb::Attachment::connect(params);
    fb::Transaction b(other);
    att.execute(a, "update T set S = 'a' where ID = 1");
    try {
        other.execute(b, "update T set S = 'b' where ID = 1");
        FAIL() << "second writer did not conflict";
    } catch (const fb::Error& e) {
        EXPECT_TRUE(e.isLockConflict()) << e.what() << " " << e.iscCode();
    }
    b.rollback();
    other.detach();
}

TEST(FbConnect, MissingDatabaseIsAnErrorNotACrash) {
    fb::ConnectParams p;
    p.database = "/nonexistent/folder/none.fdb";
    EXPECT_THROW(fb::Attachment::connect(p), fb::Error);
}

}  // namespace
