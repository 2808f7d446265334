#pragma once
// Thin RAII layer over the Firebird 3 client OO API. Raw Firebird interface
// pointers never leave this layer: callers see Attachment, Transaction,
// Statement and Cursor, values as fb::Value, failures as fb::Error.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace fb {

// A Firebird failure: the server's formatted message and its primary ISC code.
class Error : public std::runtime_error {
public:
    Error(std::string message, long iscCode, std::string sqlState = {});
    long iscCode() const { return m_isc; }
    const std::string& sqlState() const { return m_sqlState; }
    // True for update conflicts and unique/primary key violations, the two
    // failures callers answer with a specific message.
    bool isUniqueViolation() const;
    bool isLockConflict() const;

private:
    long m_isc;
    std::string m_sqlState;
};

// Fixed-point decimal held exactly: value = units / 10^scale.
struct Decimal {
    std::int64_t units = 0;
    int scale = 0;

    double toDouble() const;
    // Rounds half away from zero on the decimal form of the double, so 1.005
    // held as 1.00499999... still becomes 1.01 at scale 2.
    static Decimal fromDouble(double value, int scale);
    Decimal rescaled(int newScale) const;   // rounds half away from zero when shrinking
    std::string toString() const;           // "-1234.5000": '.' whatever the locale
    friend bool operator==(const Decimal& a, const Decimal& b) {
        return a.rescaled(4).units == b.rescaled(4).units;
    }
};

struct Timestamp {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
    int fraction = 0;   // 1/10000 of a second, as Firebird keeps it
    friend bool operator==(const Timestamp&, const Timestamp&) = default;
};

// NULL is std::monostate. Integers of every width arrive as int64; scaled
// integers (NUMERIC/DECIMAL) as Decimal; text and text blobs as UTF-8.
using Value = std::variant<std::monostate, std::int64_t, double, Decimal, std::string, Timestamp>;

inline bool isNull(const Value& v) { return std::holds_alternative<std::monostate>(v); }

enum class ColumnType { Integer, Decimal, Double, Text, Timestamp, Date, Time, Blob, Boolean, Other };

struct Column {
    std::string name;       // alias as the select list names it
    std::string field;      // underlying column name, empty for expressions
    std::string relation;   // table name, empty for expressions
    ColumnType type = ColumnType::Other;
    int scale = 0;          // digits after the point for Decimal
    int length = 0;         // characters for Text, bytes otherwise
    bool nullable = true;
    bool blob = false;      // a blob column (text blobs have type Text)
};

struct ConnectParams {
    // A file path for the embedded engine, or "host:path" / "host/port:path"
    // for a server.
    std::string database;
    std::string user = "SYSDBA";
    std::string password;
    std::string role;
};

class Transaction;
class Statement;

class Attachment {
public:
    static Attachment connect(const ConnectParams& params);
    // Creates a dialect 3 database whose default character set is WIN1250.
    static Attachment create(const ConnectParams& params, int pageSize = 8192, bool forcedWrites = true);
    // Switches synchronous writes of a database (needs the owner or SYSDBA).
    static void setForcedWrites(const ConnectParams& params, bool on);

    Attachment();
    ~Attachment();
    Attachment(Attachment&&) noexcept;
    Attachment& operator=(Attachment&&) noexcept;

    bool isConnected() const;
    const std::string& database() const { return m_database; }
    void detach();
    void dropDatabase();

    // Runs one statement without result (DDL, DML) inside the transaction.
    void execute(Transaction& tr, std::string_view sql);

private:
    friend class Transaction;
    friend class Statement;
    struct Impl;
    std::unique_ptr<Impl> m;
    std::string m_database;
};

// Read committed, record versions, no wait: what every window of the suite uses.
class Transaction {
public:
    explicit Transaction(Attachment& att);
    ~Transaction();   // rolls back if still active
    // Moving is safe for cursors reading in the transaction: they refer to
    // its state, which moves along, not to this object.
    Transaction(Transaction&&) noexcept;
    Transaction& operator=(Transaction&&) noexcept;

    bool isActive() const;
    void start();     // starts again after commit or rollback
    void commit();
    void commitRetaining();
    void rollback();
    void rollbackRetaining();
    Attachment& attachment() const { return *m_att; }

private:
    friend class Attachment;
    friend class Statement;
    friend class Cursor;
    struct Impl;
    std::shared_ptr<Impl> m;   // cursors hold it weakly
    Attachment* m_att;
};

class Cursor;

// A statement prepared once on an attachment, with positional input
// parameters ("?"). Any transaction of that attachment runs it; the one given
// to the constructor only serves the prepare.
class Statement {
public:
    Statement(Transaction& tr, std::string_view sql);
    ~Statement();
    Statement(Statement&&) noexcept;
    Statement& operator=(Statement&&) noexcept;

    int paramCount() const;
    const std::vector<Column>& columns() const;  // output columns; empty for DML
    bool isSelect() const;

    // A text longer than its parameter's column (or than a message can carry)
    // is refused with fb::Error naming the parameter: by these names (field
    // names, one a parameter) when given, by its number otherwise.
    void setParamNames(std::vector<std::string> names);
    void setParam(int index, const Value& value);
    void setParams(const std::vector<Value>& values);
    void setParams(std::vector<Value>&& values);
    void clearParams();

    // Executes a statement without a result set. Returns the number of rows
    // inserted, updated or deleted (0 where not applicable).
    long execute(Transaction& tr);
    // Executes a select (or a selectable procedure); the cursor must be read
    // before the statement is executed again, and within the transaction.
    Cursor open(Transaction& tr);

private:
    friend class Cursor;
    struct Impl;
    std::unique_ptr<Impl> m;
};

// Forward-only cursor; the current row is valid until the next fetch.
class Cursor {
public:
    Cursor(Cursor&&) noexcept;
    Cursor& operator=(Cursor&&) noexcept;
    ~Cursor();

    bool fetch();   // false at the end (the cursor closes itself)
    void close();

    const std::vector<Column>& columns() const;
    int indexOf(std::string_view name) const;   // -1 when absent; case-insensitive

    bool isNull(int i) const;
    std::int64_t asInt(int i) const;      // integers, decimals truncated toward zero
    Decimal asDecimal(int i) const;
    double asDouble(int i) const;
    // Text columns, text blobs included; the view lives until the next fetch.
    std::string_view asText(int i) const;
    Timestamp asTimestamp(int i) const;
    Value value(int i) const;             // any type, blobs read in full

private:
    friend class Statement;
    Cursor(Statement::Impl* st, const std::shared_ptr<Transaction::Impl>& tr);
    struct Impl;
    std::unique_ptr<Impl> m;
};

// One-shot helpers.
std::optional<Value> selectValue(Transaction& tr, std::string_view sql,
                                  const std::vector<Value>& params = {});

}  // namespace fb
