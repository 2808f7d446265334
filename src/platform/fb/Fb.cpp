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

// One status vector per object, used by each of its calls in turn: check()
// turns errors into fb::Error and leaves the vector clean for the next call.
class Status {
public:
    Status() : m_status(master()->getStatus()), m_wrapper(m_status) {}
    ~Status() { m_status->dispose(); }
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;

    CheckStatusWrapper* operator&() { return &m_wrapper; }
    bool failed() const { return (m_wrapper.getState() & IStatus::STATE_ERRORS) != 0; }
    // For cleanups whose failure only costs a release: reports it and forgets it.
    bool dropFailure() {
        const bool f = failed();
        if (f) m_wrapper.clearException();
        return f;
    }

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
    Status status;
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
        m->att->detach(&m->status);
        if (!m->status.dropFailure()) m->att = nullptr;
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
    Status& st = m->status;
    m->att->detach(&st);
    if (st.failed()) {
        releaseQuietly(m->att);
        st.raise();
    }
    m->att = nullptr;
}

void Attachment::dropDatabase() {
    if (!isConnected()) throw Error("Brak połączenia z bazą danych", 0);
    Status& st = m->status;
    m->att->dropDatabase(&st);
    if (st.failed()) st.raise();  // still attached: the caller may detach
    m->att = nullptr;
}

// ---------------------------------------------------------------- Transaction

struct Transaction::Impl {
    IAttachment* att = nullptr;   // the attachment it was started in
    ITransaction* tra = nullptr;
    Status status;
    ~Impl() {
        if (tra) {
            tra->rollback(&status);
            if (status.dropFailure()) releaseQuietly(tra);
            tra = nullptr;
        }
    }
};

Transaction::Transaction(Attachment& att) : m(std::make_shared<Impl>()), m_att(&att) { start(); }
Transaction::~Transaction() = default;
Transaction::Transaction(Transaction&&) noexcept = default;
Transaction& Transaction::operator=(Transaction&&) noexcept = default;

bool Transaction::isActive() const { return m && m->tra; }

void Transaction::start() {
    if (isActive()) return;
    if (!m_att->isConnected()) throw Error("Brak połączenia z bazą danych", 0);
    static const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                        isc_tpb_rec_version, isc_tpb_nowait};
    m->att = m_att->m->att;
    m->tra = m->att->startTransaction(&m->status, sizeof tpb, tpb);
    m->status.check();
}

namespace {
void needActive(const Transaction& t) {
    if (!t.isActive()) throw Error("Transakcja nie jest aktywna", 0);
}
}  // namespace

void Transaction::commit() {
    needActive(*this);
    Status& st = m->status;
    m->tra->commit(&st);
    st.check();  // on failure the transaction is still ours and still active
    m->tra = nullptr;
}

void Transaction::commitRetaining() {
    needActive(*this);
    Status& st = m->status;
    m->tra->commitRetaining(&st);
    st.check();
}

void Transaction::rollback() {
    needActive(*this);
    Status& st = m->status;
    m->tra->rollback(&st);
    if (st.failed()) {
        releaseQuietly(m->tra);
        st.raise();
    }
    m->tra = nullptr;
}

void Transaction::rollbackRetaining() {
    needActive(*this);
    Status& st = m->status;
    m->tra->rollbackRetaining(&st);
    st.check();
}

void Attachment::execute(Transaction& tr, std::string_view sql) {
    if (!isConnected()) throw Error("Brak połączenia z bazą danych", 0);
    Status& st = m->status;
    std::string text(sql);
    m->att->execute(&st, tr.m->tra, 0, text.c_str(), kDialect, nullptr, nullptr, nullptr, nullptr);
    st.check();
}

// ---------------------------------------------------------------- Statement

namespace {

struct MessageLayout {
    IMessageMetadata* meta = nullptr;
    std::vector<unsigned> offsets, nullOffsets, types, lengths, charSets;
    std::vector<int> scales, subTypes;
    unsigned size = 0;

