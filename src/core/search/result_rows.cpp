#include "core/search/result_rows.h"

#include "core/catalogue/catalogue_database.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <utility>

namespace ft::search {
namespace {

using catalogue::ResultTable;

// Where a row's fields come from: a buffered result, by column name.
class TableFields {
public:
    explicit TableFields(const ResultTable& table) : m_table(table) {}
    std::string text(std::string_view column) const { return m_table.FieldByName(column); }
    int integer(std::string_view column) const { return intOrZero(text(column)); }

private:
    const ResultTable& m_table;
};

// Or the current row of a cursor over "SELECT rowid,<fields>", by the
// field's place among them; a field not read is empty.
class CursorFields {
public:
    CursorFields(const catalogue::ResultCursor& cursor, std::span<const std::string_view> fields)
        : m_cursor(cursor), m_fields(fields)
    {
    }
    std::string text(std::string_view column) const
    {
        const int place = placeOf(column);
        return place < 0 ? std::string() : m_cursor.Fields(place);
    }
    int integer(std::string_view column) const
    {
        const int place = placeOf(column);
        return place < 0 ? 0 : IntCell(m_cursor, place);
    }

private:
    int placeOf(std::string_view column) const
    {
        for (std::size_t field = 0; field < m_fields.size(); ++field) {
            if (m_fields[field] == column)
                return static_cast<int>(field) + 1;
        }
        return -1;
    }

    const catalogue::ResultCursor& m_cursor;
    std::span<const std::string_view> m_fields;
};

std::vector<std::string_view> fieldsToRead(ResultKind kind, RowFields which)
{
    if (which == RowFields::Requested) {
        const std::span<const std::string_view> fields = RequestedFields(kind);
        return {fields.begin(), fields.end()};
    }
    std::vector<std::string_view> fields;
    for (const ResultColumn& column : resultLayout(kind).columns)
        fields.push_back(column.field);
    return fields;
}

template <class Fields> int intField(const Fields& fields, std::string_view column)
{
    return fields.integer(column);
}

template <class Fields> void readFields(const Fields& fields, ParcelRow& row)
{
    row.OOAZA = fields.text("OOAZA");
    row.KOAZA = fields.text("KOAZA");
    row.CHIBAN = fields.text("CHIBAN");
    row.SNAME = fields.text("SNAME");
    row.KNAME = fields.text("KNAME");
    row.FILENO = intField(fields, "FILENO");
    row.MODE = intField(fields, "MODE");
}

template <class Fields> void readFields(const Fields& fields, MapSheetRow& row)
{
    row.MAPNAME = fields.text("MAPNAME");
    row.SCALE = intField(fields, "SCALE");
    row.KUBUN = intField(fields, "KUBUN");
    row.FILENO = intField(fields, "FILENO");
}

template <class Fields> void readFields(const Fields& fields, PointRow& row)
{
    row.TENNAME = fields.text("TENNAME");
    row.FILENO = intField(fields, "FILENO");
}

template <class Fields> void readFields(const Fields& fields, DrawingRow& row)
{
    row.PATH = fields.text("PATH");
    row.FILENO = intField(fields, "FILENO");
    row.CREATER = fields.text("CREATER");
    row.CHIKU = fields.text("CHIKU");
    row.SOKU = intField(fields, "SOKU");
}

template <class Row>
void loadRowsOf(catalogue::CatalogueDatabase& db, const std::string& queryText,
                TskDataList<Row>& rows)
{
    rows.clear();
    const ResultLayout& layout = resultLayout(Row::kKind);
    ResultTable table = db.GetTable(queryText + std::string(layout.orderClause));
    TskDataList<Row> loaded;
    for (table.MoveFirst(); !table.Eof(); table.Next()) {
        Row row;
        readFields(TableFields(table), row);
        row.Ticked = layout.rowsStartTicked;
        loaded.append(std::move(row));
    }
    // Swapped in only when every row was read, so a failure leaves no half list.
    rows = std::move(loaded);
}

// The key columns after the rowid, in the order of the row's kKeyColumns.
void readKey(const catalogue::ResultCursor& cursor, RowKey& key)
{
    key.FILENO = IntCell(cursor, 1);
}

void readKey(const catalogue::ResultCursor& cursor, MapSheetKey& key)
{
    key.FILENO = IntCell(cursor, 1);
    key.SCALE = IntCell(cursor, 2);
    key.KUBUN = IntCell(cursor, 3);
}

using RowSlots = std::vector<std::pair<std::int64_t, std::size_t>>; // (rowid, slot), sorted

// Where the rows read go: the slots asked for each rowid. The rowids are
// read either as the span from the lowest to the highest, when the rows
// asked for fill at least half of it (the rows of a drawing were inserted
// together, so they lie close), in one pass along the table, or else as a
// list, each looked up.
class RowPlaces {
public:
    explicit RowPlaces(const RowSlots& sorted) : m_sorted(sorted)
    {
        m_lowest = sorted.front().first;
        // Unsigned: the difference of any two 64-bit values, without overflow.
        const std::uint64_t span =
            static_cast<std::uint64_t>(sorted.back().first) - static_cast<std::uint64_t>(m_lowest);
        if (span >= 2 * static_cast<std::uint64_t>(sorted.size()))
            return;
        // The run of sorted slots of each rowid in the span, for a look-up by offset.
        m_runStart.assign(static_cast<std::size_t>(span) + 2, sorted.size());
        for (std::size_t i = sorted.size(); i-- > 0;)
            m_runStart[offsetOf(sorted[i].first)] = i;
        for (std::size_t offset = m_runStart.size() - 1; offset-- > 0;)
            m_runStart[offset] = std::min(m_runStart[offset], m_runStart[offset + 1]);
    }

