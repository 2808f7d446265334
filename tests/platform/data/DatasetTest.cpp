#include "RegisterFixture.h"

#include "platform/data/Formats.h"
#include "platform/data/RowChanged.h"
#include "platform/data/SqlText.h"

#include <QSignalSpy>

using data::Dataset;
using data::Field;
using data::FieldType;

namespace {
fb::Decimal money(const char* text) { return *data::parseDecimal(text); }
}  // namespace

TEST_F(RegisterFixture, ReplacingALineClosesAndTheNextOpenUsesIt) {
    register_.open();
    EXPECT_EQ(currentId(), 3);  // a.id DESC
    register_.setSqlLine(TDMP::kLiniaWarunku, " ");
    EXPECT_FALSE(register_.isActive());
    register_.setSqlLine(TDMP::kLiniaPorzadku, "a.TERMIN_ZAPLATY ASC");
    register_.open();
    EXPECT_EQ(currentId(), 4);  // the realized row as well
    EXPECT_THROW(register_.setSqlLine(TDMP::kLiniaPorzadku + 1, "x"), std::out_of_range);
}

TEST_F(RegisterFixture, MovingAndLocating) {
    register_.open();
    EXPECT_THROW(register_.fieldByName("NIE_MA"), std::invalid_argument);
    QList<qint64> ids;
    for (register_.first(); !register_.eof(); register_.next()) ids << currentId();
    EXPECT_EQ(ids, (QList<qint64>{3, 2, 1}));

    EXPECT_TRUE(register_.locate("nr_faktury", "FV/2"));
    EXPECT_FALSE(register_.locate("ID", 4));  // filtered out
    EXPECT_FALSE(register_.locate("NR_FAKTURY", "fv/2"));
    EXPECT_EQ(currentId(), 2) << "found, then kept where it was by the misses";
    EXPECT_TRUE(register_.locate("TERMIN_ZAPLATY", QDate(2024, 3, 10)));
    register_.setRecNo(99);
    EXPECT_EQ(register_.recNo(), 2);
}

TEST_F(RegisterFixture, EditPostsThroughTheUpdateAndRereadsTheRow) {
    register_.open();
    ASSERT_TRUE(register_.locate("ID", 1));
    register_.edit();
    register_.fieldByName("ID_KONTRAHENTA").setInteger(2);
    register_.fieldByName("ID_KONTA_BANK").setInteger(12);
    register_.fieldByName("TRESC1").setString("Zapłata za 'usługi'; -- :ID");
    register_.post();
    EXPECT_EQ(currentId(), 1);
    // Columns of the joined tables come back through the refresh statement.
    EXPECT_EQ(
        register_.fieldByName("KONTRAHENT_NAZWA").asString() + register_.fieldByName("KONTRAHENT_KONTO").asString(),
        "O'Neil i syn99888877776666555544443333");
    EXPECT_EQ(db.scalarText("select TRESC1 || ID_KONTRAHENTA from PR_PRZELEWY where ID = 1"),
              "Zapłata za 'usługi'; -- :ID2");

    // A changed key finds its row by the old one.
    register_.edit();
    register_.fieldByName("ID").setInteger(20);
    register_.post();
    EXPECT_EQ(db.scalarText("select list(ID) from PR_PRZELEWY where NR_FAKTURY = 'FV/1'"), "20");
}

// A walk over many rows writes only the columns it changes; a column it did
// not name keeps what the database holds, and the full update comes back after.
TEST_F(RegisterFixture, NarrowUpdateWritesOnlyItsColumns) {
    register_.open();
    ASSERT_TRUE(register_.locate("ID", 2));
    {
        const Dataset::NarrowUpdate narrow(register_,
                                           "update PR_PRZELEWY set WARTOSC = :WARTOSC, "
                                           "DATA_REALIZACJI = :DATA_REALIZACJI where ID = :OLD_ID");
        db.exec("update PR_PRZELEWY set WN = 'cudzy' where ID = 2");
        register_.edit();
        register_.fieldByName("WARTOSC").setDecimal(money("1.25"));
        register_.fieldByName("DATA_REALIZACJI").setDate(QDate(2024, 4, 1));
        register_.fieldByName("TRESC1").setString("tylko w pamięci");
        register_.post();
        EXPECT_EQ(register_.fieldByName("TRESC1").asString(), "tylko w pamięci") << "the row is not read again";
    }
    EXPECT_EQ(db.scalarText("select WARTOSC from PR_PRZELEWY where ID = 2"), "1.2500");
    EXPECT_EQ(db.scalarText("select cast(DATA_REALIZACJI as varchar(30)) from PR_PRZELEWY where ID = 2"),
              "2024-04-01 00:00:00.0000");
    EXPECT_EQ(db.scalarText("select TRESC1 || WN from PR_PRZELEWY where ID = 2"), "Zapłata FV/2cudzy");

    // The buffer no longer matches the stored row (a text kept only in memory, another user's WN): the
    // full update proves the row by what was read, finds none and writes nothing.
    const std::string invoice = db.scalarText("select NR_FAKTURY from PR_PRZELEWY where ID = 2");
    register_.edit();
    register_.fieldByName("NR_FAKTURY").setString("FV/2a");
    EXPECT_THROW(register_.post(), data::RowChanged);
    register_.cancel();
    EXPECT_EQ(db.scalarText("select NR_FAKTURY from PR_PRZELEWY where ID = 2"), invoice);
}

