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
