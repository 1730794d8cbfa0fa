#pragma once

#include "core/search/result_rows.h"

#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ft::cli {

// A field as written between tabs: backslash, tab, CR and LF become \\, \t,
// \r and \n, so every row stays one line and the text can be restored.
std::string escapedField(std::string_view text);

// One line: the fields escaped, separated by tabs, ended by a line feed.
void writeLine(std::ostream& out, const std::vector<std::string>& fields);

// The column names of the window's columns (the catalogue column names).
std::vector<std::string> columnNames(search::ResultKind kind);

// The column-name line, then one line per row in store order.
template <class Row> void writeRows(std::ostream& out, const search::TskDataList<Row>& rows)
{
    writeLine(out, columnNames(Row::kKind));
    for (const Row& row : rows)
        writeLine(out, search::cellTexts(row));
}

} // namespace ft::cli
