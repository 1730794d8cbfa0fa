#include "core/overview/overview_cache.h"

#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace ft::overview {
namespace {

using workspace::Datum;
namespace fs = std::filesystem;

// A drawing is good while its three working files keep their size and time;
// any change to any of them, a file coming or going included, makes the
// datum's overview be drawn again.
TEST(OverviewCacheTest, ADrawingIsShownOnlyWhileItsFilesAreAsTheyWere)
{
    test::TempFolder folder;
    const OverviewFiles files{folder / "f.he2", folder / "f.zu2", folder / "f.az2"};
    test::writeBytes(files.extent, "0,0,1,1,\r\n");
    test::writeBytes(files.segments, "segments\r\n");
    OverviewCache cache;
    const OverviewFilesStamp drawn = stampOf(files);
    CachedOverview drawing;
    drawing.picture = QImage(3, 3, QImage::Format_RGB32);
    drawing.view.left = 7;
    drawing.stamp = drawn;
    cache.store(Datum::World, drawing);

    ASSERT_NE(cache.find(Datum::World, stampOf(files)), nullptr);
    EXPECT_EQ(cache.find(Datum::World, stampOf(files))->view.left, 7);
    EXPECT_EQ(cache.find(Datum::Japanese, stampOf(files)), nullptr);

    const fs::file_time_type time = fs::last_write_time(files.segments);
    const auto changes = {
        +[](const OverviewFiles& f) { test::writeBytes(f.segments, "segments, more\r\n"); },
        +[](const OverviewFiles& f) {
            fs::last_write_time(f.segments,
                                fs::last_write_time(f.segments) + std::chrono::seconds(1));
        },
        +[](const OverviewFiles& f) { test::writeBytes(f.sheetOutlines, ""); },
        +[](const OverviewFiles& f) { fs::remove(f.extent); },
    };
    for (const auto change : changes) {
        change(files);
        EXPECT_EQ(cache.find(Datum::World, stampOf(files)), nullptr);
        // Put back as drawn: the same sizes and times match again.
        test::writeBytes(files.extent, "0,0,1,1,\r\n");
        fs::remove(files.sheetOutlines);
        test::writeBytes(files.segments, "segments\r\n");
        fs::last_write_time(files.segments, time);
        fs::last_write_time(files.extent,
                            fs::file_time_type(std::chrono::nanoseconds(drawn.files[0].modified)));
        EXPECT_NE(cache.find(Datum::World, stampOf(files)), nullptr);
    }
    cache.forgetAll();
    EXPECT_EQ(cache.find(Datum::World, stampOf(files)), nullptr);
}

} // namespace
} // namespace ft::overview
