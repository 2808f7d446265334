#pragma once
// Fetched rows kept compactly: each row is one contiguous byte run in a
// chunked arena, laid out as
//   [null bits][8-byte slot per number/date column][uint32 text end per text column][text bytes]
// Numbers, decimals (units at the column's scale), doubles and packed
// date-times take their slot; texts are UTF-8 bytes. Nothing is decoded
// until a cell is read.

#include "platform/fb/Fb.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace data {

enum class Storage : std::uint8_t { Int, Double, Timestamp, Text };

class RowStore {
public:
    RowStore() = default;
    explicit RowStore(std::vector<Storage> layout);

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    int columnCount() const { return static_cast<int>(m_layout.size()); }
    Storage storage(int column) const { return m_layout[column]; }

    bool isNull(int row, int column) const;
    std::int64_t intAt(int row, int column) const;
    double doubleAt(int row, int column) const;
    fb::Timestamp timestampAt(int row, int column) const;
    std::string_view textAt(int row, int column) const;

    // Assembles one row: begin(), then every cell in column order, then row().
    class Builder {
    public:
        explicit Builder(const RowStore& store);
        void begin();
        void setNull();
        void setInt(std::int64_t v);
        void setDouble(double v);
        void setTimestamp(const fb::Timestamp& t);
        void setText(std::string_view s);
        std::string_view row() const { return m_buf; }

    private:
        void putSlot(const void* v);
        const RowStore& m_store;
        std::string m_buf;
        int m_column = 0;
        std::uint32_t m_textLength = 0;
    };

    void append(std::string_view row);
    void insert(int at, std::string_view row);
    // In place when the new row is no longer; otherwise the old bytes stay
    // unused in the arena until the store is dropped.
    void replace(int row, std::string_view bytes);
    void remove(int row);

    // Bytes held by the arena and the row index (for memory reports).
    std::size_t bytesAllocated() const;

    static std::int64_t packTimestamp(const fb::Timestamp& t);
    static fb::Timestamp unpackTimestamp(std::int64_t v);

private:
    char* copyIn(std::string_view bytes);
    std::size_t rowSize(int row) const;

    std::vector<Storage> m_layout;
    std::vector<std::uint32_t> m_place;   // slot offset, or text end index, by column
    std::uint32_t m_nullBytes = 0, m_fixedSize = 0, m_textEnds = 0;

    std::vector<char*> m_rows;
    std::vector<std::unique_ptr<char[]>> m_chunks;
    std::size_t m_chunkUsed = 0, m_chunkSize = 0, m_allocated = 0;
};

}  // namespace data
