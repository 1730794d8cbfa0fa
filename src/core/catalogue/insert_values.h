#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ft::catalogue {

// The values of a plain `INSERT INTO <table> VALUES (...)` statement, read
// back so that an engine can run the statement with them bound as
// parameters: a value in single quotes (doubled quotes inside), a whole
// number, or NULL. A number reads as the text the server would make of it
// (leading zeros and a plus sign dropped), so that it is stored the same
// way whether the column holds text or numbers.
struct InsertValues {
    std::string table;
    // std::nullopt stands for NULL.
    std::vector<std::optional<std::string>> values;
};

// The statement's table and values, or std::nullopt when it is anything
// else (a column list, an expression, a SELECT, a decimal number): such a
// statement runs as it is written.
std::optional<InsertValues> ReadInsertValues(std::string_view statement);

} // namespace ft::catalogue
