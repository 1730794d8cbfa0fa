#include "core/catalogue/sqlite_database.h"

#include "core/catalogue/engine_text.h"
#include "core/catalogue/kana_folding.h"
#include "core/platform/disk_full.h"
#include "core/platform/file_system.h"
#include "core/platform/path_text.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <type_traits>
#include <utility>

namespace ft::catalogue {
namespace {

// The kind of a result column from its declared type, compared exactly;
// an expression column has no declared type and takes the type of its value
// in the first row.
ColumnKind columnKind(sqlite3_stmt* statement, int column)
{
    const char* declared = sqlite3_column_decltype(statement, column);
    if (declared == nullptr)
        return static_cast<ColumnKind>(sqlite3_column_type(statement, column));
    const std::string_view type(declared);
    if (type == "INTEGER" || type == "BOOLEAN")
        return ColumnKind::Integer;
    if (type == "NUMERIC" || type == "FLOAT" || type == "DOUBLE" || type == "REAL")
        return ColumnKind::Numeric;
    if (type == "BLOB")
        return ColumnKind::Blob;
    return ColumnKind::Text;
}

// True when the last failed system call on the catalogue file or on its
// journal (the write-ahead log) found no room: a full disk or the file-size
// limit. SQLite reports the first as SQLITE_FULL but the second only as an
// I/O error, and its own system errno is gone by the time we look; each
// file keeps the errno of its last failure.
bool lastWriteFoundNoRoom(sqlite3* db)
{
    int mainErrno = 0;
    sqlite3_file_control(db, "main", SQLITE_FCNTL_LAST_ERRNO, &mainErrno);
    int journalErrno = 0;
    sqlite3_file* journal = nullptr;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_JOURNAL_POINTER, &journal) == SQLITE_OK &&
        journal != nullptr && journal->pMethods != nullptr)
        journal->pMethods->xFileControl(journal, SQLITE_FCNTL_LAST_ERRNO, &journalErrno);
    return platform::isOutOfSpace(mainErrno) || platform::isOutOfSpace(journalErrno);
}

// False when no file can be created in the catalogue's folder.
bool folderTakesNewFiles(const std::string& fileName)
{
    std::filesystem::path folder = platform::pathFromText(fileName).parent_path();
    if (folder.empty())
        folder = ".";
    return platform::isWritableFolder(folder);
}

// True when the write-ahead log beside the catalogue holds anything: commits
// that reading the catalogue file alone would miss.
bool logHoldsCommits(const std::string& fileName)
{
    std::error_code missing;
    const std::uintmax_t size =
        std::filesystem::file_size(platform::pathFromText(fileName + "-wal"), missing);
    return !missing && size > 0;
}

// An absolute path as a URI's path: '/' between the names, and a leading '/'
// before a drive letter ("/C:/data/x.db").
std::string uriPathText(const std::filesystem::path& absolute)
{
    const std::u8string generic = absolute.generic_u8string();
    std::string text(generic.begin(), generic.end());
    if (!text.starts_with('/'))
        text.insert(0, 1, '/');
    return text;
}

// A file name as the path of an SQLite URI: the bytes that end or escape
// the path there are written as %XX.
std::string uriPathOf(std::string_view fileName)
{
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string path;
    for (const char c : fileName) {
        if (c == '%' || c == '?' || c == '#') {
            const auto byte = static_cast<unsigned char>(c);
            path += '%';
            path += kHexDigits[byte >> 4];
            path += kHexDigits[byte & 0x0F];
        } else {
            path += c;
        }
    }
    return path;
}

} // namespace

