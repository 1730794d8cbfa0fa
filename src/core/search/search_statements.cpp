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
                                std::string_view name, MatchMode mode)
{
    std::string statement = "SELECT * FROM " + std::string(table) + " ";
    if (!name.empty())
        statement += "WHERE " + condition(column, searchText(name, WidthFolding::HalfWidth), mode);
    return statement;
}

} // namespace

std::string parcelClause(const ParcelConditions& conditions, MatchMode mode)
{
    struct Field {
        std::string_view column;
        const std::string* typed;
        WidthFolding folding;
    };
    const std::array<Field, 5> fields{{
        {"OOAZA", &conditions.oaza, WidthFolding::None},
        {"KOAZA", &conditions.koaza, WidthFolding::None},
        {"CHIBAN", &conditions.chiban, WidthFolding::HalfWidth},
        {"SNAME", &conditions.owner, WidthFolding::HalfWidth},
        {"KNAME", &conditions.ownerKana, WidthFolding::HalfWidth},
    }};
    std::string clause;
    for (const Field& field : fields) {
        if (field.typed->empty())
            continue;
        clause += clause.empty() ? "WHERE " : " AND ";
        const std::string value = searchText(*field.typed, field.folding);
        clause += field.column == "KNAME" ? kanaCondition(value, mode)
                                          : condition(field.column, value, mode);
    }
    return clause;
}

std::string parcelStatement(const ParcelConditions& conditions, MatchMode mode)
{
    return "SELECT * FROM CHIBAN " + parcelClause(conditions, mode);
}

std::string mapSheetStatement(std::string_view mapName, MatchMode mode)
{
    return singleNameStatement("MAP", "MAPNAME", mapName, mode);
}

std::string boundaryPointStatement(std::string_view pointName, MatchMode mode)
{
    return singleNameStatement("FTEN", "TENNAME", pointName, mode);
}

std::string controlPointStatement(std::string_view pointName, MatchMode mode)
{
    return singleNameStatement("ZTEN", "TENNAME", pointName, mode);
}

std::string registeredDrawingsStatement()
{
    return "SELECT * FROM FILE";
}

} // namespace ft::search
