#pragma once
// What a text column of the database can hold: Windows-1250 characters only,
// up to the column's width. Text typed or passed in is checked here before it
// reaches a statement, so the user reads why instead of an engine error.

#include <QString>

namespace text {

// The position of the first character Windows-1250 has no form for (the C1
// controls included), or -1 when every character has one.
qsizetype firstOutsideCp1250(const QString& text);

// Why the text cannot be stored in a column of `maxChars` characters (0: any
// width), in Polish; empty when it can. `what` names the field for the user
// and may be empty.
QString storageRefusal(const QString& text, int maxChars, const QString& what = {});

}  // namespace text
