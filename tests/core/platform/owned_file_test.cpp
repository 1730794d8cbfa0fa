#include "core/platform/owned_file.h"

#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>

#include <utility>

namespace ft::platform {
namespace {

bool isOpenDescriptor(int descriptor)
{
    return ::fcntl(descriptor, F_GETFD) != -1;
}

TEST(OwnedDescriptor, EachDescriptorIsClosedOnceByItsLastOwner)
{
    test::TempFolder temp;
    const auto path = temp / "f";
    const int first = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    const int second = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    {
        OwnedDescriptor a(first);
        OwnedDescriptor b(std::move(a));
        EXPECT_FALSE(a.valid()); // the moved-from owner is empty
        OwnedDescriptor c(second);
        c = std::move(b); // closes `second`, takes `first`
        EXPECT_FALSE(isOpenDescriptor(second));
        EXPECT_EQ(c.get(), first);
        EXPECT_TRUE(isOpenDescriptor(first));
    }
    EXPECT_FALSE(isOpenDescriptor(first));
}

TEST(OwnedFile, OpeningFailureIsEmptyOrAnErrorNamingThePath)
{
    test::TempFolder temp;
    const auto missing = temp / "no-such-folder" / "f";
    EXPECT_FALSE(openFile(missing, "wb"));
    try {
        openFileOrThrow(missing, "wb");
        ADD_FAILURE() << "no error";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code(), std::errc::no_such_file_or_directory);
        EXPECT_NE(std::string(error.what()).find("cannot open " + missing.string()),
                  std::string::npos);
    }
    OwnedFile empty;
    EXPECT_TRUE(closeFile(empty));
}

} // namespace
} // namespace ft::platform
