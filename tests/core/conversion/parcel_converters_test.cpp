#include "core/conversion/parcel_converters.h"

#include "converter_fixture.h"

namespace ft::formats {
namespace {

using test::DataSetBuilder;
using test::SurveyFile;
using Rows = std::vector<std::vector<std::string>>;

const std::string kChibanColumns = "SELECT OOAZA, KOAZA, CHIBAN, MODE, SNAME, KNAME, OYA, KO, "
                                   "MAGO, FILENO FROM CHIBAN ORDER BY rowid";

TEST_F(ConverterTest, AttributeLinesBecomeChibanRowsWithFoldedLotAndOwners)
{
    DataSetBuilder set(folder.path(), "A");
    set.addParcel({"大字山田", "字上野", "５－１２", "ヤマダ　タロウ", "山田　太郎"})
        .addParcel({"大字山田", "字上野", "１２－３－４", "ｽｽﾞｷ", "Ｏ’Ｎｅｉｌ"})
        .write();

    ASSERT_TRUE(convertAtrToDB(db, trace, 4, set.path(SurveyFile::Parcels)));

    EXPECT_EQ(rows(kChibanColumns),
              (Rows{{"大字山田", "字上野", "5-12", "1", "山田 太郎", "ヤマダ タロウ", "5", "12",
                     "0", "4"},
                    {"大字山田", "字上野", "12-3-4", "1", "O'Neil", "ｽｽﾞｷ", "12", "3", "4", "4"}}));
    EXPECT_EQ(traceLines(),
              (std::vector<std::string>{sj("INSERT INTO CHIBAN VALUES ('大字山田', '字上野', "
                                           "'5-12',1,'山田 太郎', 'ヤマダ タロウ',5,12,0,4 ); "),
                                        sj("INSERT INTO CHIBAN VALUES ('大字山田', '字上野', "
                                           "'12-3-4',1,'O''Neil', 'ｽｽﾞｷ',12,3,4,4 ); ")}));
}

TEST_F(ConverterTest, AttributeLinesWithoutCommaOrLotNumberStoreNothing)
{
    DataSetBuilder set(folder.path(), "A");
    set.addLine(SurveyFile::Parcels, "no comma here")
        .addLine(SurveyFile::Parcels, "")
        .addParcel({"大字", "字", "", "カナ", "名"})
        .addLine(SurveyFile::Parcels, "1,1,大字,字,7") // cut short after the lot number
        .write();

    ASSERT_TRUE(convertAtrToDB(db, trace, 1, set.path(SurveyFile::Parcels)));

    EXPECT_EQ(rows(kChibanColumns), (Rows{{"大字", "字", "7", "1", "", "", "7", "0", "0", "1"}}));
    EXPECT_EQ(traceLines(),
              (std::vector<std::string>{
                  sj("INSERT INTO CHIBAN VALUES ('大字', '字', '',1,'名', 'カナ',0,0,0,1 ); "),
                  sj("INSERT INTO CHIBAN VALUES ('大字', '字', '7',1,'', '',7,0,0,1 ); ")}));
}

TEST_F(ConverterTest, OwnerListReadsAnnouncedOwnersEvenPastTheEnd)
{
    DataSetBuilder set(folder.path(), "C");
    set.addOwnerGroup(
           {"大字", "字", "３", {{"カナ", "所有者"}}, std::string("0")}) // announces none
        .addOwnerGroup({"大字", "字", "１－２", {{"ア", "甲"}, {"", "乙"}}, std::string("3")})
        .write();

    ASSERT_TRUE(convertCosToDB(db, trace, 2, set.path(SurveyFile::Owners)));

    // The owner line of the first group is read as a header of its own.
    EXPECT_EQ(rows("SELECT OOAZA, CHIBAN, MODE, SNAME, KNAME, OYA, KO FROM CHIBAN ORDER BY rowid"),
              (Rows{{"大字", "1-2", "2", "甲", "ア", "1", "2"},
                    {"大字", "1-2", "2", "乙", "", "1", "2"}}));
    const auto lines = traceLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], sj("INSERT INTO CHIBAN VALUES ('大字', '字', '1-2',2,'', '',1,2,0,2 ); "));
}

