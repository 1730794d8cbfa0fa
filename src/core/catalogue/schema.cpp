#include "core/catalogue/schema.h"

#include "core/catalogue/catalogue_database.h"
#include "core/catalogue/change_counter.h"
#include "core/catalogue/shared_catalogue.h"
#include "core/catalogue/transaction.h"

#include <string>

namespace ft::catalogue {

// The texts are kept exactly as every catalogue in use was created with them,
// blanks included: the sql column of sqlite_master shows them unchanged.
// clang-format off
const std::array<std::string_view, 7> kCreateTableStatements = {
    "CREATE TABLE CHIBAN ([OOAZA] VARCHAR (40), [KOAZA] VARCHAR (40), [CHIBAN] VARCHAR (100), [MODE] INTEGER, [SNAME] VARCHAR (64), [KNAME] VARCHAR (64), [OYA] INTEGER, [KO] INTEGER, [MAGO] INTEGER, [FILENO] INTEGER );",
    "CREATE TABLE FILE ([PATH] VARCHAR (256), [TIME] VARCHAR (20), [FILENO] INTEGER, [CREATER] VARCHAR (60), [CHIKU] VARCHAR (60), [KEI] INTEGER, [SOKU] INTEGER  );",
    "CREATE TABLE MAP ([MAPNAME] VARCHAR (40), [FILENO] INTEGER, [SCALE] INTEGER, [OYA] INTEGER, [KO] INTEGER, [KUBUN] INTEGER  );",
    "CREATE TABLE FTEN ([TENNAME] VARCHAR (64), [FILENO] INTEGER, [OYA] INTEGER, [KO] INTEGER, [KUBUN] INTEGER  );",
    "CREATE TABLE ZTEN ([TENNAME] VARCHAR (64), [FILENO] INTEGER, [OYA] INTEGER, [KO] INTEGER  );",
    "CREATE TABLE OOAZA ([OOAZA] VARCHAR (40)  );",
    "CREATE TABLE KOAZA ([OOAZA] VARCHAR (40), [KOAZA] VARCHAR (40)   );",
};

const std::array<std::string_view, 7> kDeleteAllStatements = {
    "DELETE FROM CHIBAN;",
    "DELETE FROM FILE;",
    "DELETE FROM MAP;",
    "DELETE FROM FTEN;",
    "DELETE FROM ZTEN;",
    "DELETE FROM OOAZA;",
    "DELETE FROM KOAZA;",
};
// clang-format on

const std::array<std::string_view, 7> kTableNames = {"CHIBAN", "FILE",  "MAP",  "FTEN",
                                                     "ZTEN",   "OOAZA", "KOAZA"};

const std::string_view kParcelOrderIndexStatement =
    "CREATE INDEX IF NOT EXISTS CHIBAN_ORDER ON CHIBAN (OOAZA,KOAZA,OYA,KO,MAGO);";

namespace {

bool hasEveryTable(CatalogueDatabase& db)
{
    for (const std::string_view name : kTableNames)
        if (!db.TableExists(name))
            return false;
    return true;
}

} // namespace

void CreateSchemaIfMissing(CatalogueDatabase& db)
{
    if (hasEveryTable(db))
        return;
    // Two programs may start on a new data folder at once. The second waits
    // for the first one's write lock and looks again under its own, so it
    // finds the tables made instead of making them a second time.
    Transaction transaction(db, Transaction::Start::WriteLockNow);
    for (std::size_t i = 0; i < kTableNames.size(); ++i)
        if (!db.TableExists(kTableNames[i]))
            db.ExecSQL(std::string(kCreateTableStatements[i]));
    transaction.commit();
}

void CreateOrderIndexIfMissing(CatalogueDatabase& db)
{
    db.ExecSQL(std::string(kParcelOrderIndexStatement));
}

std::array<std::int64_t, 7> DeleteAllRows(CatalogueDatabase& db)
{
    std::array<std::int64_t, 7> deleted{};
    Transaction transaction(db);
    for (std::size_t i = 0; i < kDeleteAllStatements.size(); ++i) {
        db.ExecSQL(std::string(kDeleteAllStatements[i]));
        deleted[i] = db.LastChanges();
    }
    DeleteAllDrawingLines(db);
    RaiseChangeCounter(db);
    transaction.commit();
    return deleted;
}

} // namespace ft::catalogue
