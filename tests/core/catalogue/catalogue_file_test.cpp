#include "core/catalogue/catalogue_database.h"

#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace ft::catalogue {
namespace {

namespace fs = std::filesystem;

// A catalogue in a folder that takes no new file is read as an unchanging
// file through a URI: every byte a Linux folder name may hold must still
// name the same file there.
TEST(ReadOnlyFolderNames, ACatalogueIsReadWhateverItsFolderIsCalled)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "every folder takes new files for root";
    const char* const names[] = {"日本語", "a%41b", "q?x", "h#y", "sp ace", "\x93\xfa\x96\x7b"};
    for (const char* name : names) {
        test::TempFolder temp;
        const fs::path folder = temp.path() / name;
        fs::create_directory(folder);
        const std::string file = (folder / "Dorsawrd.db").string();
        {
            const auto db = OpenCatalogueFile(file);
            db->ExecSQL("CREATE TABLE T (A INTEGER)");
            db->ExecSQL("INSERT INTO T VALUES (7)");
        }
        fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
        std::string read;
        try {
            // Two leading slashes name the same file on Linux.
            read = OpenCatalogueFile(file)->GetTable("SELECT A FROM T").Fields(0) +
                   OpenCatalogueFile("/" + file)->GetTable("SELECT A FROM T").Fields(0);
        } catch (const CatalogueError& error) {
            read = error.what();
        }
        fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
        EXPECT_EQ(read, "77") << name;
    }
}

} // namespace
} // namespace ft::catalogue

namespace ft::catalogue {
namespace {

// A catalogue file replaced under an open connection (renamed over, as a
// restore of a copy does) is no longer what the connection writes to: the
// check before a registration must see it, or the registration lands in the
// old, unlinked file and is lost when the connection closes.
TEST(StorageIntact, ACatalogueReplacedByRenameIsSeen)
{
    test::TempFolder temp;
    const fs::path file = temp.path() / "Dorsawrd.db";
    const auto db = OpenCatalogueFile(file.string());
    db->ExecSQL("CREATE TABLE T (A INTEGER)");
    ASSERT_TRUE(db->StorageIntact());
    test::writeBytes(temp.path() / "other", "not a catalogue at all, just text....");
    // Another program replaces it, as a restore or a file manager would.
    const std::string move =
        "mv '" + (temp.path() / "other").string() + "' '" + file.string() + "'";
    ASSERT_EQ(std::system(move.c_str()), 0);
    EXPECT_FALSE(db->StorageIntact());
}

} // namespace
} // namespace ft::catalogue
