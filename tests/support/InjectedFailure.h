#pragma once
// Writes that fail inside the database, the way a constraint, another
// module's trigger or a lost connection makes them fail in use: a trigger on
// each chosen table raises TEST_AWARIA for the row a session asks for, and a
// commit trigger refuses the commit of an armed session. Arming is session
// state, outside every transaction, so undoing the work never disarms it.

#include "support/TestDatabase.h"

#include <initializer_list>
#include <string>

namespace pxtest {

// Before the code under test connects: the exception and the triggers.
void installFailures(TestDatabase& db, std::initializer_list<const char*> tables);

// While it lives, the attachment of `tr` fails to write the row with that ID
// of the table (0: any row of it), or, with the table "COMMIT", to commit.
class InjectedFailure {
public:
    InjectedFailure(fb::Transaction& tr, const std::string& table, std::int64_t id = 0);
    ~InjectedFailure();
    InjectedFailure(const InjectedFailure&) = delete;
    InjectedFailure& operator=(const InjectedFailure&) = delete;

    static constexpr const char* kCommit = "COMMIT";

private:
    fb::Transaction& m_tr;
    std::string m_name;
};

// Every row of the table as text in key order, read in the transaction, so
// that what it wrote and did not undo shows.
std::string tableRows(fb::Transaction& tr, const std::string& table);

}  // namespace pxtest
