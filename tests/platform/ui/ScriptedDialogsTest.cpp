#include "support/ScriptedDialogs.h"

#include "platform/ui/FormBase.h"

#include <QCoreApplication>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using pxtest::ScopedDialogs;
using ui::Answer;
using ui::Buttons;
using ui::Icon;

TEST(ScriptedDialogs, AnythingUnexpectedFailsAndGetsTheSafeAnswer) {
    ScopedDialogs dialogs;
    Answer answer = Answer::Yes;
    EXPECT_NONFATAL_FAILURE(
        answer = ui::dialogs().message(QStringLiteral("Kasować?"), {}, Buttons::YesNo, Icon::Question), "Kasować?");
    EXPECT_EQ(answer, Answer::No);

    // A mismatch keeps the expectation for the message it was meant for.
    dialogs->expectMessage(QStringLiteral("Zapisać"), Answer::Ok);
    EXPECT_NONFATAL_FAILURE(
        answer = ui::dialogs().message(QStringLiteral("Inny"), {}, Buttons::YesNoCancel, Icon::None), "Zapisać");
    EXPECT_EQ(answer, Answer::Cancel);
    EXPECT_EQ(ui::dialogs().message(QStringLiteral("Zapisać zmiany?"), {}, Buttons::OkCancel, Icon::None), Answer::Ok);
}

TEST(ScriptedDialogs, LeftoversFailAndThePreviousServiceComesBack) {
    ui::Dialogs* before = &ui::dialogs();
    {
        ScopedDialogs dialogs;
        dialogs->expectOpenFile(QStringLiteral("/tmp/x.txt"));
        EXPECT_NONFATAL_FAILURE(dialogs->verifyAllConsumed(), "open-file dialog");
    }
    EXPECT_EQ(&ui::dialogs(), before);
}

TEST(ScriptedDialogs, ModalRunIsDrivenAndAnUnexpectedOneIsCancelled) {
    ScopedDialogs dialogs;
    QPointer<ui::FormBase> window = new ui::FormBase(nullptr);
    dialogs->expectModal([](QWidget& w) {
        EXPECT_TRUE(w.isVisible() && w.isModal());
        return int(ui::mrOk);
    });
    EXPECT_EQ(ui::dialogs().runModal(*window), ui::mrOk);
    EXPECT_FALSE(window->isVisible());  // what the driver left open is closed

    QPointer<ui::FormBase> other = new ui::FormBase(nullptr);
    int result = ui::mrOk;
    EXPECT_NONFATAL_FAILURE(result = ui::dialogs().runModal(*other), "modal window");
    EXPECT_EQ(result, ui::mrCancel);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window || other);  // both freed themselves on close
}
