#include "core/catalogue/insert_values.h"

#include "core/catalogue/engine_text.h"

#include <charconv>
#include <cstdint>

namespace ft::catalogue {
namespace {

// Reads a statement from left to right; every step returns false when the
// text is not what a plain INSERT has there.
class InsertReader {
public:
    explicit InsertReader(std::string_view text) : m_text(text) {}

    void skipBlanks()
    {
        while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\t' ||
                                        m_text[m_at] == '\r' || m_text[m_at] == '\n'))
            ++m_at;
    }

    bool word(std::string_view expected)
    {
        skipBlanks();
        if (upperAscii(m_text.substr(m_at, expected.size())) != expected)
            return false;
        m_at += expected.size();
        return m_at == m_text.size() || !isNameByte(m_text[m_at]);
    }

    bool symbol(char expected)
    {
        skipBlanks();
        if (m_at >= m_text.size() || m_text[m_at] != expected)
            return false;
        ++m_at;
        return true;
    }

    bool name(std::string& out)
    {
        skipBlanks();
        const std::size_t start = m_at;
        while (m_at < m_text.size() && isNameByte(m_text[m_at]))
            ++m_at;
        out = m_text.substr(start, m_at - start);
        return !out.empty();
    }

    bool value(std::optional<std::string>& out)
    {
        skipBlanks();
        if (m_at >= m_text.size())
            return false;
        if (m_text[m_at] == '\'')
            return quoted(out);
        if (word("NULL")) {
            out.reset();
            return true;
        }
        return number(out);
    }

    // Only a closing semicolon and blanks may follow.
    bool atEnd()
    {
        symbol(';');
        skipBlanks();
        return m_at == m_text.size();
    }

private:
    static bool isNameByte(char c)
    {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_';
    }

    bool quoted(std::optional<std::string>& out)
    {
        std::string text;
        for (++m_at; m_at < m_text.size(); ++m_at) {
            if (m_text[m_at] != '\'') {
                text += m_text[m_at];
                continue;
            }
            if (m_at + 1 < m_text.size() && m_text[m_at + 1] == '\'') {
                text += '\'';
                ++m_at;
                continue;
            }
            ++m_at;
            out = std::move(text);
            return true;
        }
        return false; // never closed
    }

    bool number(std::optional<std::string>& out)
    {
        std::size_t end = m_at;
        if (end < m_text.size() && (m_text[end] == '-' || m_text[end] == '+'))
            ++end;
        const std::size_t digits = end;
        while (end < m_text.size() && m_text[end] >= '0' && m_text[end] <= '9')
            ++end;
        if (end == digits ||
            (end < m_text.size() && (isNameByte(m_text[end]) || m_text[end] == '.')))
            return false;
        // The server reads a number too large for 64 bits as a decimal.
        const char* first = m_text.data() + (m_text[m_at] == '+' ? m_at + 1 : m_at);
        std::int64_t number = 0;
        const auto [stop, error] = std::from_chars(first, m_text.data() + end, number);
        if (error != std::errc() || stop != m_text.data() + end)
            return false;
        m_at = end;
        out = std::to_string(number);
        return true;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

} // namespace

std::optional<InsertValues> ReadInsertValues(std::string_view statement)
{
    InsertReader reader(statement);
    InsertValues insert;
    if (!reader.word("INSERT") || !reader.word("INTO") || !reader.name(insert.table) ||
        !reader.word("VALUES") || !reader.symbol('('))
        return std::nullopt;
    do {
        std::optional<std::string> value;
        if (!reader.value(value))
            return std::nullopt;
        insert.values.push_back(std::move(value));
    } while (reader.symbol(','));
    if (!reader.symbol(')') || !reader.atEnd())
        return std::nullopt;
    return insert;
}

} // namespace ft::catalogue
