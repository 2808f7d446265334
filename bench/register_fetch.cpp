// Register fetch benchmark helper, driven by register-fetch.sh:
//   register_fetch create <db> <dataFolder> [--demo]  build a suite database and fill 100,000 transfers
//   register_fetch open <db>                           open the register through a Dataset
//   register_fetch floor <db>                          the same select in a bare client-interface fetch loop
//   register_fetch memory <db>                         raw value bytes and RSS growth of that open

#include "platform/data/Dataset.h"
#include "suitedb/SuiteDatabase.h"

#include <firebird/Interface.h>

#include <QStringList>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>
#include <unistd.h>

namespace {

constexpr int kTransfers = 100000;
constexpr int kContractors = 400;
// Above anything the demo data uses.
constexpr int kFirstId = 1000000;

const QStringList kRegisterSql = {
    "select a.*,b.PELNA as KONTRAHENT_NAZWA, b.KOD_FK as SYMBOL_NAZWA,b.SKROT as KONTRAHENT_SKROT,b.WYROZNIONY as WYROZNIONY,",
    "c.KONTO as KONTRAHENT_KONTO , c.NAZWA as KONTRAHENT_NAZWABANKU",
    "from",
    "PR_PRZELEWY a , ET_KONTAKT b, ET_BANK_KONTO c",
    "where",
    "a.ID_KONTRAHENTA=b.ID and a.ID_KONTA_BANK=c.ID",
    "and a.DATA_REALIZACJI Is Null",
    "order by",
    "a.id  DESC"};

fb::ConnectParams paramsFor(const char* path) {
    fb::ConnectParams p;
    p.database = path;
    return p;
}

void fill(fb::Attachment& att) {
    fb::Transaction tr(att);
    const std::string first = std::to_string(kFirstId);
    att.execute(tr, "execute block as declare i integer = 0; begin "
                    "while (i < " + std::to_string(kContractors) + ") do begin "
                    "insert into ET_KONTAKT (ID, PELNA, SKROT, KOD_FK, KOD_POCZT, MIEJSCOWOSC, ULICA, WYROZNIONY) values ("
                    + first + " + :i, 'Przedsiębiorstwo Usługowo-Handlowe Żuraw ' || :i || ' sp. z o.o.', "
                    "'PUH ŻURAW ' || :i, 'K' || lpad(:i, 4, '0'), '34-300', 'Żywiec', 'ul. Świętokrzyska', mod(:i, 20) / 19); "
                    "insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA, DOMYSLNE, AKTYWNE, ZAAKCEPTOWANE) values ("
                    + first + " + :i, " + first + " + :i, '1020' || lpad(:i, 22, '0'), 'Bank Spółdzielczy w Żywcu', 1, 1, 1); "
                    "i = i + 1; end end");
    att.execute(tr, "execute block as declare i integer = 0; begin "
                    "while (i < " + std::to_string(kTransfers) + ") do begin "
                    "insert into PR_PRZELEWY (ID, ID_KONTRAHENTA, ID_KONTA_BANK, ID_FAKTURY, NR_FAKTURY, DATA_WYSTAWIENIA, "
                    "TERMIN_ZAPLATY, TRESC1, DODAL, DATA_DODANIA, WPROWADZONY, ZAZNACZ, ZAZNACZ2, ZAZNACZ3, WN, "
                    "WARTOSC_CALA, WARTOSC_WYPLACONA, WARTOSC, PARAGRAF) values ("
                    + first + " + :i, " + first + " + mod(:i, " + std::to_string(kContractors) + "), "
                    + first + " + mod(:i, " + std::to_string(kContractors) + "), :i, 'FZ/' || :i || '/2026', "
                    "dateadd(mod(:i, 300) day to timestamp '2026-01-01'), dateadd(mod(:i, 300) + 14 day to timestamp '2026-01-01'), "
                    "'Zapłata za fakturę FZ/' || :i || '/2026 - dostawa materiałów', 'KASIA', "
                    "dateadd(mod(:i, 300) day to timestamp '2026-01-01'), mod(:i, 2), 0, 0, 0, '201-K' || lpad(mod(:i, 400), 4, '0'), "
                    "mod(:i, 100000) * 1.37 + 10, 0, mod(:i, 100000) * 1.37 + 10, '801-80101-4210'); "
                    "i = i + 1; end end");
    tr.commit();
}

long residentBytes() {
    long pages = 0, resident = 0;
    std::ifstream statm("/proc/self/statm");
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// The bytes of the values themselves: text bytes, 8 for each number or date.
long long rawValueBytes(fb::Transaction& tr, long long& rows) {
    fb::Statement st(tr, kRegisterSql.join('\n').toStdString());
    fb::Cursor c = st.open(tr);
    const auto& columns = st.columns();
    long long bytes = 0;
    rows = 0;
    while (c.fetch()) {
        ++rows;
        for (int i = 0; i < int(columns.size()); ++i) {
            if (c.isNull(i)) continue;
            bytes += columns[i].type == fb::ColumnType::Text ? static_cast<long long>(c.asText(i).size()) : 8;
        }
    }
    return bytes;
}

int openRegister(const char* path, bool measure) {
    fb::Attachment att = fb::Attachment::connect(paramsFor(path));
    fb::Transaction tr(att);
    long long rows = 0, raw = 0;
    // A first pass warms the engine's page cache, so the growth measured
    // below is the dataset's own.
    if (measure) raw = rawValueBytes(tr, rows);
    data::Dataset ds;
    ds.setSql(kRegisterSql);
    ds.setTransaction(&tr);
    const long before = residentBytes();
    ds.open();
    const long after = residentBytes();
    if (measure)
        std::printf("rows %lld raw %lld rss_growth %ld store %zu\n", rows, raw, after - before, ds.rowBytes());
    else
        std::printf("rows %d\n", ds.recordCount());
    return 0;
}

// The floor: the select through the bare client interface, each column of
// each row read into a value of its own type (text copied out, dates
// decoded), nothing kept. Whatever the dataset adds is its own cost.
int bareFetch(const char* path) {
    using namespace Firebird;
    IMaster* master = fb_get_master_interface();
    IUtil* util = master->getUtilInterface();
    ThrowStatusWrapper st(master->getStatus());
    IAttachment* att = nullptr;
    try {
        IXpbBuilder* dpb = util->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&st, isc_dpb_user_name, "SYSDBA");
        dpb->insertString(&st, isc_dpb_lc_ctype, "UTF8");
        IProvider* provider = master->getDispatcher();
        att = provider->attachDatabase(&st, path, dpb->getBufferLength(&st), dpb->getBuffer(&st));
        provider->release();
        dpb->dispose();
        static const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                            isc_tpb_rec_version, isc_tpb_nowait};
        ITransaction* tra = att->startTransaction(&st, sizeof tpb, tpb);
        const std::string sql = kRegisterSql.join('\n').toStdString();
        IStatement* stmt = att->prepare(&st, tra, 0, sql.c_str(), 3, IStatement::PREPARE_PREFETCH_METADATA);
        IMessageMetadata* meta = stmt->getOutputMetadata(&st);
        const unsigned n = meta->getCount(&st);
        std::vector<unsigned> offsets(n), nulls(n), types(n), lengths(n);
        for (unsigned i = 0; i < n; ++i) {
            offsets[i] = meta->getOffset(&st, i);
            nulls[i] = meta->getNullOffset(&st, i);
            types[i] = meta->getType(&st, i) & ~1u;
            lengths[i] = meta->getLength(&st, i);
        }
        std::vector<unsigned char> buf(meta->getMessageLength(&st));
        IResultSet* rs = stmt->openCursor(&st, tra, nullptr, nullptr, meta, 0);

        std::vector<std::string> texts(n);
        long long rows = 0, check = 0;
        while (rs->fetchNext(&st, buf.data()) == IStatus::RESULT_OK) {
            ++rows;
            for (unsigned i = 0; i < n; ++i) {
                short null;
                std::memcpy(&null, buf.data() + nulls[i], sizeof null);
                if (null) continue;
                const unsigned char* p = buf.data() + offsets[i];
                switch (types[i]) {
                case SQL_VARYING: {
                    unsigned short len;
                    std::memcpy(&len, p, 2);
                    texts[i].assign(reinterpret_cast<const char*>(p + 2), len);
                    check += static_cast<long long>(texts[i].size());
                    break;
                }
                case SQL_TEXT: {
                    std::string_view s(reinterpret_cast<const char*>(p), lengths[i]);
                    const size_t end = s.find_last_not_of(' ');
                    texts[i].assign(end == std::string_view::npos ? std::string_view{} : s.substr(0, end + 1));
                    check += static_cast<long long>(texts[i].size());
                    break;
                }
                case SQL_SHORT: { std::int16_t v; std::memcpy(&v, p, 2); check += v; break; }
                case SQL_LONG: { std::int32_t v; std::memcpy(&v, p, 4); check += v; break; }
                case SQL_INT64: { std::int64_t v; std::memcpy(&v, p, 8); check += v; break; }
                case SQL_DOUBLE: { double v; std::memcpy(&v, p, 8); check += static_cast<long long>(v); break; }
                case SQL_TIMESTAMP: {
                    ISC_TIMESTAMP ts;
                    std::memcpy(&ts, p, sizeof ts);
                    unsigned y, mo, d, h, mi, s, f;
                    util->decodeDate(ts.timestamp_date, &y, &mo, &d);
                    util->decodeTime(ts.timestamp_time, &h, &mi, &s, &f);
                    check += y + mo + d + h + mi + s + f;
                    break;
                }
                default: break;
                }
            }
        }
        rs->close(&st);
        meta->release();
        stmt->free(&st);
        tra->commit(&st);
        att->detach(&st);
        std::printf("rows %lld check %lld\n", rows, check);
        return 0;
    } catch (const FbException& e) {
        char text[1024];
        util->formatStatus(text, sizeof text, e.getStatus());
        std::fprintf(stderr, "register_fetch: %s\n", text);
        return 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "create" && argc >= 4) {
            const bool demo = argc > 4 && std::string(argv[4]) == "--demo";
            suitedb::createDatabase(paramsFor(argv[2]), QString::fromLocal8Bit(argv[3]), demo);
            fb::Attachment att = fb::Attachment::connect(paramsFor(argv[2]));
            fill(att);
            att.detach();
            return 0;
        }
        if ((mode == "open" || mode == "memory") && argc >= 3) return openRegister(argv[2], mode == "memory");
        if (mode == "floor" && argc >= 3) return bareFetch(argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "register_fetch: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: register_fetch create <db> <dataFolder> [--demo] | open <db> | floor <db> | memory <db>\n");
    return 2;
}
