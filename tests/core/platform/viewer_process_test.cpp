#include "core/platform/viewer_process.h"

#include "devtools/temp_folder.h"
#include "env_override.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace ft::platform {
namespace {

namespace fs = std::filesystem;

// A stand-in viewer: a shell script named Tavla that writes its arguments,
// one per line, and then its current folder into `record`.
fs::path writeFakeViewer(const fs::path& folder, const fs::path& record)
{
    const fs::path script = folder / kViewerProgram;
    test::writeBytes(script, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + record.string() +
                                 ".part\"\npwd >> \"" + record.string() + ".part\"\n/bin/mv \"" +
                                 record.string() + ".part\" \"" + record.string() + "\"\n");
    fs::permissions(script, fs::perms::owner_all);
    return script;
}

// The record of a detached viewer appears when that process gets round to it.
std::string waitForRecord(const fs::path& record)
{
    for (int attempt = 0; attempt < 200 && !fs::exists(record); ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    return test::readBytes(record);
}

TEST(SplitArgumentTextTest, TrimsAndSplitsAtBlanksOutsideQuotes)
{
    using Args = std::vector<std::string>;
    EXPECT_EQ(splitArgumentText(" -E2 \"/home/a b/TAVLA.E2\""),
              (Args{"-E2", "/home/a b/TAVLA.E2"}));
    EXPECT_EQ(splitArgumentText("\t\r\n -E2   /x/TAVLA.E2 \x01"), (Args{"-E2", "/x/TAVLA.E2"}));
    EXPECT_EQ(splitArgumentText("a\"b c\"d \"\""), (Args{"ab cd", ""}));
    EXPECT_EQ(splitArgumentText("  \n"), Args{});
}

TEST(FindViewerTest, BesideTheExecutableComesBeforePath)
{
    test::TempFolder executableFolder;
    test::TempFolder pathFolder;
    writeFakeViewer(pathFolder.path(), pathFolder / "record");
    const auto folders = viewerFolders(executableFolder.path(), pathFolder.path().string());
    ASSERT_EQ(folders, (std::vector<fs::path>{executableFolder.path(), pathFolder.path()}));

    EXPECT_EQ(findViewer(folders), pathFolder / kViewerProgram);
    writeFakeViewer(executableFolder.path(), executableFolder / "record");
    EXPECT_EQ(findViewer(folders), executableFolder / kViewerProgram);

    // A file of that name that cannot be run is no viewer.
    fs::permissions(executableFolder / kViewerProgram, fs::perms::owner_read);
    EXPECT_EQ(findViewer(folders), pathFolder / kViewerProgram);
}

// A Tavla in the current folder (a data folder, say) is never run: neither
// an empty PATH entry nor "." nor any other relative entry is searched.
TEST(FindViewerTest, TheCurrentFolderAndRelativePathEntriesAreNeverSearched)
{
    EXPECT_EQ(viewerFolders(std::nullopt, ".::bin:/usr/bin:./x:/opt/t/"),
              (std::vector<fs::path>{"/usr/bin", "/opt/t/"}));
    EXPECT_EQ(viewerFolders(fs::path("/app"), ""), std::vector<fs::path>{"/app"});

    test::TempFolder dataFolder;
    writeFakeViewer(dataFolder.path(), dataFolder / "record");
    const fs::path before = fs::current_path();
    fs::current_path(dataFolder.path());
    test::EnvOverride path("PATH", ".:");
    const ViewerStart start = StartViewer(" -E2 \"/x/TAVLA.E2\"");
    fs::current_path(before);
    EXPECT_FALSE(start.started);
    EXPECT_FALSE(start.program.has_value());
}

TEST(StartViewerTest, StartsTheViewerOnPathWithTheRequestArgumentInTheCurrentFolder)
{
    test::TempFolder viewerFolder;
    test::TempFolder settings;
    const fs::path record = viewerFolder / "record";
    writeFakeViewer(viewerFolder.path(), record);
    test::EnvOverride path("PATH", viewerFolder.path().c_str());

    const fs::path request = settings / "with blank" / "TAVLA.E2";
    const ViewerStart start = StartViewer(" -E2 \"" + request.string() + "\" ");
    EXPECT_TRUE(start.started);
    EXPECT_EQ(start.program, viewerFolder / kViewerProgram);
    EXPECT_EQ(waitForRecord(record),
              "-E2\n" + request.string() + "\n" + fs::current_path().string() + "\n");
}

TEST(StartViewerTest, AMissingViewerTellsWhereItWasLookedFor)
{
    test::TempFolder emptyFolder;
    test::EnvOverride path("PATH", (emptyFolder.path().string() + ":.").c_str());
    const ViewerStart start = StartViewer(" -E2 \"/x/TAVLA.E2\"");
    EXPECT_FALSE(start.started);
    EXPECT_FALSE(start.program.has_value());
    ASSERT_EQ(start.searched.size(), 2u); // beside this test program, then PATH
    EXPECT_EQ(start.searched[1], emptyFolder.path());
}

} // namespace
} // namespace ft::platform
