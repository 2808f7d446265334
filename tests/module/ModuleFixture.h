#pragma once
// The module brought up the way the host does it, on a fresh demo database:
// the sibling stand-ins on their shared connection, CPrzelew with its data
// module, and scripted dialogs that fail the test on anything unexpected.

#include "module/frame/CPrzelew.h"
#include "module/frame/TDMP.h"
#include "siblings/core/Suite.h"
#include "siblings/core/TdmMain.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <memory>

namespace pxtest {

class ModuleFixture : public ::testing::Test {
protected:
    void SetUp() override {
        suite = std::make_unique<siblings::Suite>(db.params());
        module = std::make_unique<CPrzelew>();
    }
    void TearDown() override {
        module.reset();
        suite.reset();
    }

    // Reads through the fixture's own attachment: sees only what the module committed.
    std::int64_t committedCents(const std::string& sql) {
        db.transaction().commitRetaining();
        return db.scalarCents(sql);
    }
    // Reads inside the shared transaction: sees what the module wrote but did not commit.
    std::int64_t sharedCents(const std::string& sql) { return scalarCents(dmMain->transaction(), sql); }

    TestDatabase db;
    ScopedDialogs dialogs;
    std::unique_ptr<siblings::Suite> suite;
    std::unique_ptr<CPrzelew> module;
};

}  // namespace pxtest
