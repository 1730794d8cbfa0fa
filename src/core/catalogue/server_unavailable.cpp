#include "core/catalogue/catalogue_database.h"

namespace ft::catalogue {

// This build was made without the server engine (FT_POSTGRES off).
std::unique_ptr<CatalogueDatabase> OpenServerCatalogue(const std::string& connection,
                                                       const std::string& schema)
{
    (void)connection;
    (void)schema;
    throw CatalogueError(platform::Message(
        QT_TRANSLATE_NOOP("findTavla", "This findTavla was built without catalogue server "
                                       "support. Empty the server setting in FindTavla.ini to "
                                       "use the catalogues of the data folder.")));
}

} // namespace ft::catalogue
