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
    std::int64_t committedInt(const std::string& sql) {
        db.transaction().commitRetaining();
        return db.scalarInt(sql);
    }
    // Reads inside the shared transaction: sees what the module wrote but did not commit.
    std::int64_t sharedInt(const std::string& sql) {
        auto v = fb::selectValue(dmMain->transaction(), sql);
        if (!v || fb::isNull(*v)) return 0;
        if (auto i = std::get_if<std::int64_t>(&*v)) return *i;
        if (auto d = std::get_if<fb::Decimal>(&*v)) return d->rescaled(2).units;
        return 0;
    }

    TestDatabase db;
    ScopedDialogs dialogs;
    std::unique_ptr<siblings::Suite> suite;
    std::unique_ptr<CPrzelew> module;
};

}  // namespace pxtest