TEST_F(ConverterTest, AnnouncedCountsFarBeyondTheEndTraceOneMissingLineOnly)
{
    // A corrupt count must not turn into millions of trace lines: past the
    // end of the file the first missing line is traced, then reading stops.
    DataSetBuilder set(folder.path(), "C");
    set.addOwnerGroup({"大字", "字", "１", {{"ア", "甲"}}, std::string("100000")});
    set.addParcelGroup({{{"大字", "字", "２", "イ", "乙"}}, std::string("100000")});
    set.write();

    ASSERT_TRUE(convertCosToDB(db, trace, 2, set.path(SurveyFile::Owners)));
    ASSERT_TRUE(convertUndToDB(db, trace, trace2, 2, set.path(SurveyFile::GroupedParcels)));

    EXPECT_EQ(rows("SELECT CHIBAN, MODE FROM CHIBAN ORDER BY rowid"),
              (Rows{{"1", "2"}, {"2", "3"}}));
    EXPECT_EQ(traceLines(),
              (std::vector<std::string>{
                  sj("INSERT INTO CHIBAN VALUES ('大字', '字', '1',2,'甲', 'ア',1,0,0,2 ); "),
                  sj("INSERT INTO CHIBAN VALUES ('大字', '字', '1',2,'', '',1,0,0,2 ); "),
                  sj("INSERT INTO CHIBAN VALUES ('大字', '字', '2',3,'乙', 'イ',2,0,0,2 ); "),
                  sj("INSERT INTO CHIBAN VALUES ('', '', '',3,'', '',0,0,0,2 ); ")}));
    EXPECT_EQ(trace2Lines().size(), 3u); // num=, then two sql2= lines
}

TEST_F(ConverterTest, GroupedParcelsTraceToBothLogsBeforeRunning)
{
    DataSetBuilder set(folder.path(), "U");
    set.addParcelGroup({{{"大字", "字", "１", "カナ", "名"}, {"大字", "字", "", "", ""}}, {}})
        .addParcelGroup({{}, std::string("x")}) // not a number: no detail lines
        .write();
    const auto und = set.path(SurveyFile::GroupedParcels);

    ASSERT_TRUE(convertUndToDB(db, trace, trace2, 9, und));

    EXPECT_EQ(rows("SELECT CHIBAN, MODE, SNAME, KNAME, FILENO FROM CHIBAN"),
              (Rows{{"1", "3", "名", "カナ", "9"}}));
    const std::string first =
        sj("INSERT INTO CHIBAN VALUES ('大字', '字', '1',3,'名', 'カナ',1,0,0,9 ); ");
    const std::string second =
        sj("INSERT INTO CHIBAN VALUES ('大字', '字', '',3,'', '',0,0,0,9 ); ");
    EXPECT_EQ(traceLines(), (std::vector<std::string>{first, second}));
    const std::string path = und.string();
    EXPECT_EQ(trace2Lines(), (std::vector<std::string>{path + "num=2", path + " sql2=" + first,
                                                       path + " sql2=" + second, path + "num=0"}));
}

TEST_F(ConverterTest, ParcelFileFailingMidwayKeepsNoneOfItsRows)
{
    failInsertsOf("CHIBAN", "OOAZA");
    DataSetBuilder set(folder.path(), "R");
    set.addParcel({"ok", "k", "1", "", ""})
        .addParcel({"boom", "k", "2", "", ""})
        .addParcel({"ok", "k", "3", "", ""});
    set.addParcelGroup({{{"ok", "k", "1", "", ""}, {"boom", "k", "2", "", ""}}, {}});
    set.addOwnerGroup({"boom", "k", "1", {{"a", "b"}}, {}});
    set.write();

    EXPECT_FALSE(convertAtrToDB(db, trace, 1, set.path(SurveyFile::Parcels)));
    // The attribute converter traces after running: the refused statement is not traced.
    EXPECT_EQ(traceLines(),
              (std::vector<std::string>{
                  "INSERT INTO CHIBAN VALUES ('ok', 'k', '1',1,'', '',1,0,0,1 ); ", "Rollback"}));
    EXPECT_FALSE(convertUndToDB(db, trace, trace2, 1, set.path(SurveyFile::GroupedParcels)));
    EXPECT_FALSE(convertCosToDB(db, trace, 1, set.path(SurveyFile::Owners)));
    EXPECT_EQ(count("CHIBAN"), 0);
    // The grouped converter traces before running: the refused statement is traced.
    const auto lines = traceLines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[3], "INSERT INTO CHIBAN VALUES ('boom', 'k', '2',3,'', '',2,0,0,1 ); ");
    EXPECT_EQ(lines[4], "Rollback");
    EXPECT_EQ(lines.back(), "Rollback");
    EXPECT_FALSE(db.InTransaction());
}

} // namespace
} // namespace ft::formats
