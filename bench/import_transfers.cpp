// Import benchmark, driven by import-transfers.sh:
//   import_transfers <work folder> [lines] [--forced-writes]
// Builds two equal suite databases with 400 contractors and their default
// accounts and writes a payroll file of valid lines (Windows-1250), then
//   (a) imports the file through the import window over the register query,
//       as the register's import button does: one commit per line;
//   (b) makes the same inserts (the register's insert statement, keys from
//       the generator a block at a time) through one prepared statement
//       with one commit per line: the floor.
// Prints "real_ms <a> floor_ms <b> real_cpu_ms <c> floor_cpu_ms <d>" (clock and
// processor times) and, for (a), the heap the file's lines
// take, what the register's rows grew by and what else grew during the run.

#include "BenchSupport.h"
#include "module/frame/CPrzelew.h"
#include "module/frame/TDMP.h"
#include "module/import/Importprzelewow.h"
#include "platform/text/Cp1250.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/Suite.h"
#include "suitedb/SuiteDatabase.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <malloc.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int kContractors = 400;
constexpr int kFirstId = 1000000;   // above anything the demo data uses

void createDatabase(const QString& path, const QString& dataFolder, bool forcedWrites) {
    suitedb::createDatabase(bench::paramsFor(path), dataFolder, true, forcedWrites);
    fb::Attachment att = fb::Attachment::connect(bench::paramsFor(path));
    fb::Transaction tr(att);
    const std::string first = std::to_string(kFirstId);
    att.execute(tr, "execute block as declare i integer = 0; begin "
                    "while (i < " + std::to_string(kContractors) + ") do begin "
                    "insert into ET_KONTAKT (ID, PELNA, SKROT, KOD_FK) values (" + first + " + :i, "
                    "'Pracownik Żółkiewski ' || :i, 'Żółkiewski ' || :i, 'P' || lpad(:i, 4, '0')); "
                    "insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA, DOMYSLNE, AKTYWNE, ZAAKCEPTOWANE) values ("
                    + first + " + :i, " + first + " + :i, '1020' || lpad(:i, 22, '0'), 'Bank Spółdzielczy', 1, 1, 1); "
                    "i = i + 1; end end");
    tr.commit();
    att.detach();
}

QString line(int i) {
    return QStringLiteral("110,20261210,%1,0,0,0,10200000000000000000000000,0,\"201-P%2\",0,0,"
                          "\"Wynagrodzenie 11/2026 pracownik %3 – Żółkiewski\"")
        .arg(1000 + (i * 37) % 900000)
        .arg(i % kContractors, 4, 10, QLatin1Char('0'))
        .arg(i);
}

void writeFile(const QString& path, int lines) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write " + path.toStdString());
    for (int i = 0; i < lines; ++i) {
        const std::string bytes = text::toCp1250(line(i) + "\r\n");
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
}

// Large blocks are mapped apart from the arena: both count.
// Processor time of the whole process (the embedded engine works in it too),
// in ms: on a machine shared with other work it says more than the clock.
qint64 cpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto ms = [](const timeval& t) { return static_cast<qint64>(t.tv_sec) * 1000 + t.tv_usec / 1000; };
    return ms(u.ru_utime) + ms(u.ru_stime);
}

struct Times {
    qint64 wall = 0, cpu = 0;
};