    void load(IMessageMetadata* m, Status& st) {
        release();
        meta = m;
        if (!m) return;
        unsigned n = m->getCount(&st);
        st.check();
        offsets.resize(n);
        nullOffsets.resize(n);
        types.resize(n);
        lengths.resize(n);
        charSets.resize(n);
        scales.resize(n);
        subTypes.resize(n);
        for (unsigned i = 0; i < n; ++i) {
            offsets[i] = m->getOffset(&st, i);
            nullOffsets[i] = m->getNullOffset(&st, i);
            types[i] = m->getType(&st, i) & ~1u;
            lengths[i] = m->getLength(&st, i);
            charSets[i] = m->getCharSet(&st, i);
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

std::string readBlob(IAttachment* att, ITransaction* tra, Status& st, const ISC_QUAD& id) {
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
    if (st.dropFailure()) releaseQuietly(blob);
    return out;
}

ISC_QUAD writeBlob(IAttachment* att, ITransaction* tra, Status& st, std::string_view data) {
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

// How a parameter travels in the input message. Each value is sent in a type
// of its own kind and Firebird converts it to the parameter's type, so an
// integer may feed a NUMERIC and a text a TIMESTAMP. The message is built at
// prepare from the declared types and again only when a value of another kind
// (or scale) arrives: a loop binding alike values reuses it.
enum class Wire : unsigned char { Declared, Int, Double, Scaled, Text, Stamp, BlobId };

// The longest text a message field carries: its length is 16 bits and
// Firebird keeps a VARCHAR under 32 KiB.
constexpr unsigned kMaxTextBytes = 32765;
constexpr long kIscStringTruncation = 335544914;   // isc_string_truncation

struct Slot {
    Wire wire = Wire::Declared;
    int scale = 0;                // Scaled: digits after the point
    unsigned capacity = 0;        // Text: bytes the field holds
    unsigned columnBytes = 0;     // a text parameter's own length; 0 when it is no text
    unsigned bytesPerChar = 1;    // of that text in the connection's character set
    unsigned offset = 0, nullOffset = 0;
};

Slot declaredSlot(unsigned type, unsigned length, int scale, unsigned charSet) {
    Slot s;
    switch (type) {
    case SQL_BLOB: s.wire = Wire::BlobId; break;
    case SQL_TEXT:
    case SQL_VARYING:
        s.wire = Wire::Text;
        s.columnBytes = s.capacity = std::min(length, kMaxTextBytes);
        s.bytesPerChar = charSet == 4 /* UTF8 */ ? 4 : charSet == 3 /* UNICODE_FSS */ ? 3 : 1;
        break;
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        s.wire = scale < 0 ? Wire::Scaled : Wire::Int;
        s.scale = -scale;
        break;
    case SQL_FLOAT:
    case SQL_DOUBLE: s.wire = Wire::Double; break;
    case SQL_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME: s.wire = Wire::Stamp; break;
    default: break;
    }
    return s;
}

Wire wireOf(const Value& v) {
    switch (v.index()) {
    case 1: return Wire::Int;
    case 2: return Wire::Double;
    case 3: return Wire::Scaled;
    case 4: return Wire::Text;
    case 5: return Wire::Stamp;
    default: return Wire::Declared;
    }
}

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t utf8Chars(std::string_view s) {
    return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) { return !isContinuation(c); }));
}

// Bytes taken by the first `chars` characters of a UTF-8 text.
std::size_t utf8Prefix(std::string_view s, std::size_t chars) {
    std::size_t i = 0;
    for (std::size_t seen = 0; i < s.size(); ++i)
        if (!isContinuation(s[i]) && seen++ == chars) break;
    return i;
}

}  // namespace

struct Statement::Impl {
    IAttachment* att = nullptr;   // prepared in; only its transactions run the statement
    IStatement* stmt = nullptr;
    Status status;
    MessageLayout in;             // as the statement declares its parameters
    MessageLayout out;
    std::vector<unsigned char> outBuf;
    std::vector<Column> columns;
    std::vector<Value> params;
    std::vector<std::string> paramNames;
    unsigned type = 0;
    Cursor::Impl* openCursor = nullptr;   // the cursor reading this statement, if any

    // The input message as sent: one slot a parameter.
    std::vector<Slot> slots;
    IMessageMetadata* inMeta = nullptr;
    std::vector<unsigned char> inBuf;
    std::vector<std::string_view> texts;   // the text each parameter sends this time
    bool stale = true;                     // slots changed since the message was built

