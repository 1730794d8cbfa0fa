// Data sets built by the test builder, registered through the driver: the
// rows of all five tables, the working-file bytes, re-runs, updates, broken
// sets and the bookkeeping at the start of a run.

#include "registration_fixture.h"

#include "core/catalogue/sqlite_database.h"
#include "core/registration/discovery.h"
#include "core/registration/registration_driver.h"

#include <algorithm>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace ft::registration {
using workspace::Datum;
using workspace::WorkingFileKind;
namespace {

using test::LocalTime;
using test::SurveyFile;

constexpr LocalTime kMarch{2024, 3, 1, 10, 0, 0};
constexpr LocalTime kApril{2024, 4, 2, 9, 30, 5};

// Gives the four files that make the data set time one modification time.
void stamp(test::DataSetBuilder& set, const LocalTime& time)
{
    for (const SurveyFile kind :
         {SurveyFile::Header, SurveyFile::Outlines, SurveyFile::Points, SurveyFile::Parcels})
        set.setModificationTime(kind, time);
}

// The sheet outlines of the builder's small valid set: two map sheets (four
// and two corners) and one frame record, whose name is not folded.
std::string expectedSheetOutlines(int no)
{
    const std::string n = std::to_string(no);
    return platform::utf8ToCp932("X1-1,500,2000.000,1000.000,2200.000,1200.000," + n +
                                 ",\r\n"
                                 "X1-2,500,2000.000,1200.000,2200.000,1400.000," +
                                 n +
                                 ",\r\n"
                                 "Ｘ１－１,500,2000.000,1000.000,2200.000,1200.000," +
                                 n + ",\r\n");
}

// Its segments: two closed parcel outlines of four edges, then the frame's
// vertex record of five vertices.
std::string expectedSegments(int no)
{
    const std::string n = std::to_string(no);
    const std::string first = "1,1,大字山田,１２－３,";
    const std::string second = "1,2,大字山田,１２－４,";
    const std::string frame = "1,1,,,";
    return platform::utf8ToCp932(first + "2050.000,1050.000,2100.000,1050.000,2," + n + ",\r\n" +
                                 first + "2100.000,1050.000,2100.000,1100.000,2," + n + ",\r\n" +
                                 first + "2100.000,1100.000,2050.000,1100.000,2," + n + ",\r\n" +
                                 first + "2050.000,1100.000,2050.000,1050.000,2," + n + ",\r\n" +
                                 second + "2100.000,1050.000,2150.000,1050.000,2," + n + ",\r\n" +
                                 second + "2150.000,1050.000,2150.000,1100.000,2," + n + ",\r\n" +
                                 second + "2150.000,1100.000,2100.000,1100.000,2," + n + ",\r\n" +
                                 second + "2100.000,1100.000,2100.000,1050.000,2," + n + ",\r\n" +
                                 frame + "2000.000,1000.000,2200.000,1000.000,2," + n + ",\r\n" +
                                 frame + "2200.000,1000.000,2200.000,1200.000,2," + n + ",\r\n" +
                                 frame + "2200.000,1200.000,2000.000,1200.000,2," + n + ",\r\n" +
                                 frame + "2000.000,1200.000,2000.000,1000.000,2," + n + ",\r\n");
}

const std::string kValidSetExtent = "2000.000,1000.000,2200.000,1400.000,\r\n";
const std::string kEmptyExtent =
    "2147483647.000,2147483647.000,-2147483647.000,-2147483647.000,\r\n";

class RegistrationDriverTest : public RegistrationTest {
protected:
    explicit RegistrationDriverTest(test::Engine engine = test::Engine::Embedded)
        : RegistrationTest(engine)
    {
    }

    // Writes the set and returns its entry as the folder walk forms it.
    TargetEntry written(test::DataSetBuilder set, const LocalTime& time = kMarch)
    {
        stamp(set, time);
        return MakeTargetEntry(set.write());
    }

    RegistrationResult registerAll(std::vector<TargetEntry> entries)
    {
        targets.clear();
        for (TargetEntry& entry : entries)
            targets.append(std::move(entry));
        return RegisterTargets(state, targets, progress);
    }

    bool traced(std::string_view utf8Line)
    {
        const auto lines = linesOf(test::readBytes(dataFolder / "test.log"));
        return std::find(lines.begin(), lines.end(), sj(utf8Line)) != lines.end();
    }