TEST_F(RegisterFixture, RewrittenRowsKeepTheirNeighbours) {
    register_.open();
    const char* numbers[] = {"FV/2 z bardzo długim numerem", "F", "FV/1/x"};
    for (int row = 0; row < 3; ++row) {
        register_.setRecNo(row);
        register_.edit();
        register_.fieldByName("NR_FAKTURY").setString(numbers[row]);
        register_.post();
    }
    for (int row = 0; row < 3; ++row) {
        Dataset::RowScope scope(register_, row);
        EXPECT_EQ(register_.fieldByName("NR_FAKTURY").asString(), numbers[row]);
        EXPECT_EQ(register_.fieldByName("KONTRAHENT_KONTO").asString().size(), 26);
    }
}

TEST_F(RegisterFixture, InsertAppendCancelAndDelete) {
    register_.open();
    register_.handlers().newRecord = [](Dataset& ds) { ds.fieldByName("WPROWADZONY").setInteger(1); };
    appendTransfer(10);
    register_.post();
    EXPECT_EQ(register_.recNo(), 3);
    EXPECT_EQ(register_.fieldByName("SYMBOL_NAZWA").asString(), "K1");
    EXPECT_EQ(db.scalarCents("select WPROWADZONY from PR_PRZELEWY where ID = 10"), 1);

    register_.first();
    register_.insert();
    register_.cancel();
    EXPECT_EQ(currentId(), 3);
    register_.last();
    register_.remove();
    EXPECT_EQ(register_.recordCount(), 3);
    EXPECT_EQ(db.scalarCents("select count(*) from PR_PRZELEWY where ID = 10"), 0);
    // Without a delete statement the row is not dropped from view as if deleted.
    register_.setDeleteSql("");
    EXPECT_THROW(register_.remove(), std::logic_error);
    EXPECT_EQ(register_.recordCount(), 3);
}

TEST_F(RegisterFixture, FailedPostKeepsTheEditAndItsValues) {
    register_.open();
    register_.append();
    register_.fieldByName("ID").setInteger(1);  // taken
    register_.fieldByName("NR_FAKTURY").setString("DUPLIKAT");
    EXPECT_THROW(register_.post(), fb::Error);
    EXPECT_EQ(register_.state(), Dataset::State::Insert);
    EXPECT_EQ(register_.fieldByName("NR_FAKTURY").asString(), "DUPLIKAT");
    register_.cancel();
    EXPECT_EQ(register_.recordCount(), 3);

    register_.edit();
    register_.fieldByName("ID").clear();  // NOT NULL
    EXPECT_THROW(register_.post(), fb::Error);
    EXPECT_EQ(register_.state(), Dataset::State::Edit);
    // Moving would post again: it fails the same way and the row stays.
    EXPECT_THROW(register_.next(), fb::Error);
    EXPECT_EQ(register_.recNo(), 0);
    register_.cancel();
    EXPECT_EQ(currentId(), 3);
}

TEST_F(RegisterFixture, MoneyRoundTripsExactly) {
    register_.open();
    const char* amounts[] = {"1234.5678", "-0.005", "92233720368547.7580"};
    for (int i = 0; i < 3; ++i) {
        appendTransfer(101 + i);
        register_.fieldByName("WARTOSC").setDecimal(money(amounts[i]));
        register_.fieldByName("WARTOSC_CALA").setText(QString(amounts[i]).replace('.', ','));
        register_.post();
    }
    register_.close();
    register_.open();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(register_.locate("ID", 101 + i));
        EXPECT_EQ(register_.fieldByName("WARTOSC").asDecimal(), money(amounts[i])) << amounts[i];
        EXPECT_EQ(register_.fieldByName("WARTOSC_CALA").asDecimal(), money(amounts[i])) << amounts[i];
    }
    EXPECT_EQ(db.scalarText("select WARTOSC from PR_PRZELEWY where ID = 102"), "-0.0050");

    // Fields are written only while editing the current row; bad text is refused, an empty one is null.
    Field& amount = register_.fieldByName("WARTOSC");
    EXPECT_THROW(amount.setDouble(1), std::logic_error);
    register_.edit();
    EXPECT_THROW(amount.setText("12x"), std::invalid_argument);
    {
        Dataset::RowScope other(register_, 1);
        EXPECT_THROW(amount.setText("1"), std::logic_error);
    }
    amount.setText("");
    EXPECT_TRUE(amount.isNull());
    register_.cancel();
}

