#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// The Qt service itself, as the user meets it: a real message box answered by a key press.
TEST(QtDialogs, LettersAnswerTheQuestionBoxes) {
    const auto ask = [](ui::Buttons buttons, Qt::Key key) {
        QTimer::singleShot(0, [key] {
            if (QWidget* box = QApplication::activeModalWidget()) QTest::keyClick(box, key);
        });
        return ui::dialogs().message(QStringLiteral("Zapisać zmiany?"), QStringLiteral("Przelewy"), buttons,
                                     ui::Icon::Question);
    };
    EXPECT_EQ(ask(ui::Buttons::YesNo, Qt::Key_T), ui::Answer::Yes);
    EXPECT_EQ(ask(ui::Buttons::YesNoCancel, Qt::Key_N), ui::Answer::No);
    EXPECT_EQ(ask(ui::Buttons::YesNoCancel, Qt::Key_A), ui::Answer::Cancel);
    // Enter takes the default, the first answer.
    EXPECT_EQ(ask(ui::Buttons::YesNoCancel, Qt::Key_Return), ui::Answer::Yes);
}
