// findTavla-cli export in a build without GDAL: it says so and touches
// nothing.

#include "cli/cli_run.h"

#include "core/platform/path_text.h"
#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ft::cli {
namespace {

TEST(ExportAbsentTest, ExportSaysTheBuildHasNoneAndAnswersTwoWithoutWritingTheFile)
{
    const test::TempFolder folder;
    const std::filesystem::path out = folder.path() / "out.gpkg";
    std::ostringstream said;
    std::ostringstream errors;
    const int status = runCli({"export", platform::pathText(out), "--all"}, said, errors, [&] {
        return CliFolders{folder.path() / "data", folder.path() / "settings"};
    });
    EXPECT_EQ(status, 2);
    EXPECT_NE(errors.str().find("no GeoPackage export"), std::string::npos) << errors.str();
    EXPECT_TRUE(said.str().empty());
    EXPECT_FALSE(std::filesystem::exists(out));
}

} // namespace
} // namespace ft::cli
