#pragma once
// A gbak-format backup of a suite database taken through the service manager
// of the engine that holds the file: the embedded one for a local path, the
// server's for host:path (the file is then written on the server).

#include "platform/fb/Fb.h"

#include <QDateTime>
#include <string>

namespace suitedb {

// The backup's name next to the database: demo.fdb -> demo-20261207-054012.fbk
// (with the same server prefix for a database on a server).
std::string backupPathFor(const std::string& database, const QDateTime& when);

// Writes the backup; throws fb::Error with the engine's words when it cannot.
void backupDatabase(const fb::ConnectParams& params, const std::string& backupFile);

}  // namespace suitedb
