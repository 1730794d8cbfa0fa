#include "core/catalogue/postgres_database.h"
#include "core/catalogue/quoting.h"
#include "core/catalogue/shared_catalogue.h"

#include <QSysInfo>

#include <string_view>

namespace ft::catalogue {
namespace {

constexpr std::string_view kLinesTable = "FINDTAVLA_LINES";
enum LineKind : int { kSheetOutline = 1, kSegment = 2 };
// Rows per INSERT and numbers per IN list: one round trip carries many.
constexpr std::size_t kRowsPerStatement = 500;

// The registration lock's key, in the two-number form so that pg_locks shows
// it as (classid, objid) and the desk holding it can be named.
constexpr int kLockClass = 1718894966; // "ftAv"
constexpr int kLockObject = 1;
// What a desk's connection calls itself while it holds the lock.
constexpr std::string_view kHolderPrefix = "findTavla ";

PostgresDatabase* serverOf(CatalogueDatabase& db)
{
    return dynamic_cast<PostgresDatabase*>(&db);
}

std::string hexOf(std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

int digitValue(char c)
{
    return c <= '9' ? c - '0' : c - 'a' + 10;
}

std::string bytesOf(std::string_view hex)
{
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t at = 0; at + 1 < hex.size(); at += 2)
        bytes += static_cast<char>(digitValue(hex[at]) * 16 + digitValue(hex[at + 1]));
    return bytes;
}

std::string numberList(const std::vector<int>& numbers, std::size_t from, std::size_t count)
{
    std::string list;
    for (std::size_t i = from; i < from + count && i < numbers.size(); ++i) {
        if (!list.empty())
            list += ',';
        list += std::to_string(numbers[i]);
    }
    return list;
}

void insertLines(CatalogueDatabase& db, int fileNo, LineKind kind,
                 const std::vector<std::string>& lines)
{
    for (std::size_t from = 0; from < lines.size(); from += kRowsPerStatement) {
        std::string sql =
            "INSERT INTO " + std::string(kLinesTable) + " (FILENO, KIND, LINE) VALUES ";
        for (std::size_t i = from; i < from + kRowsPerStatement && i < lines.size(); ++i) {
            if (i != from)
                sql += ',';
            // bytea's hex input: the lines are CP932 bytes, kept as they are.
            sql += '(' + std::to_string(fileNo) + ',' + std::to_string(kind) + ",'\\x" +
                   hexOf(lines[i]) + "')";
        }
        db.ExecSQL(sql);
    }
}

platform::Message roleMayNotWrite(const std::string& name)
{
    return platform::Message(
        QT_TRANSLATE_NOOP("findTavla", "The catalogue %1 may not be written with this role. Ask "
                                       "the administrator for a role that may write, or only "
                                       "search."),
        {QString::fromStdString(name)});
}

// The host name of the desk whose connection holds the lock, as it gave it.
std::string lockHolder(CatalogueDatabase& db)
{
    const ResultTable holder = db.GetTable(
        "SELECT a.application_name FROM pg_locks l JOIN pg_stat_activity a ON a.pid = l.pid "
        "WHERE l.locktype = 'advisory' AND l.granted AND l.classid = " +
        std::to_string(kLockClass) + " AND l.objid = " + std::to_string(kLockObject) +
        " AND l.objsubid = 2 AND l.database = (SELECT oid FROM pg_database WHERE datname = "
        "current_database())");
    std::string name = holder.Count() > 0 ? holder.FieldAsString(0) : std::string();
    if (name.starts_with(kHolderPrefix))
        name.erase(0, kHolderPrefix.size());
    return name.empty() ? std::string("?") : name;
}

} // namespace

bool IsShared(CatalogueDatabase& db)
{
    return serverOf(db) != nullptr;
}

void StoreDrawingLines(CatalogueDatabase& db, int fileNo, const DrawingLines& lines)
{
    if (!IsShared(db))
        return;
    DeleteDrawingLines(db, {fileNo});
    insertLines(db, fileNo, kSheetOutline, lines.sheetOutlines);
    insertLines(db, fileNo, kSegment, lines.segments);
}

void DeleteDrawingLines(CatalogueDatabase& db, const std::vector<int>& fileNos)
{
    if (!IsShared(db))
        return;
    for (std::size_t from = 0; from < fileNos.size(); from += kRowsPerStatement)
        db.ExecSQL("DELETE FROM " + std::string(kLinesTable) + " WHERE FILENO IN (" +
                   numberList(fileNos, from, kRowsPerStatement) + ")");
}

void DeleteAllDrawingLines(CatalogueDatabase& db)
{
    if (IsShared(db))
        db.ExecSQL("DELETE FROM " + std::string(kLinesTable));
}

std::map<int, DrawingLines> ReadDrawingLines(CatalogueDatabase& db, const std::vector<int>& fileNos)
{
    std::map<int, DrawingLines> drawings;
    if (!IsShared(db))
        return drawings;
    for (std::size_t from = 0; from < fileNos.size(); from += kRowsPerStatement) {
        ResultCursor rows =
            db.OpenCursor("SELECT FILENO, KIND, encode(LINE, 'hex') FROM " +
                          std::string(kLinesTable) + " WHERE FILENO IN (" +
                          numberList(fileNos, from, kRowsPerStatement) + ") ORDER BY rowid");
        while (rows.Step()) {
            DrawingLines& lines = drawings[static_cast<int>(rows.Integer(0))];
            (rows.Integer(1) == kSheetOutline ? lines.sheetOutlines : lines.segments)
                .push_back(bytesOf(rows.Text(2)));
        }
    }
    return drawings;
}

void RequireWriteAccess(CatalogueDatabase& db)
{
    if (!IsShared(db))
        return;
    // has_table_privilege with a list answers whether ANY is held: one call
    // per privilege.
    const ResultTable refused = db.GetTable(
        "SELECT current_setting('transaction_read_only') = 'on' OR EXISTS (SELECT 1 FROM "
        "pg_tables t WHERE t.schemaname = current_schema() AND NOT ("
        "has_table_privilege(format('%I.%I', t.schemaname, t.tablename), 'INSERT') AND "
        "has_table_privilege(format('%I.%I', t.schemaname, t.tablename), 'UPDATE') AND "
        "has_table_privilege(format('%I.%I', t.schemaname, t.tablename), 'DELETE')))");
    if (refused.Count() > 0 && refused.Fields(0) == "1")
        throw CatalogueError(roleMayNotWrite(db.DisplayName()),
                             "The role may not write in \"" + db.DisplayName() + "\"");
}

SharedRegistrationLock::SharedRegistrationLock(CatalogueDatabase& db)
{
    if (!IsShared(db))
        return;
    const ResultTable taken =
        db.GetTable("SELECT pg_try_advisory_lock(" + std::to_string(kLockClass) + ", " +
                    std::to_string(kLockObject) + ")");
    if (taken.Count() == 0 || taken.Fields(0) != "1") {
        const std::string holder = lockHolder(db);
        throw RegistrationElsewhere(
            platform::Message(
                QT_TRANSLATE_NOOP("findTavla",
                                  "The desk %1 is registering into the catalogue server %2 just "
                                  "now. Searches go on; register or delete again when it has "
                                  "ended."),
                {QString::fromStdString(holder), QString::fromStdString(db.DisplayName())}),
            "The registration lock of \"" + db.DisplayName() + "\" is held by " + holder);
    }
    m_held = &db;
    // The name another desk is told while this one registers.
    const std::string host = QSysInfo::machineHostName().toStdString();
    db.GetTable("SELECT set_config('application_name', '" +
                QuoteDoubled(std::string(kHolderPrefix) + host, '\'') + "', false)");
}

SharedRegistrationLock::~SharedRegistrationLock()
{
    if (m_held == nullptr)
        return;
    try {
        m_held->GetTable("SELECT pg_advisory_unlock(" + std::to_string(kLockClass) + ", " +
                         std::to_string(kLockObject) + ")");
    } catch (const std::exception&) {
        // A connection that is gone has let go of the lock with it.
    }
}

} // namespace ft::catalogue
