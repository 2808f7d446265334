#include "Fb.h"

#include <firebird/Interface.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

using namespace Firebird;

namespace fb {

namespace {

constexpr unsigned kDialect = 3;
// Firebird ISC codes the callers answer with their own messages.
constexpr long kIscUniqueKeyViolation = 335544665;  // isc_unique_key_violation
constexpr long kIscNoDup = 335544349;               // isc_no_dup
constexpr long kIscDeadlock = 335544336;            // isc_deadlock
constexpr long kIscUpdateConflict = 335544451;      // isc_update_conflict
constexpr long kIscLockConflict = 335544345;        // isc_lock_conflict

IMaster* master() {
    static IMaster* m = fb_get_master_interface();
    return m;
}

IUtil* util() {
    static IUtil* u = master()->getUtilInterface();
    return u;
}

// A status vector per call; check() turns errors into fb::Error.
class Status {
public:
    Status() : m_status(master()->getStatus()), m_wrapper(m_status) {}
    ~Status() { m_status->dispose(); }
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;

    CheckStatusWrapper* operator&() { return &m_wrapper; }
    bool failed() const { return (m_wrapper.getState() & IStatus::STATE_ERRORS) != 0; }

    [[noreturn]] void raise() {
        std::array<char, 2048> buf{};
        util()->formatStatus(buf.data(), static_cast<unsigned>(buf.size() - 1), &m_wrapper);
        const intptr_t* errors = m_wrapper.getErrors();
        long code = (errors && errors[0] == isc_arg_gds) ? static_cast<long>(errors[1]) : 0;
        // The first code may be a generic one ("violation of PRIMARY or UNIQUE
        // KEY"); keep the most specific known code in the vector.
        for (const intptr_t* p = errors; p && *p != isc_arg_end; p += 2) {
            if (p[0] == isc_arg_gds && (p[1] == kIscNoDup || p[1] == kIscUniqueKeyViolation)) {
                code = static_cast<long>(p[1]);
                break;
            }
        }
        char state[FB_SQLSTATE_SIZE] = {0};
        fb_sqlstate(state, errors);
        std::string sqlState(state);
        m_wrapper.clearException();
        throw Error(buf.data(), code, sqlState);
    }
    void check() {
        if (failed()) raise();
    }

private:
    IStatus* m_status;
    CheckStatusWrapper m_wrapper;
};

// Releases an interface we still own after a failed commit/close/free/detach.
template <class T>
void releaseQuietly(T*& p) {
    if (p) {
        p->release();
        p = nullptr;
    }
}

std::string upper(std::string_view s) {
    std::string r(s);
    for (auto& c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

std::int64_t pow10(int n) {
    std::int64_t r = 1;
    while (n-- > 0) r *= 10;
    return r;
}

// Divides rounding half away from zero.
std::int64_t divRound(std::int64_t v, std::int64_t d) {
    std::int64_t q = v / d, r = v % d;
    if (2 * std::llabs(r) >= d) q += (v < 0 ? -1 : 1);
    return q;
}

}  // namespace

// ---------------------------------------------------------------- Error

Error::Error(std::string message, long iscCode, std::string sqlState)
    : std::runtime_error(std::move(message)), m_isc(iscCode), m_sqlState(std::move(sqlState)) {}

bool Error::isUniqueViolation() const {
    return m_isc == kIscUniqueKeyViolation || m_isc == kIscNoDup || m_sqlState == "23000";
}

bool Error::isLockConflict() const {
    return m_isc == kIscDeadlock || m_isc == kIscUpdateConflict || m_isc == kIscLockConflict;
}

// ---------------------------------------------------------------- Decimal

double Decimal::toDouble() const {
    return static_cast<double>(units) / static_cast<double>(pow10(scale));
}

Decimal Decimal::fromDouble(double value, int scale) {
    // The shortest decimal text that reads back as the same double is what the
    // user typed or what a rounding produced; round that text, not the binary.
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    std::string text(buf, res.ptr);
    bool negative = !text.empty() && text[0] == '-';
    if (negative) text.erase(0, 1);
    auto dot = text.find('.');
    std::string intPart = dot == std::string::npos ? text : text.substr(0, dot);
    std::string frac = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    bool roundUp = frac.size() > static_cast<size_t>(scale) && frac[scale] >= '5';
    frac.resize(scale, '0');
    std::int64_t units = 0;
    for (char c : intPart + frac) units = units * 10 + (c - '0');
    if (roundUp) ++units;
    return Decimal{negative ? -units : units, scale};
}

Decimal Decimal::rescaled(int newScale) const {
    if (newScale == scale) return *this;
    if (newScale > scale) return Decimal{units * pow10(newScale - scale), newScale};
    return Decimal{divRound(units, pow10(scale - newScale)), newScale};
}

std::string Decimal::toString() const {
    std::uint64_t a = units < 0 ? static_cast<std::uint64_t>(-(units + 1)) + 1 : static_cast<std::uint64_t>(units);
    std::string digits = std::to_string(a);
    if (scale > 0) {
        if (digits.size() <= static_cast<size_t>(scale)) digits.insert(0, scale + 1 - digits.size(), '0');
        digits.insert(digits.size() - scale, ".");
    }
    return units < 0 ? "-" + digits : digits;
}

// ---------------------------------------------------------------- Attachment

struct Attachment::Impl {
    IAttachment* att = nullptr;
    ~Impl() { releaseQuietly(att); }
};

namespace {

std::vector<unsigned char> buildDpb(const ConnectParams& p, bool forCreate, int pageSize, int forcedWrites = -1) {
    Status st;
    IXpbBuilder* dpb = util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    st.check();
    dpb->insertString(&st, isc_dpb_user_name, p.user.c_str());
    if (!p.password.empty()) dpb->insertString(&st, isc_dpb_password, p.password.c_str());
    if (!p.role.empty()) dpb->insertString(&st, isc_dpb_sql_role_name, p.role.c_str());
    dpb->insertString(&st, isc_dpb_lc_ctype, "UTF8");
    if (forCreate) {
        dpb->insertString(&st, isc_dpb_set_db_charset, "WIN1250");
        dpb->insertInt(&st, isc_dpb_page_size, pageSize);
        dpb->insertInt(&st, isc_dpb_sql_dialect, kDialect);
    }
    if (forcedWrites >= 0) dpb->insertInt(&st, isc_dpb_force_write, forcedWrites);
    if (st.failed()) {
        dpb->dispose();
        st.raise();
    }
    const unsigned char* buf = dpb->getBuffer(&st);
    unsigned len = dpb->getBufferLength(&st);
    std::vector<unsigned char> out(buf, buf + len);
    dpb->dispose();
    st.check();
    return out;
}

IAttachment* attachRaw(const ConnectParams& params, const std::vector<unsigned char>& dpb) {
    Status st;
    IProvider* prov = master()->getDispatcher();
    IAttachment* att = prov->attachDatabase(&st, params.database.c_str(), static_cast<unsigned>(dpb.size()), dpb.data());
    prov->release();
    st.check();
    return att;
}

}  // namespace

Attachment::Attachment() : m(std::make_unique<Impl>()) {}
Attachment::~Attachment() {
    if (m && m->att) {
        Status st;
        m->att->detach(&st);
        if (!st.failed()) m->att = nullptr;
    }
}
Attachment::Attachment(Attachment&&) noexcept = default;
Attachment& Attachment::operator=(Attachment&&) noexcept = default;

Attachment Attachment::connect(const ConnectParams& params) {
    IAttachment* att = attachRaw(params, buildDpb(params, false, 0));
    Attachment a;
    a.m->att = att;
    a.m_database = params.database;
    return a;
}

void Attachment::setForcedWrites(const ConnectParams& params, bool on) {
    // The setting is applied by the attachment itself; detaching ends it.
    Attachment a;
    a.m->att = attachRaw(params, buildDpb(params, false, 0, on ? 1 : 0));
    a.detach();
}

Attachment Attachment::create(const ConnectParams& params, int pageSize, bool forcedWrites) {
    auto dpb = buildDpb(params, true, pageSize, forcedWrites ? 1 : 0);
    Status st;
    IProvider* prov = master()->getDispatcher();
    IAttachment* att = prov->createDatabase(&st, params.database.c_str(), static_cast<unsigned>(dpb.size()), dpb.data());
    prov->release();
    st.check();
    Attachment a;
    a.m->att = att;
    a.m_database = params.database;
    return a;
}

bool Attachment::isConnected() const { return m && m->att; }

void Attachment::detach() {
    if (!isConnected()) return;
    Status st;
    m->att->detach(&st);
    if (st.failed()) {
        releaseQuietly(m->att);
        st.raise();
    }
    m->att = nullptr;
}

void Attachment::dropDatabase() {
    if (!isConnected()) throw Error("Brak połączenia z bazą danych", 0);
    Status st;
    m->att->dropDatabase(&st);
    if (st.failed()) st.raise();  // still attached: the caller may detach
    m->att = nullptr;
}

// ---------------------------------------------------------------- Transaction

struct Transaction::Impl {
    ITransaction* tra = nullptr;
    ~Impl() {
        if (tra) {
            Status st;
            tra->rollback(&st);
            if (st.failed()) releaseQuietly(tra);
            tra = nullptr;
        }
    }
};

Transaction::Transaction(Attachment& att) : m(std::make_unique<Impl>()), m_att(&att) { start(); }
Transaction::~Transaction() = default;
Transaction::Transaction(Transaction&&) noexcept = default;
Transaction& Transaction::operator=(Transaction&&) noexcept = default;

bool Transaction::isActive() const { return m && m->tra; }

void Transaction::start() {
    if (isActive()) return;
    if (!m_att->isConnected()) throw Error("Brak połączenia z bazą danych", 0);
    static const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                        isc_tpb_rec_version, isc_tpb_nowait};
    Status st;
    m->tra = m_att->m->att->startTransaction(&st, sizeof tpb, tpb);
    st.check();
}

namespace {
void needActive(const Transaction& t) {
    if (!t.isActive()) throw Error("Transakcja nie jest aktywna", 0);
}
}  // namespace

void Transaction::commit() {
    needActive(*this);
    Status st;
    m->tra->commit(&st);
    st.check();  // on failure the transaction is still ours and still active
    m->tra = nullptr;
}

void Transaction::commitRetaining() {
    needActive(*this);
    Status st;
    m->tra->commitRetaining(&st);
    st.check();
}

void Transaction::rollback() {
    needActive(*this);
    Status st;
    m->tra->rollback(&st);
    if (st.failed()) {
        releaseQuietly(m->tra);
        st.raise();
    }
    m->tra = nullptr;
}

void Transaction::rollbackRetaining() {
    needActive(*this);
    Status st;
    m->tra->rollbackRetaining(&st);
    st.check();
}

void Attachment::execute(Transaction& tr, std::string_view sql) {
    if (!isConnected()) throw Error("Brak połączenia z bazą danych", 0);
    Status st;
    std::string text(sql);
    m->att->execute(&st, tr.m->tra, 0, text.c_str(), kDialect, nullptr, nullptr, nullptr, nullptr);
    st.check();
}

// ---------------------------------------------------------------- Statement

namespace {

struct MessageLayout {
    IMessageMetadata* meta = nullptr;
    std::vector<unsigned> offsets, nullOffsets, types, lengths;
    std::vector<int> scales, subTypes;
    unsigned size = 0;

