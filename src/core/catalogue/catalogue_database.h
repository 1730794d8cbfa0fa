#pragma once

#include "core/platform/operator_message.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ft::catalogue {

// Every failure of the catalogue layer, whichever engine keeps the
// catalogue. what() is the layer's own English text, which trace logs and
// callers know; the operator sees a sentence saying what failed and what to
// do first, and that text as its detail.
class CatalogueError : public platform::MessageError {
public:
    // A failure of reading or writing the catalogue.
    explicit CatalogueError(const std::string& designed);
    CatalogueError(platform::Message sentence, const std::string& designed);
    // A failure the sentence tells whole; what() is its English.
    explicit CatalogueError(platform::Message whole);
};

// The catalogue stayed locked by another connection (another findTavla, in
// practice) for longer than a connection waits. what() names the catalogue:
// "The catalogue <name> is in use by another findTavla; ...".
class ECatalogueBusy : public CatalogueError {
public:
    explicit ECatalogueBusy(const std::string& catalogueName);
};

// The sentence before the designed "Field ... Not found. Empty dataset": a
// row asked for is no longer in the catalogue.
platform::Message RowGoneMessage();

// Column kinds, numbered like SQLite's fundamental datatypes (the numbers
// the design's readers were written against).
enum class ColumnKind : int { Integer = 1, Numeric = 2, Text = 3, Blob = 4, Null = 5 };

// The complete result of one query, buffered in memory, with a row cursor.
// Every cell reads as text. Values are the bytes the engine returned (UTF-8
// for the catalogue's text columns); decoding is the caller's business.
class ResultTable {
public:
    // An absent cell (SQL NULL, or a blob of 0 bytes) is std::monostate.
    using Cell = std::variant<std::monostate, std::int64_t, double, std::string>;

    // A result of no rows and no columns.
    ResultTable() = default;
    // A result as an engine read it: upper-case column names, their kinds,
    // and the cells row by row.
    ResultTable(std::vector<std::string> columnNames, std::vector<ColumnKind> columnKinds,
                std::vector<Cell> cells);

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

private:
    const Cell& cell(int column) const;

    std::vector<Cell> m_cells; // row-major
    int m_rowCount = 0;
    int m_columnCount = 0;
    std::vector<std::string> m_columnNames;
    std::vector<ColumnKind> m_columnKinds;
    int m_currentRow = 0;
};

// The text of a cell as Fields() gives it for a column of that kind.
std::string CellText(const ResultTable::Cell& value, ColumnKind kind);

// General floating-point form with at most 15 significant digits, always with
// '.' whatever the locale: how a Numeric cell reads as text.
std::string NumericText(double value);

// What an engine's cursor does; ResultCursor is what callers hold.
class CursorSource {
public:
    virtual ~CursorSource() = default;
    virtual bool Step() = 0;
    virtual int ColumnCount() const = 0;
    virtual std::string Fields(int column) const = 0;
    virtual std::string_view Text(int column) const = 0;
    virtual std::int64_t Integer(int column) const = 0;
    virtual bool HoldsInteger(int column) const = 0;
    virtual ColumnKind Kind(int column) const = 0;
};

// A query stepped one row at a time, for results too large to buffer (every
// parcel of a catalogue). Reads the current row only; its texts are those a
// ResultTable of the same statement gives (same column kinds, same rules).
// Belongs to the caller and must not outlive its connection.
class ResultCursor {
public:
    explicit ResultCursor(std::unique_ptr<CursorSource> source) : m_source(std::move(source)) {}

    // Moves to the next row: false after the last. Throws CatalogueError as
    // GetTable does when a row cannot be read.
    bool Step() { return m_source->Step(); }

    int ColumnCount() const { return m_source->ColumnCount(); }
    // The cell's text as ResultTable::Fields gives it.
    std::string Fields(int column) const { return m_source->Fields(column); }
    // The same text without a copy, for a column of kind Text: valid until the
    // next Step. Other kinds throw std::logic_error (their text is made, not read).
    std::string_view Text(int column) const { return m_source->Text(column); }
    // The cell as a 64-bit integer (NULL reads as 0).
    std::int64_t Integer(int column) const { return m_source->Integer(column); }
    // True when the cell is stored as an integer (not NULL, text or real).
    bool HoldsInteger(int column) const { return m_source->HoldsInteger(column); }
    ColumnKind Kind(int column) const { return m_source->Kind(column); }

private:
    std::unique_ptr<CursorSource> m_source;
};

// One open connection to a catalogue: the embedded file of a data folder
// (the default) or a datum's schema on a shared server. Statements are
// complete SQL texts in the catalogue's own dialect, with their values
// spliced in; an engine that speaks another dialect adapts them and gives
// the same rows.
class CatalogueDatabase {
public:
    virtual ~CatalogueDatabase() = default;
    CatalogueDatabase() = default;
    CatalogueDatabase(const CatalogueDatabase&) = delete;
    CatalogueDatabase& operator=(const CatalogueDatabase&) = delete;

    // Runs one statement, which must not return rows.
    virtual void ExecSQL(const std::string& sql) = 0;
    // Runs a query and returns its whole result.
    virtual ResultTable GetTable(const std::string& sql) = 0;
    // Starts a query to be read row by row; throws the errors of GetTable.
    virtual ResultCursor OpenCursor(const std::string& sql) = 0;
    // Whether the query returns at least one row, without reading the rest.
    virtual bool HasRows(const std::string& sql) = 0;
    // Whether the catalogue has the table; the name is compared without case.
    virtual bool TableExists(std::string_view name) = 0;

    // With `writeLockNow` the catalogue's write lock is taken at once
    // (waiting for another writer), so what the transaction reads first is
    // still so when it writes.
    virtual void BeginTransaction(bool writeLockNow = false) = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;
    virtual bool InTransaction() const = 0;

    // A savepoint inside the open transaction: work that can be undone on
    // its own while the rest of the transaction stays. Savepoints nest; each
    // is released or rolled back, innermost first. Without an open
    // transaction, Savepoint raises "No transaction open".
    virtual void Savepoint() = 0;
    virtual void ReleaseSavepoint() = 0;
    // Undoes the innermost savepoint's work and ends it. When the engine has
    // ended the whole transaction already, the connection is left without one.
    virtual void RollbackToSavepoint() = 0;
    virtual int SavepointDepth() const = 0;

    // Rows inserted, changed or deleted by the last statement run.
    virtual std::int64_t LastChanges() const = 0;
    // Rows inserted, changed or deleted since the connection was opened.
    virtual std::int64_t TotalChanges() const = 0;

    // The catalogue as the operator knows it: a file name, or a server's
    // connection text without its password.
    virtual std::string DisplayName() const = 0;
    // False when what holds the catalogue has visibly been replaced by
    // something that is no catalogue (a file written over) since it was
    // opened; checked before a registration writes.
    virtual bool StorageIntact() const = 0;
};

// The design's names of the types above.
using ESQLiteException = CatalogueError;
using TSQLiteTable = ResultTable;
using TSQLiteCursor = ResultCursor;

// Opens (and creates when absent) the embedded catalogue file; the name is
// UTF-8. Throws CatalogueError when it cannot be opened.
std::unique_ptr<CatalogueDatabase> OpenCatalogueFile(const std::string& fileName);

// Connects to a datum's schema on a catalogue server, making the schema when
// it is missing and the role may. `connection` is a libpq connection string
// or URI. Throws CatalogueError when it cannot, or when this build has no
// server support.
std::unique_ptr<CatalogueDatabase> OpenServerCatalogue(const std::string& connection,
                                                       const std::string& schema);

} // namespace ft::catalogue
