#include "core/formats/request_file.h"
#include "core/search/drawing_path.h"
#include "core/search/result_request.h"

#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"
#include "core/platform/cp932.h"
#include "core/platform/viewer_process.h"

#include "devtools/temp_folder.h"
#include "support/cp932_lines.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <system_error>

namespace ft::search {
namespace {

using platform::utf8ToCp932;

class RequestFileTest : public ::testing::Test {
protected:
    void SetUp() override { catalogue::CreateSchemaIfMissing(m_db); }

    void registerDrawing(int fileNo, const std::string& path)
    {
        m_db.ExecSQL("INSERT INTO FILE VALUES ('" + path + "','2024/01/01 00:00:00'," +
                     std::to_string(fileNo) + ",'','',0,2)");
    }

    std::string requestBytes() const
    {
        return test::readBytes(formats::requestFilePath(m_folder.path()));
    }

    test::TempFolder m_folder;
    catalogue::TSQLiteDatabase m_db{(m_folder / "c.db").string()};
};

TEST_F(RequestFileTest, EveryRecordKindInCp932WithCrLfAndNothingEscaped)
{
    formats::RequestWriter out(m_folder.path());
    out.writeDrawing("/データ/a,b \"c\"/set1");
    out.writeNameRecord(formats::kRegisteredDrawingRecord, "/データ/set1");
    out.writeParcel("本町", "", "12-3");
    out.writeMapSheet("ＸＩ,1", 500, -1);
    out.writeSheetName(utf8ToCp932("ＸＩ－１")); // CP932 as the working file holds it
    out.writeNameRecord(formats::kBoundaryPointRecord, "Ｆ1");
    out.writeNameRecord(formats::kControlPointRecord, "");
    out.finish();

    EXPECT_EQ(requestBytes(), ft::test::cp932Lines({
                                  "0,\"/データ/a,b \"c\"/set1\"",
                                  "1,/データ/set1,",
                                  "2,本町,,12-3",
                                  "2,ＸＩ,1,500,-1",
                                  "3,ＸＩ－１",
                                  "4,Ｆ1,",
                                  "5,,",
                              }));
}

TEST_F(RequestFileTest, CreatingTruncatesAndAnEmptyRequestIsAnEmptyFile)
{
    test::writeBytes(formats::requestFilePath(m_folder.path()), "0,\"/old\"\r\n4,P1,\r\n");
    formats::RequestWriter(m_folder.path()).finish();
    EXPECT_TRUE(std::filesystem::exists(formats::requestFilePath(m_folder.path())));
    EXPECT_EQ(requestBytes(), "");
}

TEST_F(RequestFileTest, FailuresAreErrorsNotSubstitutes)
{
    EXPECT_THROW(formats::RequestWriter(m_folder / "missing"), formats::RequestFileError);

    // A path CP932 cannot represent is refused, not written with '?'.
    formats::RequestWriter out(m_folder.path());
    EXPECT_THROW(out.writeDrawing("/data/caf\xC3\xA9/set"), platform::EncodingError);
    // A line break (Linux paths may hold one) would end the record early and
    // start a false one: refused too.
    EXPECT_THROW(out.writeDrawing("/data/a\n0,\"/b\"/set"), std::invalid_argument);
    EXPECT_THROW(out.writeNameRecord(formats::kRegisteredDrawingRecord, "/data/a\rb/set"),
                 std::invalid_argument);
    EXPECT_THROW(out.writeSheetName("A\r\n3,B"), std::invalid_argument);
    // So is a Ctrl-Z: the viewer stops reading the request at it.
    EXPECT_THROW(out.writeDrawing("/data/a\x1a"
                                  "b/set"),
                 std::invalid_argument);
    EXPECT_THROW(out.writeNameRecord(formats::kBoundaryPointRecord, "P\x1a"),
                 std::invalid_argument);
    EXPECT_THROW(out.writeSheetName("A\x1a"), std::invalid_argument);
    out.finish();
    EXPECT_EQ(requestBytes(), "");

    // A drawing number without a FILE row: the access layer's empty-result error.
    try {
        drawingPath(m_db, 42);
        FAIL() << "no error for a drawing without a FILE row";
    } catch (const catalogue::ESQLiteException& error) {
        EXPECT_STREQ(error.what(), "Field PATH Not found. Empty dataset");
    }
}

// The request is written whole or not at all: until finish() the previous
// request stays byte for byte, and an abandoned one leaves nothing behind.
TEST_F(RequestFileTest, AnAbandonedRequestKeepsThePreviousOne)
{
    const std::string previous = "0,\"/old\"\r\n4,P1,\r\n";
    test::writeBytes(formats::requestFilePath(m_folder.path()), previous);
    {
        formats::RequestWriter out(m_folder.path());
        out.writeDrawing("/new");
        EXPECT_EQ(requestBytes(), previous);
        EXPECT_THROW(out.writeDrawing("/data/caf\u00FC/set"), platform::EncodingError);
    }
    EXPECT_EQ(requestBytes(), previous);
    // Nothing but TAVLA.E2 and the catalogue (with its write-ahead log files).
    for (const auto& entry : std::filesystem::directory_iterator(m_folder.path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "TAVLA.E2" || name.rfind("c.db", 0) == 0) << name;
    }
}

TEST_F(RequestFileTest, ViewerArgumentKeepsAFolderWithBlanksOneArgument)
{
    const std::filesystem::path folder = m_folder / "my settings";
    const std::string text = formats::viewerArgumentText(folder);
    EXPECT_EQ(text, " -E2 \"" + (folder / "TAVLA.E2").string() + "\"");
    EXPECT_EQ(platform::splitArgumentText(text),
              (std::vector<std::string>{"-E2", (folder / "TAVLA.E2").string()}));
    EXPECT_THROW(formats::viewerArgumentText(m_folder / "say \"hi\""), std::invalid_argument);
}

// Rows of two drawings as a result list would hold them: two parcels of
// drawing 3 around one of drawing 7, and an unticked one of drawing 5.
template <class Row> TskDataList<Row> rowsOfDrawings3And7(auto makeRow)
{
    TskDataList<Row> rows;
    rows.append(makeRow("a", 3, true));
    rows.append(makeRow("b", 7, true));
    rows.append(makeRow("x", 5, false));
    rows.append(makeRow("c", 3, true));
    return rows;
}

TEST_F(RequestFileTest, ParcelsGiveDrawingsAscendingAndItemsDescending)
{
    registerDrawing(3, "/s/three");
    registerDrawing(7, "/s/seven");
    const auto rows = rowsOfDrawings3And7<ParcelRow>([](std::string lot, int fileNo, bool ticked) {
        ParcelRow row;
        row.OOAZA = "本町";
        row.KOAZA = "東";
        row.CHIBAN = lot;
        row.FILENO = fileNo;
        row.Ticked = ticked;
        return row;
    });
    formats::RequestWriter out(m_folder.path());
    writeResultRequest(rows, m_db, out);
    out.finish();
    EXPECT_EQ(requestBytes(), ft::test::cp932Lines({"0,\"/s/three\"", "0,\"/s/seven\"",
                                                    "2,本町,東,b", "2,本町,東,c", "2,本町,東,a"}));
}

TEST_F(RequestFileTest, MapSheetsPointsAndDrawingsGiveBothPartsDescending)
{
    registerDrawing(3, "/s/three");
    registerDrawing(7, "/s/seven");
    const auto sheets =
        rowsOfDrawings3And7<MapSheetRow>([](std::string name, int fileNo, bool ticked) {
            return MapSheetRow{name, ticked, 500, 10, fileNo};
        });
    const auto points =
        rowsOfDrawings3And7<PointRow>([](std::string name, int fileNo, bool ticked) {
            return PointRow{name, ticked, fileNo};
        });
    const auto drawings =
        rowsOfDrawings3And7<DrawingRow>([](std::string path, int fileNo, bool ticked) {
            return DrawingRow{"/s/" + path, ticked, fileNo, "", "", 2};
        });

    {
        formats::RequestWriter out(m_folder.path());
        writeResultRequest(sheets, m_db, out);
        out.finish();
    }
    EXPECT_EQ(requestBytes(), ft::test::cp932Lines({"0,\"/s/seven\"", "0,\"/s/three\"",
                                                    "2,b,500,10", "2,c,500,10", "2,a,500,10"}));
    {
        formats::RequestWriter out(m_folder.path());
        writeResultRequest(points, formats::kControlPointRecord, m_db, out);
        out.finish();
    }
    EXPECT_EQ(requestBytes(),
              ft::test::cp932Lines({"0,\"/s/seven\"", "0,\"/s/three\"", "5,b,", "5,c,", "5,a,"}));
    {
        formats::RequestWriter out(m_folder.path());
        writeResultRequest(drawings, formats::kRegisteredDrawingRecord, m_db, out);
        out.finish();
    }
    EXPECT_EQ(requestBytes(), ft::test::cp932Lines({"0,\"/s/seven\"", "0,\"/s/three\"", "1,/s/b,",
                                                    "1,/s/c,", "1,/s/a,"}));
}

TEST_F(RequestFileTest, NothingTickedWritesAnEmptyRequestWithoutLookingUp)
{
    TskDataList<PointRow> rows;
    rows.append(PointRow{"P1", false, 99}); // no FILE row: a lookup would fail
    formats::RequestWriter out(m_folder.path());
    writeResultRequest(rows, formats::kBoundaryPointRecord, m_db, out);
    out.finish();
    EXPECT_EQ(requestBytes(), "");
}

TEST_F(RequestFileTest, ATickedRowOfAnUnregisteredDrawingStopsTheRequest)
{
    registerDrawing(3, "/s/three");
    TskDataList<PointRow> rows;
    rows.append(PointRow{"P1", true, 3});
    rows.append(PointRow{"P2", true, 4});
    formats::RequestWriter out(m_folder.path());
    EXPECT_THROW(writeResultRequest(rows, formats::kBoundaryPointRecord, m_db, out),
                 catalogue::ESQLiteException);
}

} // namespace
} // namespace ft::search
