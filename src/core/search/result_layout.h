#pragma once

#include <span>
#include <string>
#include <string_view>

namespace ft::search {

// The four result list windows. The two point searches share one window.
enum class ResultKind { Parcels, MapSheets, Points, Drawings };

// One column of a result list: its heading (UTF-8), its width in pixels, the
// catalogue column it shows and, where a click on its heading sorts the list,
// the catalogue columns it sorts by (empty: the column it shows).
struct ResultColumn {
    std::string_view heading;
    int width;
    std::string_view field;
    std::string_view sortFields = {};
};

// What tells the result windows apart, kept as data so that the windows and
// the command-line tool show the same columns in the same order.
struct ResultLayout {
    std::string_view caption; // UTF-8
    int clientWidth;          // the client area is 614 pixels high in every window
    std::span<const ResultColumn> columns;
    // Appended to the statement of the search when the window loads its rows.
    std::string_view orderClause;
    // The search windows start with every row ticked; the drawing list with none.
    bool rowsStartTicked;
};

inline constexpr int kResultClientHeight = 614;

const ResultLayout& resultLayout(ResultKind kind);

// Whether a click on a heading sorts the list by that column, through
// columnOrderClause. The map sheet list sorts its own way (map_sheet_sort.h).
bool sortsByColumn(ResultKind kind);

// The order clause that lists the rows by a column, ascending or descending:
// " order by <its sort fields>,rowid", every term descending when asked, so
// that the descending order is the ascending one reversed. Numbers sort as
// numbers, texts by the bytes of their UTF-8 (SQLite's binary collation).
// Empty when the kind does not sort so or the column is not one of its own.
std::string columnOrderClause(ResultKind kind, int column, bool descending);

} // namespace ft::search