    void load(IMessageMetadata* m) {
        release();
        meta = m;
        if (!m) return;
        Status st;
        unsigned n = m->getCount(&st);
        st.check();
        offsets.resize(n);
        nullOffsets.resize(n);
        types.resize(n);
        lengths.resize(n);
        scales.resize(n);
        subTypes.resize(n);
        for (unsigned i = 0; i < n; ++i) {
            offsets[i] = m->getOffset(&st, i);
            nullOffsets[i] = m->getNullOffset(&st, i);
            types[i] = m->getType(&st, i) & ~1u;
            lengths[i] = m->getLength(&st, i);
            scales[i] = m->getScale(&st, i);
            subTypes[i] = m->getSubType(&st, i);
        }
        size = m->getMessageLength(&st);
        st.check();
    }
    void release() {
        if (meta) meta->release();
        meta = nullptr;
    }
    ~MessageLayout() { release(); }
};

ColumnType columnTypeOf(unsigned type, int scale, int subType) {
    switch (type) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        return scale < 0 ? ColumnType::Decimal : ColumnType::Integer;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return ColumnType::Double;
    case SQL_TEXT:
    case SQL_VARYING:
        return ColumnType::Text;
    case SQL_TIMESTAMP:
        return ColumnType::Timestamp;
    case SQL_TYPE_DATE:
        return ColumnType::Date;
    case SQL_TYPE_TIME:
        return ColumnType::Time;
    case SQL_BLOB:
        return subType == 1 ? ColumnType::Text : ColumnType::Blob;
    case SQL_BOOLEAN:
        return ColumnType::Boolean;
    default:
        return ColumnType::Other;
    }
}

std::string readBlob(IAttachment* att, ITransaction* tra, const ISC_QUAD& id) {
    Status st;
    ISC_QUAD blobId = id;
    IBlob* blob = att->openBlob(&st, tra, &blobId, 0, nullptr);
    st.check();
    std::string out;
    char buf[16384];
    for (;;) {
        unsigned got = 0;
        int rc = blob->getSegment(&st, sizeof buf, buf, &got);
        if (st.failed()) {
            releaseQuietly(blob);
            st.raise();
        }
        if (rc == IStatus::RESULT_OK || rc == IStatus::RESULT_SEGMENT) out.append(buf, got);
        else break;
    }
    blob->close(&st);
    if (st.failed()) releaseQuietly(blob);
    return out;
}

ISC_QUAD writeBlob(IAttachment* att, ITransaction* tra, std::string_view data) {
    Status st;
    ISC_QUAD id{};
    IBlob* blob = att->createBlob(&st, tra, &id, 0, nullptr);
    st.check();
    for (size_t pos = 0; pos < data.size(); pos += 32768) {
        size_t n = std::min<size_t>(32768, data.size() - pos);
        blob->putSegment(&st, static_cast<unsigned>(n), data.data() + pos);
        if (st.failed()) {
            blob->cancel(&st);
            releaseQuietly(blob);
            st.raise();
        }
    }
    blob->close(&st);
    if (st.failed()) {
        releaseQuietly(blob);
        st.raise();
    }
    return id;
}

Timestamp decodeTimestamp(ISC_DATE date, ISC_TIME time) {
    Timestamp t;
    unsigned y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, f = 0;
    util()->decodeDate(date, &y, &mo, &d);
    util()->decodeTime(time, &h, &mi, &s, &f);
    t.year = static_cast<int>(y);
    t.month = static_cast<int>(mo);
    t.day = static_cast<int>(d);
    t.hour = static_cast<int>(h);
    t.minute = static_cast<int>(mi);
    t.second = static_cast<int>(s);
    t.fraction = static_cast<int>(f);
    return t;
}

std::int64_t readScaledInt(const unsigned char* p, unsigned type) {
    switch (type) {
    case SQL_SHORT: { std::int16_t v; std::memcpy(&v, p, 2); return v; }
    case SQL_LONG: { std::int32_t v; std::memcpy(&v, p, 4); return v; }
    default: { std::int64_t v; std::memcpy(&v, p, 8); return v; }
    }
}

}  // namespace

struct Statement::Impl {
    Transaction* tr = nullptr;
    IStatement* stmt = nullptr;
    MessageLayout in;        // as the statement declares its parameters
    MessageLayout out;
    std::vector<Column> columns;
    std::vector<Value> params;
    unsigned type = 0;
    Cursor::Impl* openCursor = nullptr;   // the cursor reading this statement, if any

