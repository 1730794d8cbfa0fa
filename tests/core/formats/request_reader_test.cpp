// The viewer's reading of the request file, against what the writers write.
#include "core/formats/request_file.h"
#include "core/formats/request_reader.h"
#include "core/platform/path_text.h"

#include "core/platform/cp932.h"
#include "devtools/temp_folder.h"
#include "support/cp932_lines.h"

#include <gtest/gtest.h>

#include <optional>

namespace ft::formats {
namespace {

using platform::utf8ToCp932;

TEST(RequestReader, ReadsBackEveryRecordTheWritersWrite)
{
    test::TempFolder folder;
    RequestWriter out(folder.path());
    out.writeDrawing("/データ/a,b \"c\"/set1"); // comma and quotes inside the path
    out.writeNameRecord(kRegisteredDrawingRecord, "/データ/x,y/set2");
    out.writeParcel("大字本町", "", "12-3");
    out.writeMapSheet("ＸＩ,1", 500, -1);
    out.writeSheetName(utf8ToCp932("ＸＩ－１"));
    out.writeNameRecord(kBoundaryPointRecord, "Ｆ1,2");
    out.writeNameRecord(kControlPointRecord, "T1");
    out.finish();

    const ViewerRequest request = readRequestFile(requestFilePath(folder.path()));
    ASSERT_EQ(request.drawings.size(), 1u);
    EXPECT_EQ(request.drawings[0].path, utf8ToCp932("/データ/a,b \"c\"/set1"));
    EXPECT_EQ(requestPathOf(request.drawings[0].path),
              platform::pathFromText("/データ/a,b \"c\"/set1"));
    const std::vector<std::pair<int, std::string>> expected{
        {kRegisteredDrawingRecord, "/データ/x,y/set2"},
        {kParcelOrSheetRecord, "大字本町,,12-3"},
        {kParcelOrSheetRecord, "ＸＩ,1,500,-1"},
        {kSheetNameRecord, "ＸＩ－１"},
        {kBoundaryPointRecord, "Ｆ1,2"},
        {kControlPointRecord, "T1"},
    };
    ASSERT_EQ(request.items.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(request.items[i].code, expected[i].first);
        EXPECT_EQ(request.items[i].value, utf8ToCp932(expected[i].second));
        EXPECT_EQ(request.items[i].drawing, std::optional<std::size_t>(0));
        EXPECT_EQ(request.items[i].line, i + 2);
    }
    EXPECT_TRUE(request.unreadable.empty());
}

TEST(RequestReader, SheetNamesOfAnOverviewClickBelongToTheDrawingBeforeThem)
{
    ViewerRequest request;
    std::size_t line = 0;
    for (const char* text : {"0,\"/a/one\"", "3,1-1", "3,1-2", "0,\"/a/two\"", "3,2-1"})
        addRequestLine(request, text, ++line);
    ASSERT_EQ(request.drawings.size(), 2u);
    ASSERT_EQ(request.items.size(), 3u);
    EXPECT_EQ(request.items[0].drawing, std::optional<std::size_t>(0));
    EXPECT_EQ(request.items[1].drawing, std::optional<std::size_t>(0));
    EXPECT_EQ(request.items[2].drawing, std::optional<std::size_t>(1));
}

TEST(RequestReader, LinesThatAreNoRecordAreListedAndTheRestIsRead)
{
    test::TempFolder folder;
    // Bare LF line ends, a blank line, and a Ctrl-Z that ends the file.
    test::writeBytes(folder / "TAVLA.E2", "0,\"/a/one\"\n\nno comma\nx,1\n9,zzz\n0,\"\"\n1,,\n"
                                          "4,P1\r\n\x1A"
                                          "4,after the end\r\n");
    const ViewerRequest request = readRequestFile(folder / "TAVLA.E2");
    ASSERT_EQ(request.drawings.size(), 1u);
    ASSERT_EQ(request.items.size(), 1u);
    EXPECT_EQ(request.items[0].value, "P1"); // taken whole without its final comma too
    using Reason = UnreadableRequestLine::Reason;
    const std::vector<std::pair<std::size_t, Reason>> expected{{3, Reason::NoRecordCode},
                                                               {4, Reason::NoRecordCode},
                                                               {5, Reason::UnknownCode},
                                                               {6, Reason::EmptyDrawingPath},
                                                               {7, Reason::EmptyDrawingPath}};
    ASSERT_EQ(request.unreadable.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(request.unreadable[i].line, expected[i].first);
        EXPECT_EQ(request.unreadable[i].reason, expected[i].second);
    }
}

// The items view the text the request holds: a copy keeps them readable
// after the request it was made from is gone, read whole or line by line.
TEST(RequestReader, ACopyOfARequestOutlivesTheOriginal)
{
    test::TempFolder folder;
    test::writeBytes(folder / "TAVLA.E2", "0,\"/a/one\"\r\n4,P1,\r\n2,a,b,c");
    std::optional<ViewerRequest> read = readRequestFile(folder / "TAVLA.E2");
    std::optional<ViewerRequest> added(std::in_place);
    addRequestLine(*added, "5,T9,", 1);
    const ViewerRequest keptRead = *read;
    const ViewerRequest keptAdded = *added;
    read.reset();
    added.reset();
    ASSERT_EQ(keptRead.items.size(), 2u);
    EXPECT_EQ(keptRead.items[0].value, "P1");
    EXPECT_EQ(keptRead.items[1].value, "a,b,c"); // a last line without its line end
    ASSERT_EQ(keptAdded.items.size(), 1u);
    EXPECT_EQ(keptAdded.items[0].value, "T9");
}

TEST(RequestReader, AnEmptyRequestIsEmptyAndAMissingOneAnError)
{
    test::TempFolder folder;
    test::writeBytes(folder / "TAVLA.E2", "");
    const ViewerRequest empty = readRequestFile(folder / "TAVLA.E2");
    EXPECT_TRUE(empty.drawings.empty());
    EXPECT_TRUE(empty.items.empty());
    EXPECT_TRUE(empty.unreadable.empty());

    EXPECT_THROW(readRequestFile(folder / "missing.E2"), RequestReadError);
    EXPECT_THROW(readRequestFile(folder.path()), RequestReadError); // a folder
    EXPECT_THROW(requestPathOf("\x81"), platform::EncodingError);   // a lead byte alone
}

} // namespace
} // namespace ft::formats