std::size_t heapInUse() {
    const auto m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

Times importThroughTheWindow(const QString& database, const QString& file) {
    siblings::Suite suite(bench::paramsFor(database));
    // A valid file brings one message, the summary.
    auto* dialogs = new bench::CountingDialogs(false, 3);
    auto previous = ui::setDialogs(std::unique_ptr<ui::Dialogs>(dialogs));
    Times t;
    {
        CPrzelew module;
        DMP->vWczytajParametry();
        DMP->quePrzelewy.open();   // the register is open when its button starts an import
        const std::size_t rowsBefore = DMP->quePrzelewy.rowBytes();
        const std::size_t heapBefore = heapInUse();

        QElapsedTimer timer;
        timer.start();
        const qint64 cpu = cpuMs();
        auto* window = new TfrmImportPrzelewow(nullptr, file);
        window->runActivation();
        const std::size_t lineBytes = window->iBajtowPliku();
        const std::size_t heapLoaded = heapInUse();
        window->vImportuj();
        t = {timer.elapsed(), cpuMs() - cpu};
        const std::size_t heapAfter = heapInUse();
        const std::size_t rowsGrown = DMP->quePrzelewy.rowBytes() - rowsBefore;
        std::printf("  imported %d, rejected %d, %d messages\n", window->iDobrych(), window->iBlednych(),
                    dialogs->messages);
        // The window has closed and let its lines go: what is left beyond the
        // register's rows grew with nothing.
        const long long other = static_cast<long long>(heapAfter) - static_cast<long long>(heapBefore) -
                                static_cast<long long>(rowsGrown);
        std::printf("  heap: file lines %.1f MB (loading took %.1f MB); after the run the register's rows grew "
                    "%.1f MB, everything else %+.2f MB\n",
                    lineBytes / 1e6, (heapLoaded - heapBefore) / 1e6, rowsGrown / 1e6, other / 1e6);
        std::printf("mem_other_bytes %lld\n", other);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ui::setDialogs(std::move(previous));
    return t;
}

// The same rows through one prepared insert, each committed by itself: the
// register's insert statement (every column of the transfer), with keys taken
// from the generator a block at a time as the import takes them.
Times floorLoop(const QString& database, int lines) {
    fb::Attachment att = fb::Attachment::connect(bench::paramsFor(database));
    fb::Transaction tr(att);
    fb::Statement insert(tr, "insert into PR_PRZELEWY (ID, ID_KONTRAHENTA, ID_KONTA_BANK, ID_FAKTURY, NR_FAKTURY, "
                             "DATA_WYSTAWIENIA, TERMIN_ZAPLATY, TRESC1, DODAL, DATA_DODANIA, ZMIENIL, DATA_ZMIANY, "
                             "DATA_REALIZACJI, KOLEJNY, WPROWADZONY, ZAZNACZ, ZAZNACZ2, ZAZNACZ3, WN, WARTOSC_CALA, "
                             "WARTOSC_WYPLACONA, WARTOSC, PARAGRAF) values "
                             "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    fb::Statement keys(tr, "select gen_id(GEN_PR_PRZELEWY_ID, 100) from RDB$DATABASE");
    const fb::Timestamp day{2026, 12, 10};
    const QDate today = QDate::currentDate();
    const fb::Timestamp added{today.year(), today.month(), today.day()};
    const fb::Value null;
    QElapsedTimer timer;
    timer.start();
    const qint64 cpu = cpuMs();
    std::int64_t key = 0, free = 0;
    for (int i = 0; i < lines; ++i) {
        if (free == 0) {
            fb::Cursor c = keys.open(tr);
            c.fetch();
            key = c.asInt(0) - 99;
            free = 100;
        }
        --free;
        const std::int64_t contractor = kFirstId + i % kContractors;
        const std::string title = QStringLiteral("Wynagrodzenie 11/2026 pracownik %1 – Żółkiewski").arg(i).toStdString();
        const fb::Decimal amount{1000 + (i * 37) % 900000, 2};
        char wn[16];
        std::snprintf(wn, sizeof wn, "201-P%04d", i % kContractors);
        insert.setParams({key++, contractor, contractor, null, title.substr(0, 5), day, day, title,
                          std::string("ADMIN"), added, null, null, null, null, std::int64_t{3}, null, null, null,
                          std::string(wn), amount, null, amount, null});
        insert.execute(tr);
        tr.commitRetaining();
    }
    const Times t{timer.elapsed(), cpuMs() - cpu};
    tr.commit();
    att.detach();
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: import_transfers <work folder> [lines] [--forced-writes]\n");
        return 2;
    }
    const QString work = QString::fromLocal8Bit(argv[1]);
    const int lines = argc > 2 && argv[2][0] != '-' ? std::atoi(argv[2]) : 100000;
    const bool forcedWrites = std::strcmp(argv[argc - 1], "--forced-writes") == 0;
    try {
        QDir().mkpath(work);
        std::printf("creating two databases (forced writes %s) and a file of %d lines...\n",
                    forcedWrites ? "on" : "off", lines);
        createDatabase(work + "/real.fdb", work + "/dane-real", forcedWrites);
        createDatabase(work + "/floor.fdb", work + "/dane-floor", forcedWrites);
        writeFile(work + "/place.txt", lines);
        std::printf("importing through the window:\n");
        const Times real = importThroughTheWindow(work + "/real.fdb", work + "/place.txt");
        std::printf("floor, one prepared insert, a commit per line:\n");
        const Times floor = floorLoop(work + "/floor.fdb", lines);
        std::printf("real_ms %lld floor_ms %lld real_cpu_ms %lld floor_cpu_ms %lld\n",
                    static_cast<long long>(real.wall), static_cast<long long>(floor.wall),
                    static_cast<long long>(real.cpu), static_cast<long long>(floor.cpu));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "import_transfers: %s\n", e.what());
        return 1;
    }
    return 0;
}
