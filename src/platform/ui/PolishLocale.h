#pragma once

class QCoreApplication;

namespace ui {

// Makes the program Polish throughout: dates, numbers, day and month names
// (calendars included) and the texts of Qt's own dialogs and buttons. False
// when Qt's Polish translations are not installed; the locale is set anyway.
bool usePolish(QCoreApplication& app);

} // namespace ui
