#pragma once

#include <QString>

#include <string>
#include <string_view>

// Windows-1250 is used only where files leave or enter the program (bank files,
// import files); everything inside is UTF-16 QString or UTF-8 std::string.
namespace text {

// Characters without a Windows-1250 form become '?'.
std::string toCp1250(const QString& text);
// Whether the character has a Windows-1250 form (a lone surrogate has none).
bool hasCp1250(char16_t c);
// Every byte has a meaning: the five bytes Windows-1250 leaves unassigned map to
// the C1 control of the same value, so reading and writing back keeps them.
QString fromCp1250(std::string_view bytes);

std::string utf8ToCp1250(std::string_view utf8);
std::string cp1250ToUtf8(std::string_view bytes);

} // namespace text