TEST_F(RegisterFixture, DisplayTexts) {
    register_.declareField("WARTOSC").setDisplayFormat("### ### ##0.00");
    register_.open();
    EXPECT_EQ(register_.fieldByName("WARTOSC").displayText(), "1 234,57");
    register_.fieldByName("NR_FAKTURY").setGetText([](const Field& f, bool forDisplay) {
        return forDisplay ? "Nr " + f.asString() : f.asString();
    });
    EXPECT_EQ(register_.fieldByName("NR_FAKTURY").displayText() + register_.fieldByName("NR_FAKTURY").text(),
              "Nr FV/3FV/3");
    // Set-up made before the open survives reopening with new text; a declared field must be selected.
    register_.setSqlLine(TDMP::kLiniaPorzadku, "a.ID ASC");
    register_.open();
    EXPECT_EQ(register_.fieldByName("WARTOSC").displayText(), "100,00");
    register_.setSql({"select ID from PR_PRZELEWY"});
    EXPECT_THROW(register_.open(), std::invalid_argument);
    EXPECT_FALSE(register_.isActive());
}

// Calculated once per row read, and while editing from the edited values.
TEST_F(RegisterFixture, CalculatedFieldsFollowTheRowBeingRead) {
    register_.addCalculatedField("INNA_KWOTA_cal", FieldType::String, 3);
    int calculations = 0;
    register_.handlers().calcFields = [&](Dataset& ds) {
        ++calculations;
        const bool other = ds["WARTOSC"].asDecimal().units != ds["WARTOSC_CALA"].asDecimal().units;
        ds["INNA_KWOTA_cal"].setString(other ? "-->" : "   ");
    };
    register_.open();
    Field& mark = register_.fieldByName("INNA_KWOTA_CAL");
    EXPECT_EQ(mark.asString() + mark.asString(), "      ");
    EXPECT_EQ(calculations, 1);  // once per row, not once per read
    register_.edit();
    register_.fieldByName("WARTOSC").setDecimal(money("1"));
    EXPECT_EQ(mark.asString(), "-->");
    register_.cancel();
}

// The source is read where it stands and does not move.
TEST_F(RegisterFixture, LookupFieldsReadAnotherDataset) {
    Dataset accounts;
    accounts.setSql({"select * from ET_BANK_KONTO"});
    accounts.setTransaction(&db.transaction());
    register_.addLookupField("BANK_look", FieldType::String, 40, "ID_KONTA_BANK", &accounts, "ID", "NAZWA");
    register_.open();
    accounts.open();
    accounts.last();
    EXPECT_TRUE(register_.locate("BANK_look", "Bank B"));
    EXPECT_EQ(currentId(), 2);
    EXPECT_EQ(accounts.recNo(), 1);
}

TEST_F(RegisterFixture, SpliceOfAQuotedTextNeverBreaksTheStatement) {
    db.exec("update PR_PRZELEWY set NR_FAKTURY = 'FV''1 or 1=1 --' where ID = 1");
    register_.setSqlLine(TDMP::kLiniaWarunku, "and a.NR_FAKTURY = " + data::sqlQuote("FV'1 or 1=1 --"));
    register_.open();
    ASSERT_EQ(register_.recordCount(), 1);
    EXPECT_EQ(currentId(), 1);
}

// Handlers and signals run on every move; views detached over a walk resync once at the end.
TEST_F(RegisterFixture, NotificationsAndDetachedViews) {
    QSignalSpy scrolls(&register_, &Dataset::afterScroll);
    QSignalSpy resyncs(&register_, &Dataset::resynced);
    int handlerScrolls = 0;
    register_.handlers().afterScroll = [&](Dataset&) { ++handlerScrolls; };
    register_.handlers().afterOpen = [](Dataset& ds) { ds.last(); };
    register_.open();
    EXPECT_EQ(register_.recNo(), 2);
    register_.disableControls();
    register_.first();
    register_.enableControls();
    EXPECT_EQ(scrolls.count(), 2);  // the open itself and the move to the last row
    EXPECT_EQ(handlerScrolls, 3);  // handlers run regardless
    EXPECT_EQ(resyncs.count(), 1);
}
