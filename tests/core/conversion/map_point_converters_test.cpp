#include "core/conversion/map_converter.h"
#include "core/conversion/point_converters.h"

#include "converter_fixture.h"

namespace ft::formats {
namespace {

using test::DataSetBuilder;
using test::SurveyFile;
using Rows = std::vector<std::vector<std::string>>;

TEST_F(ConverterTest, MapSheetLinesBecomeMapRows)
{
    DataSetBuilder set(folder.path(), "M");
    set.addMapSheet(
           {"２－３", "500", {{"1", "2"}, {"3", "4"}, {"5", "6"}, {"7", "8"}}, std::string("4")})
        .addLine(SurveyFile::MapSheets, "Ｘ’１,250") // two fields only
        .addLine(SurveyFile::MapSheets, "")          // a blank last line is no sheet
        .write();

    ASSERT_TRUE(convertMapToDB(db, trace, 5, set.path(SurveyFile::MapSheets)));

    EXPECT_EQ(rows("SELECT MAPNAME, FILENO, SCALE, OYA, KO, KUBUN FROM MAP ORDER BY rowid"),
              (Rows{{"2-3", "5", "500", "2", "3", "4"}, {"X'1", "5", "250", "0", "0", "0"}}));
    EXPECT_EQ(traceLines(),
              (std::vector<std::string>{"INSERT INTO MAP VALUES ('2-3', 5,500,2,3,4);",
                                        "INSERT INTO MAP VALUES ('X''1', 5,250,0,0,0);"}));
}

TEST_F(ConverterTest, MapFileWithoutSheetsIsNoSuccess)
{
    DataSetBuilder set(folder.path(), "M");
    set.addLine(SurveyFile::MapSheets, "").write();
    EXPECT_FALSE(convertMapToDB(db, trace, 1, set.path(SurveyFile::MapSheets)));
    EXPECT_EQ(count("MAP"), 0);
    EXPECT_TRUE(traceLines().empty());
}

TEST_F(ConverterTest, PointLinesBecomeFtenRowsWithTrimmedFoldedNames)
{
    DataSetBuilder set(folder.path(), "P");
    set.addPoint({"ｋ１－２３", "100.0", "200.0", "3"})
        .addPoint({"Ｐ６　", "1", "2", " 2 "}) // trimmed before folding: the full-width blank stays
        .addPoint({" Q'7 ", "1", "2", ""})     // no kind: NULL instead of a broken statement
        .addPoint({"R", "1", "2", "x"})
        .write();
    const auto pnt = set.path(SurveyFile::Points);

    ASSERT_TRUE(convertPntToDB(db, trace, trace2, 6, pnt));

    EXPECT_EQ(rows("SELECT TENNAME, FILENO, OYA, KO, quote(KUBUN) FROM FTEN ORDER BY rowid"),
              (Rows{{"k1-23", "6", "0", "23", "3"},
                    {"P6 ", "6", "0", "0", "2"},
                    {"Q'7", "6", "0", "0", "NULL"},
                    {"R", "6", "0", "0", "NULL"}}));
    const std::vector<std::string> statements{"INSERT INTO FTEN VALUES ('k1-23', 6,0,23,3); ",
                                              "INSERT INTO FTEN VALUES ('P6 ', 6,0,0,2); ",
                                              "INSERT INTO FTEN VALUES ('Q''7', 6,0,0,NULL); ",
                                              "INSERT INTO FTEN VALUES ('R', 6,0,0,NULL); "};
    EXPECT_EQ(traceLines(), statements);
    ASSERT_EQ(trace2Lines().size(), 4u);
    EXPECT_EQ(trace2Lines()[0], pnt.string() + " sql2=" + statements[0]);
}

TEST_F(ConverterTest, PointLinesWithoutNameAreTracedButNotStored)
{
    DataSetBuilder set(folder.path(), "P");
    set.addLine(SurveyFile::Points, "")
        .addPoint({"", "1", "2", "1"})
        .addPoint({"　", "1", "2", "1"}) // an ideographic blank is a name of one blank
        .addLine(SurveyFile::Points, "")
        .write();

    ASSERT_TRUE(convertPntToDB(db, trace, trace2, 1, set.path(SurveyFile::Points)));

    EXPECT_EQ(rows("SELECT TENNAME FROM FTEN"), (Rows{{" "}}));
    EXPECT_EQ(traceLines(), (std::vector<std::string>{"INSERT INTO FTEN VALUES ('', 1,0,0,1); ",
                                                      "INSERT INTO FTEN VALUES (' ', 1,0,0,1); "}));
    EXPECT_EQ(trace2Lines().size(), 2u);
}

TEST_F(ConverterTest, PointFileWithoutLinesIsNoSuccess)
{
    DataSetBuilder set(folder.path(), "P");
    set.addLine(SurveyFile::Points, "").write();
    EXPECT_FALSE(convertPntToDB(db, trace, trace2, 1, set.path(SurveyFile::Points)));
    EXPECT_FALSE(convertPntToDB(db, trace, trace2, 1, folder / "missing.pnt"));
    EXPECT_TRUE(traceLines().empty());
}

TEST_F(ConverterTest, ControlPointLinesBecomeZtenRowsWithUntrimmedNames)
{
    DataSetBuilder set(folder.path(), "T");
    set.addControlPoint({"Ｔ１－５", "1", "2"})
        .addControlPoint({" T\"2 ", "1", "2"})
        .addLine(SurveyFile::ControlPoints, "") // a blank last line is no point
        .write();

    ASSERT_TRUE(convertTcpToDB(db, trace, 8, set.path(SurveyFile::ControlPoints)));

    EXPECT_EQ(rows("SELECT TENNAME, FILENO, OYA, KO FROM ZTEN ORDER BY rowid"),
              (Rows{{"T1-5", "8", "0", "5"}, {" T\"2 ", "8", "0", "0"}}));
    EXPECT_EQ(traceLines(),
              (std::vector<std::string>{"INSERT INTO ZTEN VALUES (\"T1-5\", 8,0,5); ",
                                        "INSERT INTO ZTEN VALUES (\" T\"\"2 \", 8,0,0); "}));
}

TEST_F(ConverterTest, PointFilesFailingMidwayKeepNoneOfTheirRows)
{
    failInsertsOf("MAP", "MAPNAME");
    failInsertsOf("FTEN", "TENNAME");
    failInsertsOf("ZTEN", "TENNAME");
    DataSetBuilder set(folder.path(), "R");
    set.addMapSheet({"ok"}).addMapSheet({"boom"});
    set.addPoint({"ok"}).addPoint({"boom"});
    set.addControlPoint({"ok"}).addControlPoint({"boom"});
    set.write();

    EXPECT_FALSE(convertMapToDB(db, trace, 1, set.path(SurveyFile::MapSheets)));
    EXPECT_FALSE(convertPntToDB(db, trace, trace2, 1, set.path(SurveyFile::Points)));
    EXPECT_FALSE(convertTcpToDB(db, trace, 1, set.path(SurveyFile::ControlPoints)));

    EXPECT_EQ(count("MAP") + count("FTEN") + count("ZTEN"), 0);
    const auto lines = traceLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Rollback"), 3);
    EXPECT_EQ(lines.back(), "Rollback");
    EXPECT_FALSE(db.InTransaction());
}

} // namespace
} // namespace ft::formats
