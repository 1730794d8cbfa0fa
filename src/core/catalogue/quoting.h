#pragma once

#include <string>
#include <string_view>

namespace ft::catalogue {

// Statements are complete texts with their values spliced in. A text value
// goes between two quote characters (' or ", as the statement has it) with
// every such quote inside it doubled, so it stays one literal whatever it
// holds. Nothing else is changed: in a like pattern % and _ still act as
// wildcards.

// The text with every `quote` doubled.
std::string QuoteDoubled(std::string_view text, char quote);
// The same, appended to a statement being built.
void AppendQuoteDoubled(std::string& statement, std::string_view text, char quote);

} // namespace ft::catalogue
