#include "core/catalogue/quoting.h"

namespace ft::catalogue {

std::string QuoteDoubled(std::string_view text, char quote)
{
    std::string quoted;
    quoted.reserve(text.size());
    AppendQuoteDoubled(quoted, text, quote);
    return quoted;
}

void AppendQuoteDoubled(std::string& statement, std::string_view text, char quote)
{
    for (const char c : text) {
        statement.push_back(c);
        if (c == quote)
            statement.push_back(c);
    }
}

} // namespace ft::catalogue
