#include "core/catalogue/catalogue_database.h"
#include "core/catalogue/server_setup.h"

namespace ft::catalogue {
namespace {

// This build was made without the server engine (FT_POSTGRES off).
[[noreturn]] void refuse()
{
    throw CatalogueError(platform::Message(
        QT_TRANSLATE_NOOP("findTavla", "This findTavla was built without catalogue server "
                                       "support. Empty the server setting in FindTavla.ini to "
                                       "use the catalogues of the data folder.")));
}

} // namespace

std::unique_ptr<CatalogueDatabase> OpenServerCatalogue(const std::string&, const std::string&)
{
    refuse();
}

std::vector<std::string> ServerSetupStatements(const std::string&)
{
    refuse();
}

} // namespace ft::catalogue
