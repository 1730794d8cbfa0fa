#include "cli/table_output.h"

namespace ft::cli {

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

void writeLine(std::ostream& out, const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out << '\t';
        out << escapedField(fields[i]);
    }
    out << '\n';
}

std::vector<std::string> columnNames(search::ResultKind kind)
{
    std::vector<std::string> names;
    for (const search::ResultColumn& column : search::resultLayout(kind).columns)
        names.emplace_back(column.field);
    return names;
}

} // namespace ft::cli
