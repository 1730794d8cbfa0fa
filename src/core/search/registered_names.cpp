#include "core/search/registered_names.h"

#include "core/catalogue/catalogue_database.h"
#include "core/catalogue/quoting.h"
#include "core/search/search_statements.h"
#include "core/search/search_text.h"

namespace ft::search {
namespace {

std::vector<std::string> firstColumn(catalogue::CatalogueDatabase& db, const std::string& statement)
{
    std::vector<std::string> values;
    catalogue::ResultTable table = db.GetTable(statement);
    for (table.MoveFirst(); !table.Eof(); table.Next())
        values.push_back(table.Fields(0));
    return values;
}

} // namespace

std::vector<std::string> registeredOazaNames(catalogue::CatalogueDatabase& db)
{
    return firstColumn(db, "SELECT DISTINCT OOAZA FROM CHIBAN WHERE OOAZA<>'' order by OOAZA");
}

std::vector<std::string> registeredKoazaNames(catalogue::CatalogueDatabase& db,
                                              std::string_view typedOaza)
{
    std::string statement = "SELECT DISTINCT KOAZA FROM CHIBAN WHERE KOAZA<>''";
    if (!typedOaza.empty())
        statement += " AND OOAZA='" +
                     catalogue::QuoteDoubled(searchText(typedOaza, WidthFolding::None), '\'') + "'";
    return firstColumn(db, statement + " order by KOAZA");
}

} // namespace ft::search
