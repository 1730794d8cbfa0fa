#pragma once

#include "cli/cli_command.h"
#include "core/search/result_rows.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace ft::cli {

// A field as written between tabs: backslash, tab, CR and LF become \\, \t,
// \r and \n, so every row stays one line and the text can be restored.
std::string escapedField(std::string_view text);

// A field of an RFC 4180 record: in double quotes, its quotes doubled, when
// it holds a comma, a double quote, CR or LF; as it is otherwise.
std::string csvField(std::string_view text);

// A JSON string literal of UTF-8 text. Bytes that are not UTF-8 become
// U+FFFD, so the output always parses.
std::string jsonString(std::string_view text);

// The column names of the window's columns (the catalogue column names).
std::vector<std::string> columnNames(search::ResultKind kind);

// Writes a table in one format: the column names first (tsv, csv) or as
// the keys of every object (json).
class TableWriter {
public:
    TableWriter(std::ostream& out, OutputFormat format, std::vector<std::string> columns);
    void writeRow(const std::vector<std::string>& cells);
    // Ends the table (json closes its array). Call once, after the last row.
    void finish();

private:
    void writeLine(const std::vector<std::string>& fields);

    std::ostream& m_out;
    OutputFormat m_format;
    std::vector<std::string> m_columns;
    std::vector<bool> m_numeric;
    bool m_anyRow = false;
};

// The rows of a result store, in store order.
template <class Row>
void writeRows(std::ostream& out, const search::TskDataList<Row>& rows,
               OutputFormat format = OutputFormat::Tsv)
{
    TableWriter table(out, format, columnNames(Row::kKind));
    for (const Row& row : rows)
        table.writeRow(search::cellTexts(row));
    table.finish();
}

} // namespace ft::cli
