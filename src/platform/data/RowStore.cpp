#include "platform/data/RowStore.h"

#include <algorithm>
#include <cstring>

namespace data {

namespace {
constexpr std::size_t kChunk = 1 << 20;
constexpr std::uint32_t kSlot = 8;
}  // namespace

RowStore::RowStore(std::vector<Storage> layout) : m_layout(std::move(layout)) {
    const auto columns = static_cast<std::uint32_t>(m_layout.size());
    m_nullBytes = (columns + 7) / 8;
    std::uint32_t slots = 0, texts = 0;
    for (Storage s : m_layout) (s == Storage::Text ? texts : slots)++;
    m_textEnds = m_nullBytes + slots * kSlot;
    m_fixedSize = m_textEnds + texts * sizeof(std::uint32_t);
    m_place.reserve(columns);
    std::uint32_t slot = 0, text = 0;
    for (Storage s : m_layout) m_place.push_back(s == Storage::Text ? text++ : m_nullBytes + kSlot * slot++);
}

bool RowStore::isNull(int row, int column) const {
    return (static_cast<unsigned char>(m_rows[row][column >> 3]) >> (column & 7)) & 1;
}

std::int64_t RowStore::intAt(int row, int column) const {
    std::int64_t v;
    std::memcpy(&v, m_rows[row] + m_place[column], sizeof v);
    return v;
}

double RowStore::doubleAt(int row, int column) const {
    double v;
    std::memcpy(&v, m_rows[row] + m_place[column], sizeof v);
    return v;
}

fb::Timestamp RowStore::timestampAt(int row, int column) const { return unpackTimestamp(intAt(row, column)); }

std::string_view RowStore::textAt(int row, int column) const {
    const char* r = m_rows[row];
    const std::uint32_t index = m_place[column];
    std::uint32_t begin = 0, end;
    if (index > 0) std::memcpy(&begin, r + m_textEnds + (index - 1) * sizeof begin, sizeof begin);
    std::memcpy(&end, r + m_textEnds + index * sizeof end, sizeof end);
    return {r + m_fixedSize + begin, end - begin};
}

std::int64_t RowStore::packTimestamp(const fb::Timestamp& t) {
    std::int64_t v = t.year;
    v = v * 16 + t.month;
    v = v * 32 + t.day;
    v = v * 32 + t.hour;
    v = v * 64 + t.minute;
    v = v * 64 + t.second;
    return v * 16384 + t.fraction;
}

fb::Timestamp RowStore::unpackTimestamp(std::int64_t v) {
    fb::Timestamp t;
    t.fraction = static_cast<int>(v % 16384); v /= 16384;
    t.second = static_cast<int>(v % 64); v /= 64;
    t.minute = static_cast<int>(v % 64); v /= 64;
    t.hour = static_cast<int>(v % 32); v /= 32;
    t.day = static_cast<int>(v % 32); v /= 32;
    t.month = static_cast<int>(v % 16); v /= 16;
    t.year = static_cast<int>(v);
    return t;
}

// ---------------------------------------------------------------- Builder

RowStore::Builder::Builder(const RowStore& store) : m_store(store) { begin(); }

void RowStore::Builder::putSlot(const void* v) {
    std::memcpy(m_buf.data() + m_store.m_place[m_column], v, kSlot);
    ++m_column;
}

void RowStore::Builder::setNull() {
    m_buf[m_column >> 3] = static_cast<char>(m_buf[m_column >> 3] | (1 << (m_column & 7)));
    if (m_store.m_layout[m_column] == Storage::Text) setText({});
    else ++m_column;
}

void RowStore::Builder::setInt(std::int64_t v) { putSlot(&v); }
void RowStore::Builder::setDouble(double v) { putSlot(&v); }

void RowStore::Builder::setTimestamp(const fb::Timestamp& t) {
    const std::int64_t v = packTimestamp(t);
    putSlot(&v);
}

void RowStore::Builder::setText(std::string_view s) {
    m_buf.append(s);
    m_textLength += static_cast<std::uint32_t>(s.size());
    std::memcpy(m_buf.data() + m_store.m_textEnds + m_store.m_place[m_column] * sizeof m_textLength, &m_textLength,
                sizeof m_textLength);
    ++m_column;
}

void RowStore::Builder::begin() {
    m_buf.assign(m_store.m_fixedSize, '\0');
    m_column = 0;
    m_textLength = 0;
}

// ---------------------------------------------------------------- arena

char* RowStore::copyIn(std::string_view bytes) {
    if (m_chunks.empty() || m_chunkUsed + bytes.size() > m_chunkSize) {
        m_chunkSize = std::max(kChunk, bytes.size());
        m_chunks.emplace_back(new char[m_chunkSize]);  // not zeroed: untouched pages cost nothing
        m_allocated += m_chunkSize;
        m_chunkUsed = 0;
    }
    char* p = m_chunks.back().get() + m_chunkUsed;
    std::memcpy(p, bytes.data(), bytes.size());
    m_chunkUsed += bytes.size();
    return p;
}

void RowStore::append(std::string_view row) { m_rows.push_back(copyIn(row)); }
void RowStore::insert(int at, std::string_view row) { m_rows.insert(m_rows.begin() + at, copyIn(row)); }
void RowStore::replace(int row, std::string_view bytes) {
    // Most edits (marks, amounts, dates) keep the size: rewrite in place.
    if (bytes.size() <= rowSize(row)) std::memcpy(m_rows[row], bytes.data(), bytes.size());
    else m_rows[row] = copyIn(bytes);
}

std::size_t RowStore::rowSize(int row) const {
    const std::uint32_t texts = (m_fixedSize - m_textEnds) / sizeof(std::uint32_t);
    std::uint32_t textBytes = 0;
    if (texts > 0) std::memcpy(&textBytes, m_rows[row] + m_fixedSize - sizeof textBytes, sizeof textBytes);
    return m_fixedSize + textBytes;
}
void RowStore::remove(int row) { m_rows.erase(m_rows.begin() + row); }

std::size_t RowStore::bytesAllocated() const { return m_allocated + m_rows.capacity() * sizeof(char*); }

}  // namespace data