    ~Impl();
    IAttachment* att() const { return tr->attachment().m->att; }
    ITransaction* tra() const { return tr->m->tra; }

    // Builds the input message from the bound values. Each parameter is sent
    // in the type of its value and Firebird converts it to the column type,
    // so an integer may feed a NUMERIC and a text a TIMESTAMP.
    void buildInput(IMessageMetadata*& meta, std::vector<unsigned char>& buf);
};

struct Cursor::Impl {
    Statement::Impl* st = nullptr;
    IResultSet* rs = nullptr;
    std::vector<unsigned char> buf;
    mutable std::vector<std::string> blobTexts;   // text blobs read for asText, per column

    ~Impl() { close(); }
    void close() {
        if (rs) {
            Status s;
            rs->close(&s);
            if (s.failed()) releaseQuietly(rs);
            rs = nullptr;
        }
        if (st && st->openCursor == this) st->openCursor = nullptr;
    }
    const unsigned char* at(int i) const { return buf.data() + st->out.offsets[i]; }
};

Statement::Impl::~Impl() {
    if (openCursor) {
        openCursor->close();
        openCursor->st = nullptr;
    }
    if (stmt) {
        Status s;
        stmt->free(&s);
        if (s.failed()) releaseQuietly(stmt);
    }
}

void Statement::Impl::buildInput(IMessageMetadata*& meta, std::vector<unsigned char>& buf) {
    meta = nullptr;
    if (!in.meta) return;
    Status st;
    unsigned n = static_cast<unsigned>(in.offsets.size());
    IMetadataBuilder* b = in.meta->getBuilder(&st);
    st.check();
    std::vector<ISC_QUAD> blobIds(n);
    for (unsigned i = 0; i < n; ++i) {
        const Value& v = i < params.size() ? params[i] : Value{};
        if (in.types[i] == SQL_BLOB) continue;  // sent as a blob id
        std::visit(
            [&](const auto& x) {
                using T = std::decay_t<decltype(x)>;
                if constexpr (std::is_same_v<T, std::int64_t>) {
                    b->setType(&st, i, SQL_INT64);
                    b->setLength(&st, i, 8);
                    b->setScale(&st, i, 0);
                } else if constexpr (std::is_same_v<T, double>) {
                    b->setType(&st, i, SQL_DOUBLE);
                    b->setLength(&st, i, 8);
                    b->setScale(&st, i, 0);
                } else if constexpr (std::is_same_v<T, Decimal>) {
                    b->setType(&st, i, SQL_INT64);
                    b->setLength(&st, i, 8);
                    b->setScale(&st, i, -x.scale);
                } else if constexpr (std::is_same_v<T, std::string>) {
                    b->setType(&st, i, SQL_VARYING);
                    b->setLength(&st, i, static_cast<unsigned>(std::max<size_t>(1, x.size())));
                    b->setCharSet(&st, i, 4 /* UTF8 */);
                } else if constexpr (std::is_same_v<T, Timestamp>) {
                    b->setType(&st, i, SQL_TIMESTAMP);
                    b->setLength(&st, i, sizeof(ISC_TIMESTAMP));
                    b->setScale(&st, i, 0);
                }
            },
            v);
    }
    meta = b->getMetadata(&st);
    b->release();
    st.check();
    unsigned size = meta->getMessageLength(&st);
    st.check();
    buf.assign(size, 0);
    for (unsigned i = 0; i < n; ++i) {
        const Value& v = i < params.size() ? params[i] : Value{};
        unsigned off = meta->getOffset(&st, i);
        unsigned nullOff = meta->getNullOffset(&st, i);
        st.check();
        auto* nullInd = reinterpret_cast<short*>(buf.data() + nullOff);
        *nullInd = isNull(v) ? -1 : 0;
        if (isNull(v)) continue;
        unsigned char* p = buf.data() + off;
        if (in.types[i] == SQL_BLOB) {
            std::string text;
            if (auto s = std::get_if<std::string>(&v)) text = *s;
            else throw Error("Parametr typu BLOB wymaga tekstu", 0);
            ISC_QUAD id = writeBlob(att(), tra(), text);
            std::memcpy(p, &id, sizeof id);
            continue;
        }
        std::visit(
            [&](const auto& x) {
                using T = std::decay_t<decltype(x)>;
                if constexpr (std::is_same_v<T, std::int64_t>) {
                    std::memcpy(p, &x, 8);
                } else if constexpr (std::is_same_v<T, double>) {
                    std::memcpy(p, &x, 8);
                } else if constexpr (std::is_same_v<T, Decimal>) {
                    std::memcpy(p, &x.units, 8);
                } else if constexpr (std::is_same_v<T, std::string>) {
                    auto len = static_cast<unsigned short>(x.size());
                    std::memcpy(p, &len, 2);
                    std::memcpy(p + 2, x.data(), x.size());
                } else if constexpr (std::is_same_v<T, Timestamp>) {
                    ISC_TIMESTAMP ts;
                    ts.timestamp_date = util()->encodeDate(x.year, x.month, x.day);
                    ts.timestamp_time = util()->encodeTime(x.hour, x.minute, x.second, x.fraction);
                    std::memcpy(p, &ts, sizeof ts);
                }
            },
            v);
    }
}

Statement::Statement(Transaction& tr, std::string_view sql) : m(std::make_unique<Impl>()) {
    needActive(tr);
    m->tr = &tr;
    Status st;
    std::string text(sql);
    m->stmt = tr.attachment().m->att->prepare(&st, tr.m->tra, 0, text.c_str(), kDialect,
                                               IStatement::PREPARE_PREFETCH_METADATA);
    st.check();
    m->type = m->stmt->getType(&st);
    st.check();
    m->in.load(m->stmt->getInputMetadata(&st));
    st.check();
    IMessageMetadata* outMeta = m->stmt->getOutputMetadata(&st);
    st.check();
    m->out.load(outMeta);
    unsigned n = static_cast<unsigned>(m->out.offsets.size());
    m->columns.resize(n);
    for (unsigned i = 0; i < n; ++i) {
        Column& c = m->columns[i];
        c.name = outMeta->getAlias(&st, i);
        c.field = outMeta->getField(&st, i);
        c.relation = outMeta->getRelation(&st, i);
        c.nullable = outMeta->isNullable(&st, i);
        c.scale = -m->out.scales[i];
        c.type = columnTypeOf(m->out.types[i], m->out.scales[i], m->out.subTypes[i]);
        c.blob = m->out.types[i] == SQL_BLOB;
        unsigned len = m->out.lengths[i];
        // UTF8 connections report byte lengths of four bytes a character.
        c.length = c.type == ColumnType::Text ? static_cast<int>(len / 4) : static_cast<int>(len);
    }
    st.check();
    m->params.assign(m->in.offsets.size(), Value{});
}

Statement::~Statement() = default;
Statement::Statement(Statement&&) noexcept = default;
Statement& Statement::operator=(Statement&&) noexcept = default;

int Statement::paramCount() const { return static_cast<int>(m->in.offsets.size()); }
const std::vector<Column>& Statement::columns() const { return m->columns; }
bool Statement::isSelect() const {
    return m->type == isc_info_sql_stmt_select || m->type == isc_info_sql_stmt_select_for_upd;
}

void Statement::setParam(int index, const Value& value) {
    if (index < 0 || index >= paramCount()) throw Error("Nieprawidłowy numer parametru", 0);
    m->params[index] = value;
}

void Statement::setParams(const std::vector<Value>& values) {
    if (static_cast<int>(values.size()) != paramCount())
        throw Error("Liczba parametrów nie zgadza się z poleceniem", 0);
    m->params = values;
}

void Statement::clearParams() { std::fill(m->params.begin(), m->params.end(), Value{}); }

long Statement::execute() {
    needActive(*m->tr);
    IMessageMetadata* inMeta = nullptr;
    std::vector<unsigned char> inBuf;
    m->buildInput(inMeta, inBuf);
    Status st;
    std::vector<unsigned char> outBuf(m->out.size);
    m->stmt->execute(&st, m->tra(), inMeta, inMeta ? inBuf.data() : nullptr, m->out.meta,
                     m->out.meta ? outBuf.data() : nullptr);
    if (inMeta) inMeta->release();
    st.check();
    ISC_UINT64 affected = m->stmt->getAffectedRecords(&st);
    if (st.failed()) return 0;
    return static_cast<long>(affected);
}

Cursor Statement::open() {
    needActive(*m->tr);
    if (m->openCursor) m->openCursor->close();
    IMessageMetadata* inMeta = nullptr;
    std::vector<unsigned char> inBuf;
    m->buildInput(inMeta, inBuf);
    Status st;
    IResultSet* rs = m->stmt->openCursor(&st, m->tra(), inMeta, inMeta ? inBuf.data() : nullptr, m->out.meta, 0);
    if (inMeta) inMeta->release();
    st.check();
    Cursor c(m.get());
    c.m->rs = rs;
    return c;
}

// ---------------------------------------------------------------- Cursor

Cursor::Cursor(Statement::Impl* st) : m(std::make_unique<Impl>()) {
    m->st = st;
    m->buf.assign(st->out.size, 0);
    st->openCursor = m.get();
}

Cursor::Cursor(Cursor&&) noexcept = default;
Cursor& Cursor::operator=(Cursor&&) noexcept = default;
Cursor::~Cursor() = default;

bool Cursor::fetch() {
    if (!m->rs) return false;
    Status st;
    int rc = m->rs->fetchNext(&st, m->buf.data());
    st.check();
    if (rc == IStatus::RESULT_OK) return true;
    m->close();
    return false;
}

void Cursor::close() { m->close(); }

const std::vector<Column>& Cursor::columns() const {
    if (!m->st) throw Error("Zapytanie zostało zwolnione", 0);
    return m->st->columns;
}

int Cursor::indexOf(std::string_view name) const {
    const auto& cols = columns();
    std::string u = upper(name);
    for (size_t i = 0; i < cols.size(); ++i)
        if (upper(cols[i].name) == u) return static_cast<int>(i);
    return -1;
}

bool Cursor::isNull(int i) const {
    short ind;
    std::memcpy(&ind, m->buf.data() + m->st->out.nullOffsets[i], sizeof ind);
    return ind != 0;
}

std::int64_t Cursor::asInt(int i) const {
    if (isNull(i)) return 0;
    unsigned type = m->st->out.types[i];
    const unsigned char* p = m->at(i);
    switch (type) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: {
        std::int64_t v = readScaledInt(p, type);
        int scale = -m->st->out.scales[i];
        return scale > 0 ? v / pow10(scale) : v;
    }
    case SQL_DOUBLE: { double d; std::memcpy(&d, p, 8); return static_cast<std::int64_t>(d); }
    case SQL_FLOAT: { float f; std::memcpy(&f, p, 4); return static_cast<std::int64_t>(f); }
    case SQL_BOOLEAN: return *p ? 1 : 0;
    case SQL_TEXT:
    case SQL_VARYING: {
        auto t = asText(i);
        std::int64_t v = 0;
        std::from_chars(t.data(), t.data() + t.size(), v);
        return v;
    }
    default: throw Error("Kolumna " + m->st->columns[i].name + " nie jest liczbą", 0);
    }
}

