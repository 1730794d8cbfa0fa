#include "core/platform/trace_log.h"

#include "core/platform/disk_full.h"

#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

namespace ft::platform {
namespace {

TEST(TraceLog, TruncatesAndWritesCrlfLinesVisibleWhileOpen)
{
    test::TempFolder temp;
    const auto file = temp / "test.log";
    test::writeBytes(file, "old content\r\n");

    TraceLog log;
    log.openTruncated(file);
    ASSERT_TRUE(log.isOpen());
    EXPECT_EQ(test::readBytes(file), "");
    log.writeLine("\x93\x6F\x98\x5E"); // 登録 in CP932
    log.writeLine("");
    EXPECT_EQ(test::readBytes(file), "\x93\x6F\x98\x5E\r\n\r\n");
    log.close();
    EXPECT_FALSE(log.isOpen());
    log.writeLine("after close");
    EXPECT_EQ(test::readBytes(file), "\x93\x6F\x98\x5E\r\n\r\n");
}

TEST(TraceLog, AfterAnotherProgramEmptiedTheLogLinesGoToItsNewEnd)
{
    // Written at the old offset, they would leave a hole of zero bytes.
    test::TempFolder temp;
    const auto file = temp / "test.log";
    TraceLog log;
    log.openTruncated(file);
    log.writeLine("before");
    std::filesystem::resize_file(file, 0);
    log.writeLine("after");
    EXPECT_EQ(test::readBytes(file), "after\r\n");
}

TEST(TraceLog, ALogThatFindsNoRoomEndsTheWorkNamingItself)
{
    // /dev/full answers every write with ENOSPC.
    const std::filesystem::path full = "/dev/full";
    TraceLog log;
    log.openTruncated(full);
    EXPECT_THROW(log.writeLine("line"), DiskFull);
    AppendingTraceLog appending(full);
    try {
        appending.writeLine("line");
        ADD_FAILURE() << "no DiskFull";
    } catch (const DiskFull& error) {
        EXPECT_EQ(error.file(), full);
        EXPECT_EQ(std::string(error.what()),
                  "Not enough free disk space: /dev/full. Make room on the disk and try again.");
    }
}

TEST(TraceLog, ALogThatCannotBeOpenedSwallowsLines)
{
    test::TempFolder temp;
    TraceLog log;
    log.openTruncated(temp / "no-such-folder" / "test.log");
    EXPECT_FALSE(log.isOpen());
    log.writeLine("lost");

    AppendingTraceLog appending(temp / "no-such-folder" / "test2.log");
    appending.truncate();
    appending.writeLine("lost");
    EXPECT_FALSE(std::filesystem::exists(temp / "no-such-folder"));
}

TEST(AppendingTraceLog, TruncatesThenAppendsLineByLine)
{
    test::TempFolder temp;
    const auto file = temp / "test2.log";
    test::writeBytes(file, "previous run\r\n");

    AppendingTraceLog log(file);
    log.truncate();
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(test::readBytes(file), "");
    log.writeLine("one");
    log.writeLine("two");
    EXPECT_EQ(test::readBytes(file), "one\r\ntwo\r\n");
}

} // namespace
} // namespace ft::platform

namespace ft::platform {
namespace {

TEST(TraceLog, BatchedLinesReachTheFilePerFlushAndWhenTheBatchEnds)
{
    test::TempFolder temp;
    TraceLog log;
    log.openTruncated(temp / "test.log");
    AppendingTraceLog second(temp / "test2.log");
    second.truncate();

    log.setBatched(true);
    second.setBatched(true);
    log.writeLine("one");
    second.writeLine("a");
    second.writeLine("b");
    EXPECT_EQ(test::readBytes(temp / "test.log"), "");
    log.flush();
    second.flush();
    EXPECT_EQ(test::readBytes(temp / "test.log"), "one\r\n");
    EXPECT_EQ(test::readBytes(temp / "test2.log"), "a\r\nb\r\n");

    log.writeLine("two");
    second.writeLine("c");
    log.setBatched(false);
    second.setBatched(false);
    EXPECT_EQ(test::readBytes(temp / "test.log"), "one\r\ntwo\r\n");
    EXPECT_EQ(test::readBytes(temp / "test2.log"), "a\r\nb\r\nc\r\n");
    log.writeLine("three");
    EXPECT_EQ(test::readBytes(temp / "test.log"), "one\r\ntwo\r\nthree\r\n");
}

} // namespace
} // namespace ft::platform
