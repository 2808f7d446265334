#include "platform/fb/Fb.h"
#include "platform/fb/IdSlices.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <algorithm>

namespace {

// A bare database (no suite schema) for the client layer's own cases.
class FbTest : public ::testing::Test {
protected:
    void SetUp() override {
        params.database = (dir.path() + "/fb.fdb").toStdString();
        att = fb::Attachment::create(params, 8192, false);
        fb::Transaction tr(att);
        att.execute(tr,
                    "create table T (ID integer not null primary key, S varchar(40), C char(5), "
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
        return st.execute(tr);
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
    // Exactly as long as the column, in characters of two bytes; a blob takes a long text whole.
    const std::string polish = QString(40, u'ż').toStdString(), huge(70000, 'x');
    EXPECT_EQ(1, insert(tr, {std::int64_t{1}, polish, std::string("AB"), fb::Decimal{12345678, 4}, 0.1, ts, huge}));
    insert(tr, {std::int64_t{2}, fb::Value{}, fb::Value{}, fb::Decimal::fromDouble(-0.005, 4)});

    fb::Statement st(tr, "select ID, S, C, N, D, TS, B from T order by ID");
    ASSERT_TRUE(st.isSelect());
    fb::Cursor c = st.open(tr);
    ASSERT_TRUE(c.fetch());
    EXPECT_EQ(polish, c.asText(1));
    EXPECT_EQ("AB", c.asText(2)) << "CHAR padding is not part of the value";
    EXPECT_EQ((fb::Decimal{12345678, 4}), c.asDecimal(3));
    EXPECT_DOUBLE_EQ(0.1, c.asDouble(4));
    EXPECT_EQ(ts, c.asTimestamp(5));
    EXPECT_EQ(huge, c.asText(6));
    EXPECT_EQ(3, c.indexOf("n"));
    ASSERT_TRUE(c.fetch());
    EXPECT_TRUE(c.isNull(1) && fb::isNull(c.value(5)));
    EXPECT_EQ("-0.0050", c.asDecimal(3).toString());
    EXPECT_FALSE(c.fetch());
}

TEST(FbDecimal, RoundsHalfAwayFromZeroOnTheDecimalForm) {
    EXPECT_EQ(101, fb::Decimal::fromDouble(1.005, 2).units);
    EXPECT_EQ(-101, fb::Decimal::fromDouble(-1.005, 2).units);
    EXPECT_EQ(13, (fb::Decimal{1250, 4}).rescaled(2).units);
    EXPECT_EQ(-13, (fb::Decimal{-1250, 4}).rescaled(2).units);
    EXPECT_EQ("0.05", (fb::Decimal{5, 2}).toString());
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

TEST_F(FbTest, TextLongerThanItsParameterIsRefusedByNameAndNothingShiftsToNull) {
    fb::Transaction tr(att);
    const std::string huge(70000, 'x');
    auto message = [&](std::vector<fb::Value> values) -> std::string {
        try {
            insert(tr, std::move(values));
        } catch (const fb::Error& e) {
            return e.what();
        }
        return "accepted";
    };
    // 70,000 characters once wrapped the 16-bit length: the text and every
    // later parameter arrived as NULL and the row was written anyway.
    EXPECT_NE(message({std::int64_t{1}, huge, std::string("AB"), fb::Decimal{5, 0}}).find("parametru nr 2"),
              std::string::npos);
    EXPECT_NE(message({huge}).find("parametru nr 1"), std::string::npos) << "a text for a key is bounded too";
    EXPECT_EQ(0, count(tr));

    insert(tr, {std::int64_t{1}});
    // Named parameters are named in the message; blanks past the column are
    // dropped as the engine drops them.
    fb::Statement update(tr, "update T set S = ?, C = ? where ID = ?");
    update.setParamNames({"S", "C", "ID"});
    update.setParams({QString(41, u'ż').toStdString(), std::string("A"), std::int64_t{1}});
    try {
        update.execute(tr);
        FAIL() << "41 characters went into VARCHAR(40)";
    } catch (const fb::Error& e) {
        const std::string what = e.what();
        EXPECT_TRUE(what.find("pola S") != what.npos && what.find("41") != what.npos) << what;
    }
    update.setParams({std::string("tekst") + std::string(60, ' '), std::string("B    "), std::int64_t{1}});
    EXPECT_EQ(1, update.execute(tr));
    EXPECT_EQ("tekst", std::get<std::string>(*fb::selectValue(tr, "select trim(S) from T where ID = 1")));
}

TEST_F(FbTest, OneStatementRunsInLaterTransactionsWithValuesOfChangingKinds) {
    fb::Statement set = [&] {
        fb::Transaction first(att);
        insert(first, {std::int64_t{1}});
        fb::Statement st(first, "update T set N = ?, S = ? where ID = ?");
        first.commit();
        return st;
    }();
    fb::Transaction tr(att);
    auto n = [&] { return std::get<fb::Decimal>(*fb::selectValue(tr, "select N from T where ID = 1")).toString(); };
    const std::pair<fb::Value, const char*> amounts[] = {
        {std::int64_t{5}, "5.0000"}, {std::string("7.5"), "7.5000"}, {0.25, "0.2500"}, {fb::Decimal{-1, 2}, "-0.0100"}};
    for (const auto& [value, stored] : amounts) {
        set.setParams({value, std::string("x"), std::int64_t{1}});
        EXPECT_EQ(1, set.execute(tr));
        EXPECT_EQ(stored, n());
    }
    // An amount sent as text longer than the field first made for "7.5".
    set.setParams({"8.25" + std::string(90, ' '), std::string("x"), std::int64_t{1}});
    EXPECT_EQ(1, set.execute(tr));
    EXPECT_EQ("8.2500", n());
    // A refused text leaves the statement usable with the kinds it had started to change.
    set.setParams({fb::Decimal{3, 0}, std::string(41, 'y'), std::int64_t{1}});
    EXPECT_THROW(set.execute(tr), fb::Error);
    set.setParams({fb::Decimal{3, 0}, std::string("ok"), std::int64_t{1}});
    EXPECT_EQ(1, set.execute(tr));
    EXPECT_EQ("ok3.0000", std::get<std::string>(*fb::selectValue(tr, "select S || N from T where ID = 1")));
}

TEST_F(FbTest, ACursorOutlivesAMoveOfItsTransactionButNotItsEnd) {
    fb::Transaction tr(att);
    insert(tr, {std::int64_t{1}, {}, {}, {}, {}, {}, std::string("treść")});
    fb::Statement st(tr, "select B from T");
    fb::Cursor c = st.open(tr);
    fb::Transaction moved(std::move(tr));
    ASSERT_TRUE(c.fetch());
    EXPECT_EQ("treść", c.asText(0));
    moved = fb::Transaction(att);  // the first one rolls back
    EXPECT_THROW(c.value(0), fb::Error);
}

// More IDs than one slice holds, repeated and unsorted, with a parameter
// after them: every row asked for comes once, slice edges and the padded
// last slice included, and nothing else does.
TEST_F(FbTest, RowsByIdsComeOnceWhateverTheListsLength) {
    fb::Transaction tr(att);
    att.execute(tr,
                "execute block as declare i integer = 1; begin while (i <= 300) do begin "
                "insert into T (ID, S) values (:i, iif(mod(:i, 7) = 0, 'x', 'y')); i = i + 1; end end");
    std::vector<std::int64_t> ids;
    for (std::int64_t id = 250; id >= 1; --id) ids.push_back(id);
    ids.insert(ids.end(), {100, 101, 200, 201, 1});
    std::vector<std::int64_t> found;
    fb::selectByIds(tr, "select ID from T where ID", ids, " and S = ?", {std::string("y")},
                    [&](fb::Cursor& c) { found.push_back(c.asInt(0)); });
    std::sort(found.begin(), found.end());
    std::vector<std::int64_t> expected;
    for (std::int64_t id = 1; id <= 250; ++id)
        if (id % 7 != 0) expected.push_back(id);
    EXPECT_EQ(expected, found);

    found.clear();
    fb::selectByIds(tr, "select ID from T where ID", {}, "", {}, [&](fb::Cursor& c) { found.push_back(c.asInt(0)); });
    EXPECT_TRUE(found.empty());
}

}  // namespace