Decimal Cursor::asDecimal(int i) const {
    if (isNull(i)) return Decimal{0, 4};
    unsigned type = m->st->out.types[i];
    switch (type) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: return Decimal{readScaledInt(m->at(i), type), -m->st->out.scales[i]};
    default: return Decimal::fromDouble(asDouble(i), 4);
    }
}

double Cursor::asDouble(int i) const {
    if (isNull(i)) return 0.0;
    unsigned type = m->st->out.types[i];
    const unsigned char* p = m->at(i);
    switch (type) {
    case SQL_DOUBLE: { double d; std::memcpy(&d, p, 8); return d; }
    case SQL_FLOAT: { float f; std::memcpy(&f, p, 4); return f; }
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: return asDecimal(i).toDouble();
    default: return static_cast<double>(asInt(i));
    }
}

std::string_view Cursor::asText(int i) const {
    if (isNull(i)) return {};
    unsigned type = m->st->out.types[i];
    const unsigned char* p = m->at(i);
    if (type == SQL_VARYING) {
        unsigned short len;
        std::memcpy(&len, p, 2);
        return {reinterpret_cast<const char*>(p + 2), len};
    }
    if (type == SQL_TEXT) {
        // CHAR columns come padded to their byte length; blanks at the end
        // belong to the padding.
        std::string_view s(reinterpret_cast<const char*>(p), m->st->out.lengths[i]);
        size_t end = s.find_last_not_of(' ');
        return end == std::string_view::npos ? std::string_view{} : s.substr(0, end + 1);
    }
    if (type == SQL_BLOB && m->st->out.subTypes[i] == 1) {
        ISC_QUAD id;
        std::memcpy(&id, p, sizeof id);
        m->blobTexts.resize(m->st->columns.size());
        m->blobTexts[i] = readBlob(m->st->att(), m->st->tra(), id);
        return m->blobTexts[i];
    }
    throw Error("Kolumna " + m->st->columns[i].name + " nie jest tekstem", 0);
}

