// One user's issue in a process of its own, for the crash test to kill at any
// moment: the module started on the database given, the transfers marked in
// set 2 issued on the day given through the issuing window, every question
// answered yes. Prints "ready" once started and "done" when the batch, its
// bank file and its ledger document are all made. With PXFER_STOP_AT set, it
// prints "stopped" and waits to be killed at the first message holding that text.
//
//   pxissue_process DATABASE YYYY-MM-DD

#include "module/frame/CPrzelew.h"
#include "module/frame/TDMP.h"
#include "module/issuing/Wystawprzelewy.h"
#include "module/register/Zestawy.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/Suite.h"

#include <QApplication>
#include <QDateEdit>
#include <QPushButton>
#include <QThread>
#include <cstdio>

namespace {

// Yes to every question; the issuing window is driven as the user would.
class AgreeingDialogs final : public ui::Dialogs {
public:
    explicit AgreeingDialogs(QDate day) : m_day(day) {}
    ui::Answer message(const QString& text, const QString&, ui::Buttons buttons, ui::Icon) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        stopAt(text);
        return buttons == ui::Buttons::YesNo || buttons == ui::Buttons::YesNoCancel ? ui::Answer::Yes : ui::Answer::Ok;
    }
    void showMessage(const QString& text) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        stopAt(text);
    }
    int runModal(QWidget& window) override {
        auto& issuing = dynamic_cast<TfrmWystawPrzelewy&>(window);
        issuing.dtPrzelewu->setDate(m_day);
        DMP->queBanki.locate(QStringLiteral("ID"), 1);
        std::puts("issuing");
        std::fflush(stdout);
        issuing.btnWybierz->click();
        return issuing.modalResult();
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString folder(const QString&, const QString&) override { return {}; }
    bool print(QPrinter&) override { return false; }
    void beep() override {}

private:
    static void stopAt(const QString& text) {
        const QString at = qEnvironmentVariable("PXFER_STOP_AT");
        if (at.isEmpty() || !text.contains(at)) return;
        std::puts("stopped");
        std::fflush(stdout);
        for (;;) QThread::sleep(60);
    }

    QDate m_day;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DATABASE YYYY-MM-DD\n", argv[0]);
        return 2;
    }
    const QDate day = QDate::fromString(QString::fromLocal8Bit(argv[2]), Qt::ISODate);
    ui::setDialogs(std::make_unique<AgreeingDialogs>(day));
    try {
        fb::ConnectParams params;
        params.database = argv[1];
        params.password = qgetenv("ISC_PASSWORD").toStdString();
        siblings::Suite suite(params);
        CPrzelew module;
        DMP->vWczytajParametry();
        DMP->vUstawZestaw(2);
        data::Dataset& set = DMP->quePrzelewy;
        set.setSqlLine(6, sWarunekZestawu(2));
        set.setSqlLine(8, QStringLiteral(" a.ID_KONTRAHENTA"));
        set.open();
        std::puts("ready");
        std::fflush(stdout);
        const int result = ui::dialogs().runModal(*new TfrmWystawPrzelewy(nullptr));
        std::puts(result == ui::mrOk ? "done" : "refused");
        std::fflush(stdout);
        return result == ui::mrOk ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
}
