#include "core/search/result_rows.h"

#include "core/catalogue/sqlite_database.h"

#include <charconv>

namespace ft::search {
namespace {

using catalogue::TSQLiteTable;

int intField(const TSQLiteTable& table, std::string_view column)
{
    return intOrZero(table.FieldByName(column));
}

void readFields(const TSQLiteTable& table, ParcelRow& row)
{
    row.OOAZA = table.FieldByName("OOAZA");
    row.KOAZA = table.FieldByName("KOAZA");
    row.CHIBAN = table.FieldByName("CHIBAN");
    row.SNAME = table.FieldByName("SNAME");
    row.KNAME = table.FieldByName("KNAME");
    row.FILENO = intField(table, "FILENO");
}

void readFields(const TSQLiteTable& table, MapSheetRow& row)
{
    row.MAPNAME = table.FieldByName("MAPNAME");
    row.SCALE = intField(table, "SCALE");
    row.KUBUN = intField(table, "KUBUN");
    row.FILENO = intField(table, "FILENO");
}

void readFields(const TSQLiteTable& table, PointRow& row)
{
    row.TENNAME = table.FieldByName("TENNAME");
    row.FILENO = intField(table, "FILENO");
}

void readFields(const TSQLiteTable& table, DrawingRow& row)
{
    row.PATH = table.FieldByName("PATH");
    row.FILENO = intField(table, "FILENO");
    row.CREATER = table.FieldByName("CREATER");
    row.CHIKU = table.FieldByName("CHIKU");
    row.SOKU = intField(table, "SOKU");
}

template <class Row>
void loadRowsOf(catalogue::TSQLiteDatabase& db, const std::string& queryText,
                TskDataList<Row>& rows)
{
    rows.clear();
    const ResultLayout& layout = resultLayout(Row::kKind);
    TSQLiteTable table = db.GetTable(queryText + std::string(layout.orderClause));
    TskDataList<Row> loaded;
    for (table.MoveFirst(); !table.Eof(); table.Next()) {
        Row row;
        readFields(table, row);
        row.Ticked = layout.rowsStartTicked;
        loaded.append(std::move(row));
    }
    // Swapped in only when every row was read, so a failure leaves no half list.
    rows = std::move(loaded);
}

} // namespace

int intOrZero(std::string_view text)
{
    int value = 0;
    const char* const last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (error != std::errc() || end != last)
        return 0;
    return value;
}

std::vector<std::string> cellTexts(const ParcelRow& row)
{
    return {row.OOAZA, row.KOAZA, row.CHIBAN, row.SNAME, row.KNAME, std::to_string(row.FILENO)};
}

std::vector<std::string> cellTexts(const MapSheetRow& row)
{
    return {row.MAPNAME, std::to_string(row.SCALE), std::to_string(row.KUBUN),
            std::to_string(row.FILENO)};
}

std::vector<std::string> cellTexts(const PointRow& row)
{
    return {row.TENNAME, std::to_string(row.FILENO)};
}

std::vector<std::string> cellTexts(const DrawingRow& row)
{
    return {row.PATH, std::to_string(row.FILENO), row.CREATER, row.CHIKU, std::to_string(row.SOKU)};
}

void LoadRows(catalogue::TSQLiteDatabase& db, const std::string& queryText,
              TskDataList<ParcelRow>& rows)
{
    loadRowsOf(db, queryText, rows);
}

void LoadRows(catalogue::TSQLiteDatabase& db, const std::string& queryText,
              TskDataList<MapSheetRow>& rows)
{
    loadRowsOf(db, queryText, rows);
}

void LoadRows(catalogue::TSQLiteDatabase& db, const std::string& queryText,
              TskDataList<PointRow>& rows)
{
    loadRowsOf(db, queryText, rows);
}

void LoadRows(catalogue::TSQLiteDatabase& db, const std::string& queryText,
              TskDataList<DrawingRow>& rows)
{
    loadRowsOf(db, queryText, rows);
}

} // namespace ft::search
