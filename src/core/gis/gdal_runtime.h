#pragma once

#include <string>

namespace ft::gis {

// GDAL for the lifetime of a program. A program that exports holds one in
// main(): GDAL's drivers are registered when the first export needs them,
// and when the guard ends everything GDAL holds is released (GDALDestroy),
// so a leak checker that runs at exit finds nothing of it. GDAL cannot be
// used again after that, hence one guard per program, in main().
class GdalRuntime {
public:
    GdalRuntime() = default;
    ~GdalRuntime();
    GdalRuntime(const GdalRuntime&) = delete;
    GdalRuntime& operator=(const GdalRuntime&) = delete;
};

// Registers GDAL's drivers; calling it again costs next to nothing.
void registerGdalDrivers();

// While one lives, GDAL's errors and warnings are kept for the caller
// (lastGdalError) instead of being printed on standard error.
class QuietGdalErrors {
public:
    QuietGdalErrors();
    ~QuietGdalErrors();
    QuietGdalErrors(const QuietGdalErrors&) = delete;
    QuietGdalErrors& operator=(const QuietGdalErrors&) = delete;
};

// The message of GDAL's last error on this thread; empty when there was none.
std::string lastGdalError();

} // namespace ft::gis