std::string ResultCodeText(int code)
{
    struct CodeText {
        int code;
        const char* text;
    };
    // 19 keeps its misspelling: it is the text callers have always seen.
    static constexpr CodeText kTexts[] = {
        {0, "Successful result"},
        {1, "SQL error or missing database"},
        {2, "An internal logic error in SQLite"},
        {3, "Access permission denied"},
        {4, "Callback routine requested an abort"},
        {5, "The database file is locked"},
        {6, "A table in the database is locked"},
        {7, "A malloc() failed"},
        {8, "Attempt to write a readonly database"},
        {9, "Operation terminated by sqlite3_interrupt()"},
        {10, "Some kind of disk I/O error occurred"},
        {11, "The database disk image is malformed"},
        {12, "(Internal Only) Table or record not found"},
        {13, "Insertion failed because database is full"},
        {14, "Unable to open the database file"},
        {15, "Database lock protocol error"},
        {16, "Database is empty"},
        {17, "The database schema changed"},
        {18, "Too much data for one row of a table"},
        {19, "Abort due to contraint violation"},
        {20, "Data type mismatch"},
        {21, "Library used incorrectly"},
        {22, "Uses OS features not supported on host"},
        {23, "Authorization denied"},
        {24, "Auxiliary database format error"},
        {25, "2nd parameter to sqlite3_bind out of range"},
        {26, "File opened that is not a database file"},
        {100, "sqlite3_step() has another row ready"},
        {101, "sqlite3_step() has finished executing"},
    };
    for (const CodeText& entry : kTexts)
        if (entry.code == code)
            return entry.text;
    return "Unknown SQLite Error Code \"" + std::to_string(code) + "\"";
}

// ------------------------------------------------------------- TSQLiteDatabase

