// Issue benchmark, driven by issue-batch.sh:
//   issue_batch <work folder>
// Builds three equal suite databases with 5,000 transfers marked in set 1 for
// bank 1 (procedure 1), then
//   (a) issues the set through the issuing window's handler: batch row,
//       payments, realized rows, bank file and ledger document;
//   (b) makes the same database writes with prepared statements in one
//       loop and one transaction: the per-row floor;
//   (c) makes the same issue by set-based statements (issue_set_based.h) and
//       checks that it left the same rows and the same bank file as (a).
// Prints "real_ms <a> floor_ms <b> standin_ms <s> set_ms <c>" after what each
// did; s is what 5,000 entries cost in the ledger module's stand-in alone
// (measured apart and rolled back), a part of a that this module does not
// control. Exits with 3 when (c) and (a) differ.

#include "BenchSupport.h"
#include "issue_set_based.h"
#include "module/frame/CPrzelew.h"
#include "module/frame/TDMP.h"
#include "module/issuing/Wystawprzelewy.h"
#include "module/register/Zestawy.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/Suite.h"
#include "siblings/core/TdmMain.h"
#include "siblings/finanse/TdmFinanse.h"
#include "siblings/kartoteka/TdmKartoteka.h"
#include "suitedb/SuiteDatabase.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr int kTransfers = 5000;
constexpr int kContractors = 400;
constexpr int kFirstId = 1000000;  // above anything the demo data uses
const QDate kDay(2026, 12, 10);

// Contractors with valid-length accounts and their transfers, every tenth
// paid in part; the demo's own marks are cleared.
void fill(fb::Attachment& att) {
    fb::Transaction tr(att);
    const std::string first = std::to_string(kFirstId);
    const std::string contractors = std::to_string(kContractors);
    att.execute(tr, "update PR_PRZELEWY set ZAZNACZ = 0, ZAZNACZ2 = 0, ZAZNACZ3 = 0");
    att.execute(
        tr,
        "execute block as declare i integer = 0; begin "
        "while (i < " +
            contractors +
            ") do begin "
            "insert into ET_KONTAKT (ID, PELNA, SKROT, KOD_FK, KOD_POCZT, MIEJSCOWOSC, ULICA, BUDYNEK, LOKAL) "
            "values (" +
            first +
            " + :i, 'Przedsiębiorstwo Usługowo-Handlowe Żuraw ' || :i || ' sp. z o.o.', "
            "'PUH ŻURAW ' || :i, 'K' || lpad(:i, 4, '0'), '34-300', 'Żywiec', 'ul. Świętokrzyska', '12', '3'); "
            "insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA, DOMYSLNE, AKTYWNE, ZAAKCEPTOWANE) values (" +
            first + " + :i, " + first +
            " + :i, '1020' || lpad(:i, 22, '0'), 'Bank Spółdzielczy w Żywcu', "
            "1, 1, 1); "
            "i = i + 1; end end");
    att.execute(tr,
                "execute block as declare i integer = 0; begin "
                "while (i < " +
                    std::to_string(kTransfers) +
                    ") do begin "
                    "insert into PR_PRZELEWY (ID, ID_KONTRAHENTA, ID_KONTA_BANK, ID_FAKTURY, NR_FAKTURY, "
                    "DATA_WYSTAWIENIA, TERMIN_ZAPLATY, TRESC1, DODAL, DATA_DODANIA, WPROWADZONY, ZAZNACZ, ZAZNACZ2, "
                    "ZAZNACZ3, WN, WARTOSC_CALA, WARTOSC_WYPLACONA, WARTOSC, PARAGRAF) values (" +
                    first + " + :i, " + first + " + mod(:i, " + contractors + "), " + first + " + mod(:i, " +
                    contractors +
                    "), :i, 'FZ/' || :i || '/2026', '2026-11-20', '2026-12-04', "
                    "'Zapłata za fakturę FZ/' || :i || '/2026', 'KASIA', '2026-11-21', 1, 1, 0, 0, "
                    "'201-K' || lpad(mod(:i, " +
                    contractors +
                    "), 4, '0'), mod(:i, 1000) * 1.37 + 10, 0, "
                    "iif(mod(:i, 10) = 0, 5, mod(:i, 1000) * 1.37 + 10), '801-80101-4210'); "
                    "i = i + 1; end end");
    tr.commit();
}

void createDatabase(const QString& path, const QString& dataFolder) {
    suitedb::createDatabase(bench::paramsFor(path), dataFolder);
    fb::Attachment att = fb::Attachment::connect(bench::paramsFor(path));
    fill(att);
    att.detach();
}

// An equal fresh database: a copy of the file (the fill's own timestamps
// included) with its data folder moved (the invoice import folder stays).
void copyDatabase(const QString& from, const QString& fromFolder, const QString& path, const QString& dataFolder) {
    if (!QFile::copy(from, path)) throw std::runtime_error("cannot copy " + from.toStdString());
    fb::Attachment att = fb::Attachment::connect(bench::paramsFor(path));
    suitedb::relocateDataFolder(att, fromFolder, dataFolder);
    att.detach();
}

