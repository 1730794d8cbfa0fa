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
    test::EnvOverride path("PATH", pathFolder.path().c_str());

    EXPECT_EQ(findViewer(executableFolder.path()), pathFolder / kViewerProgram);
    writeFakeViewer(executableFolder.path(), executableFolder / "record");
    EXPECT_EQ(findViewer(executableFolder.path()), executableFolder / kViewerProgram);

    // A file of that name that cannot be run is no viewer.
    fs::permissions(executableFolder / kViewerProgram, fs::perms::owner_read);
    EXPECT_EQ(findViewer(executableFolder.path()), pathFolder / kViewerProgram);
}

TEST(StartViewerTest, StartsTheViewerOnPathWithTheRequestArgumentInTheCurrentFolder)
{
    test::TempFolder viewerFolder;
    test::TempFolder settings;
    const fs::path record = viewerFolder / "record";
    writeFakeViewer(viewerFolder.path(), record);
    test::EnvOverride path("PATH", viewerFolder.path().c_str());

    const fs::path request = settings / "with blank" / "TAVLA.E2";
    EXPECT_TRUE(StartViewer(" -E2 \"" + request.string() + "\" "));
    EXPECT_EQ(waitForRecord(record),
              "-E2\n" + request.string() + "\n" + fs::current_path().string() + "\n");
}

TEST(StartViewerTest, AMissingViewerIsSilentlyNothing)
{
    test::TempFolder emptyFolder;
    test::EnvOverride path("PATH", emptyFolder.path().c_str());
    EXPECT_FALSE(findViewer(emptyFolder.path()).has_value());
    EXPECT_FALSE(StartViewer(" -E2 \"/x/TAVLA.E2\""));
}

} // namespace
} // namespace ft::platform
