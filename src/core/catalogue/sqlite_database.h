#pragma once

#include "core/platform/operator_message.h"

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ft::catalogue {

// Every failure of the catalogue layer. what() is the layer's own English
// text, which trace logs and callers know; the operator sees a sentence
// saying what failed and what to do first, and that text as its detail.
class ESQLiteException : public platform::MessageError {
public:
    // A failure of reading or writing the catalogue.
    explicit ESQLiteException(const std::string& designed);
    ESQLiteException(platform::Message sentence, const std::string& designed);
    // A failure the sentence tells whole; what() is its English.
    explicit ESQLiteException(platform::Message whole);
};

// The catalogue stayed locked by another connection (another findTavla, in
// practice) for longer than a connection waits. what() names the catalogue:
// "The catalogue <file> is in use by another findTavla; ...".
class ECatalogueBusy : public ESQLiteException {
public:
    explicit ECatalogueBusy(const std::string& fileName);
};

// The sentence before the designed "Field ... Not found. Empty dataset": a
// row asked for is no longer in the catalogue.
platform::Message RowGoneMessage();

// How long a statement waits for another connection's lock before it fails
// with ECatalogueBusy.
inline constexpr int kBusyTimeoutMilliseconds = 5000;

// English description of an SQLite result code.
std::string ResultCodeText(int code);

// Column kinds, numbered like SQLite's fundamental datatypes.
enum class ColumnKind : int { Integer = 1, Numeric = 2, Text = 3, Blob = 4, Null = 5 };

// The complete result of one query, buffered in memory, with a row cursor.
// Every cell reads as text. Values are the bytes SQLite returned (UTF-8 for
// the catalogue's text columns); decoding is the caller's business.
class TSQLiteTable {
public:
    int Count() const { return m_rowCount; }
    int ColumnCount() const { return m_columnCount; }
    // True when the cursor is past the last row. (EOF is a macro of <cstdio>.)
    bool Eof() const { return m_currentRow >= m_rowCount; }
    bool MoveFirst();
    bool Next();

    int FieldIndex(std::string_view name) const;
    std::string FieldByName(std::string_view name) const;
    std::string Fields(int column) const;
    std::string FieldAsString(int column) const;

    const std::vector<std::string>& ColumnNames() const { return m_columnNames; }
    ColumnKind Kind(int column) const;

    // An absent cell (SQL NULL, or a blob of 0 bytes) is std::monostate.
    using Cell = std::variant<std::monostate, std::int64_t, double, std::string>;

private:
    friend class TSQLiteDatabase;

    TSQLiteTable() = default;
    const Cell& cell(int column) const;

    std::vector<Cell> m_cells; // row-major
    int m_rowCount = 0;
    int m_columnCount = 0;
    std::vector<std::string> m_columnNames;
    std::vector<ColumnKind> m_columnKinds;
    int m_currentRow = 0;
};

// The text of a cell as Fields() gives it for a column of that kind.
std::string CellText(const TSQLiteTable::Cell& value, ColumnKind kind);

class TSQLiteDatabase;

namespace detail {
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
} // namespace detail

// A query stepped one row at a time, for results too large to buffer (every
// parcel of a catalogue). Reads the current row only; its texts are those a
// TSQLiteTable of the same statement gives (same column kinds, same rules).
// Belongs to the caller and must not outlive its connection.
class TSQLiteCursor {
public:
    // Moves to the next row: false after the last. Throws ESQLiteException as
    // GetTable does when a row cannot be read.
    bool Step();

    int ColumnCount() const { return m_columnCount; }
    // The cell's text as TSQLiteTable::Fields gives it.
    std::string Fields(int column) const;
    // The same text without a copy, for a column of kind Text: valid until the
    // next Step. Other kinds throw std::logic_error (their text is made, not read).
    std::string_view Text(int column) const;
    // The cell as a 64-bit integer (SQLite's conversion; NULL reads as 0).
    std::int64_t Integer(int column) const;
    // True when the cell is stored as an integer (not NULL, text or real).
    bool HoldsInteger(int column) const;
    ColumnKind Kind(int column) const { return m_columnKinds.at(static_cast<std::size_t>(column)); }

private:
    friend class TSQLiteDatabase;
    using Statement = std::unique_ptr<sqlite3_stmt, detail::StatementFinalizer>;
    TSQLiteCursor(const TSQLiteDatabase& db, Statement statement, std::string sql);

    const TSQLiteDatabase* m_db;
    Statement m_statement;
    std::string m_sql;
    int m_columnCount = 0;
    std::vector<ColumnKind> m_columnKinds;
    bool m_onRow = false;
    bool m_finished = false;
};

// One open SQLite connection. Statements are complete SQL texts; values are
// spliced in by the callers, nothing is bound.
//
// Several programs share a catalogue (the desktop program, the command-line
// tool, a second desktop program): a connection waits up to
// kBusyTimeoutMilliseconds for another's lock, and the file is put into
// write-ahead logging, so readers see the last committed state while a
// registration writes and never hold it up. Running out of disk space comes
// out as platform::DiskFull naming the catalogue.
class TSQLiteDatabase {
public:
    // Opens (and creates when absent) the database file; the name is UTF-8.
    // The connection knows the function FOLDKANA (kana_folding.h).
    explicit TSQLiteDatabase(const std::string& fileName);
    // Rolls back an open transaction, then closes the connection.
    ~TSQLiteDatabase();
    TSQLiteDatabase(const TSQLiteDatabase&) = delete;
    TSQLiteDatabase& operator=(const TSQLiteDatabase&) = delete;

    // Runs the first statement of the text, which must not return rows. A
    // text holding a zero byte is refused: SQLite would read it only up to
    // that byte and run what stands before it.
    void ExecSQL(const std::string& sql);
    // Runs a query and returns its whole result.
    TSQLiteTable GetTable(const std::string& sql);
    // Compiles a query to be stepped row by row (see TSQLiteCursor); throws
    // the preparation errors of GetTable.
    TSQLiteCursor OpenCursor(const std::string& sql);
    // Whether the query returns at least one row: it is stepped to its first
    // row only, so a large result is never read just to learn that.
    bool HasRows(const std::string& sql);
    bool TableExists(std::string_view name);

    // With `writeLockNow` the catalogue's write lock is taken at once
    // (waiting for another writer), so what the transaction reads first is
    // still so when it writes.
    void BeginTransaction(bool writeLockNow = false);
    void Commit();
    void Rollback();
    bool InTransaction() const { return m_inTransaction; }

    // A savepoint inside the open transaction: work that can be undone on
    // its own while the rest of the transaction stays, and that otherwise
    // lands with the transaction's commit. Savepoints nest; each is released
    // or rolled back, innermost first. Without an open transaction,
    // Savepoint raises "No transaction open".
    void Savepoint();
    void ReleaseSavepoint();
    // Undoes the innermost savepoint's work and ends it. When SQLite has
    // rolled back the whole transaction already (a full disk, an I/O
    // error), the connection is left without a transaction.
    void RollbackToSavepoint();
    int SavepointDepth() const { return m_savepointDepth; }

    sqlite3* handle() const { return m_db.get(); }
    const std::string& fileName() const { return m_fileName; }

    // The first `count` bytes of the database file as they stand on the disk
    // (not through the page cache or the write-ahead log), or an empty text
    // when the file is shorter or cannot be read. They are read through the
    // connection's own file handle: opening the file a second time and
    // closing it would drop every POSIX lock this process holds on it, and
    // another program would then take the write-ahead log for unused and
    // delete it under this connection.
    std::string FileStart(std::size_t count) const;

private:
    struct Closer {
        void operator()(sqlite3* db) const { sqlite3_close(db); }
    };
    using Statement = std::unique_ptr<sqlite3_stmt, detail::StatementFinalizer>;

    // Compiles the first statement of the text, raising the two preparation
    // errors that ExecSQL and GetTable share.
    friend class TSQLiteCursor;
    Statement Prepare(const std::string& sql) const;
    [[noreturn]] void RaiseError(const std::string& message, const std::string& sql) const;
    // Steps a query's statement: true when a row is ready, false after the
    // last one; a failure is raised as RaiseError raises it.
    bool StepRow(sqlite3_stmt* statement, const std::string& sql) const;

    // Replaces the connection with a read-only one to a catalogue in a
    // folder that takes no new file.
    void openAsUnchanging();

    std::string m_fileName;
    std::unique_ptr<sqlite3, Closer> m_db;
    bool m_inTransaction = false;
    int m_savepointDepth = 0;
};

} // namespace ft::catalogue
