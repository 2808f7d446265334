#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBase.h"
#include "support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QTimer>

#include <gtest/gtest.h>

class TfrmProbe;
inline TfrmProbe* frmProbe = nullptr;

class TfrmProbe : public ui::Form<TfrmProbe, frmProbe> {
    Q_OBJECT
public:
    using Form::Form;
    int activations = 0;
    int closes = 0;
    bool allowClose = true;
    std::vector<std::string> failed;  // operations handed to onHandlerFailed
    bool recoveryFails = false;

protected:
    void onActivate() override { ++activations; }
    void onHandlerFailed(const char* operation) override {
        failed.emplace_back(operation);
        if (recoveryFails) throw std::runtime_error("odczyt nieudany");
    }
    bool onCloseQuery() override { return allowClose; }
    void onClose() override { ++closes; }
};

namespace {

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Each case runs with top-level windows and inside a registered MDI area.
class FormBaseTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        area.show();
        ui::setMdiArea(GetParam() ? &area : nullptr);
    }
    void TearDown() override {
        ui::setMdiArea(nullptr);
        flushDeletes();
    }
    QMdiArea area;
};

}  // namespace

TEST_P(FormBaseTest, ChildDisablesOwnerUntilItCloses) {
    auto* owner = new TfrmProbe(nullptr);
    owner->showWindow();
    auto* child = new ui::FormBase(owner);
    owner->openChild(child);
    EXPECT_TRUE(!owner->isEnabled() && child->isEnabled());  // the owner is not the child's Qt parent

    const int before = owner->activations;
    child->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(owner->isEnabled());
    EXPECT_EQ(owner->activations, before + 1);  // not again when the platform activates it too

    // A child destroyed without closing still gives its owner back.
    owner->openChild(child = new ui::FormBase(owner));
    delete child;
    EXPECT_TRUE(owner->isEnabled());
    owner->close();
}

TEST_P(FormBaseTest, InstancePointerLivesFromCreationToClose) {
    QPointer<TfrmProbe> form = new TfrmProbe(nullptr);
    EXPECT_EQ(frmProbe, form.data());
    form->showWindow();

    form->allowClose = false;
    EXPECT_TRUE(!form->close() && frmProbe == form.data());

    form->allowClose = true;
    EXPECT_TRUE(form->close());
    form->close();
    EXPECT_EQ(form->closes, 1);
    EXPECT_EQ(frmProbe, nullptr);  // already before the deferred delete: a new one may open at once
    flushDeletes();
    EXPECT_FALSE(form);
    EXPECT_TRUE(area.subWindowList().isEmpty());  // closing from code takes the MDI frame along
}

INSTANTIATE_TEST_SUITE_P(TopLevelAndMdi, FormBaseTest, ::testing::Bool());

TEST(FormBaseModal, ResultEndsTheRunAndTheOwnerIsActivated) {
    TfrmProbe owner(nullptr);
    QPointer<TfrmProbe> form = new TfrmProbe(&owner);
    QTimer::singleShot(0, form, [&] { form->setModalResult(ui::mrYes); });
    const int before = owner.activations;
    EXPECT_EQ(ui::dialogs().runModal(*form), ui::mrYes);
    EXPECT_EQ(owner.activations, before + 1);  // where a chooser's ID is picked up
    flushDeletes();
    EXPECT_FALSE(form);
}

TEST(FormBaseHandler, AFailureIsShownWithTheWindowAndTheOperationThenHandedToTheWindow) {
    pxtest::ScopedDialogs dialogs;
    TfrmProbe form(nullptr);
    form.setObjectName(QStringLiteral("frmProbe"));
    const auto fails = [](const char* why) { return [why] { throw std::runtime_error(why); }; };

    EXPECT_TRUE(form.runHandler("btnOKClick", [] {}) && form.failed.empty());

    dialogs->expectShowMessage(QStringLiteral("frmProbe->btnOKClick() \n\nbrak połączenia"));
    EXPECT_FALSE(form.runHandler("btnOKClick", fails("brak połączenia")));
    EXPECT_EQ(std::vector<std::string>{"btnOKClick"}, form.failed);

    // Showing the database again may fail too: reported, never thrown into the event loop.
    form.recoveryFails = true;
    dialogs->expectShowMessage(QStringLiteral("frmProbe->btnUsunClick() \n\nblokada"));
    dialogs->expectShowMessage(QStringLiteral("frmProbe->btnUsunClick() \n\nodczyt nieudany"));
    EXPECT_FALSE(form.runHandler("btnUsunClick", fails("blokada")));
}

#include "FormBaseTest.moc"
