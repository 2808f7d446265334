#pragma once

#include "PageStore.h"
#include "Report.h"

class QPrinter;

namespace rpt {

// Prints the pages in the settings' range, each copy whole before the next, on
// the printer (or the printer's output file when it has one). Throws
// std::runtime_error with a message for the user.
void printPages(const PageStore& pages, QPrinter& printer, const PrintSettings& settings);

// Prepares the report afresh and prints it with its own settings.
void printReport(Report& report, QPrinter& printer);

} // namespace rpt
