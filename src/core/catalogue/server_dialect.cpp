#include "core/catalogue/server_dialect.h"

#include "core/catalogue/kana_folding.h"
#include "core/catalogue/quoting.h"
#include "core/catalogue/schema.h"

#include <algorithm>
#include <cctype>
#include <regex>

namespace ft::catalogue {
namespace {

bool isWordByte(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

// The end of a quoted run that starts at `at` (on the quote), a doubled quote
// staying inside; the text's end when it is never closed.
std::size_t quotedEnd(std::string_view text, std::size_t at, char quote)
{
    std::size_t i = at + 1;
    while (i < text.size()) {
        if (text[i] == quote) {
            if (i + 1 < text.size() && text[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return text.size();
}

// The column list of a designed table, from its CREATE TABLE statement.
std::vector<std::string> designedColumns(std::string_view createStatement)
{
    std::vector<std::string> columns;
    const std::string text(createStatement);
    static const std::regex kColumn(R"(\[([A-Za-z_]+)\]\s*(VARCHAR|INTEGER))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), kColumn);
         it != std::sregex_iterator(); ++it)
        columns.push_back((*it)[1].str() +
                          ((*it)[2].str() == "INTEGER" ? " bigint" : " text COLLATE \"C\""));
    return columns;
}

std::string columnNames(std::string_view createStatement)
{
    std::string names;
    for (const std::string& column : designedColumns(createStatement)) {
        if (!names.empty())
            names += ',';
        names += column.substr(0, column.find(' '));
    }
    return names;
}

// The designed column list of a table named by `word`, or empty.
std::string columnsOfTable(std::string_view word)
{
    for (std::size_t i = 0; i < kTableNames.size(); ++i)
        if (equalsIgnoringCase(word, kTableNames[i]))
            return columnNames(kCreateTableStatements[i]);
    return {};
}

// The words after `at`, skipping blanks: used to see "* FROM <table>".
std::string_view nextWord(std::string_view text, std::size_t& at)
{
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])) != 0)
        ++at;
    const std::size_t start = at;
    while (at < text.size() && isWordByte(text[at]))
        ++at;
    return text.substr(start, at - start);
}

// The designed columns when `*` at `star` stands in "SELECT * FROM <table>"
// (the previous word being SELECT is the caller's business).
std::string starColumns(std::string_view text, std::size_t star)
{
    std::size_t at = star + 1;
    if (!equalsIgnoringCase(nextWord(text, at), "FROM"))
        return {};
    return columnsOfTable(nextWord(text, at));
}

} // namespace

std::string ServerStatement(std::string_view statement)
{
    std::string out;
    out.reserve(statement.size() + 16);
    std::string_view previousWord;
    std::size_t at = 0;
    while (at < statement.size()) {
        const char c = statement[at];
        if (c == '\'') {
            const std::size_t end = quotedEnd(statement, at, '\'');
            out.append(statement.substr(at, end - at));
            at = end;
            continue;
        }
        if (c == '"') {
            const std::size_t end = quotedEnd(statement, at, '"');
            const std::size_t inner = end - at >= 2 ? end - at - 2 : 0;
            std::string value;
            for (std::size_t i = at + 1; i < at + 1 + inner; ++i) {
                value += statement[i];
                if (statement[i] == '"')
                    ++i; // the second of a doubled quote
            }
            out += '\'';
            AppendQuoteDoubled(out, value, '\'');
            out += '\'';
            at = end;
            previousWord = {};
            continue;
        }
        if (c == '[') {
            const std::size_t close = statement.find(']', at);
            const std::size_t end = close == std::string_view::npos ? statement.size() : close;
            out.append(statement.substr(at + 1, end - at - 1));
            at = end == statement.size() ? end : end + 1;
            continue;
        }
        if (isWordByte(c)) {
            std::size_t end = at;
            while (end < statement.size() && isWordByte(statement[end]))
                ++end;
            const std::string_view word = statement.substr(at, end - at);
            if (equalsIgnoringCase(word, "like"))
                out.append(kServerLikeOperator);
            else
                out.append(word);
            previousWord = word;
            at = end;
            continue;
        }
        if (c == '*' && equalsIgnoringCase(previousWord, "SELECT")) {
            const std::string columns = starColumns(statement, at);
            out += columns.empty() ? std::string("*") : columns;
            previousWord = {};
            ++at;
            continue;
        }
        if (std::isspace(static_cast<unsigned char>(c)) == 0)
            previousWord = {};
        out += c;
        ++at;
    }
    return out;
}

std::string ServerFoldKanaExpression(std::string_view argument)
{
    // Every character FoldKana changes on its own, found by asking it.
    std::string from;
    std::string to;
    const auto utf8Of = [](char32_t code) {
        std::string text;
        if (code < 0x800) {
            text += static_cast<char>(0xC0 | (code >> 6));
        } else {
            text += static_cast<char>(0xE0 | (code >> 12));
            text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        }
        text += static_cast<char>(0x80 | (code & 0x3F));
        return text;
    };
    constexpr char32_t kRanges[][2] = {{0x3041, 0x30FF}, {0xFF61, 0xFF9F}};
    for (const auto& range : kRanges)
        for (char32_t code = range[0]; code <= range[1]; ++code) {
            const std::string one = utf8Of(code);
            const std::string folded = FoldKana(one);
            if (folded != one) {
                from += one;
                to += folded;
            }
        }
    std::string expression = "translate(" + std::string(argument) + ", '" +
                             QuoteDoubled(from, '\'') + "', '" + QuoteDoubled(to, '\'') + "')";
    // Then each letter and mark that FoldKana composes into one.
    for (char32_t kana = 0x30A1; kana <= 0x30FE; ++kana)
        for (const char32_t mark : {char32_t{0x309B}, char32_t{0x309C}}) {
            const std::string pair = utf8Of(kana) + utf8Of(mark);
            const std::string folded = FoldKana(pair);
            if (folded != pair)
                expression = "replace(" + expression + ", '" + pair + "', '" + folded + "')";
        }
    return expression;
}

std::vector<std::string> ServerSchemaStatements(std::string_view schema)
{
    const std::string s(schema);
    std::vector<std::string> statements;
    statements.push_back("CREATE SCHEMA IF NOT EXISTS " + s);
    for (std::size_t i = 0; i < kTableNames.size(); ++i) {
        std::string columns;
        for (const std::string& column : designedColumns(kCreateTableStatements[i]))
            columns += column + ", ";
        statements.push_back("CREATE TABLE IF NOT EXISTS " + s + "." + std::string(kTableNames[i]) +
                             " (" + columns +
                             "rowid bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY)");
    }
    statements.push_back("CREATE TABLE IF NOT EXISTS " + s +
                         ".FINDTAVLA_CHANGES (COUNTER bigint NOT NULL)");
    // The overview lines each registration wrote, per drawing, which every
    // desk copies into its own working files.
    statements.push_back("CREATE TABLE IF NOT EXISTS " + s +
                         ".FINDTAVLA_LINES (FILENO bigint NOT NULL, KIND bigint NOT NULL, "
                         "LINE bytea NOT NULL, "
                         "rowid bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY)");
    statements.push_back("CREATE INDEX IF NOT EXISTS findtavla_lines_fileno ON " + s +
                         ".FINDTAVLA_LINES (FILENO)");
    statements.push_back("CREATE OR REPLACE FUNCTION " + s +
                         ".foldkana(text) RETURNS text LANGUAGE sql IMMUTABLE STRICT "
                         "PARALLEL SAFE AS $fold$ SELECT " +
                         ServerFoldKanaExpression("$1") + " $fold$");
    const std::string lower = "translate($1, 'ABCDEFGHIJKLMNOPQRSTUVWXYZ', "
                              "'abcdefghijklmnopqrstuvwxyz')";
    statements.push_back(
        "CREATE OR REPLACE FUNCTION " + s +
        ".ascii_like(text, text) RETURNS boolean LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE "
        "AS $like$ SELECT " +
        lower + " LIKE " + std::string(lower).replace(lower.find("$1"), 2, "$2") +
        " ESCAPE '' $like$");
    // CREATE OPERATOR cannot be repeated; the block skips it when it stands.
    statements.push_back(
        "DO $op$ BEGIN IF NOT EXISTS (SELECT 1 FROM pg_operator o JOIN pg_namespace n ON "
        "n.oid = o.oprnamespace WHERE o.oprname = '" +
        std::string(kServerLikeOperator) + "' AND n.nspname = '" + s + "') THEN CREATE OPERATOR " +
        s + "." + std::string(kServerLikeOperator) +
        " (LEFTARG = text, RIGHTARG = text, FUNCTION = " + s + ".ascii_like); END IF; END $op$");
    return statements;
}

} // namespace ft::catalogue