    std::string condition() const
    {
        if (!m_runStart.empty())
            return "BETWEEN " + std::to_string(m_lowest) + " AND " +
                   std::to_string(m_sorted.back().first);
        std::string list = "IN (";
        for (std::size_t i = 0; i < m_sorted.size(); ++i) {
            if (i > 0)
                list += ',';
            list += std::to_string(m_sorted[i].first);
        }
        list += ')';
        return list;
    }

    // The sorted slots of the rowid: [first, last).
    std::pair<RowSlots::const_iterator, RowSlots::const_iterator> of(std::int64_t rowId) const
    {
        if (m_runStart.empty())
            return std::equal_range(m_sorted.begin(), m_sorted.end(),
                                    std::pair(rowId, std::size_t{0}),
                                    [](const auto& a, const auto& b) { return a.first < b.first; });
        const std::size_t offset = offsetOf(rowId);
        if (rowId < m_lowest || offset + 1 >= m_runStart.size())
            return {m_sorted.end(), m_sorted.end()};
        return {m_sorted.begin() + static_cast<std::ptrdiff_t>(m_runStart[offset]),
                m_sorted.begin() + static_cast<std::ptrdiff_t>(m_runStart[offset + 1])};
    }

private:
    std::size_t offsetOf(std::int64_t rowId) const
    {
        return static_cast<std::size_t>(static_cast<std::uint64_t>(rowId) -
                                        static_cast<std::uint64_t>(m_lowest));
    }

