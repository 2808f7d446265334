#pragma once
// Runs isql-style SQL scripts through the Firebird layer: statements end with
// the current terminator (changed by SET TERM), comments are skipped, COMMIT
// commits, and data definition is committed at once so later statements of
// the same script can use what it defined.

#include "platform/fb/Fb.h"

#include <string>
#include <string_view>
#include <vector>

namespace suitedb {

// Splits a script into statements, without comments and terminators.
// SET TERM lines are consumed here and do not appear in the result.
std::vector<std::string> splitScript(std::string_view script);

// Runs every statement of the script; on failure the current transaction is
// rolled back and fb::Error carries the statement's opening words.
void runScript(fb::Attachment& att, std::string_view script);

}  // namespace suitedb
