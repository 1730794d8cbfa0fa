// The registration's progress line on a terminal.

#include "cli/run_progress.h"
#include "core/platform/path_text.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ft::cli {
namespace {

using namespace std::chrono_literals;

TEST(ProgressLineTest, TheLineFitsTheTerminalAndSaysWhatIsLeft)
{
    const platform::RunState started{10, 0, platform::pathFromText("/測量/A01/A01.hed"), 0};
    const platform::RunState midway{10, 4, platform::pathFromText("/測量/A01/A01.hed"), 12000};
    const std::string deep = "/survey/" + std::string(200, 'x') + "/A01.hed";
    struct Case {
        platform::RunState state;
        double seconds;
        int columns;
        std::string line;
    };
    const Case cases[] = {
        {midway, 20, 80, "4/10 sets  /測量/A01/A01.hed  600 rows/s  0:30 left"},
        {started, 0, 80, "0/10 sets  /測量/A01/A01.hed  0 rows/s  --:-- left"},
        // A long path keeps its end, where the set's own name is.
        {{10, 4, deep, 0},
         20,
         60,
         "4/10 sets  ..." + std::string(16, 'x') + "/A01.hed  0 rows/s  0:30 left"},
        // Too narrow for the path; then for anything but the sets.
        {midway, 20, 36, "4/10 sets  600 rows/s  0:30 left"},
        {midway, 20, 20, "4/10 sets"},
        {{3, 1, "", 10}, 7200, 80, "1/3 sets  0 rows/s  4:00:00 left"},
    };
    for (const Case& c : cases) {
        const std::string line =
            ProgressLine::lineText(c.state, std::chrono::duration<double>(c.seconds), c.columns);
        EXPECT_EQ(line, c.line) << c.columns;
    }
}

TEST(ProgressLineTest, TheLineIsRedrawnInPlaceAtMostTenTimesASecondAndErasedAtTheEnd)
{
    std::ostringstream err;
    auto now = std::chrono::steady_clock::time_point{};
    ProgressLine progress(err, 80, [&] { return now; });

    progress.showRun({2, 0, "/a.hed", 0});
    now += 10ms;
    progress.showRun({2, 0, "/a.hed", 5}); // too soon, nothing new: not drawn
    now += 10ms;
    progress.showRun({2, 1, "", 10}); // a set done: drawn at once
    progress.runEnded({2, 2, "", 20});

    EXPECT_EQ(err.str(), "\r0/2 sets  /a.hed  0 rows/s  --:-- left\x1b[K"
                         "\r1/2 sets  500 rows/s  0:00 left\x1b[K"
                         "\r\x1b[K");
}

// A walk for data sets shows its counts and folder on the same line, and
// the line goes when the walk ends.
TEST(ProgressLineTest, AWalkShowsItsCountsAndFolderOnTheLine)
{
    EXPECT_EQ(ProgressLine::scanLineText({1200, 3, platform::pathFromText("/mnt/測量")}, 80),
              "scanning: 1200 folders, 3 headers  /mnt/測量");
    EXPECT_EQ(ProgressLine::scanLineText({5, 0, "/mnt/" + std::string(100, 'x')}, 50),
              "scanning: 5 folders, 0 headers  ..." + std::string(14, 'x'));

    std::ostringstream err;
    auto now = std::chrono::steady_clock::time_point{};
    ProgressLine progress(err, 80, [&] { return now; });
    progress.showScan({0, 0, "/a"});
    now += 10ms;
    progress.showScan({1, 0, "/a/b"}); // too soon: not drawn
    progress.scanEnded({2, 1, ""});
    EXPECT_EQ(err.str(), "\rscanning: 0 folders, 0 headers  /a\x1b[K\r\x1b[K");
}

} // namespace
} // namespace ft::cli
