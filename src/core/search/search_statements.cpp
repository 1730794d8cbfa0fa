#include "core/search/search_statements.h"

#include "core/catalogue/quoting.h"

#include <array>

namespace ft::search {
namespace {

// The condition of one parcel field, without its "WHERE " or " AND ".
std::string parcelCondition(std::string_view column, std::string_view value, MatchMode mode)
{
    const std::string literal = catalogue::QuoteDoubled(value, '\'');
    std::string condition(column);
    switch (mode) {
    case MatchMode::Exact:
        condition += "='" + literal + "'";
        break;
    case MatchMode::Prefix:
        condition += " like '" + literal + "%'";
        break;
    case MatchMode::Contains:
        condition += " like '%" + literal + "%'";
        break;
    }
    return condition;
}

// "SELECT * FROM <table> " with, when a name was typed, an exact comparison of
// TENNAME or MAPNAME written in double quotes. The matching-mode buttons of
// these groups are not consulted: the comparison is always exact.
std::string singleNameStatement(std::string_view table, std::string_view column,
                                std::string_view name)
{
    std::string statement = "SELECT * FROM " + std::string(table) + " ";
    if (!name.empty())
        statement +=
            "WHERE " + std::string(column) + "=\"" + catalogue::QuoteDoubled(name, '"') + "\"";
    return statement;
}

} // namespace

std::string parcelClause(const ParcelConditions& conditions, MatchMode mode)
{
    const std::array<std::pair<std::string_view, const std::string*>, 5> fields{{
        {"OOAZA", &conditions.oaza},
        {"KOAZA", &conditions.koaza},
        {"CHIBAN", &conditions.chiban},
        {"SNAME", &conditions.owner},
        {"KNAME", &conditions.ownerKana},
    }};
    std::string clause;
    for (const auto& [column, value] : fields) {
        if (value->empty())
            continue;
        clause += clause.empty() ? "WHERE " : " AND ";
        clause += parcelCondition(column, *value, mode);
    }
    return clause;
}

std::string parcelStatement(const ParcelConditions& conditions, MatchMode mode)
{
    return "SELECT * FROM CHIBAN " + parcelClause(conditions, mode);
}

std::string mapSheetStatement(std::string_view mapName)
{
    return singleNameStatement("MAP", "MAPNAME", mapName);
}

std::string boundaryPointStatement(std::string_view pointName)
{
    return singleNameStatement("FTEN", "TENNAME", pointName);
}

std::string controlPointStatement(std::string_view pointName)
{
    return singleNameStatement("ZTEN", "TENNAME", pointName);
}

std::string registeredDrawingsStatement()
{
    return "SELECT * FROM FILE";
}

} // namespace ft::search
