#pragma once
// What the benchmarks that drive the module's windows share: a database file
// as connection parameters, and a dialog service that answers by itself.

#include "platform/fb/Fb.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBase.h"

#include <QString>
#include <cstdio>
#include <limits>

namespace bench {

inline fb::ConnectParams paramsFor(const QString& path) {
    fb::ConnectParams p;
    p.database = path.toStdString();
    return p;
}

// Answers a question Yes when `agree` (else OK) and every message OK; no file,
// folder, printer or modal window is chosen. Counts the messages and prints
// the first `printed` of them, one line each.
class CountingDialogs final : public ui::Dialogs {
public:
    explicit CountingDialogs(bool agree, int printed = std::numeric_limits<int>::max())
        : m_agree(agree), m_printed(printed) {}

    int messages = 0;

    ui::Answer message(const QString& text, const QString&, ui::Buttons buttons, ui::Icon) override {
        note(text);
        const bool question = buttons == ui::Buttons::YesNo || buttons == ui::Buttons::YesNoCancel;
        return m_agree && question ? ui::Answer::Yes : ui::Answer::Ok;
    }
    void showMessage(const QString& text) override { note(text); }
    int runModal(QWidget&) override { return ui::mrCancel; }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString folder(const QString&, const QString&) override { return {}; }
    bool print(QPrinter&) override { return false; }
    void beep() override {}

private:
    void note(const QString& text) {
        if (++messages <= m_printed)
            std::printf("  message: %s\n", qPrintable(text.left(100).replace(QLatin1Char('\n'), QLatin1Char(' '))));
    }

    bool m_agree;
    int m_printed;
};

}  // namespace bench
