#pragma once

#include <string>

// Converts the eighteen Polish letters of an 8-bit text between code pages:
// 11 ISO 8859-2, 12 Windows-1250, 101 Mazovia, 102 DOS 852; any other code
// stands for plain Latin letters (Ź and Ż both become Z, so folding is one-way).
// Only single bytes are replaced; the length never changes.
std::string sZamienZnakiPL(std::string text, int source, int target);
