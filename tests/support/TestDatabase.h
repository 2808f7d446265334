#pragma once
// A fresh suite database for one test: created from the project's scripts
// (through a per-process template copy, so only the first costs a build),
// with its own data folder, dropped at the end.

#include "platform/fb/Fb.h"

#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>

namespace pxtest {

// The first column of the first row, for assertions: integers as they are,
// decimals (money) in cents, so 1234.5 reads 123450; 0 for no row or null.
std::int64_t scalarCents(fb::Transaction& tr, const std::string& sql);
// A value as text for assertions and table dumps; empty for null.
std::string valueText(const fb::Value& v);

// A database file made once per process under `name` by `make` (given the
// file's parameters and the template's data folder), copied into `dir` for
// one test; returns the copy's path.
using MakeTemplate = std::function<void(const fb::ConnectParams&, const QString& dataFolder)>;
std::string copyOfTemplate(const char* name, const MakeTemplate& make, const QString& dir,
                           QString* templateDataFolder = nullptr);

class TestDatabase {
public:
    explicit TestDatabase(bool withDemo = true);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const std::string& path() const { return m_path; }
    QString dataFolder() const { return m_dir.path() + "/dane"; }
    // Through the server named by PXFER_TEST_SERVER ("host/port") when it is
    // set, else the embedded engine.
    fb::ConnectParams params() const;
    fb::Attachment& attachment() { return *m_att; }
    fb::Transaction& transaction() { return *m_tr; }

    // Convenience for assertions: first column of the first row, as text, or
    // as scalarCents reads it, in the fixture's transaction.
    std::string scalarText(const std::string& sql) {
        return valueText(fb::selectValue(*m_tr, sql).value_or(fb::Value()));
    }
    std::int64_t scalarCents(const std::string& sql) { return pxtest::scalarCents(*m_tr, sql); }
    // Runs a statement in the fixture's transaction and commits it.
    void exec(const std::string& sql) {
        m_att->execute(*m_tr, sql);
        m_tr->commitRetaining();
    }

    // Detaches, so that another process can open the file (the embedded
    // engine holds it for one process), and attaches again.
    void release() {
        m_tr.reset();
        m_att->detach();
    }
    void reattach();

private:
    QTemporaryDir m_dir;
    std::string m_path;
    std::unique_ptr<fb::Attachment> m_att;
    std::unique_ptr<fb::Transaction> m_tr;
};

}  // namespace pxtest
