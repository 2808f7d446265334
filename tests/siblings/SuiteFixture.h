#pragma once
// A fresh demo database with the four sibling modules brought up on it,
// scripted dialogs, and an owner window that records what choosers hand back.

#include "platform/ui/FormBase.h"
#include "siblings/core/ChooserWindow.h"
#include "siblings/core/Suite.h"
#include "siblings/core/TdmMain.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <QCoreApplication>

namespace pxtest {

class OwnerProbe : public ui::FormBase {
public:
    OwnerProbe() : FormBase(nullptr) { setAttribute(Qt::WA_DeleteOnClose, false); }
    int activations = 0;
    int tagWhenActivated = -1;

protected:
    void onActivate() override {
        ++activations;
        tagWhenActivated = tag();
    }
};

// A modal-run driver that picks the listed row with that key and presses "Wybierz".
inline ScriptedDialogs::Driver chooseRow(int key) {
    return [key](QWidget& w) {
        auto& chooser = dynamic_cast<siblings::ChooserWindow&>(w);
        EXPECT_TRUE(chooser.locateKey(key));
        chooser.choose();
        return int(ui::mrOk);
    };
}

class SuiteTest : public ::testing::Test {
protected:
    explicit SuiteTest(QString user = QStringLiteral("ADMIN")) : suite(db.params(), std::move(user)) {}
    ~SuiteTest() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    TestDatabase db;
    siblings::Suite suite;  // after db: it detaches before the database is dropped
    ScopedDialogs dialogs;
    OwnerProbe owner;
};

}  // namespace pxtest
