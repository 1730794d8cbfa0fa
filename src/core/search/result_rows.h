#pragma once

#include "core/search/result_layout.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ft::catalogue {
class CatalogueDatabase;
class ResultCursor;
} // namespace ft::catalogue

namespace ft::search {

// What a result window keeps of each of its rows, however many there are:
// where the row lies in its table (its rowid), its drawing number and its
// tick. The texts are read when the row is shown or handed over
// (ReadRowsById). The drawing number also tells whether the row read later is
// still the row that was listed: a registration that replaces a data set
// gives its rows a new number, even where a rowid is used again.
struct RowKey {
    std::int64_t rowId = 0;
    int FILENO = 0;
    bool Ticked = false;
};

// The map sheet list also keeps what its heading clicks sort by.
struct MapSheetKey {
    std::int64_t rowId = 0;
    int FILENO = 0;
    int SCALE = 0;
    int KUBUN = 0;
    bool Ticked = false;
};

// The rows of the four result lists. Field names are the catalogue column
// names they are read from; text stays UTF-8 as the catalogue holds it (the
// windows turn it into QString, the request writer into CP932). Integer
// fields are 0 when the catalogue text is not a number. kKeyColumns are the
// columns besides the rowid that the row's key keeps.

struct ParcelRow {
    static constexpr ResultKind kKind = ResultKind::Parcels;
    using Key = RowKey;
    static constexpr std::string_view kKeyColumns = "FILENO";
    std::string OOAZA;
    bool Ticked = false;
    std::string KOAZA;
    std::string CHIBAN;
    std::string SNAME;
    std::string KNAME;
    int FILENO = 0;
    int MODE = 0; // 1 parcel, 2 owner, 3 group (種別)
};

struct MapSheetRow {
    static constexpr ResultKind kKind = ResultKind::MapSheets;
    using Key = MapSheetKey;
    static constexpr std::string_view kKeyColumns = "FILENO,SCALE,KUBUN";
    std::string MAPNAME;
    bool Ticked = false;
    int SCALE = 0;
    int KUBUN = 0;
    int FILENO = 0;
};

// A boundary point (FTEN) or a control point (ZTEN).
struct PointRow {
    static constexpr ResultKind kKind = ResultKind::Points;
    using Key = RowKey;
    static constexpr std::string_view kKeyColumns = "FILENO";
    std::string TENNAME;
    bool Ticked = false;
    int FILENO = 0;
};

// A registered drawing (a FILE row).
struct DrawingRow {
    static constexpr ResultKind kKind = ResultKind::Drawings;
    using Key = RowKey;
    static constexpr std::string_view kKeyColumns = "FILENO";
    std::string PATH;
    bool Ticked = false;
    int FILENO = 0;
    std::string CREATER;
    std::string CHIKU;
    int SOKU = 0;
};

// The row store of a result list: owns its rows (full rows, or the keys a
// window keeps of them), keeps them in order.
template <class Row> class TskDataList {
public:
    int size() const { return static_cast<int>(m_rows.size()); }
    bool empty() const { return m_rows.empty(); }
    const Row& item(int index) const { return m_rows.at(static_cast<std::size_t>(index)); }
    Row& item(int index) { return m_rows.at(static_cast<std::size_t>(index)); }
    void append(Row row) { m_rows.push_back(std::move(row)); }
    void clear() { m_rows.clear(); }

    // Reorders the rows by a strict "sorts before" predicate; rows the
    // predicate finds equal keep their order.
    template <class Less> void sort(Less less)
    {
        std::stable_sort(m_rows.begin(), m_rows.end(), less);
    }

    auto begin() { return m_rows.begin(); }
    auto end() { return m_rows.end(); }
    auto begin() const { return m_rows.begin(); }
    auto end() const { return m_rows.end(); }

private:
    std::vector<Row> m_rows;
};

// The texts a row shows, one per column of its window's layout, in column
// order; integers in decimal.
std::vector<std::string> cellTexts(const ParcelRow& row);
std::vector<std::string> cellTexts(const MapSheetRow& row);
std::vector<std::string> cellTexts(const PointRow& row);
std::vector<std::string> cellTexts(const DrawingRow& row);

// The 種別 text of a parcel row's MODE: 筆, 所有者 or 一団; the number
// itself for any other value.
std::string parcelKindText(int mode);

// The value of an integer field: the decimal text as a 32-bit number, 0 when
// the text is empty, not a number or out of range.
int intOrZero(std::string_view text);

// Empties the store, then runs the statement followed by the window's order
// clause on the catalogue and appends one row per result row, ticked as the
// window starts its rows. Throws CatalogueError when the catalogue rejects
// the statement or lacks a column; the store is then left empty.
void LoadRows(catalogue::CatalogueDatabase& db, const std::string& queryText,
              TskDataList<ParcelRow>& rows);
void LoadRows(catalogue::CatalogueDatabase& db, const std::string& queryText,
              TskDataList<MapSheetRow>& rows);
void LoadRows(catalogue::CatalogueDatabase& db, const std::string& queryText,
              TskDataList<PointRow>& rows);
void LoadRows(catalogue::CatalogueDatabase& db, const std::string& queryText,
              TskDataList<DrawingRow>& rows);

// The parts of a window's statement: "SELECT * FROM <table>" and what
// follows the table name (its conditions). The windows only ever get
// statements of that form; anything else is refused with
// std::invalid_argument.
struct ResultQuery {
    std::string table;
    std::string conditions;
};
ResultQuery SplitResultQuery(const std::string& queryText);

// The keys of a window's rows, and the catalogue and table they were read
// from. Rows stay with the catalogue that listed them, whatever datum is
// current later.
template <class Row> struct ResultRowKeys {
    TskDataList<typename Row::Key> keys;
    std::string table;
    catalogue::CatalogueDatabase* catalogue = nullptr;
};

// Empties the store, then runs the statement with the window's order clause,
// reading only each row's key, streamed: one pass whatever the count. Keys
// come in the order LoadRows gives the rows, ticked as the window starts its
// rows. Throws CatalogueError as LoadRows does; the store is then empty.
template <class Row>
void LoadRowKeys(catalogue::CatalogueDatabase& db, const std::string& queryText,
                 ResultRowKeys<Row>& rows);
// The same in the order of another order clause (a column clicked).
template <class Row>
void LoadRowKeys(catalogue::CatalogueDatabase& db, const std::string& queryText,
                 ResultRowKeys<Row>& rows, std::string_view orderClause);

// Lists the rows of the statement again, from the catalogue they were listed
// from, in the order of `orderClause`; each row keeps its tick (found by
// rowid), a row new to the result starts as the window starts its rows.
template <class Row>
void ReorderRowKeys(const std::string& queryText, ResultRowKeys<Row>& rows,
                    std::string_view orderClause);

// A cell of a cursor's row as a row's integer field reads it: the value when
// it is a whole number within 32 bits, 0 otherwise (NULL included).
int IntCell(const catalogue::ResultCursor& cursor, int column);
// A cell as a row's text field reads it: a view of the cursor's text (valid
// until its next step) or, for a column not read as text, `spare` holding it.
std::string_view TextCell(const catalogue::ResultCursor& cursor, int column, std::string& spare);

// Told of each row ForEachRowById finds: the slot of its key, and the cursor
// on "SELECT rowid,<fields>" at that row.
using RowFound = std::function<void(std::size_t slot, const catalogue::ResultCursor& row)>;

// Reads "rowid,<fields>" (FILENO among the fields) of the rows of these
// keys from the table in one statement, in rowid order, and tells `found` of
// each key whose row is still there: same rowid, same drawing number. A key
// whose row is gone is not told of.
template <class Key>
void ForEachRowById(catalogue::CatalogueDatabase& db, const std::string& table,
                    std::span<const Key> keys, std::span<const std::string_view> fields,
                    const RowFound& found);

// The fields of each kind of row that a request record needs, in the
// record's order, FILENO last.
std::span<const std::string_view> RequestedFields(ResultKind kind);

// Which fields of a row ReadRowsById reads: those the window shows, or only
// those a request record needs (the others stay empty, or 0).
enum class RowFields { Shown, Requested };

// The rows of these keys, read by rowid from the table in one statement, in
// the order of the keys, with the texts LoadRows would give them. A row that
// is no longer in the table, or whose drawing number is no longer the key's,
// comes back as nullopt.
template <class Row>
std::vector<std::optional<Row>>
ReadRowsById(catalogue::CatalogueDatabase& db, const std::string& table,
             std::span<const typename Row::Key> keys, RowFields which = RowFields::Shown);

} // namespace ft::search