// 5,000 entries of one document through the ledger stand-in, rolled back.
qint64 ledgerStandIn() {
    const int document = dmFinanse->iDodajDokumentFK(nullptr, dmKartoteka->iIDOkresu(kDay.year(), kDay.month()), -1,
                                                     DMP->iIdKoduDokPrzelewu, QStringLiteral("PRZ"), 0, kDay, kDay,
                                                     QString(), QString());
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kTransfers; ++i)
        dmFinanse->iDodajDekret(nullptr, document, QStringLiteral("201-K0001"), QStringLiteral("130-1-80101-4210"),
                                12.5, QStringLiteral("Zapłata"), kDay, kDay, QStringLiteral("FZ/1/2026"), 0,
                                QStringLiteral("801-80101-4210"), -1);
    const qint64 ms = timer.elapsed();
    dmMain->transaction().rollbackRetaining();
    return ms;
}

qint64 issueThroughTheWindow(const QString& path, const QString& dataFolder, qint64& standIn,
                             issuebench::EndState& state) {
    siblings::Suite suite(bench::paramsFor(path));
    auto* dialogs = new bench::CountingDialogs(true);
    auto previous = ui::setDialogs(std::unique_ptr<ui::Dialogs>(dialogs));
    qint64 ms = 0;
    {
        CPrzelew module;
        DMP->vWczytajParametry();
        // The register's hand-off: the marked set ordered by contractor.
        DMP->vUstawZestaw(1);
        DMP->quePrzelewy.setSqlLine(6, sWarunekZestawu(1));
        DMP->quePrzelewy.setSqlLine(8, QStringLiteral(" a.ID_KONTRAHENTA, a.ID"));
        DMP->quePrzelewy.open();
        auto* window = new TfrmWystawPrzelewy(nullptr);
        window->dtPrzelewu->setDate(kDay);
        DMP->queBanki.locate(QStringLiteral("ID"), 1);

        QElapsedTimer timer;
        timer.start();
        window->btnWybierzClick();
        ms = timer.elapsed();
        delete window;
        std::printf("  issued %d transfers, %d messages\n", DMP->quePrzelewy.recordCount(), dialogs->messages);
        // Before the stand-in's entries move the ledger's generators on.
        state = issuebench::endState(bench::paramsFor(path), {dataFolder});
        standIn = ledgerStandIn();
    }
    ui::setDialogs(std::move(previous));
    return ms;
}

