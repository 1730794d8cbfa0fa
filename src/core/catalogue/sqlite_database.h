#pragma once

#include "core/catalogue/catalogue_database.h"

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ft::catalogue {

// How long a statement waits for another connection's lock before it fails
// with ECatalogueBusy.
inline constexpr int kBusyTimeoutMilliseconds = 5000;

// English description of an SQLite result code.
std::string ResultCodeText(int code);

class SqliteCursor;

namespace detail {
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
} // namespace detail

// One open SQLite connection. Statements are complete SQL texts; values are
// spliced in by the callers, nothing is bound.
//
// Several programs share a catalogue (the desktop program, the command-line
// tool, a second desktop program): a connection waits up to
// kBusyTimeoutMilliseconds for another's lock, and the file is put into
// write-ahead logging, so readers see the last committed state while a
// registration writes and never hold it up. Running out of disk space comes
// out as platform::DiskFull naming the catalogue.
class TSQLiteDatabase : public CatalogueDatabase {
public:
    // Opens (and creates when absent) the database file; the name is UTF-8.
    // The connection knows the function FOLDKANA (kana_folding.h).
    explicit TSQLiteDatabase(const std::string& fileName);
    // Rolls back an open transaction, then closes the connection.
    ~TSQLiteDatabase() override;

    // Runs the first statement of the text, which must not return rows. A
    // text holding a zero byte is refused: SQLite would read it only up to
    // that byte and run what stands before it.
    void ExecSQL(const std::string& sql) override;
    // Runs a query and returns its whole result.
    ResultTable GetTable(const std::string& sql) override;
    // Compiles a query to be stepped row by row (see TSQLiteCursor); throws
    // the preparation errors of GetTable.
    ResultCursor OpenCursor(const std::string& sql) override;
    // Whether the query returns at least one row: it is stepped to its first
    // row only, so a large result is never read just to learn that.
    bool HasRows(const std::string& sql) override;
    bool TableExists(std::string_view name) override;

    // With `writeLockNow` the catalogue's write lock is taken at once
    // (waiting for another writer), so what the transaction reads first is
    // still so when it writes.
    void BeginTransaction(bool writeLockNow = false) override;
    void Commit() override;
    void Rollback() override;
    bool InTransaction() const override { return m_inTransaction; }

    // A savepoint inside the open transaction: work that can be undone on
    // its own while the rest of the transaction stays, and that otherwise
    // lands with the transaction's commit. Savepoints nest; each is released
    // or rolled back, innermost first. Without an open transaction,
    // Savepoint raises "No transaction open".
    void Savepoint() override;
    void ReleaseSavepoint() override;
    // Undoes the innermost savepoint's work and ends it. When SQLite has
    // rolled back the whole transaction already (a full disk, an I/O
    // error), the connection is left without a transaction.
    void RollbackToSavepoint() override;
    int SavepointDepth() const override { return m_savepointDepth; }

    std::int64_t LastChanges() const override;
    std::int64_t TotalChanges() const override;
    std::string DisplayName() const override { return m_fileName; }
    // True when the file still begins with the header every SQLite database
    // file has (read as FileStart reads it).
    bool StorageIntact() const override;

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
    friend class SqliteCursor;
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
