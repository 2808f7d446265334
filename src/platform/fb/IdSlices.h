#pragma once
// Rows picked by a list of IDs of any length, through one prepared statement:
// long literal IN lists cost a parse each and are tried whole against every
// row they find.

#include "platform/fb/Fb.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fb {

// Runs "<head> in (?, ...) <tail>" a hundred IDs at a time, sorted and without
// repeats, each time with the extra parameters after the IDs, and hands every
// row found to `row`. The last slice repeats its first ID in the places left over.
void selectByIds(Transaction& tr, const std::string& head, std::vector<std::int64_t> ids, const std::string& tail,
                 const std::vector<Value>& extra, const std::function<void(Cursor&)>& row);

}  // namespace fb