    ~Impl();
    ITransaction* transactionOf(const Transaction& tr) const;
    void describeColumns();
    void buildInput();
    void bindInput(Transaction::Impl& tr);
    std::string_view fitText(unsigned i, std::string_view text) const;
    [[noreturn]] void refuseText(unsigned i, std::size_t size, std::size_t limit, const char* unit) const;
    IMessageMetadata* inputMeta() const { return slots.empty() ? nullptr : inMeta; }
    unsigned char* inputData() { return slots.empty() ? nullptr : inBuf.data(); }
};

struct Cursor::Impl {
    Statement::Impl* st = nullptr;
    std::weak_ptr<Transaction::Impl> tr;   // for blobs; a cursor does not keep its transaction going
    IResultSet* rs = nullptr;
    Status status;
    std::vector<unsigned char> buf;
    std::vector<std::string> blobTexts;   // text blobs read for asText, per column

    ~Impl() { close(); }
    void close() {
        if (rs) {
            rs->close(&status);
            if (status.dropFailure()) releaseQuietly(rs);
            rs = nullptr;
        }
        if (st && st->openCursor == this) st->openCursor = nullptr;
    }
    const unsigned char* at(int i) const { return buf.data() + st->out.offsets[i]; }
    std::string blob(int i) {
        auto t = tr.lock();
        if (!t || !t->tra) throw Error("Transakcja nie jest aktywna", 0);
        ISC_QUAD id;
        std::memcpy(&id, at(i), sizeof id);
        return readBlob(t->att, t->tra, status, id);
    }
};

Statement::Impl::~Impl() {
    if (openCursor) {
        openCursor->close();
        openCursor->st = nullptr;
    }
    if (inMeta) inMeta->release();
    if (stmt) {
        stmt->free(&status);
        if (status.dropFailure()) releaseQuietly(stmt);
    }
}

ITransaction* Statement::Impl::transactionOf(const Transaction& tr) const {
    needActive(tr);
    if (tr.m->att != att) throw Error("Polecenie przygotowano w innym połączeniu z bazą danych", 0);
    return tr.m->tra;
}

void Statement::Impl::describeColumns() {
    IMessageMetadata* meta = out.meta;
    unsigned n = static_cast<unsigned>(out.offsets.size());
    columns.resize(n);
    for (unsigned i = 0; i < n; ++i) {
        Column& c = columns[i];
        c.name = meta->getAlias(&status, i);
        c.field = meta->getField(&status, i);
        c.relation = meta->getRelation(&status, i);
        c.nullable = meta->isNullable(&status, i);
        c.scale = -out.scales[i];
        c.type = columnTypeOf(out.types[i], out.scales[i], out.subTypes[i]);
        c.blob = out.types[i] == SQL_BLOB;
        unsigned len = out.lengths[i];
        // UTF8 connections report byte lengths of four bytes a character.
        c.length = c.type == ColumnType::Text ? static_cast<int>(len / 4) : static_cast<int>(len);
    }
    status.check();
    outBuf.assign(out.size, 0);
}

void Statement::Impl::buildInput() {
    IMetadataBuilder* b = in.meta->getBuilder(&status);
    status.check();
    for (unsigned i = 0; i < slots.size(); ++i) {
        const Slot& s = slots[i];
        auto set = [&](unsigned type, unsigned length, int scale) {
            b->setType(&status, i, type);
            b->setLength(&status, i, length);
            b->setScale(&status, i, scale);
        };
        switch (s.wire) {
        case Wire::Declared:
        case Wire::BlobId: break;
        case Wire::Int: set(SQL_INT64, 8, 0); break;
        case Wire::Double: set(SQL_DOUBLE, 8, 0); break;
        case Wire::Scaled: set(SQL_INT64, 8, -s.scale); break;
        case Wire::Stamp: set(SQL_TIMESTAMP, sizeof(ISC_TIMESTAMP), 0); break;
        case Wire::Text:
            b->setType(&status, i, SQL_VARYING);
            b->setLength(&status, i, std::max(1u, s.capacity));
            b->setCharSet(&status, i, 4 /* UTF8 */);
            break;
        }
    }
    IMessageMetadata* meta = status.failed() ? nullptr : b->getMetadata(&status);
    b->release();
    status.check();
    if (inMeta) inMeta->release();
    inMeta = meta;
    for (unsigned i = 0; i < slots.size(); ++i) {
        slots[i].offset = meta->getOffset(&status, i);
        slots[i].nullOffset = meta->getNullOffset(&status, i);
    }
    inBuf.assign(meta->getMessageLength(&status), 0);
    status.check();
    stale = false;
}

void Statement::Impl::refuseText(unsigned i, std::size_t size, std::size_t limit, const char* unit) const {
    const std::string what = i < paramNames.size() && !paramNames[i].empty() ? "pola " + paramNames[i]
                                                                              : "parametru nr " + std::to_string(i + 1);
    throw Error("Tekst " + what + " jest za długi (" + unit + ": " + std::to_string(size) +
                    ", dopuszczalnie: " + std::to_string(limit) + ")",
                kIscStringTruncation, "22001");
}

// The text to send for parameter i. Blanks past a text column's length are
// dropped, as Firebird drops them; anything else past it, or past what a
// message carries, refuses the whole statement: a length that wrapped would
// turn this parameter and every later one into NULL.
std::string_view Statement::Impl::fitText(unsigned i, std::string_view text) const {
    const Slot& s = slots[i];
    if (s.columnBytes == 0) {
        if (text.size() > kMaxTextBytes) refuseText(i, text.size(), kMaxTextBytes, "bajtów");
        return text;
    }
    const unsigned chars = s.columnBytes / s.bytesPerChar;
    const std::size_t cut = s.bytesPerChar == 1 ? std::min<std::size_t>(text.size(), chars) : utf8Prefix(text, chars);
    if (cut < text.size()) {
        if (text.find_first_not_of(' ', cut) != std::string_view::npos)
            refuseText(i, s.bytesPerChar == 1 ? text.size() : utf8Chars(text), chars, "znaków");
        text = text.substr(0, cut);
    }
    if (text.size() > s.columnBytes) refuseText(i, text.size(), s.columnBytes, "bajtów");
    return text;
}

void Statement::Impl::bindInput(Transaction::Impl& tr) {
    for (unsigned i = 0; i < slots.size(); ++i) {
        Slot& s = slots[i];
        const Value& v = params[i];
        if (fb::isNull(v)) continue;   // a NULL travels in any type
        if (s.wire == Wire::BlobId) {
            if (!std::holds_alternative<std::string>(v)) throw Error("Parametr typu BLOB wymaga tekstu", 0);
            continue;
        }
        const Wire wire = wireOf(v);
        const int scale = wire == Wire::Scaled ? std::get<Decimal>(v).scale : 0;
        if (wire == Wire::Text) {
            texts[i] = fitText(i, std::get<std::string>(v));
            const unsigned need = s.columnBytes ? s.columnBytes
                                                : std::max<unsigned>(static_cast<unsigned>(texts[i].size()), 64);
            if (s.wire != Wire::Text || s.capacity < texts[i].size()) {
                s.capacity = std::max(need, s.wire == Wire::Text ? std::min(2 * s.capacity, kMaxTextBytes) : 0u);
                stale = true;
            }
        } else if (s.wire != wire || s.scale != scale) {
            stale = true;
        }
        s.wire = wire;
        s.scale = scale;
    }
    if (stale) buildInput();

    unsigned char* base = inBuf.data();
    for (unsigned i = 0; i < slots.size(); ++i) {
        const Slot& s = slots[i];
        const Value& v = params[i];
        const short nullFlag = fb::isNull(v) ? -1 : 0;
        std::memcpy(base + s.nullOffset, &nullFlag, sizeof nullFlag);
        if (nullFlag) continue;
        unsigned char* p = base + s.offset;
        switch (s.wire) {
        case Wire::Declared: break;
        case Wire::BlobId: {
            const ISC_QUAD id = writeBlob(tr.att, tr.tra, status, std::get<std::string>(v));
            std::memcpy(p, &id, sizeof id);
            break;
        }
        case Wire::Int: std::memcpy(p, &std::get<std::int64_t>(v), 8); break;
        case Wire::Double: std::memcpy(p, &std::get<double>(v), 8); break;
        case Wire::Scaled: std::memcpy(p, &std::get<Decimal>(v).units, 8); break;
        case Wire::Text: {
            const auto len = static_cast<unsigned short>(texts[i].size());
            std::memcpy(p, &len, 2);
            std::memcpy(p + 2, texts[i].data(), len);
            break;
        }
        case Wire::Stamp: {
            const Timestamp& x = std::get<Timestamp>(v);
            ISC_TIMESTAMP ts;
            ts.timestamp_date = util()->encodeDate(x.year, x.month, x.day);
            ts.timestamp_time = util()->encodeTime(x.hour, x.minute, x.second, x.fraction);
            std::memcpy(p, &ts, sizeof ts);
            break;
        }
        }
    }
}

Statement::Statement(Transaction& tr, std::string_view sql) : m(std::make_unique<Impl>()) {
    needActive(tr);
    m->att = tr.m->att;
    Status& st = m->status;
    std::string text(sql);
    m->stmt = m->att->prepare(&st, tr.m->tra, 0, text.c_str(), kDialect, IStatement::PREPARE_PREFETCH_METADATA);
    st.check();
    m->type = m->stmt->getType(&st);
    st.check();
    m->in.load(m->stmt->getInputMetadata(&st), st);
    st.check();
    m->out.load(m->stmt->getOutputMetadata(&st), st);
    st.check();
    m->describeColumns();
    const auto n = m->in.offsets.size();
    m->params.assign(n, Value{});
    m->texts.assign(n, {});
    for (size_t i = 0; i < n; ++i)
        m->slots.push_back(declaredSlot(m->in.types[i], m->in.lengths[i], m->in.scales[i], m->in.charSets[i]));
    if (n > 0) m->buildInput();
}

Statement::~Statement() = default;
Statement::Statement(Statement&&) noexcept = default;
Statement& Statement::operator=(Statement&&) noexcept = default;

int Statement::paramCount() const { return static_cast<int>(m->slots.size()); }
const std::vector<Column>& Statement::columns() const { return m->columns; }
bool Statement::isSelect() const {
    return m->type == isc_info_sql_stmt_select || m->type == isc_info_sql_stmt_select_for_upd;
}

void Statement::setParamNames(std::vector<std::string> names) { m->paramNames = std::move(names); }

void Statement::setParam(int index, const Value& value) {
    if (index < 0 || index >= paramCount()) throw Error("Nieprawidłowy numer parametru", 0);
    m->params[index] = value;
}

void Statement::setParams(const std::vector<Value>& values) {
    if (static_cast<int>(values.size()) != paramCount())
        throw Error("Liczba parametrów nie zgadza się z poleceniem", 0);
    m->params = values;
}

void Statement::setParams(std::vector<Value>&& values) {
    if (static_cast<int>(values.size()) != paramCount())
        throw Error("Liczba parametrów nie zgadza się z poleceniem", 0);
    m->params = std::move(values);
}

void Statement::clearParams() { std::fill(m->params.begin(), m->params.end(), Value{}); }

long Statement::execute(Transaction& tr) {
    ITransaction* tra = m->transactionOf(tr);
    m->bindInput(*tr.m);
    Status& st = m->status;
    m->stmt->execute(&st, tra, m->inputMeta(), m->inputData(), m->out.meta, m->out.meta ? m->outBuf.data() : nullptr);
    st.check();
    ISC_UINT64 affected = m->stmt->getAffectedRecords(&st);
    if (st.dropFailure()) return 0;
    return static_cast<long>(affected);
}

Cursor Statement::open(Transaction& tr) {
    ITransaction* tra = m->transactionOf(tr);
    if (m->openCursor) m->openCursor->close();
    m->bindInput(*tr.m);
    Status& st = m->status;
    IResultSet* rs = m->stmt->openCursor(&st, tra, m->inputMeta(), m->inputData(), m->out.meta, 0);
    st.check();
    Cursor c(m.get(), tr.m);
    c.m->rs = rs;
    return c;
}

// ---------------------------------------------------------------- Cursor

Cursor::Cursor(Statement::Impl* st, const std::shared_ptr<Transaction::Impl>& tr) : m(std::make_unique<Impl>()) {
    m->st = st;
    m->tr = tr;
    m->buf.assign(st->out.size, 0);
    st->openCursor = m.get();
}

Cursor::Cursor(Cursor&&) noexcept = default;
Cursor& Cursor::operator=(Cursor&&) noexcept = default;
Cursor::~Cursor() = default;

bool Cursor::fetch() {
    if (!m->rs) return false;
    int rc = m->rs->fetchNext(&m->status, m->buf.data());
    m->status.check();
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
        m->blobTexts.resize(m->st->columns.size());
        m->blobTexts[i] = m->blob(i);
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
        if (m->st->out.types[i] == SQL_BLOB) return m->blob(i);
        return std::string(asText(i));
    case ColumnType::Blob: return m->blob(i);
    default: throw Error("Nieobsługiwany typ kolumny " + c.name, 0);
    }
}

std::optional<Value> selectValue(Transaction& tr, std::string_view sql, const std::vector<Value>& params) {
    Statement st(tr, sql);
    if (!params.empty()) st.setParams(params);
    Cursor c = st.open(tr);
    if (!c.fetch()) return std::nullopt;
    return c.value(0);
}

}  // namespace fb
