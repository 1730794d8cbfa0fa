#include "core/workspace/catalogue_copy.h"

#include "core/catalogue/change_counter.h"
#include "core/catalogue/quoting.h"
#include "core/catalogue/schema.h"
#include "core/workspace/workspace.h"

#include <algorithm>
#include <string>
#include <vector>

namespace ft::workspace {
namespace {

using catalogue::CatalogueDatabase;
using catalogue::ResultCursor;

// The designed columns of the table, from its CREATE TABLE statement.
std::vector<std::string> columnsOf(std::string_view table)
{
    const auto at = std::find(catalogue::kTableNames.begin(), catalogue::kTableNames.end(), table);
    const std::string_view create = catalogue::kCreateTableStatements[static_cast<std::size_t>(
        at - catalogue::kTableNames.begin())];
    std::vector<std::string> columns;
    for (std::size_t open = create.find('['); open != std::string_view::npos;
         open = create.find('[', open + 1))
        columns.emplace_back(create.substr(open + 1, create.find(']', open) - open - 1));
    return columns;
}

// Every row in the order of the table, each column followed by whether it is
// NULL (which both engines give as a number), so that NULL and an empty text
// stay apart.
std::string everyRow(std::string_view table)
{
    std::string columns;
    for (const std::string& column : columnsOf(table))
        columns += (columns.empty() ? "" : ", ") + column + ", " + column + " IS NULL";
    return "SELECT " + columns + " FROM " + std::string(table) + " ORDER BY rowid";
}

bool isNull(const ResultCursor& row, int column)
{
    return row.Integer(column + 1) != 0;
}

// The source's row as an INSERT of its values, each keeping its kind: an
// integer stays a number, NULL stays NULL, the rest is quoted text.
std::string insertOf(std::string_view table, const ResultCursor& row)
{
    std::string statement = "INSERT INTO " + std::string(table) + " VALUES (";
    for (int column = 0; column < row.ColumnCount(); column += 2) {
        if (column > 0)
            statement += ", ";
        if (isNull(row, column)) {
            statement += "NULL";
        } else if (row.HoldsInteger(column)) {
            statement += std::to_string(row.Integer(column));
        } else {
            statement += '\'';
            catalogue::AppendQuoteDoubled(statement, row.Fields(column), '\'');
            statement += '\'';
        }
    }
    return statement + ")";
}

std::int64_t copyTable(CatalogueDatabase& from, CatalogueDatabase& to, std::string_view table)
{
    ResultCursor rows = from.OpenCursor(everyRow(table));
    std::int64_t copied = 0;
    while (rows.Step()) {
        to.ExecSQL(insertOf(table, rows));
        ++copied;
    }
    return copied;
}

bool sameCell(const ResultCursor& a, const ResultCursor& b, int column)
{
    return isNull(a, column) == isNull(b, column) &&
           a.HoldsInteger(column) == b.HoldsInteger(column) && a.Fields(column) == b.Fields(column);
}

// Reads the table on both sides and throws at the first row that differs.
void checkTable(CatalogueDatabase& from, CatalogueDatabase& to, std::string_view table)
{
    ResultCursor source = from.OpenCursor(everyRow(table));
    ResultCursor target = to.OpenCursor(everyRow(table));
    for (std::int64_t row = 1;; ++row) {
        const bool more = source.Step();
        bool same = more == target.Step();
        for (int column = 0; same && more && column < source.ColumnCount(); column += 2)
            same = sameCell(source, target, column);
        if (!same)
            throw catalogue::CatalogueError(
                "The copy of " + std::string(table) + " in " + to.DisplayName() + " differs from " +
                from.DisplayName() + " at row " + std::to_string(row) + "; nothing was copied");
        if (!more)
            return;
    }
}

void refuseHeldDrawings(Catalogues& to)
{
    for (const Datum datum : kDatums)
        if (to[datum].HasRows("SELECT 1 FROM FILE"))
            throw CopyRefused(platform::Message(
                QT_TRANSLATE_NOOP("findTavla", "%1 holds registered drawings already. Nothing "
                                               "was copied; to put the copy in their place, "
                                               "give --replace."),
                {QString::fromStdString(to[datum].DisplayName())}));
}

std::array<std::int64_t, 7> copyDatum(CatalogueDatabase& from, CatalogueDatabase& to, bool replace)
{
    std::array<std::int64_t, 7> copied{};
    if (replace)
        for (const std::string_view statement : catalogue::kDeleteAllStatements)
            to.ExecSQL(std::string(statement));
    for (std::size_t i = 0; i < catalogue::kTableNames.size(); ++i)
        copied[i] = copyTable(from, to, catalogue::kTableNames[i]);
    for (const std::string_view table : catalogue::kTableNames)
        checkTable(from, to, table);
    catalogue::RaiseChangeCounter(to);
    return copied;
}

} // namespace

CopiedRows CopyCatalogues(Catalogues& from, Catalogues& to, bool replace)
{
    if (!replace)
        refuseHeldDrawings(to);
    CopiedRows copied;
    try {
        for (const Datum datum : kDatums) {
            from[datum].BeginTransaction(true);
            to[datum].BeginTransaction(true);
        }
        for (const Datum datum : kDatums)
            copied[datum] = copyDatum(from[datum], to[datum], replace);
        // Both datums are written and checked before either is committed.
        for (const Datum datum : kDatums)
            to[datum].Commit();
        for (const Datum datum : kDatums)
            from[datum].Rollback();
    } catch (...) {
        for (Catalogues* side : {&to, &from})
            for (const Datum datum : kDatums)
                if (side->isOpen(datum) && (*side)[datum].InTransaction())
                    (*side)[datum].Rollback();
        throw;
    }
    return copied;
}

} // namespace ft::workspace
