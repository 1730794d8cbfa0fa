#pragma once

#include "core/platform/operator_message.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace ft::search {

// The matching mode of a search group: 完全一致, 先頭一致, あいまい.
enum class MatchMode { Exact, Prefix, Contains };

// The five fields of the parcel search group, as typed, in UTF-8 (the
// encoding of catalogue text). An empty field sets no condition.
struct ParcelConditions {
    std::string oaza;      // OOAZA
    std::string koaza;     // KOAZA
    std::string chiban;    // CHIBAN
    std::string owner;     // SNAME
    std::string ownerKana; // KNAME
};

// Every statement below compares typed values as searchText (search_text.h)
// makes them: through CP932 and, except oaza and koaza, folded to half width.
// A value is a single-quoted literal with its quotes doubled, compared in
// the mode's form: exact COLUMN='v', prefix COLUMN like 'v%', contains
// COLUMN like '%v%'. The owner kana is compared with FOLDKANA on both sides,
// so hiragana, katakana and half-width katakana find each other.

// SQLite refuses a like pattern longer than this many bytes (its default
// SQLITE_MAX_LIKE_PATTERN_LENGTH) with an error that names neither the field
// nor the cause.
inline constexpr std::size_t kLikePatternLimit = 50000;

// A typed text whose like pattern (the compared text with its % wildcards,
// the owner kana after folding) is longer than kLikePatternLimit. Raised
// while the statement is made, before anything runs; the message names the
// field by its label, as the window shows it. The exact mode compares with = and has
// no such limit.
class SearchTextTooLong : public platform::MessageError {
public:
    explicit SearchTextTooLong(std::string_view fieldLabel);
};

// "WHERE OOAZA like '本町%' AND CHIBAN like '12%'": one condition per filled
// field, in the order oaza, koaza, lot number, owner, owner kana. Empty when
// every field is empty.
std::string parcelClause(const ParcelConditions& conditions, MatchMode mode);

// The statements handed to the result windows, each before its order clause.
// The single blank after the table name is kept, also when the field is
// empty and the statement selects every row.
std::string parcelStatement(const ParcelConditions& conditions, MatchMode mode);
std::string mapSheetStatement(std::string_view mapName, MatchMode mode);
std::string boundaryPointStatement(std::string_view pointName, MatchMode mode);
std::string controlPointStatement(std::string_view pointName, MatchMode mode);
// Every registered drawing (the 登録図面表示 list).
std::string registeredDrawingsStatement();

} // namespace ft::search
