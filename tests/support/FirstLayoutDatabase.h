#pragma once
// A database of the first released layout with the demo data of then, made
// from the scripts kept in tests/suitedb/fixtures/first-layout (through a
// per-process template copy), for the upgrade tests. Embedded engine only.

#include "platform/fb/Fb.h"

#include <QString>
#include <QTemporaryDir>
#include <string>

namespace pxtest {

class FirstLayoutDatabase {
public:
    FirstLayoutDatabase();
    FirstLayoutDatabase(const FirstLayoutDatabase&) = delete;
    FirstLayoutDatabase& operator=(const FirstLayoutDatabase&) = delete;

    const std::string& path() const { return m_path; }
    QString folder() const { return m_dir.path(); }
    fb::ConnectParams params() const { return {m_path}; }

private:
    QTemporaryDir m_dir;
    std::string m_path;
};

}  // namespace pxtest
