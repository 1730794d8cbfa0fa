#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>

namespace ft::catalogue {

// The name of the SQL function that folds kana: FOLDKANA(text).
inline constexpr const char* kFoldKanaFunction = "FOLDKANA";

// Owner names in kana reach the catalogue as the survey office typed them:
// hiragana, full-width or half-width katakana. Folding both the stored and
// the searched text lets them find each other. UTF-8 in, UTF-8 out:
// hiragana becomes katakana, half-width katakana (and its punctuation)
// becomes full width, a voiced or semi-voiced mark (ﾞ ﾟ ゛ ゜) is composed
// onto the kana before it where such a letter exists, and ｰ becomes ー.
// Everything else, bytes that are not UTF-8 included, passes unchanged.
std::string FoldKana(std::string_view utf8);

// Registers FOLDKANA on the connection. Throws ESQLiteException on failure.
void RegisterKanaFolding(sqlite3* db);

} // namespace ft::catalogue
