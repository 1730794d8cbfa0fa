#pragma once

#include <span>
#include <string_view>

namespace ft::search {

// The four result list windows. The two point searches share one window.
enum class ResultKind { Parcels, MapSheets, Points, Drawings };

// One column of a result list: its heading (UTF-8), its width in pixels and
// the catalogue column it shows.
struct ResultColumn {
    std::string_view heading;
    int width;
    std::string_view field;
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

} // namespace ft::search
