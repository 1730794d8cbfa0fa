#include "core/catalogue/change_counter.h"

#include "core/catalogue/catalogue_database.h"

#include <string>

namespace ft::catalogue {

namespace {

constexpr const char* kCounterTable = "FINDTAVLA_CHANGES";

} // namespace

std::int64_t ReadChangeCounter(CatalogueDatabase& db)
{
    try {
        const ResultTable table =
            db.GetTable(std::string("SELECT MAX(COUNTER) FROM ") + kCounterTable);
        const std::string text = table.Count() > 0 ? table.FieldAsString(0) : std::string();
        return text.empty() ? 0 : std::stoll(text);
    } catch (const CatalogueError&) {
        // A catalogue that was never changed since it has the table (or one
        // opened read-only) counts 0; any other failure is the caller's.
        if (!db.TableExists(kCounterTable))
            return 0;
        throw;
    }
}

void RaiseChangeCounter(CatalogueDatabase& db)
{
    db.ExecSQL(std::string("CREATE TABLE IF NOT EXISTS ") + kCounterTable +
               " ([COUNTER] INTEGER NOT NULL);");
    db.ExecSQL(std::string("UPDATE ") + kCounterTable + " SET COUNTER=COUNTER+1;");
    if (db.LastChanges() == 0)
        db.ExecSQL(std::string("INSERT INTO ") + kCounterTable + " VALUES (1);");
}

} // namespace ft::catalogue