Timestamp Cursor::asTimestamp(int i) const {
    if (isNull(i)) return {};
    unsigned type = m->st->out.types[i];
    const unsigned char* p = m->at(i);
    if (type == SQL_TIMESTAMP) {
        ISC_TIMESTAMP ts;
        std::memcpy(&ts, p, sizeof ts);
        return decodeTimestamp(ts.timestamp_date, ts.timestamp_time);
    }
    if (type == SQL_TYPE_DATE) {
        ISC_DATE d;
        std::memcpy(&d, p, sizeof d);
        return decodeTimestamp(d, 0);
    }
    if (type == SQL_TYPE_TIME) {
        ISC_TIME t;
        std::memcpy(&t, p, sizeof t);
        Timestamp r = decodeTimestamp(0, t);
        r.year = r.month = r.day = 0;
        return r;
    }
    throw Error("Kolumna " + m->st->columns[i].name + " nie jest datą", 0);
}

Value Cursor::value(int i) const {
    if (isNull(i)) return Value{};
    const Column& c = m->st->columns[i];
    switch (c.type) {
    case ColumnType::Integer:
    case ColumnType::Boolean: return asInt(i);
    case ColumnType::Decimal: return asDecimal(i);
    case ColumnType::Double: return asDouble(i);
    case ColumnType::Timestamp:
    case ColumnType::Date:
    case ColumnType::Time: return asTimestamp(i);
    case ColumnType::Text:
        if (m->st->out.types[i] == SQL_BLOB) {
            ISC_QUAD id;
            std::memcpy(&id, m->at(i), sizeof id);
            return readBlob(m->st->att(), m->st->tra(), id);
        }
        return std::string(asText(i));
    case ColumnType::Blob: {
        ISC_QUAD id;
        std::memcpy(&id, m->at(i), sizeof id);
        return readBlob(m->st->att(), m->st->tra(), id);
    }
    default: throw Error("Nieobsługiwany typ kolumny " + c.name, 0);
    }
}

std::optional<Value> selectValue(Transaction& tr, std::string_view sql, const std::vector<Value>& params) {
    Statement st(tr, sql);
    if (!params.empty()) st.setParams(params);
    Cursor c = st.open();
    if (!c.fetch()) return std::nullopt;
    return c.value(0);
}

}  // namespace fb
