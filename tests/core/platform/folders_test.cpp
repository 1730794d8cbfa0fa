#include "core/platform/folders.h"

#include "devtools/temp_folder.h"
#include "env_override.h"

#include <gtest/gtest.h>

namespace ft::platform {
namespace {

TEST(Folders, XdgVariablesNameTheBaseAndTheProgramFolderIsCreated)
{
    test::TempFolder temp;
    test::EnvOverride data("XDG_DATA_HOME", (temp / "data").c_str());
    test::EnvOverride config("XDG_CONFIG_HOME", (temp / "config").c_str());

    EXPECT_EQ(dataFolder(), temp / "data" / "findTavla");
    EXPECT_EQ(settingsFolder(), temp / "config" / "findTavla");
    EXPECT_TRUE(std::filesystem::is_directory(temp / "data" / "findTavla"));
    EXPECT_TRUE(std::filesystem::is_directory(temp / "config" / "findTavla"));
    // A second call finds the folders in place.
    EXPECT_EQ(dataFolder(), temp / "data" / "findTavla");
}

TEST(Folders, UnsetOrRelativeXdgVariablesFallBackToHome)
{
    test::TempFolder temp;
    test::EnvOverride home("HOME", temp.path().c_str());
    test::EnvOverride data("XDG_DATA_HOME", "relative/data");
    test::EnvOverride config("XDG_CONFIG_HOME", nullptr);

    EXPECT_EQ(dataFolder(), temp / ".local/share/findTavla");
    EXPECT_EQ(settingsFolder(), temp / ".config/findTavla");
    EXPECT_TRUE(std::filesystem::is_directory(temp / ".local/share/findTavla"));
    EXPECT_TRUE(std::filesystem::is_directory(temp / ".config/findTavla"));
}

} // namespace
} // namespace ft::platform
