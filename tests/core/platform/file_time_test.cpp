#include "core/platform/file_time.h"

#include "devtools/temp_folder.h"
#include "env_override.h"

#include <gtest/gtest.h>

#include <sys/time.h>

#include <ctime>

namespace ft::platform {
namespace {

void setModificationTime(const std::filesystem::path& file, std::time_t seconds)
{
    const timeval times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(utimes(file.c_str(), times), 0);
}

TEST(FileTime, LocalTimeZeroPadded)
{
    test::TempFolder temp;
    const auto file = temp / "a.hed";
    test::writeBytes(file, "x");
    setModificationTime(file, 981173106); // 2001-02-03 04:05:06 UTC

    {
        test::EnvOverride zone("TZ", "UTC0");
        tzset();
        EXPECT_EQ(modificationTimeText(file), "2001/02/03 04:05:06");
    }
    {
        test::EnvOverride zone("TZ", "JST-9");
        tzset();
        EXPECT_EQ(modificationTimeText(file), "2001/02/03 13:05:06");
    }
    tzset();
}

TEST(FileTime, MissingFileHasNoTime)
{
    test::TempFolder temp;
    EXPECT_EQ(modificationTimeText(temp / "missing.hed"), std::nullopt);
}

} // namespace
} // namespace ft::platform
