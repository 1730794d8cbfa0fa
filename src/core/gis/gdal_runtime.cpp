#include "core/gis/gdal_runtime.h"

#include <cpl_error.h>
#include <gdal.h>

namespace ft::gis {

GdalRuntime::~GdalRuntime()
{
    GDALDestroy();
}

void registerGdalDrivers()
{
    // Each driver's registration returns at once when it is registered.
    if (GDALGetDriverCount() == 0)
        GDALAllRegister();
}

QuietGdalErrors::QuietGdalErrors()
{
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
}

QuietGdalErrors::~QuietGdalErrors()
{
    CPLPopErrorHandler();
}

std::string lastGdalError()
{
    const char* message = CPLGetLastErrorMsg();
    return message != nullptr ? message : "";
}

} // namespace ft::gis
