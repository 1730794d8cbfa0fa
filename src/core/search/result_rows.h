#pragma once

#include "core/search/result_layout.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace ft::catalogue {
class TSQLiteDatabase;
}

namespace ft::search {

// The rows of the four result lists. Field names are the catalogue column
// names they are read from; text stays UTF-8 as the catalogue holds it (the
// windows turn it into QString, the request writer into CP932). Integer
// fields are 0 when the catalogue text is not a number.

struct ParcelRow {
    static constexpr ResultKind kKind = ResultKind::Parcels;
    std::string OOAZA;
    bool Ticked = false;
    std::string KOAZA;
    std::string CHIBAN;
    std::string SNAME;
    std::string KNAME;
    int FILENO = 0;
};

struct MapSheetRow {
    static constexpr ResultKind kKind = ResultKind::MapSheets;
    std::string MAPNAME;
    bool Ticked = false;
    int SCALE = 0;
    int KUBUN = 0;
    int FILENO = 0;
};

// A boundary point (FTEN) or a control point (ZTEN).
struct PointRow {
    static constexpr ResultKind kKind = ResultKind::Points;
    std::string TENNAME;
    bool Ticked = false;
    int FILENO = 0;
};

// A registered drawing (a FILE row).
struct DrawingRow {
    static constexpr ResultKind kKind = ResultKind::Drawings;
    std::string PATH;
    bool Ticked = false;
    int FILENO = 0;
    std::string CREATER;
    std::string CHIKU;
    int SOKU = 0;
};

// The row store of a result window: owns its rows, keeps them in order.
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

// The value of an integer field: the decimal text as a 32-bit number, 0 when
// the text is empty, not a number or out of range.
int intOrZero(std::string_view text);

// Empties the store, then runs the statement followed by the window's order
// clause on the catalogue and appends one row per result row, ticked as the
// window starts its rows. Throws ESQLiteException when the catalogue rejects
// the statement or lacks a column; the store is then left empty.
void LoadRows(catalogue::TSQLiteDatabase& db, const std::string& queryText,
              TskDataList<ParcelRow>& rows);
void LoadRows(catalogue::TSQLiteDatabase& db, const std::string& queryText,
              TskDataList<MapSheetRow>& rows);
void LoadRows(catalogue::TSQLiteDatabase& db, const std::string& queryText,
              TskDataList<PointRow>& rows);
void LoadRows(catalogue::TSQLiteDatabase& db, const std::string& queryText,
              TskDataList<DrawingRow>& rows);

} // namespace ft::search
