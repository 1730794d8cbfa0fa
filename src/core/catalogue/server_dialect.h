#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ft::catalogue {

// The catalogue's statements are written in the embedded engine's dialect.
// A server that speaks PostgreSQL's reads some of it otherwise; these
// functions adapt a statement so that the server gives the same rows.

// The name of the operator that matches like the embedded engine's `like`:
// ASCII letters without case, every other character as it is, no escape
// character. (The server's own LIKE tells case apart; its ILIKE folds every
// letter, full-width and Greek ones too.)
inline constexpr std::string_view kServerLikeOperator = "#~#";

// The statement as the server must read it:
// - a value in double quotes becomes a value in single quotes (to the server
//   a double-quoted word names a column);
// - a name in square brackets loses them;
// - `like` becomes kServerLikeOperator;
// - `SELECT * FROM <one of the seven tables>` lists the designed columns, so
//   that the hidden row number does not show.
// Values in single quotes pass unchanged: the connection keeps
// standard_conforming_strings on, so a backslash in them is a character.
std::string ServerStatement(std::string_view statement);

// The statements that make a datum's schema on the server: the schema, the
// seven tables with the designed columns (text COLLATE "C", bigint) and a
// hidden identity column `rowid`, the change-counter table, the kana folding
// function and the like operator. Each can be run again without harm.
std::vector<std::string> ServerSchemaStatements(std::string_view schema);

// The body of the server's FOLDKANA: the same folding as FoldKana, as
// translate() of single characters followed by replace() of each letter and
// mark that compose, made from FoldKana itself.
std::string ServerFoldKanaExpression(std::string_view argument);

} // namespace ft::catalogue
