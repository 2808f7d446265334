#include "platform/controls/DBEdit.h"
#include "platform/controls/DBLookupComboBox.h"
#include "platform/controls/DBMemo.h"
#include "platform/controls/EntryForm.h"
#include "platform/data/RegisterFixture.h"
#include "support/ScriptedDialogs.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using data::Dataset;

namespace {

// A form over the register dataset of RegisterFixture, shown and active so
// that the focus moves as it does for the user.
class ControlsTest : public RegisterFixture {
protected:
    void SetUp() override {
        register_.declareField("WARTOSC").setDisplayFormat("### ### ##0.00");
        register_.declareField("TERMIN_ZAPLATY").setEditMask("9999-99-99;1;_");
        register_.open();  // current row: FV/3, 1234.5678, due 2024-03-20
        accounts.setTransaction(&db.transaction());
        accounts.setSql({"select ID, KONTO, NAZWA from ET_BANK_KONTO order by ID"});

        auto* layout = new QVBoxLayout(&form);
        for (QWidget* w : std::initializer_list<QWidget*>{number, amount, due, title, account, button})
            layout->addWidget(w);
        number->setDataField(&register_, "NR_FAKTURY");
        amount->setDataField(&register_, "WARTOSC");
        due->setDataField(&register_, "TERMIN_ZAPLATY");
        title->setDataField(&register_, "TRESC1");
        account->setDataField(&register_, "ID_KONTA_BANK");
        account->setListSource(&accounts, "ID", "KONTO;NAZWA");
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    pxtest::ScopedDialogs dialogs;
    Dataset accounts;
    QWidget form;
    ui::DBEdit* number = new ui::DBEdit;
    ui::DBEdit* amount = new ui::DBEdit;
    ui::DBEdit* due = new ui::DBEdit;
    ui::DBMemo* title = new ui::DBMemo;
    ui::DBLookupComboBox* account = new ui::DBLookupComboBox;
    QPushButton* button = new QPushButton("OK");
};

}  // namespace

TEST_F(ControlsTest, EditsShowTheRowTypingEditsItAndLeavingWritesIt) {
    EXPECT_EQ(number->text() + "|" + amount->text() + "|" + due->text(), "FV/3|1 234,57|2024-03-20");
    QSignalSpy exits(number, &ui::DBEdit::exited);
    number->setUpperCase(true);
    number->setFocus();
    number->selectAll();
    QTest::keyClicks(number, "fv/9");
    EXPECT_EQ(register_.state(), Dataset::State::Edit);
    // Entering edit state did not wipe what was typed; the field gets it on leaving.
    EXPECT_EQ(number->text() + "|" + register_.fieldByName("NR_FAKTURY").asString(), "FV/9|FV/3");
    amount->setFocus();
    EXPECT_EQ(amount->text(), "1234,5678");  // the editor text while focused
    EXPECT_EQ(register_.fieldByName("NR_FAKTURY").asString(), "FV/9");
    EXPECT_EQ(exits.count(), 1);

    // An emptied edit leaves the field null, not an empty text; a masked date is read whole.
    amount->selectAll();
    QTest::keyClick(amount, Qt::Key_Delete);
    due->setFocus();
    EXPECT_TRUE(register_.fieldByName("WARTOSC").isNull());
    due->setCursorPosition(0);
    QTest::keyClicks(due, "20250115");
    number->setFocus();
    EXPECT_EQ(register_.fieldByName("TERMIN_ZAPLATY").asDateTime(), QDateTime(QDate(2025, 1, 15), QTime(0, 0)));
    register_.cancel();
    register_.next();
    EXPECT_EQ(title->toPlainText(), "Zapłata FV/2");
    register_.close();
    EXPECT_TRUE(number->text().isEmpty() && number->isReadOnly());
}

TEST_F(ControlsTest, ApplyEditsWritesWhatTheFocusedControlHoldsOrRefusesIt) {
    QSignalSpy exits(title, &ui::DBMemo::exited);
    title->setFocus();
    title->moveCursor(QTextCursor::End);
    QTest::keyClicks(title, " pilne");
    EXPECT_TRUE(ui::applyEdits(form));
    EXPECT_EQ(register_.fieldByName("TRESC1").asString(), "Zapłata FV/3 pilne");
    EXPECT_EQ(exits.count(), 1);

    // A month 13 is refused with the reason; the text stays for correcting.
    dialogs->expectMessage("nie jest poprawną datą", ui::Answer::Ok);
    due->setFocus();
    due->setCursorPosition(0);
    QTest::keyClicks(due, "20251315");
    EXPECT_FALSE(ui::applyEdits(form));
    EXPECT_TRUE(due->hasPendingEdit());
    EXPECT_EQ(register_.fieldByName("TERMIN_ZAPLATY").asDate(), QDate(2024, 3, 20));
}

TEST_F(ControlsTest, LookupShowsTheKeysRowAndWritesThePickedKey) {
    accounts.open();
    EXPECT_EQ(account->currentText(), "11222233334444555566667777");
    register_.next();  // FV/2, account 12
    EXPECT_EQ(account->currentIndex(), 1);
    EXPECT_EQ(accounts.fieldByName("ID").asInteger(), 12);  // the list follows the key

    account->setFocus();
    QTest::keyClick(account, Qt::Key_Up);
    EXPECT_EQ(register_.fieldByName("ID_KONTA_BANK").asInteger(), 11);
}

TEST_F(ControlsTest, EnterMovesToTheNextFieldButPressesButtons) {
    ui::enterMovesFocus(form);
    number->setFocus();
    QTest::keyClick(number, Qt::Key_Return);
    EXPECT_TRUE(amount->hasFocus());

    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_TRUE(button->hasFocus());
}

// What the column cannot hold never reaches a statement: typing stops at the
// column's width, a character outside Windows-1250 is refused with the reason
// and stays for correcting; the memo alike.
TEST_F(ControlsTest, TextTheColumnCannotHoldIsCappedOrRefused) {
    number->setFocus();
    number->selectAll();
    QTest::keyClicks(number, QString(40, u'7'));
    EXPECT_EQ(number->text(), QString(30, u'7')) << "NR_FAKTURY holds 30 characters";

    number->selectAll();
    for (const QChar c : QStringLiteral("Счёт"))
        QTest::sendKeyEvent(QTest::Click, number, Qt::Key_unknown, QString(c), Qt::NoModifier);
    dialogs->expectMessage("zawiera znak „С”", ui::Answer::Ok);
    EXPECT_FALSE(ui::applyEdits(form));
    EXPECT_EQ(number->text() + "|" + register_.fieldByName("NR_FAKTURY").asString(), "Счёт|FV/3");
    register_.cancel();

    // A pasted title of 64 KiB is cut to the column's 120 characters.
    title->setFocus();
    title->selectAll();
    title->insertPlainText(QString(70000, u'a'));
    EXPECT_EQ(title->toPlainText().size(), 120);
    title->moveCursor(QTextCursor::Start);
    title->textCursor().deleteChar();
    title->insertPlainText(QStringLiteral("\U0001F600"));
    dialogs->expectMessage("zawiera znak „\U0001F600”", ui::Answer::Ok);
    EXPECT_FALSE(title->finishEdit());
    EXPECT_EQ(register_.fieldByName("TRESC1").asString(), "Zapłata FV/3");
    register_.cancel();
}
