// The exports use GDAL, which is released at the end of the run as the
// programs release it, so the leak checker finds nothing of it.
#include "core/gis/gdal_runtime.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    const ft::gis::GdalRuntime gdal;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
