#include "cli/table_output.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstdio>

namespace ft::cli {
namespace {

// Columns whose rows hold integers (the INTEGER columns of the catalogue,
// read into int fields): JSON numbers rather than strings.
constexpr std::array<std::string_view, 4> kNumericColumns{"FILENO", "SCALE", "KUBUN", "SOKU"};

bool isNumericColumn(std::string_view name)
{
    return std::find(kNumericColumns.begin(), kNumericColumns.end(), name) != kNumericColumns.end();
}

} // namespace

std::string escapedField(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\n':
            escaped += "\\n";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string jsonString(std::string_view text)
{
    // Through QString: invalid UTF-8 comes out as U+FFFD.
    const std::string utf8 =
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUtf8().toStdString();
    std::string json = "\"";
    for (const char c : utf8) {
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                json += escape;
            } else {
                json += c;
            }
        }
    }
    return json + '"';
}

std::vector<std::string> columnNames(search::ResultKind kind)
{
    std::vector<std::string> names;
    for (const search::ResultColumn& column : search::resultLayout(kind).columns)
        names.emplace_back(column.field);
    return names;
}

TableWriter::TableWriter(std::ostream& out, OutputFormat format, std::vector<std::string> columns)
    : m_out(out), m_format(format), m_columns(std::move(columns))
{
    for (const std::string& column : m_columns)
        m_numeric.push_back(isNumericColumn(column));
    if (m_format == OutputFormat::Json)
        m_out << '[';
    else
        writeLine(m_columns);
}

void TableWriter::writeLine(const std::vector<std::string>& fields)
{
    const bool csv = m_format == OutputFormat::Csv;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            m_out << (csv ? ',' : '\t');
        m_out << (csv ? csvField(fields[i]) : escapedField(fields[i]));
    }
    m_out << (csv ? "\r\n" : "\n");
}

void TableWriter::writeRow(const std::vector<std::string>& cells)
{
    if (m_format != OutputFormat::Json) {
        writeLine(cells);
        return;
    }
    m_out << (m_anyRow ? ",\n" : "\n") << '{';
    for (std::size_t i = 0; i < cells.size() && i < m_columns.size(); ++i) {
        if (i > 0)
            m_out << ", ";
        // An integer field always holds a decimal number (0 when the catalogue
        // text was not one).
        m_out << jsonString(m_columns[i]) << ": "
              << (m_numeric[i] ? cells[i] : jsonString(cells[i]));
    }
    m_out << '}';
    m_anyRow = true;
}

void TableWriter::finish()
{
    if (m_format == OutputFormat::Json)
        m_out << (m_anyRow ? "\n]\n" : "]\n");
}

} // namespace ft::cli