// The writes of the issue, the file and the posting, as plain prepared statements.
qint64 floorLoop(const QString& path) {
    fb::Attachment att = fb::Attachment::connect(bench::paramsFor(path));
    fb::Transaction tr(att);
    struct Row {
        fb::Value id, contractor, account, wn, title, invoice, paragraph;
        double amount, paid, full;
    };
    std::vector<Row> rows;
    {
        fb::Statement select(tr,
                             "select ID, ID_KONTRAHENTA, ID_KONTA_BANK, WN, TRESC1, NR_FAKTURY, PARAGRAF, WARTOSC, "
                             "coalesce(WARTOSC_WYPLACONA, 0), WARTOSC_CALA from PR_PRZELEWY "
                             "where ZAZNACZ = 1 and DATA_REALIZACJI is null order by ID_KONTRAHENTA");
        fb::Cursor c = select.open(tr);
        while (c.fetch())
            rows.push_back({c.value(0), c.value(1), c.value(2), c.value(3), c.value(4), c.value(5), c.value(6),
                            c.asDouble(7), c.asDouble(8), c.asDouble(9)});
    }
    const fb::Timestamp day{kDay.year(), kDay.month(), kDay.day()};
    const auto money = [](double v) { return fb::Value(fb::Decimal::fromDouble(v, 4)); };

    QElapsedTimer timer;
    timer.start();
    att.execute(tr,
                "insert into PR_WYSTAWIONE (ID, DATA_REALIZACJI, KOLEJNY, ID_BANKU) "
                "values (gen_id(GEN_PR_WYSTAWIONE_ID, 1), '2026-12-10', 'A', 1)");
    const std::int64_t firstKey = std::get<std::int64_t>(*fb::selectValue(
        tr, "select gen_id(GEN_PR_PRZELEWY_ZREALIZOWANE_ID, " + std::to_string(rows.size()) + ") from RDB$DATABASE"));
    fb::Statement pay(tr,
                      "update PR_PRZELEWY set ZAZNACZ = 0, WARTOSC_WYPLACONA = ?, WARTOSC = ?, "
                      "DATA_REALIZACJI = ?, KOLEJNY = ? where ID = ?");
    fb::Statement realize(tr,
                          "insert into PR_PRZELEWY_ZREALIZOWANE (ID, ID_KONTRAHENTA, ID_KONTA_BANK, "
                          "ID_KONTA_FIRMY, DATA_REALIZACJI, KOLEJNY, NR_FAKTURY, TRESC1, PARAGRAF, WN, WARTOSC, "
                          "ID_PRZELEWU) values (?, ?, ?, 1, ?, 'A', ?, ?, ?, ?, ?, ?)");
    std::int64_t key = firstKey - static_cast<std::int64_t>(rows.size());
    for (const Row& r : rows) {
        const double paid = r.paid + r.amount;
        const bool full = paid >= r.full;
        pay.setParams({money(paid), money(full ? 0 : r.full - paid), full ? fb::Value(day) : fb::Value(),
                       full ? fb::Value(std::string("A")) : fb::Value(), r.id});
        pay.execute(tr);
        realize.setParams(
            {++key, r.contractor, r.account, day, r.invoice, r.title, r.paragraph, r.wn, money(r.amount), r.id});
        realize.execute(tr);
    }

    const auto document = std::get<std::int64_t>(
        *fb::selectValue(tr, "select gen_id(GEN_FK_DOKUMENTY_ID, 1) from RDB$DATABASE"));
    fb::Statement header(tr,
                         "insert into FK_DOKUMENTY (ID, ID_OKRESU, ID_KODU, KOD_DOK, NUMER_DOK, NR_KOLEJNY, "
                         "DATA_DOK, DATA_OPERACJI, OPIS, ID_ZRODLA, ZAKSIEGOWANY, DODAL, DATA_DODANIA) "
                         "values (?, 12, 3, 'PRZ', 'PRZ/12/0001', 1, ?, ?, '', ?, 0, 'ADMIN', CURRENT_DATE)");
    header.setParams({document, day, day, key});
    header.execute(tr);
    const auto firstEntry = std::get<std::int64_t>(*fb::selectValue(
        tr, "select gen_id(GEN_FK_DEKRETY_ID, " + std::to_string(rows.size()) + ") from RDB$DATABASE"));
    fb::Statement stamp(tr, "update PR_PRZELEWY_ZREALIZOWANE set ID_DOKUMENTU_FK = ? where ID = ?");
    fb::Statement entry(tr,
                        "insert into FK_DEKRETY (ID, ID_DOKUMENTU, LP, KONTO_WN, KONTO_MA, KWOTA, OPIS, DATA_DOK, "
                        "DATA_OPERACJI, NAZWA_MA, NR_RACH, PARAGRAF, DODAL, DATA_DODANIA) "
                        "values (?, ?, ?, ?, '130-1-80101-4210', ?, ?, ?, ?, ?, ?, ?, 'ADMIN', CURRENT_DATE)");
    std::int64_t lp = 0;
    key = firstKey - static_cast<std::int64_t>(rows.size());
    for (const Row& r : rows) {
        stamp.setParams({document, ++key});
        stamp.execute(tr);
        entry.setParams({firstEntry - static_cast<std::int64_t>(rows.size()) + 1 + lp, document, lp + 1, r.wn,
                         money(r.amount), r.title, day, day, r.invoice, r.wn, r.paragraph});
        ++lp;
        entry.execute(tr);
    }
    tr.commit();
    const qint64 ms = timer.elapsed();
    std::printf("  wrote %zu transfers\n", rows.size());
    att.detach();
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: issue_batch <work folder>\n");
        return 2;
    }
    const QString work = QString::fromLocal8Bit(argv[1]);
    try {
        QDir().mkpath(work);
        std::printf("creating three databases with %d marked transfers...\n", kTransfers);
        createDatabase(work + "/real.fdb", work + "/dane-real");
        copyDatabase(work + "/real.fdb", work + "/dane-real", work + "/floor.fdb", work + "/dane-floor");
        copyDatabase(work + "/real.fdb", work + "/dane-real", work + "/set.fdb", work + "/dane-set");
        std::printf("issuing through the window:\n");
        qint64 standIn = 0;
        issuebench::EndState windowState;
        const qint64 real = issueThroughTheWindow(work + "/real.fdb", work + "/dane-real", standIn, windowState);
        std::printf("floor, one prepared-statement loop:\n");
        const qint64 floor = floorLoop(work + "/floor.fdb");
        std::printf("set-based statements:\n");
        const qint64 set = issuebench::issueSetBased(bench::paramsFor(work + "/set.fdb"),
                                                     {kDay, 'A', 1, 3, QStringLiteral("ADMIN")});
        const std::string rows = issuebench::difference(
            windowState,
            issuebench::endState(bench::paramsFor(work + "/set.fdb"), {work + "/dane-set", work + "/dane-real"}));
        const QString file = QStringLiteral("/przelewy/pbk/P-2026-12-10-A.PLI");
        const std::string bytes = issuebench::fileDifference(work + "/dane-real" + file, work + "/dane-set" + file);
        if (!rows.empty() || !bytes.empty()) {
            std::fprintf(stderr, "issue_batch: the set-based issue left another end state than the window: %s%s\n",
                         rows.c_str(), bytes.c_str());
            return 3;
        }
        std::printf("  same rows in every table, same generators, same bank file\n");
        std::printf("real_ms %lld floor_ms %lld standin_ms %lld set_ms %lld\n", static_cast<long long>(real),
                    static_cast<long long>(floor), static_cast<long long>(standIn), static_cast<long long>(set));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "issue_batch: %s\n", e.what());
        return 1;
    }
    return 0;
}
