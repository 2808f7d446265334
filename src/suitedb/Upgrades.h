#pragma once
// Layout changes of the suite database after its first release: numbered
// scripts (db/upgrades/NNN_name.sql, compiled in), each safe to run twice and
// applied in one transaction together with its row in SU_AKTUALIZACJE.

#include "platform/fb/Fb.h"

#include <QString>
#include <string>
#include <vector>

namespace suitedb {

struct Upgrade {
    int number = 0;
    std::string name;  // the file name without the number and extension
    QString description;  // the script's first comment line, shown to the user
    std::string script;
};

// Every compiled-in upgrade, by number. Throws fb::Error when two scripts
// share a number or a script commits on its own (it would not roll back whole).
const std::vector<Upgrade>& knownUpgrades();
// Reads one script; `fileName` is NNN_name.sql.
Upgrade parseUpgrade(const QString& fileName, std::string script);

struct LayoutState {
    std::vector<Upgrade> pending;  // known upgrades not recorded, by number
    int newestApplied = 0;  // the highest number recorded (0: none, or no table)
    int newestKnown = 0;  // the highest number the program has
    bool newerThanProgram() const { return newestApplied > newestKnown; }
};

// What the database has applied compared with `known`. A database older than
// the table of upgrades has everything pending.
LayoutState layoutState(fb::Attachment& att, const std::vector<Upgrade>& known = knownUpgrades());

// Creates SU_AKTUALIZACJE when it is missing (a database of the first layout).
void createUpgradeTable(fb::Attachment& att);

// Runs the script and records it in one transaction: on failure nothing of it stays.
void applyUpgrade(fb::Attachment& att, const Upgrade& upgrade);

// Marks every known upgrade as applied (a database made from today's scripts).
void recordAllApplied(fb::Attachment& att);

}  // namespace suitedb