    const RowSlots& m_sorted;
    std::int64_t m_lowest = 0;
    // Per offset from the lowest rowid: where its run of slots starts; the
    // next offset's start ends it.
    std::vector<std::size_t> m_runStart;
};

} // namespace

std::span<const std::string_view> RequestedFields(ResultKind kind)
{
    static constexpr std::string_view kParcel[] = {"OOAZA", "KOAZA", "CHIBAN", "FILENO"};
    static constexpr std::string_view kMapSheet[] = {"MAPNAME", "SCALE", "KUBUN", "FILENO"};
    static constexpr std::string_view kPoint[] = {"TENNAME", "FILENO"};
    static constexpr std::string_view kDrawing[] = {"PATH", "FILENO"};
    switch (kind) {
    case ResultKind::Parcels:
        return kParcel;
    case ResultKind::MapSheets:
        return kMapSheet;
    case ResultKind::Points:
        return kPoint;
    case ResultKind::Drawings:
        return kDrawing;
    }
    return {};
}

int IntCell(const catalogue::ResultCursor& cursor, int column)
{
    if (cursor.Kind(column) != catalogue::ColumnKind::Integer)
        return intOrZero(cursor.Fields(column));
    const std::int64_t value = cursor.Integer(column);
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(value);
}

std::string_view TextCell(const catalogue::ResultCursor& cursor, int column, std::string& spare)
{
    if (cursor.Kind(column) == catalogue::ColumnKind::Text)
        return cursor.Text(column);
    spare = cursor.Fields(column);
    return spare;
}

ResultQuery SplitResultQuery(const std::string& queryText)
{
    static constexpr std::string_view kSelectAll = "SELECT * FROM ";
    const std::size_t tableEnd = queryText.find(' ', kSelectAll.size());
    ResultQuery query;
    if (queryText.starts_with(kSelectAll))
        query.table = queryText.substr(kSelectAll.size(), tableEnd - kSelectAll.size());
    if (query.table.empty())
        throw std::invalid_argument("A result list reads \"SELECT * FROM <table> ...\", not \"" +
                                    queryText + "\"");
    if (tableEnd != std::string::npos)
        query.conditions = queryText.substr(tableEnd);
    return query;
}

template <class Row>
void LoadRowKeys(catalogue::CatalogueDatabase& db, const std::string& queryText,
                 ResultRowKeys<Row>& rows)
{
    LoadRowKeys(db, queryText, rows, resultLayout(Row::kKind).orderClause);
}

template <class Row>
void ReorderRowKeys(const std::string& queryText, ResultRowKeys<Row>& rows,
                    std::string_view orderClause)
{
    if (rows.catalogue == nullptr)
        return;
    std::vector<std::pair<std::int64_t, bool>> ticks;
    ticks.reserve(static_cast<std::size_t>(rows.keys.size()));
    for (const auto& key : rows.keys)
        ticks.emplace_back(key.rowId, key.Ticked);
    std::sort(ticks.begin(), ticks.end());
    LoadRowKeys(*rows.catalogue, queryText, rows, orderClause);
    for (auto& key : rows.keys) {
        const auto tick = std::lower_bound(ticks.begin(), ticks.end(), std::pair(key.rowId, false));
        if (tick != ticks.end() && tick->first == key.rowId)
            key.Ticked = tick->second;
    }
}

template <class Row>
void LoadRowKeys(catalogue::CatalogueDatabase& db, const std::string& queryText,
                 ResultRowKeys<Row>& rows, std::string_view orderClause)
{
    rows.keys.clear();
    rows.catalogue = nullptr;
    const ResultLayout& layout = resultLayout(Row::kKind);
    ResultQuery query = SplitResultQuery(queryText);
    catalogue::ResultCursor cursor =
        db.OpenCursor("SELECT rowid," + std::string(Row::kKeyColumns) + " FROM " + query.table +
                      query.conditions + std::string(orderClause));
    TskDataList<typename Row::Key> loaded;
    while (cursor.Step()) {
        typename Row::Key key;
        key.rowId = cursor.Integer(0);
        readKey(cursor, key);
        key.Ticked = layout.rowsStartTicked;
        loaded.append(key);
    }
    // Swapped in only when every key was read, so a failure leaves no half list.
    rows.keys = std::move(loaded);
    rows.table = std::move(query.table);
    rows.catalogue = &db;
}

template <class Key>
void ForEachRowById(catalogue::CatalogueDatabase& db, const std::string& table,
                    std::span<const Key> keys, std::span<const std::string_view> fields,
                    const RowFound& found)
{
    if (keys.empty())
        return;
    // The slots of each rowid, sorted by rowid, to place the rows read.
    RowSlots rowSlots;
    rowSlots.reserve(keys.size());
    for (std::size_t slot = 0; slot < keys.size(); ++slot)
        rowSlots.emplace_back(keys[slot].rowId, slot);
    std::sort(rowSlots.begin(), rowSlots.end());

    std::string sql = "SELECT rowid";
    for (const std::string_view field : fields)
        sql += "," + std::string(field);
    const RowPlaces places(rowSlots);
    sql += " FROM " + table + " WHERE rowid " + places.condition();
    const auto fileNoField = std::find(fields.begin(), fields.end(), "FILENO");
    if (fileNoField == fields.end())
        throw std::invalid_argument("Rows read by rowid must read FILENO");
    const int fileNoColumn = static_cast<int>(fileNoField - fields.begin()) + 1;
    catalogue::ResultCursor result = db.OpenCursor(sql);
    while (result.Step()) {
        const auto [first, last] = places.of(result.Integer(0));
        if (first == last)
            continue;
        const int fileNo = IntCell(result, fileNoColumn);
        // A rowid stands once in a list; should it stand twice, each slot is told.
        for (auto slot = first; slot != last; ++slot) {
            if (fileNo == keys[slot->second].FILENO)
                found(slot->second, result);
        }
    }
}

template <class Row>
std::vector<std::optional<Row>>
ReadRowsById(catalogue::CatalogueDatabase& db, const std::string& table,
             std::span<const typename Row::Key> keys, RowFields which)
{
    std::vector<std::optional<Row>> rows(keys.size());
    const std::vector<std::string_view> fields = fieldsToRead(Row::kKind, which);
    ForEachRowById(db, table, keys, fields,
                   [&](std::size_t slot, const catalogue::ResultCursor& cursor) {
                       Row& row = rows[slot].emplace();
                       readFields(CursorFields(cursor, fields), row);
                   });
    return rows;
}

template void ForEachRowById(catalogue::CatalogueDatabase&, const std::string&,
                             std::span<const RowKey>, std::span<const std::string_view>,
                             const RowFound&);
template void ForEachRowById(catalogue::CatalogueDatabase&, const std::string&,
                             std::span<const MapSheetKey>, std::span<const std::string_view>,
                             const RowFound&);
template void LoadRowKeys(catalogue::CatalogueDatabase&, const std::string&,
                          ResultRowKeys<ParcelRow>&);
template void LoadRowKeys(catalogue::CatalogueDatabase&, const std::string&,
                          ResultRowKeys<ParcelRow>&, std::string_view);
template void LoadRowKeys(catalogue::CatalogueDatabase&, const std::string&,
                          ResultRowKeys<MapSheetRow>&, std::string_view);
template void LoadRowKeys(catalogue::CatalogueDatabase&, const std::string&,
                          ResultRowKeys<PointRow>&, std::string_view);
template void LoadRowKeys(catalogue::CatalogueDatabase&, const std::string&,
                          ResultRowKeys<DrawingRow>&, std::string_view);
template void ReorderRowKeys(const std::string&, ResultRowKeys<ParcelRow>&, std::string_view);
template void ReorderRowKeys(const std::string&, ResultRowKeys<PointRow>&, std::string_view);
template void ReorderRowKeys(const std::string&, ResultRowKeys<DrawingRow>&, std::string_view);
template void ReorderRowKeys(const std::string&, ResultRowKeys<MapSheetRow>&, std::string_view);
template void LoadRowKeys(catalogue::CatalogueDatabase&, const std::string&,
                          ResultRowKeys<MapSheetRow>&);
template void LoadRowKeys(catalogue::CatalogueDatabase&, const std::string&,
                          ResultRowKeys<PointRow>&);
template void LoadRowKeys(catalogue::CatalogueDatabase&, const std::string&,
                          ResultRowKeys<DrawingRow>&);
template std::vector<std::optional<ParcelRow>>
ReadRowsById<ParcelRow>(catalogue::CatalogueDatabase&, const std::string&, std::span<const RowKey>,
                        RowFields);
template std::vector<std::optional<MapSheetRow>>
ReadRowsById<MapSheetRow>(catalogue::CatalogueDatabase&, const std::string&,
                          std::span<const MapSheetKey>, RowFields);
template std::vector<std::optional<PointRow>> ReadRowsById<PointRow>(catalogue::CatalogueDatabase&,
                                                                     const std::string&,
                                                                     std::span<const RowKey>,
                                                                     RowFields);
template std::vector<std::optional<DrawingRow>>
ReadRowsById<DrawingRow>(catalogue::CatalogueDatabase&, const std::string&, std::span<const RowKey>,
                         RowFields);

int intOrZero(std::string_view text)
{
    int value = 0;
    const char* const last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (error != std::errc() || end != last)
        return 0;
    return value;
}

std::string parcelKindText(int mode)
{
    switch (mode) {
    case 1:
        return "筆";
    case 2:
        return "所有者";
    case 3:
        return "一団";
    default:
        return std::to_string(mode);
    }
}

std::vector<std::string> cellTexts(const ParcelRow& row)
{
    return {row.OOAZA,
            row.KOAZA,
            row.CHIBAN,
            row.SNAME,
            row.KNAME,
            std::to_string(row.FILENO),
            parcelKindText(row.MODE)};
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

void LoadRows(catalogue::CatalogueDatabase& db, const std::string& queryText,
              TskDataList<ParcelRow>& rows)
{
    loadRowsOf(db, queryText, rows);
}

void LoadRows(catalogue::CatalogueDatabase& db, const std::string& queryText,
              TskDataList<MapSheetRow>& rows)
{
    loadRowsOf(db, queryText, rows);
}

void LoadRows(catalogue::CatalogueDatabase& db, const std::string& queryText,
              TskDataList<PointRow>& rows)
{
    loadRowsOf(db, queryText, rows);
}

void LoadRows(catalogue::CatalogueDatabase& db, const std::string& queryText,
              TskDataList<DrawingRow>& rows)
{
    loadRowsOf(db, queryText, rows);
}

} // namespace ft::search
