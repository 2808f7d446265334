#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBase.h"
#include "support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
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
    EXPECT_FALSE(owner->isEnabled());
    EXPECT_TRUE(child->isEnabled());  // the owner is not the child's Qt parent

    const int before = owner->activations;
    child->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(owner->isEnabled());
    EXPECT_EQ(owner->activations, before + 1);  // not again when the platform activates it too

    child = new ui::FormBase(owner);
    owner->openChild(child, false);
    child->close();
    EXPECT_FALSE(owner->isEnabled());
    EXPECT_EQ(owner->activations, before + 1);

    // A child destroyed without closing still gives its owner back.
    owner->setEnabled(true);
    owner->openChild(child = new ui::FormBase(owner));
    delete child;
    EXPECT_TRUE(owner->isEnabled());
    owner->close();
}

TEST_P(FormBaseTest, InstancePointerLivesFromCreationToClose) {
    QPointer<TfrmProbe> form = new TfrmProbe(nullptr);
    EXPECT_EQ(frmProbe, form.data());
    form->showWindow();
    form->showWindow();  // showing again only brings it to front
    EXPECT_EQ(area.subWindowList().size(), GetParam() ? 1 : 0);

    form->allowClose = false;
    EXPECT_FALSE(form->close());
    EXPECT_EQ(frmProbe, form.data());

    form->allowClose = true;
    EXPECT_TRUE(form->close());
    form->close();
    EXPECT_EQ(form->closes, 1);
    EXPECT_EQ(frmProbe, nullptr);  // already before the deferred delete: a new one may open at once
    flushDeletes();
    EXPECT_FALSE(form);
    EXPECT_TRUE(area.subWindowList().isEmpty());  // closing from code takes the MDI frame along
}

// The window as the user sees it, in screen coordinates.
QRect onScreen(QWidget& window) {
    QWidget* frame = qobject_cast<QMdiSubWindow*>(window.parentWidget());
    if (!frame) frame = &window;
    return {frame->mapToGlobal(QPoint()), frame->size()};
}

TEST_P(FormBaseTest, ChildrenOpenCentredOnTheirOwner) {
    area.resize(1000, 700);
    auto* owner = new TfrmProbe(nullptr);
    owner->resize(500, 360);
    owner->showWindow();
    QWidget* ownerFrame = GetParam() ? static_cast<QWidget*>(owner->parentWidget()) : owner;
    ownerFrame->move(300, 200);
    auto* child = new ui::FormBase(owner);
    child->resize(200, 120);
    owner->openChild(child);
    const QPoint off = onScreen(*child).center() - onScreen(*owner).center();
    EXPECT_LE(off.manhattanLength(), 4) << off.x() << "," << off.y();
    child->close();

    // One that would stick out of the area stays inside it.
    if (GetParam()) {
        ownerFrame->move(700, 500);
        child = new ui::FormBase(owner);
        child->resize(400, 300);
        owner->openChild(child);
        const QRect inArea(area.viewport()->mapFromGlobal(onScreen(*child).topLeft()), onScreen(*child).size());
        EXPECT_TRUE(area.viewport()->rect().contains(inArea)) << inArea.x() << "," << inArea.y();
        child->close();
    }
    owner->close();
}

INSTANTIATE_TEST_SUITE_P(TopLevelAndMdi, FormBaseTest, ::testing::Bool());

TEST(FormBaseModal, ResultEndsTheRunAndTheOwnerIsActivated) {
    TfrmProbe owner(nullptr);
    QPointer<TfrmProbe> form = new TfrmProbe(&owner);
    form->allowClose = false;
    QTimer::singleShot(0, form, [&] {
        form->setModalResult(ui::mrOk);
        EXPECT_TRUE(form->isVisible());  // refused: the run goes on
        EXPECT_EQ(form->modalResult(), ui::mrNone);
        form->allowClose = true;
        form->setModalResult(ui::mrYes);
    });
    const int before = owner.activations;
    EXPECT_EQ(ui::dialogs().runModal(*form), ui::mrYes);
    EXPECT_EQ(owner.activations, before + 1);  // where a chooser's ID is picked up
    flushDeletes();
    EXPECT_FALSE(form);

    // It opens centred on its owner.
    owner.setGeometry(250, 150, 600, 400);
    owner.show();
    form = new TfrmProbe(&owner);
    form->resize(240, 100);
    QTimer::singleShot(0, form, [&] {
        EXPECT_LE((form->geometry().center() - owner.geometry().center()).manhattanLength(), 4);
        form->close();
    });
    EXPECT_EQ(ui::dialogs().runModal(*form), ui::mrCancel);  // closed without a result
    flushDeletes();
}

TEST(FormBaseHandler, AFailureIsShownWithTheWindowAndTheOperationThenHandedToTheWindow) {
    pxtest::ScopedDialogs dialogs;
    TfrmProbe form(nullptr);
    form.setObjectName(QStringLiteral("frmProbe"));
    const auto fails = [](const char* why) { return [why] { throw std::runtime_error(why); }; };

    EXPECT_TRUE(form.runHandler("btnOKClick", [] {}));
    EXPECT_TRUE(form.failed.empty());

    dialogs->expectShowMessage(QStringLiteral("frmProbe->btnOKClick() \n\nbrak połączenia"));
    EXPECT_FALSE(form.runHandler("btnOKClick", fails("brak połączenia")));
    EXPECT_EQ(QStringLiteral("frmProbe->btnOKClick() \n\nbrak połączenia"), dialogs->shown().back().text);
    EXPECT_EQ(std::vector<std::string>{"btnOKClick"}, form.failed);

    // A window whose users know the failure by its own message shows only that.
    std::string reported;
    EXPECT_FALSE(form.runHandler("bZapisz", fails("konflikt"), [&](const std::exception& e) { reported = e.what(); }));
    EXPECT_EQ("konflikt", reported);
    EXPECT_EQ(1u, dialogs->shown().size());
    EXPECT_EQ("bZapisz", form.failed.back());

    // Showing the database again may fail too: reported, never thrown into the event loop.
    form.recoveryFails = true;
    dialogs->expectShowMessage(QStringLiteral("frmProbe->btnUsunClick() \n\nblokada"));
    dialogs->expectShowMessage(QStringLiteral("frmProbe->btnUsunClick() \n\nodczyt nieudany"));
    EXPECT_FALSE(form.runHandler("btnUsunClick", fails("blokada")));
}

#include "FormBaseTest.moc"