TSQLiteDatabase::TSQLiteDatabase(const std::string& fileName) : m_fileName(fileName)
{
    sqlite3* handle = nullptr;
    const int result = sqlite3_open(fileName.c_str(), &handle);
    // Owned at once, so a handle that comes with a failure is closed too.
    m_db.reset(handle);
    if (result == SQLITE_OK) {
        sqlite3_busy_timeout(handle, kBusyTimeoutMilliseconds);
        // The journal mode is a lasting setting of the file; once set, this
        // only reads it. Where it cannot be set (a file that is no database,
        // a read-only folder) the catalogue keeps its mode, and the
        // statements that follow report whatever is wrong with it.
        const int journal =
            sqlite3_exec(handle, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
        if (journal != SQLITE_OK && !folderTakesNewFiles(fileName) && !logHoldsCommits(fileName))
            openAsUnchanging();
        // Every connection folds owner kana the same way, whoever searches.
        RegisterKanaFolding(m_db.get());
        return;
    }
    const platform::Message cannotOpen(
        QT_TRANSLATE_NOOP("findTavla", "The catalogue %1 cannot be opened. Check that the data "
                                       "folder exists and that you may write in it."),
        {QString::fromStdString(fileName)});
    if (handle != nullptr)
        throw CatalogueError(cannotOpen, "Failed to open database \"" + fileName +
                                             "\" : " + sqlite3_errmsg(handle));
    throw CatalogueError(cannotOpen,
                         "Failed to open database \"" + fileName + "\" : unknown error");
}

void TSQLiteDatabase::openAsUnchanging()
{
    // A catalogue in write-ahead logging is read through a shared-memory
    // index that SQLite creates beside it; in a folder that takes no new
    // file (a read-only mount, a folder without write permission) that
    // fails, and so would every search. No registration can write there
    // either, so the file is read as one that does not change. (Not when its
    // log holds commits: those would be missed without a word, so the
    // failure stands.)
    sqlite3* handle = nullptr;
    // An empty authority before the absolute path, so that a path that
    // begins with two slashes is not taken for a host name.
    std::error_code unknown;
    const std::filesystem::path absolute =
        std::filesystem::absolute(platform::pathFromText(m_fileName), unknown);
    if (unknown)
        return;
    const std::string uri = "file://" + uriPathOf(uriPathText(absolute)) + "?immutable=1";
    const int result =
        sqlite3_open_v2(uri.c_str(), &handle, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    std::unique_ptr<sqlite3, Closer> unchanging(handle);
    // When even that fails, the first connection stays, with its failures.
    if (result == SQLITE_OK)
        m_db = std::move(unchanging);
}

std::string TSQLiteDatabase::FileStart(std::size_t count) const
{
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(m_db.get(), "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
        file == nullptr || file->pMethods == nullptr)
        return {};
    std::string bytes(count, '\0');
    // A short read (SQLITE_IOERR_SHORT_READ) fills the rest with zeros, which
    // would pass for bytes of the file.
    if (file->pMethods->xRead(file, bytes.data(), static_cast<int>(count), 0) != SQLITE_OK)
        return {};
    return bytes;
}

TSQLiteDatabase::~TSQLiteDatabase()
{
    if (!m_inTransaction)
        return;
    try {
        Rollback();
    } catch (const std::exception&) {
        // Closing the connection discards the open transaction anyway.
    }
}

void TSQLiteDatabase::RaiseError(const std::string& message, const std::string& sql) const
{
    const int code = sqlite3_errcode(m_db.get());
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        throw ECatalogueBusy(m_fileName);
    // Growing the shared-memory index beside a catalogue in write-ahead
    // logging fails only for want of room.
    if (code == SQLITE_FULL ||
        (code == SQLITE_IOERR && (lastWriteFoundNoRoom(m_db.get()) ||
                                  sqlite3_extended_errcode(m_db.get()) == SQLITE_IOERR_SHMSIZE)))
        throw platform::DiskFull(platform::pathFromText(m_fileName));
    if (code == SQLITE_OK)
        throw CatalogueError(message);
    const std::string designed = message + ".\rError [" + std::to_string(code) +
                                 "]: " + ResultCodeText(code) + ".\r\"" + sql +
                                 "\": " + sqlite3_errmsg(m_db.get());
    if (code == SQLITE_CORRUPT || code == SQLITE_NOTADB)
        throw CatalogueError(
            platform::Message(QT_TRANSLATE_NOOP("findTavla",
                                                "The catalogue %1 is damaged. Move it out of the "
                                                "data folder and register the data again."),
                              {QString::fromStdString(m_fileName)}),
            designed);
    // A catalogue that may not be written is not damaged: moving it away
    // would lose the registrations for nothing.
    if (code == SQLITE_READONLY)
        throw CatalogueError(
            platform::Message(QT_TRANSLATE_NOOP("findTavla",
                                                "The catalogue %1 cannot be written. Check that "
                                                "you may write in it and in its folder, then try "
                                                "again."),
                              {QString::fromStdString(m_fileName)}),
            designed);
    throw CatalogueError(designed);
}

bool TSQLiteDatabase::StepRow(sqlite3_stmt* statement, const std::string& sql) const
{
    const int result = sqlite3_step(statement);
    if (result == SQLITE_ROW)
        return true;
    if (result == SQLITE_DONE)
        return false;
    if (result == SQLITE_BUSY)
        throw ECatalogueBusy(m_fileName);
    sqlite3_reset(statement);
    RaiseError("Could not retrieve data", sql);
}

namespace {

using CellValue = ResultTable::Cell;

// One value of the current row, stored by the kind of its column. NULL and
// an empty blob are absent cells.
CellValue readCell(sqlite3_stmt* statement, int column, ColumnKind kind)
{
    if (sqlite3_column_type(statement, column) == SQLITE_NULL)
        return std::monostate{};
    switch (kind) {
    case ColumnKind::Integer:
        return static_cast<std::int64_t>(sqlite3_column_int64(statement, column));
    case ColumnKind::Numeric:
        return sqlite3_column_double(statement, column);
    case ColumnKind::Blob: {
        const void* data = sqlite3_column_blob(statement, column);
        const int size = sqlite3_column_bytes(statement, column);
        if (data == nullptr || size == 0)
            return std::monostate{};
        return std::string(static_cast<const char*>(data), static_cast<std::size_t>(size));
    }
    case ColumnKind::Text:
    case ColumnKind::Null:
        break;
    }
    // Text up to its first zero byte, as the catalogue's text columns hold.
    const unsigned char* text = sqlite3_column_text(statement, column);
    return std::string(text == nullptr ? "" : reinterpret_cast<const char*>(text));
}

} // namespace

// The SQLite engine's cursor: one compiled statement, stepped in place.
class SqliteCursor : public CursorSource {
public:
    using Statement = std::unique_ptr<sqlite3_stmt, detail::StatementFinalizer>;
    SqliteCursor(const TSQLiteDatabase& db, Statement statement, std::string sql);

    bool Step() override;
    int ColumnCount() const override { return m_columnCount; }
    std::string Fields(int column) const override;
    std::string_view Text(int column) const override;
    std::int64_t Integer(int column) const override;
    bool HoldsInteger(int column) const override;
    ColumnKind Kind(int column) const override
    {
        return m_columnKinds.at(static_cast<std::size_t>(column));
    }

private:
    const TSQLiteDatabase* m_db;
    Statement m_statement;
    std::string m_sql;
    int m_columnCount = 0;
    std::vector<ColumnKind> m_columnKinds;
    bool m_onRow = false;
    bool m_finished = false;
};

SqliteCursor::SqliteCursor(const TSQLiteDatabase& db, Statement statement, std::string sql)
    : m_db(&db), m_statement(std::move(statement)), m_sql(std::move(sql))
{
}

bool SqliteCursor::Step()
{
    // Stepping a finished statement would run it again.
    if (m_finished)
        return false;
    sqlite3_stmt* const stmt = m_statement.get();
    const bool firstRow = m_columnKinds.empty() && !m_onRow;
    m_onRow = m_db->StepRow(stmt, m_sql);
    m_finished = !m_onRow;
    // The kinds are taken at the first row, as GetTable takes them.
    if (m_onRow && firstRow) {
        m_columnCount = sqlite3_column_count(stmt);
        for (int column = 0; column < m_columnCount; ++column)
            m_columnKinds.push_back(columnKind(stmt, column));
    }
    return m_onRow;
}

std::string SqliteCursor::Fields(int column) const
{
    if (!m_onRow)
        throw CatalogueError("Table is at End of File");
    if (column < 0 || column >= m_columnCount)
        throw std::out_of_range("column index " + std::to_string(column) + " out of range");
    const ColumnKind kind = Kind(column);
    // Without the cell in between: a window's page and a request read texts
    // by the million.
    if (kind == ColumnKind::Text)
        return std::string(Text(column));
    ResultTable::Cell cell = readCell(m_statement.get(), column, kind);
    // Text read as text is the cell itself.
    if (auto* text = std::get_if<std::string>(&cell);
        text != nullptr && (kind == ColumnKind::Text || kind == ColumnKind::Blob))
        return std::move(*text);
    return CellText(cell, kind);
}

std::string_view SqliteCursor::Text(int column) const
{
    if (!m_onRow)
        throw CatalogueError("Table is at End of File");
    if (column < 0 || column >= m_columnCount)
        throw std::out_of_range("column index " + std::to_string(column) + " out of range");
    if (Kind(column) != ColumnKind::Text)
        throw std::logic_error("column " + std::to_string(column) + " is not read as text");
    // Up to the first zero byte, NULL as empty, as readCell reads text.
    const unsigned char* text = sqlite3_column_text(m_statement.get(), column);
    return text == nullptr ? std::string_view()
                           : std::string_view(reinterpret_cast<const char*>(text));
}

std::int64_t SqliteCursor::Integer(int column) const
{
    if (!m_onRow)
        throw CatalogueError("Table is at End of File");
    if (column < 0 || column >= m_columnCount)
        throw std::out_of_range("column index " + std::to_string(column) + " out of range");
    return sqlite3_column_int64(m_statement.get(), column);
}

bool SqliteCursor::HoldsInteger(int column) const
{
    if (!m_onRow)
        throw CatalogueError("Table is at End of File");
    return sqlite3_column_type(m_statement.get(), column) == SQLITE_INTEGER;
}

TSQLiteDatabase::Statement TSQLiteDatabase::Prepare(const std::string& sql) const
{
    if (sql.find('\0') != std::string::npos)
        throw CatalogueError("SQL text holds a zero byte: \"" + sql.substr(0, sql.find('\0')) +
                             "\"");
    sqlite3_stmt* raw = nullptr;
    const int result = sqlite3_prepare_v2(m_db.get(), sql.c_str(), -1, &raw, nullptr);
    Statement statement(raw);
    if (result != SQLITE_OK)
        RaiseError("Error executing SQL", sql);
    // Empty text, or only a comment, compiles to no statement at all.
    if (!statement)
        RaiseError("Could not prepare SQL statement", sql);
    return statement;
}

void TSQLiteDatabase::ExecSQL(const std::string& sql)
{
    const Statement statement = Prepare(sql);
    if (sqlite3_step(statement.get()) != SQLITE_DONE) {
        sqlite3_reset(statement.get());
        RaiseError("Error executing SQL statement", sql);
    }
}

ResultTable TSQLiteDatabase::GetTable(const std::string& sql)
{
    const Statement statement = Prepare(sql);
    sqlite3_stmt* const stmt = statement.get();
    std::vector<std::string> names;
    std::vector<ColumnKind> kinds;
    std::vector<CellValue> cells;
    bool firstRow = true;
    while (StepRow(stmt, sql)) {
        if (firstRow) {
            for (int column = 0; column < sqlite3_column_count(stmt); ++column) {
                names.push_back(upperAscii(sqlite3_column_name(stmt, column)));
                kinds.push_back(columnKind(stmt, column));
            }
            firstRow = false;
        }
        for (std::size_t column = 0; column < kinds.size(); ++column)
            cells.push_back(readCell(stmt, static_cast<int>(column), kinds[column]));
    }
    return ResultTable(std::move(names), std::move(kinds), std::move(cells));
}

ResultCursor TSQLiteDatabase::OpenCursor(const std::string& sql)
{
    return ResultCursor(std::make_unique<SqliteCursor>(*this, Prepare(sql), sql));
}

bool TSQLiteDatabase::HasRows(const std::string& sql)
{
    const Statement statement = Prepare(sql);
    return StepRow(statement.get(), sql);
}

bool TSQLiteDatabase::TableExists(std::string_view name)
{
    const ResultTable table =
        GetTable("select [sql] from sqlite_master where [type] = 'table' and lower(name) = '" +
                 lowerAscii(name) + "' ");
    return table.Count() > 0;
}

void TSQLiteDatabase::BeginTransaction(bool writeLockNow)
{
    if (m_inTransaction)
        throw CatalogueError("Transaction already open");
    ExecSQL(writeLockNow ? "BEGIN IMMEDIATE TRANSACTION" : "BEGIN TRANSACTION");
    m_inTransaction = true;
}

void TSQLiteDatabase::Commit()
{
    ExecSQL("COMMIT");
    m_inTransaction = false;
    m_savepointDepth = 0;
}

void TSQLiteDatabase::Savepoint()
{
    if (!m_inTransaction)
        throw CatalogueError("No transaction open");
    ExecSQL("SAVEPOINT " + savepointName(m_savepointDepth + 1));
    ++m_savepointDepth;
}

void TSQLiteDatabase::ReleaseSavepoint()
{
    if (m_savepointDepth == 0)
        throw CatalogueError("No savepoint open");
    ExecSQL("RELEASE " + savepointName(m_savepointDepth));
    --m_savepointDepth;
}

void TSQLiteDatabase::RollbackToSavepoint()
{
    if (m_savepointDepth == 0)
        throw CatalogueError("No savepoint open");
    const std::string name = savepointName(m_savepointDepth);
    try {
        ExecSQL("ROLLBACK TO " + name);
        ExecSQL("RELEASE " + name);
    } catch (...) {
        // As in Rollback: the whole transaction may be gone already.
        if (sqlite3_get_autocommit(m_db.get()) != 0) {
            m_inTransaction = false;
            m_savepointDepth = 0;
            return;
        }
        throw;
    }
    --m_savepointDepth;
}

void TSQLiteDatabase::Rollback()
{
    try {
        ExecSQL("ROLLBACK");
    } catch (...) {
        // Some failures (a full disk, an I/O error) make SQLite roll the
        // transaction back by itself; ROLLBACK then finds none. The flag must
        // follow, or the connection could never begin a transaction again.
        if (m_inTransaction && sqlite3_get_autocommit(m_db.get()) != 0) {
            m_inTransaction = false;
            m_savepointDepth = 0;
            return;
        }
        throw;
    }
    m_inTransaction = false;
    m_savepointDepth = 0;
}

std::int64_t TSQLiteDatabase::LastChanges() const
{
    return sqlite3_changes64(m_db.get());
}

std::int64_t TSQLiteDatabase::TotalChanges() const
{
    return sqlite3_total_changes64(m_db.get());
}

bool TSQLiteDatabase::StorageIntact() const
{
    static constexpr std::string_view kHeader{"SQLite format 3\0", 16};
    // A file renamed over the catalogue, or the catalogue deleted, leaves the
    // connection on the old file, which no other program sees any more.
    int moved = 0;
    if (sqlite3_file_control(m_db.get(), "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK &&
        moved != 0)
        return false;
    return FileStart(kHeader.size()) == kHeader;
}

} // namespace ft::catalogue
