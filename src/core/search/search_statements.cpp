#include "core/search/search_statements.h"

#include "core/catalogue/kana_folding.h"
#include "core/catalogue/quoting.h"
#include "core/search/search_text.h"

#include <array>

namespace ft::search {
namespace {

// The literal of the mode's form: 'v', 'v%' or '%v%'.
std::string patternLiteral(std::string_view value, MatchMode mode)
{
    const std::string quoted = catalogue::QuoteDoubled(value, '\'');
    switch (mode) {
    case MatchMode::Exact:
        return "'" + quoted + "'";
    case MatchMode::Prefix:
        return "'" + quoted + "%'";
    case MatchMode::Contains:
        return "'%" + quoted + "%'";
    }
    return "'" + quoted + "'";
}

// The like pattern is the compared text with one % (prefix) or two
// (contains); `patternText` is that text as the pattern holds it.
void checkPatternLength(std::string_view patternText, MatchMode mode, std::string_view fieldLabel)
{
    const std::size_t wildcards = mode == MatchMode::Prefix     ? 1
                                  : mode == MatchMode::Contains ? 2
                                                                : 0;
    if (mode != MatchMode::Exact && patternText.size() + wildcards > kLikePatternLimit)
        throw SearchTextTooLong(fieldLabel);
}

std::string comparison(MatchMode mode)
{
    return mode == MatchMode::Exact ? "=" : " like ";
}

// The condition of one field, without its "WHERE " or " AND ".
std::string condition(std::string_view column, std::string_view value, MatchMode mode)
{
    return std::string(column) + comparison(mode) + patternLiteral(value, mode);
}

// The owner kana: both sides folded, so that the spelling of the kana does
// not decide. % and _ are ASCII and pass the folding unchanged.
std::string kanaCondition(std::string_view value, MatchMode mode)
{
    const std::string fold = catalogue::kFoldKanaFunction;
    return fold + "(KNAME)" + comparison(mode) + fold + "(" + patternLiteral(value, mode) + ")";
}

// "SELECT * FROM <table> " with, when a name was typed, its condition.
std::string singleNameStatement(std::string_view table, std::string_view column,
                                std::string_view fieldLabel, std::string_view name, MatchMode mode)
{
    std::string statement = "SELECT * FROM " + std::string(table) + " ";
    if (!name.empty()) {
        const std::string value = searchText(name, WidthFolding::HalfWidth);
        checkPatternLength(value, mode, fieldLabel);
        statement += "WHERE " + condition(column, value, mode);
    }
    return statement;
}

} // namespace

SearchTextTooLong::SearchTextTooLong(std::string_view fieldLabel)
    : platform::MessageError(platform::Message(
          QT_TRANSLATE_NOOP("findTavla",
                            "The search text for %1 is too long. Shorten it and search again."),
          {QString::fromUtf8(fieldLabel.data(), static_cast<qsizetype>(fieldLabel.size()))}))
{
}

std::string parcelClause(const ParcelConditions& conditions, MatchMode mode)
{
    struct Field {
        std::string_view column;
        std::string_view label;
        const std::string* typed;
        WidthFolding folding;
    };
    const std::array<Field, 5> fields{{
        {"OOAZA", "大字名称", &conditions.oaza, WidthFolding::None},
        {"KOAZA", "小字名称", &conditions.koaza, WidthFolding::None},
        {"CHIBAN", "地番", &conditions.chiban, WidthFolding::HalfWidth},
        {"SNAME", "所有者", &conditions.owner, WidthFolding::HalfWidth},
        {"KNAME", "所有者カナ", &conditions.ownerKana, WidthFolding::HalfWidth},
    }};
    std::string clause;
    for (const Field& field : fields) {
        if (field.typed->empty())
            continue;
        const std::string value = searchText(*field.typed, field.folding);
        const bool kana = field.column == "KNAME";
        // The kana pattern is the folded text, which may be shorter.
        checkPatternLength(kana && mode != MatchMode::Exact ? catalogue::FoldKana(value) : value,
                           mode, field.label);
        clause += clause.empty() ? "WHERE " : " AND ";
        clause += kana ? kanaCondition(value, mode) : condition(field.column, value, mode);
    }
    return clause;
}

std::string parcelStatement(const ParcelConditions& conditions, MatchMode mode)
{
    return "SELECT * FROM CHIBAN " + parcelClause(conditions, mode);
}

std::string mapSheetStatement(std::string_view mapName, MatchMode mode)
{
    return singleNameStatement("MAP", "MAPNAME", "地図番号", mapName, mode);
}

std::string boundaryPointStatement(std::string_view pointName, MatchMode mode)
{
    return singleNameStatement("FTEN", "TENNAME", "筆界点名称", pointName, mode);
}

std::string controlPointStatement(std::string_view pointName, MatchMode mode)
{
    return singleNameStatement("ZTEN", "TENNAME", "図根点名称", pointName, mode);
}

std::string registeredDrawingsStatement()
{
    return "SELECT * FROM FILE";
}

} // namespace ft::search
