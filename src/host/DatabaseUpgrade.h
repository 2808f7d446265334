#pragma once
// Brings a database of an older layout up to the program's before anything
// opens it, and refuses one of a newer layout.

#include "platform/fb/Fb.h"
#include "suitedb/Upgrades.h"

#include <string>
#include <vector>

namespace host {

// Takes a backup to `backupFile` (asking whether to go on when it cannot),
// applies each missing upgrade in its own transaction and tells the user what
// was done. False, after telling the user why, when the database must not be
// opened: newer than the program, an upgrade failed, or no backup and the user
// would rather not go on.
bool upgradeDatabase(const fb::ConnectParams& params, const std::string& backupFile,
                     const std::vector<suitedb::Upgrade>& known = suitedb::knownUpgrades());

}  // namespace host