    TargetList targets;
};

// What a registration writes, on either catalogue engine.
class RegistrationOnEngineTest : public RegistrationDriverTest,
                                 public ::testing::WithParamInterface<test::Engine> {
protected:
    RegistrationOnEngineTest() : RegistrationDriverTest(GetParam()) {}
    void SetUp() override { FT_SKIP_WITHOUT_SERVER(GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(Engines, RegistrationOnEngineTest,
                         ::testing::Values(test::Engine::Embedded, test::Engine::Server),
                         test::engineName);

TEST_P(RegistrationOnEngineTest, RegistersEverySetIntoTheCatalogueAndWorkingFilesOfItsDatum)
{
    const TargetEntry a = written(validSet("A", 2));
    const TargetEntry b = written(validSet("B", 1));
    state.setCurrentDatum(Datum::World);

    const RegistrationResult result = registerAll({a, b});

    EXPECT_EQ(result.registered, 2);
    EXPECT_TRUE(result.failed.empty());
    EXPECT_EQ(ft::workspace::datumCode(state.currentDatum()), 2);
    EXPECT_EQ(progress.busyDepth, 0);
    EXPECT_EQ(progress.statuses.back(), QStringLiteral("登録終了"));
    EXPECT_TRUE(targets[0].checked && targets[1].checked);

    // A (datum 2) is at position 0 and gets 1; B (datum 1) at position 1 gets 2.
    const std::string base = (sources.path() / "A").string();
    EXPECT_EQ(rows(Datum::World, "SELECT PATH, TIME, FILENO, CREATER, CHIKU, KEI, SOKU FROM FILE"),
              (std::vector<std::vector<std::string>>{
                  {base, "2024/03/01 10:00:00", "1", "測量　太郎", "テスト地区", "9", "2"}}));
    EXPECT_EQ(rows(Datum::Japanese, "SELECT FILENO, SOKU FROM FILE"),
              (std::vector<std::vector<std::string>>{{"2", "1"}}));
    EXPECT_EQ(rows(Datum::World,
                   "SELECT MODE, CHIBAN, OYA, KO, MAGO, FILENO FROM CHIBAN ORDER BY MODE, CHIBAN"),
              (std::vector<std::vector<std::string>>{{"1", "12-3", "12", "3", "0", "1"},
                                                     {"1", "12-4", "12", "4", "0", "1"},
                                                     {"1", "13", "13", "0", "0", "1"},
                                                     {"2", "12-3", "12", "3", "0", "1"},
                                                     {"2", "12-3", "12", "3", "0", "1"},
                                                     {"3", "14-1", "14", "1", "0", "1"},
                                                     {"3", "14-2", "14", "2", "0", "1"}}));
    EXPECT_EQ(rows(Datum::World,
                   "SELECT MAPNAME, FILENO, SCALE, OYA, KO, KUBUN FROM MAP ORDER BY MAPNAME"),
              (std::vector<std::vector<std::string>>{{"X1-1", "1", "500", "0", "1", "1"},
                                                     {"X1-2", "1", "500", "0", "2", "1"}}));
    EXPECT_EQ(rows(Datum::World, "SELECT TENNAME, FILENO, KUBUN FROM FTEN ORDER BY TENNAME"),
              (std::vector<std::vector<std::string>>{{"P1", "1", "1"},
                                                     {"P2", "1", "1"},
                                                     {"P3", "1", "1"},
                                                     {"P4", "1", "1"},
                                                     {"P5", "1", "2"},
                                                     {"P6", "1", "2"}}));
    EXPECT_EQ(rows(Datum::World, "SELECT TENNAME, FILENO FROM ZTEN ORDER BY TENNAME"),
              (std::vector<std::vector<std::string>>{{"T1", "1"}, {"T2", "1"}}));
    EXPECT_EQ(tableCounts(Datum::Japanese), (std::vector<int>{1, 7, 2, 6, 2}));
    EXPECT_EQ(tableCounts(Datum::Japanese, " WHERE FILENO=2"), (std::vector<int>{1, 7, 2, 6, 2}));

    EXPECT_EQ(workingBytes(WorkingFileKind::SheetOutlines, Datum::World), expectedSheetOutlines(1));
    EXPECT_EQ(workingBytes(WorkingFileKind::Segments, Datum::World), expectedSegments(1));
    EXPECT_EQ(workingBytes(WorkingFileKind::Extent, Datum::World), kValidSetExtent);
    EXPECT_EQ(workingBytes(WorkingFileKind::SheetOutlines, Datum::Japanese),
              expectedSheetOutlines(2));
    EXPECT_EQ(workingBytes(WorkingFileKind::Segments, Datum::Japanese), expectedSegments(2));
    EXPECT_EQ(workingBytes(WorkingFileKind::Extent, Datum::Japanese), kValidSetExtent);

    const std::string folder = sources.path().string();
    EXPECT_TRUE(traced("図面の登録 1," + folder + "/A.zo2"));
    EXPECT_TRUE(traced("convertZukToInxAza,2," + folder + "/B.zo1"));
    EXPECT_TRUE(traced("storeFileName,2," + folder + "/B,2"));
    EXPECT_TRUE(progress.statuses.contains(QString::fromStdString("1:" + folder + "/A.map")));
}

TEST_P(RegistrationOnEngineTest, ARunAfterwardsFindsEverySetRegisteredAndChangesNothing)
{
    const TargetEntry a = written(validSet("A", 2));
    const TargetEntry b = written(validSet("B", 2));
    ASSERT_EQ(registerAll({a, b}).registered, 2);
    const std::string sheets = workingBytes(WorkingFileKind::SheetOutlines, Datum::World);
    const std::string segments = workingBytes(WorkingFileKind::Segments, Datum::World);

    const RegistrationResult again = registerAll({a, b});

    EXPECT_EQ(again.registered, 0);
    EXPECT_EQ(again.alreadyRegistered, 2);
    EXPECT_FALSE(targets[0].checked || targets[1].checked);
    EXPECT_EQ(tableCounts(Datum::World), (std::vector<int>{2, 14, 4, 12, 4}));
    EXPECT_EQ(workingBytes(WorkingFileKind::SheetOutlines, Datum::World), sheets);
    EXPECT_EQ(workingBytes(WorkingFileKind::Segments, Datum::World), segments);
    EXPECT_EQ(workingBytes(WorkingFileKind::Extent, Datum::World), kValidSetExtent);
}

// The parcel list's order index is made by a run, which holds the data
// folder, never by opening the catalogues; the seven tables stay as created,
// beside the program's own change counter.
TEST_F(RegistrationDriverTest, ARunGivesBothCataloguesTheParcelOrderIndex)
{
    const std::string indexes = "SELECT name FROM sqlite_master WHERE type='index'";
    EXPECT_TRUE(rows(Datum::Japanese, indexes).empty());
    EXPECT_TRUE(rows(Datum::World, indexes).empty());
    registerAll({written(validSet("A", 2))});
    const std::vector<std::vector<std::string>> made = {{"CHIBAN_ORDER"}};
    EXPECT_EQ(rows(Datum::Japanese, indexes), made);
    EXPECT_EQ(rows(Datum::World, indexes), made);
    EXPECT_EQ(
        count(Datum::World, "sqlite_master", " WHERE type='table' AND name<>'FINDTAVLA_CHANGES'"),
        7);
}

TEST_P(RegistrationOnEngineTest, ATouchedSetIsRegisteredAgainAndItsOldRegistrationReplaced)
{
    const TargetEntry a = written(validSet("A", 2));
    const TargetEntry b = written(validSet("B", 2));
    ASSERT_EQ(registerAll({a, b}).registered, 2);

    // Only A's point file is newer; the others keep their times.
    test::DataSetBuilder touched = validSet("A", 2);
    stamp(touched, kMarch);
    touched.setModificationTime(SurveyFile::Points, kApril);
    const TargetEntry newerA = MakeTargetEntry(touched.write());
    ASSERT_EQ(newerA.time, "2024/04/02 09:30:05");

    const RegistrationResult result = registerAll({newerA, b});

    EXPECT_EQ(result.registered, 1);
    EXPECT_EQ(result.alreadyRegistered, 1);
    // FILENO base is 3 now; A stands at position 0.
    EXPECT_EQ(rows(Datum::World, "SELECT FILENO, TIME FROM FILE ORDER BY FILENO"),
              (std::vector<std::vector<std::string>>{{"2", "2024/03/01 10:00:00"},
                                                     {"3", "2024/04/02 09:30:05"}}));
    EXPECT_EQ(tableCounts(Datum::World, " WHERE FILENO=1"), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(tableCounts(Datum::World, " WHERE FILENO=3"), (std::vector<int>{1, 7, 2, 6, 2}));
    EXPECT_EQ(workingBytes(WorkingFileKind::SheetOutlines, Datum::World),
              expectedSheetOutlines(2) + expectedSheetOutlines(3));
    EXPECT_EQ(workingBytes(WorkingFileKind::Segments, Datum::World),
              expectedSegments(2) + expectedSegments(3));
}

// Broken variants of set A; set B beside it is sound.
struct BrokenSet {
    const char* name;
    void (*breakIt)(test::DataSetBuilder& set);
};

class BrokenSetTest : public RegistrationDriverTest,
                      public ::testing::WithParamInterface<BrokenSet> {};

TEST_P(BrokenSetTest, FailsAloneAndLeavesNothingBehind)
{
    test::DataSetBuilder broken = validSet("A", 2);
    GetParam().breakIt(broken);
    stamp(broken, kMarch);
    const TargetEntry a = MakeTargetEntry(broken.write());
    if (std::string(GetParam().name) == "unreadable_parcel_file")
        std::filesystem::create_directory(broken.path(SurveyFile::Parcels));
    const TargetEntry b = written(validSet("B", 2));

    const RegistrationResult result = registerAll({a, b});

    EXPECT_EQ(result.registered, 1);
    ASSERT_EQ(result.failed.size(), 1u);
    EXPECT_EQ(result.failed[0].headerPath, a.headerPath);
    EXPECT_FALSE(result.failed[0].reason.empty());
    EXPECT_EQ(tableCounts(Datum::World, " WHERE FILENO=1"), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(tableCounts(Datum::World, " WHERE FILENO=2"), (std::vector<int>{1, 7, 2, 6, 2}));
    EXPECT_EQ(workingBytes(WorkingFileKind::SheetOutlines, Datum::World), expectedSheetOutlines(2));
    EXPECT_EQ(workingBytes(WorkingFileKind::Segments, Datum::World), expectedSegments(2));
    EXPECT_EQ(workingBytes(WorkingFileKind::Extent, Datum::World), kValidSetExtent);
    EXPECT_TRUE(traced("storeFileName,2," + (sources.path() / "B").string() + ",1"));
}

INSTANTIATE_TEST_SUITE_P(
    Variants, BrokenSetTest,
    ::testing::Values(BrokenSet{"point_coordinate_not_a_number",
                                [](test::DataSetBuilder& set) {
                                    set.addPoint({"Ｐ９", "abc", "1.0"});
                                }},
                      BrokenSet{"no_points",
                                [](test::DataSetBuilder& set) { set.clear(SurveyFile::Points); }},
                      BrokenSet{"empty_outline_file",
                                [](test::DataSetBuilder& set) { set.clear(SurveyFile::Outlines); }},
                      BrokenSet{"map_coordinate_not_a_number",
                                [](test::DataSetBuilder& set) {
                                    set.addMapSheet({"Z", "500", {{"x", "1"}, {"2", "3"}}});
                                }},
                      BrokenSet{"parcel_text_not_cp932",
                                [](test::DataSetBuilder& set) {
                                    set.addRawLine(SurveyFile::Parcels, "1,1,\x82,\xFF\xFF,5");
                                }},
                      BrokenSet{"unreadable_parcel_file",
                                [](test::DataSetBuilder& set) { set.omit(SurveyFile::Parcels); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegistrationDriverTest, ASetWithoutPointsStillTracesEveryStepOfItsChain)
{
    test::DataSetBuilder set = validSet("A", 2);
    set.clear(SurveyFile::Points);
    const RegistrationResult result = registerAll({written(set)});

    EXPECT_EQ(result.registered, 0);
    const std::string base = (sources.path() / "A").string();
    for (const std::string& step :
         {"convertPntToDB,1," + base + ".pnt", "convertTcpToDB,1," + base + ".tcp",
          "convertPolToInxAza,1," + base + ".pol", "convertAtrToDB,1," + base + ".atr",
          "convertUndToDB,1," + base + ".und", "convertCosToDB,1," + base + ".cos",
          "convertZukToInxAza,1," + base + ".zo2"})
        EXPECT_TRUE(traced(step)) << step;
    EXPECT_FALSE(traced("storeFileName,1," + base + ",1"));
}

TEST_P(RegistrationOnEngineTest, AFailedUpdateKeepsTheOldRegistration)
{
    ASSERT_EQ(registerAll({written(validSet("A", 2))}).registered, 1);
    const std::string sheets = workingBytes(WorkingFileKind::SheetOutlines, Datum::World);
    const std::string segments = workingBytes(WorkingFileKind::Segments, Datum::World);

    test::DataSetBuilder broken = validSet("A", 2);
    broken.addPoint({"Ｐ９", "abc", "1.0"});
    const RegistrationResult result = registerAll({written(broken, kApril)});

    EXPECT_EQ(result.failed.size(), 1u);
    EXPECT_EQ(rows(Datum::World, "SELECT FILENO, TIME FROM FILE"),
              (std::vector<std::vector<std::string>>{{"1", "2024/03/01 10:00:00"}}));
    EXPECT_EQ(tableCounts(Datum::World), (std::vector<int>{1, 7, 2, 6, 2}));
    EXPECT_EQ(workingBytes(WorkingFileKind::SheetOutlines, Datum::World), sheets);
    EXPECT_EQ(workingBytes(WorkingFileKind::Segments, Datum::World), segments);
}

TEST_F(RegistrationDriverTest, ASetWithAFileThatIsThereButCannotBeReadFailsAlone)
{
    // Registered without its parcels or sheets, such a set would count as
    // registered for good: making the file readable does not change its time.
    const TargetEntry a = written(validSet("A", 2));
    const TargetEntry b = written(validSet("B", 2));
    for (const std::filesystem::path& file : {sources.path() / "A.atr", sources.path() / "B.map"}) {
        std::filesystem::remove(file);
        std::filesystem::create_symlink(file, file); // unreadable even for root
    }

    const RegistrationResult result = registerAll({a, b});

    EXPECT_EQ(result.registered, 0);
    ASSERT_EQ(result.failed.size(), 2u);
    EXPECT_NE(result.failed[0].reason.find("A.atr"), std::string::npos);
    EXPECT_EQ(tableCounts(Datum::World), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(workingBytes(WorkingFileKind::SheetOutlines, Datum::World), "");
}

// A point file broken off in the middle of a line: its last point has a name
// and nothing after it. Read as 0 it would draw parcel lines from the origin.
TEST_F(RegistrationDriverTest, APointFileCutMidLineFailsItsSetAloneWithTheReason)
{
    const TargetEntry a = written(validSet("A", 2));
    const TargetEntry b = written(validSet("B", 2));
    const std::filesystem::path points = sources.path() / "A.pnt";
    std::string bytes = test::readBytes(points);
    const std::size_t lastLine = bytes.rfind("\r\n", bytes.size() - 3) + 2;
    bytes.resize(bytes.find(',', lastLine) + 1);
    test::writeBytes(points, bytes);

    const RegistrationResult result = registerAll({a, b});

    EXPECT_EQ(result.registered, 1);
    ASSERT_EQ(result.failed.size(), 1u);
    EXPECT_EQ(result.failed[0].headerPath, a.headerPath);
    EXPECT_NE(result.failed[0].reason.find("A.pnt"), std::string::npos) << result.failed[0].reason;
    EXPECT_NE(result.failed[0].reason.find("cut short"), std::string::npos);
    EXPECT_EQ(tableCounts(Datum::World), (std::vector<int>{1, 7, 2, 6, 2}));
}

TEST_F(RegistrationDriverTest, ASetWhoseDatumChangedMovesToTheOtherCatalogue)
{
    ASSERT_EQ(registerAll({written(validSet("A", 2))}).registered, 1);

    const RegistrationResult result = registerAll({written(validSet("A", 1), kApril)});

    EXPECT_EQ(result.registered, 1);
    EXPECT_EQ(tableCounts(Datum::World), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(tableCounts(Datum::Japanese), (std::vector<int>{1, 7, 2, 6, 2}));
    EXPECT_EQ(workingBytes(WorkingFileKind::SheetOutlines, Datum::World), "");
    EXPECT_EQ(workingBytes(WorkingFileKind::Segments, Datum::World), "");
    EXPECT_EQ(workingBytes(WorkingFileKind::Extent, Datum::World), kEmptyExtent);
    EXPECT_EQ(workingBytes(WorkingFileKind::SheetOutlines, Datum::Japanese),
              expectedSheetOutlines(1));
    EXPECT_EQ(workingBytes(WorkingFileKind::Extent, Datum::Japanese), kValidSetExtent);
}

TEST_F(RegistrationDriverTest, ARunStartsByRemovingWhatAnInterruptedRunLeftBehind)
{
    ASSERT_EQ(registerAll({written(validSet("A", 1))}).registered, 1);
    catalogue::CatalogueDatabase& db = state.catalogue(Datum::Japanese);
    // Rows and records of a set that never got its FILE row ...
    db.ExecSQL("INSERT INTO CHIBAN VALUES ('o', 'k', '1', 1, '', '', 1, 0, 0, 7);");
    db.ExecSQL("INSERT INTO ZTEN VALUES ('T', 9, 0, 0);");
    test::writeBytes(state.workingFile(WorkingFileKind::SheetOutlines, Datum::Japanese),
                     workingBytes(WorkingFileKind::SheetOutlines, Datum::Japanese) +
                         "Q,500,0.000,0.000,9000.000,9000.000,7,\r\n");
    test::writeBytes(state.workingFile(WorkingFileKind::Segments, Datum::Japanese),
                     workingBytes(WorkingFileKind::Segments, Datum::Japanese) +
                         "1,1,,,0.000,0.000,1.000,1.000,2,7,\r\n");
    // ... and a FILE row of the same path that an update left behind.
    db.ExecSQL("INSERT INTO FILE VALUES ('" + (sources.path() / "A").string() +
               "', '2023/01/01 00:00:00', 5, '', '', 0, 1);");
    db.ExecSQL("INSERT INTO MAP VALUES ('old', 5, 0, 0, 0, 0);");
    // ... and its registration in the other catalogue, from before its datum
    // changed, which the run that moved it had no time to remove.
    state.catalogue(Datum::World)
        .ExecSQL("INSERT INTO FILE VALUES ('" + (sources.path() / "A").string() +
                 "', '2023/01/01 00:00:00', 3, '', '', 0, 2);");
    state.catalogue(Datum::World).ExecSQL("INSERT INTO MAP VALUES ('old', 3, 0, 0, 0, 0);");
    test::writeBytes(state.workingFile(WorkingFileKind::SheetOutlines, Datum::World),
                     "Q,500,0.000,0.000,9.000,9.000,3,\r\n");

    const RegistrationResult result = registerAll({});

    EXPECT_EQ(result.registered, 0);
    EXPECT_EQ(tableCounts(Datum::Japanese), (std::vector<int>{1, 7, 2, 6, 2}));
    EXPECT_EQ(rows(Datum::Japanese, "SELECT FILENO FROM FILE"),
              (std::vector<std::vector<std::string>>{{"1"}}));
    EXPECT_EQ(workingBytes(WorkingFileKind::SheetOutlines, Datum::Japanese),
              expectedSheetOutlines(1));
    EXPECT_EQ(workingBytes(WorkingFileKind::Segments, Datum::Japanese), expectedSegments(1));
    EXPECT_EQ(workingBytes(WorkingFileKind::Extent, Datum::Japanese), kValidSetExtent);
    EXPECT_EQ(tableCounts(Datum::World), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(workingBytes(WorkingFileKind::SheetOutlines, Datum::World), "");
    EXPECT_EQ(workingBytes(WorkingFileKind::Extent, Datum::World), kEmptyExtent);
}

// Tidying reads every row and segment; a run that finds the catalogues and
// working files as the last run left them does without, and one change to
// either (here a segment record of no registered drawing) brings it back.
TEST_F(RegistrationDriverTest, ARunTidiesOnlyWhenSomethingChangedSinceTheLastRun)
{
    const TargetEntry a = written(validSet("A", 1));
    ASSERT_EQ(registerAll({a}).registered, 1);
    const std::string tidying = sj("DELETE FROM CHIBAN WHERE FILENO NOT IN (SELECT FILENO FROM "
                                   "FILE WHERE FILENO IS NOT NULL);");
    const auto tidiedSince = [&](std::size_t traceSize) {
        return test::readBytes(dataFolder / "test.log").find(tidying, traceSize) !=
               std::string::npos;
    };
    std::size_t traceSize = test::readBytes(dataFolder / "test.log").size();
    EXPECT_EQ(registerAll({a}).alreadyRegistered, 1);
    EXPECT_FALSE(tidiedSince(traceSize));
    EXPECT_EQ(registerAll({}).registered, 0);
    EXPECT_FALSE(tidiedSince(traceSize));

    const std::filesystem::path segments =
        state.workingFile(WorkingFileKind::Segments, Datum::Japanese);
    test::writeBytes(segments,
                     test::readBytes(segments) + "1,1,,,0.000,0.000,1.000,1.000,2,7,\r\n");
    traceSize = test::readBytes(dataFolder / "test.log").size();
    EXPECT_EQ(registerAll({a}).alreadyRegistered, 1);
    EXPECT_TRUE(tidiedSince(traceSize));
    EXPECT_EQ(workingBytes(WorkingFileKind::Segments, Datum::Japanese), expectedSegments(1));
    // Registering a new number after the skipped tidying still counts every number in use.
    const TargetEntry b = written(validSet("B", 1));
    EXPECT_EQ(registerAll({b}).registered, 1);
    EXPECT_EQ(rows(Datum::Japanese, "SELECT FILENO FROM FILE ORDER BY FILENO"),
              (std::vector<std::vector<std::string>>{{"1"}, {"2"}}));

    // The marker of a run that did not finish: its rows may be anywhere, so
    // the next run tidies even though the record still matches.
    ASSERT_EQ(registerAll({b}).alreadyRegistered, 1);
    test::writeBytes(RunMarkerPath(dataFolder.path()), "");
    traceSize = test::readBytes(dataFolder / "test.log").size();
    EXPECT_EQ(registerAll({b}).alreadyRegistered, 1);
    EXPECT_TRUE(tidiedSince(traceSize));
}

TEST_F(RegistrationDriverTest, ARunOfTheOtherDatumAlsoMendsAnExtentFileLeftOutOfStep)
{
    ASSERT_EQ(registerAll({written(validSet("A", 1))}).registered, 1);
    // A run that ended abruptly: a sheet of a set without FILE row, and the
    // extent file widened by it (or cut short while being written).
    test::writeBytes(state.workingFile(WorkingFileKind::SheetOutlines, Datum::Japanese),
                     workingBytes(WorkingFileKind::SheetOutlines, Datum::Japanese) +
                         "Q,500,0.000,0.000,9000.000,9000.000,7,\r\n");
    test::writeBytes(state.workingFile(WorkingFileKind::Extent, Datum::Japanese),
                     "0.000,0.000,9000.000,9000.000,\r\n");

    const std::vector<EntryResult> results =
        RegisterEntries(state, {written(validSet("B", 2))}, progress);

    ASSERT_EQ(results.at(0).outcome, SetOutcome::Registered);
    EXPECT_EQ(workingBytes(WorkingFileKind::SheetOutlines, Datum::Japanese),
              expectedSheetOutlines(1));
    EXPECT_EQ(workingBytes(WorkingFileKind::Extent, Datum::Japanese), kValidSetExtent);

    test::writeBytes(state.workingFile(WorkingFileKind::Extent, Datum::Japanese), "2000.0");
    EXPECT_EQ(RegisterEntries(state, {written(validSet("C", 2))}, progress).at(0).outcome,
              SetOutcome::Registered);
    EXPECT_EQ(workingBytes(WorkingFileKind::Extent, Datum::Japanese), kValidSetExtent);
}

TEST_F(RegistrationDriverTest, NumbersFollowListPositionsAndLieAboveEveryNumberInUse)
{
    const TargetEntry s1 = written(validSet("S1", 2));
    TargetEntry s2 = written(validSet("S2", 1));
    const TargetEntry s3 = written(validSet("S3", 2));
    s2.checked = false;

    EXPECT_EQ(registerAll({s1, s2, s3}).registered, 2);
    EXPECT_EQ(rows(Datum::World, "SELECT FILENO FROM FILE ORDER BY FILENO"),
              (std::vector<std::vector<std::string>>{{"1"}, {"3"}}));
    EXPECT_EQ(tableCounts(Datum::Japanese), (std::vector<int>{0, 0, 0, 0, 0}));

    // The next run of datum 2 starts above 3, whatever position a set has.
    EXPECT_EQ(registerAll({written(validSet("S4", 2))}).registered, 1);
    EXPECT_EQ(rows(Datum::World, "SELECT MAX(FILENO) FROM FILE"),
              (std::vector<std::vector<std::string>>{{"4"}}));
}

TEST_F(RegistrationDriverTest, ALaterRunAddsToTheOverviewOfEarlierRuns)
{
    ASSERT_EQ(registerAll({written(validSet("A", 2))}).registered, 1);
    test::DataSetBuilder far = validSet("B", 2);
    far.addMapSheet({"Y1", "500", {{"5000.000", "6000.000"}, {"5100.000", "6100.000"}}});

    ASSERT_EQ(registerAll({written(far)}).registered, 1);

    const std::vector<int> sheetNos = workingFileNos(WorkingFileKind::SheetOutlines, Datum::World);
    EXPECT_EQ(std::count(sheetNos.begin(), sheetNos.end(), 1), 3);
    EXPECT_EQ(std::count(sheetNos.begin(), sheetNos.end(), 2), 4);
    EXPECT_EQ(workingBytes(WorkingFileKind::Extent, Datum::World),
              "2000.000,1000.000,6100.000,5100.000,\r\n");
}

TEST_F(RegistrationDriverTest, TwoHeadersOfOneFolderBothRegisterAndARepeatedEntryIsListedOnce)
{
    const TargetEntry a = written(validSet("A", 2));
    const TargetEntry b = written(validSet("B", 2));

    const RegistrationResult result = registerAll({a, b, a});

    EXPECT_EQ(targets.size(), 2u);
    EXPECT_EQ(result.registered, 2);
    EXPECT_EQ(result.alreadyRegistered, 0);
    EXPECT_EQ(tableCounts(Datum::World), (std::vector<int>{2, 14, 4, 12, 4}));
    EXPECT_EQ(tableCounts(Datum::World, " WHERE FILENO=3"), (std::vector<int>{0, 0, 0, 0, 0}));
    const std::vector<int> segmentNos = workingFileNos(WorkingFileKind::Segments, Datum::World);
    EXPECT_EQ(std::count(segmentNos.begin(), segmentNos.end(), 3), 0);
}

TEST_F(RegistrationDriverTest, RegisterOneUsesTheSetsDatumAndRefusesWhatIsRegisteredOrFails)
{
    const TargetEntry a = written(validSet("A", 1));
    state.setCurrentDatum(Datum::World);

    EXPECT_TRUE(RegisterOne(state, EntryText(a), progress));
    EXPECT_EQ(ft::workspace::datumCode(state.currentDatum()), 2);
    EXPECT_EQ(tableCounts(Datum::Japanese), (std::vector<int>{1, 7, 2, 6, 2}));
    EXPECT_EQ(workingBytes(WorkingFileKind::Segments, Datum::Japanese), expectedSegments(1));
    EXPECT_EQ(workingBytes(WorkingFileKind::Extent, Datum::Japanese), kValidSetExtent);
    EXPECT_FALSE(RegisterOne(state, EntryText(a), progress));

    test::DataSetBuilder broken = validSet("B", 1);
    broken.clear(SurveyFile::Outlines);
    const std::vector<EntryResult> results = RegisterEntries(state, {written(broken), a}, progress);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].outcome, SetOutcome::Failed);
    EXPECT_NE(results[0].reason.find("convertPolToInxAza"), std::string::npos);
    EXPECT_EQ(results[1].outcome, SetOutcome::AlreadyRegistered);
    EXPECT_EQ(tableCounts(Datum::Japanese), (std::vector<int>{1, 7, 2, 6, 2}));
    EXPECT_EQ(progress.busyDepth, 0);
}

TEST_F(RegistrationDriverTest, AnEntryHoldingItsPathAloneRegistersIntoTheWorldDatumWithoutTime)
{
    const test::DataSetBuilder set = validSet("A", 2);
    set.write();

    EXPECT_TRUE(RegisterOne(state, set.headerPath().string(), progress));

    EXPECT_EQ(rows(Datum::World, "SELECT FILENO, TIME FROM FILE"),
              (std::vector<std::vector<std::string>>{{"1", ""}}));
}

TEST_F(RegistrationDriverTest, NoRunStartsWhileAnotherProgramRegistersIntoTheSameFolders)
{
    // The desktop program and the command-line tool share the data folder; a
    // second run would remove the first one's unfinished sets as leftovers
    // and hand out its numbers again.
    const TargetEntry a = written(validSet("A", 2));
    const std::filesystem::path lockFile = dataFolder.path() / "findTavla.lock";
    const int other = ::open(lockFile.c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);

    EXPECT_THROW(registerAll({a}), std::runtime_error);
    EXPECT_THROW(RegisterEntries(state, {a}, progress), std::runtime_error);
    EXPECT_EQ(tableCounts(Datum::World), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(progress.busyDepth, 0);

    ::close(other);
    EXPECT_EQ(registerAll({a}).registered, 1);
}

TEST_F(RegistrationDriverTest, ACatalogueFailureEndsTheRunButRestoresDatumAndBusyState)
{
    const TargetEntry a = written(validSet("A", 1));
    state.setCurrentDatum(Datum::World);
    // A catalogue whose registrations cannot be read is left out of the run
    // (registration_hazards_test.cpp); one that fails later ends it.
    state.catalogue(Datum::Japanese).ExecSQL("DROP TABLE CHIBAN;");

    EXPECT_THROW(registerAll({a}), catalogue::ESQLiteException);

    EXPECT_EQ(ft::workspace::datumCode(state.currentDatum()), 2);
    EXPECT_EQ(progress.busyDepth, 0);
}

} // namespace
} // namespace ft::registration
