#include "core/gis/gdal_runtime.h"

namespace ft::gis {

// This build has no GDAL and no export: there is nothing to release.
GdalRuntime::~GdalRuntime() = default;

} // namespace ft::gis
