#include "core/catalogue/shared_catalogue.h"

namespace ft::catalogue {

// A build without the server engine has only catalogues of its own desk.

bool IsShared(CatalogueDatabase&)
{
    return false;
}

void StoreDrawingLines(CatalogueDatabase&, int, const DrawingLines&)
{
}

void DeleteDrawingLines(CatalogueDatabase&, const std::vector<int>&)
{
}

void DeleteAllDrawingLines(CatalogueDatabase&)
{
}

std::map<int, DrawingLines> ReadDrawingLines(CatalogueDatabase&, const std::vector<int>&)
{
    return {};
}

void RequireWriteAccess(CatalogueDatabase&)
{
}

SharedRegistrationLock::SharedRegistrationLock(CatalogueDatabase&)
{
}

SharedRegistrationLock::~SharedRegistrationLock() = default;

} // namespace ft::catalogue
