// What a registration must come through without losing or inventing data:
// odd bytes in names and values, a catalogue that refuses rows, paths CP932
// cannot hold, one data set reached by two paths, a run that ended halfway,
// and one catalogue damaged.

#include "registration_fixture.h"

#include "core/platform/file_lock.h"
#include "core/platform/path_text.h"
#include "core/registration/discovery.h"
#include "core/registration/registration_driver.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace ft::registration {
using workspace::Datum;
using workspace::WorkingFileKind;
namespace {

namespace fs = std::filesystem;
using test::SurveyFile;

class RegistrationHazardsTest : public RegistrationTest {
protected:
    // Writes the set with one data set time and returns its entry as the
    // folder walk forms it.
    static TargetEntry written(test::DataSetBuilder set)
    {
        for (const SurveyFile kind :
             {SurveyFile::Header, SurveyFile::Outlines, SurveyFile::Points, SurveyFile::Parcels})
            set.setModificationTime(kind, {2024, 3, 1, 10, 0, 0});
        return MakeTargetEntry(set.write());
    }

    RegistrationResult registerAll(const std::vector<TargetEntry>& entries)
    {
        TargetList targets;
        for (const TargetEntry& entry : entries)
            targets.append(entry);
        return RegisterTargets(state, targets, progress);
    }

    int sheetsOf(int fileNo)
    {
        const std::vector<int> fileNos =
            workingFileNos(WorkingFileKind::SheetOutlines, Datum::World);
        return static_cast<int>(std::count(fileNos.begin(), fileNos.end(), fileNo));
    }

    fs::path marker() const { return RunMarkerPath(dataFolder.path()); }
};

TEST_F(RegistrationHazardsTest, AControlByteInANameNeverCostsOtherSetsTheirOutlines)
{
    // In a frame file of 300-byte blocks a Ctrl-Z is data, not the end.
    test::DataSetBuilder a = validSet("A", 2);
    a.setFrameForm(test::FrameForm::Blocks)
        .addSheetFrame({"Z\x1aY", "500", {0.0, 0.0, 0.0, 9.0, 9.0, 9.0, 9.0, 0.0}});
    ASSERT_EQ(registerAll({written(a), written(validSet("B", 2))}).registered, 2);
    EXPECT_NE(workingBytes(WorkingFileKind::SheetOutlines, Datum::World).find("\nZ Y,500,"),
              std::string::npos);

    // A later run that drops records (those of a set that fails) rewrites
    // the file through its reader.
    test::DataSetBuilder broken = validSet("C", 2);
    broken.addPoint({"Ｐ９", "abc", "0.000"});
    ASSERT_EQ(registerAll({written(broken)}).failed.size(), 1u);
    EXPECT_EQ(sheetsOf(1), 4);
    EXPECT_EQ(sheetsOf(2), 3);
    EXPECT_EQ(sheetsOf(3), 0);
}

TEST_F(RegistrationHazardsTest, ASetWhoseMapRowsTheCatalogueRefusesFailsAndLeavesNothing)
{
    state.catalogue(Datum::World)
        .ExecSQL("CREATE TRIGGER refuse BEFORE INSERT ON MAP BEGIN SELECT RAISE(ABORT, 'no'); END");
    const RegistrationResult result = registerAll({written(validSet("A", 2))});
    EXPECT_EQ(result.registered, 0);
    ASSERT_EQ(result.failed.size(), 1u);
    EXPECT_NE(result.failed[0].reason.find("convertMapToDB failed"), std::string::npos);
    EXPECT_EQ(tableCounts(Datum::World), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(workingBytes(WorkingFileKind::SheetOutlines, Datum::World), "");
}

TEST_F(RegistrationHazardsTest, AZeroByteInASheetNameFailsTheSetNamingFileAndRecord)
{
    test::DataSetBuilder set = validSet("A", 2);
    set.addRawLine(SurveyFile::MapSheets, std::string("M\0", 2) + "1,500,0,0,1,1");
    const RegistrationResult result = registerAll({written(set)});
    EXPECT_EQ(result.registered, 0);
    ASSERT_EQ(result.failed.size(), 1u);
    EXPECT_EQ(result.failed[0].reason.rfind(
                  set.path(SurveyFile::MapSheets).string() + " cannot be read: record 3: ", 0),
              0u)
        << result.failed[0].reason;
    EXPECT_EQ(tableCounts(Datum::World), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(workingBytes(WorkingFileKind::SheetOutlines, Datum::World), "");
}

TEST_F(RegistrationHazardsTest, APathCp932CannotHoldRegistersKeptExactlyAndTracedEscaped)
{
    const RegistrationResult result = registerAll({written(validSet("A", 2, "Müller😀"))});
    EXPECT_EQ(result.registered, 1);
    EXPECT_EQ(rows(Datum::World, "SELECT PATH FROM FILE"),
              (std::vector<std::vector<std::string>>{
                  {platform::pathText(sources.path() / platform::pathFromText("Müller😀") / "A")}}));
    const auto lines = linesOf(test::readBytes(dataFolder / "test.log"));
    const std::string escaped = platform::pathText(sources / "M\\u00FCller\\U0001F600" / "A");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "storeFileName,1," + escaped + ",1"),
              lines.end());
}

TEST_F(RegistrationHazardsTest, OneDataSetRegistersOnceWhicheverLinkLeadsToIt)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows lets only administrators or developer mode make symbolic links";
#endif
    const TargetEntry viaFolder = written(validSet("A", 2, "real"));
    fs::create_directory_symlink(sources / "real", sources / "link");
    TargetEntry viaLink = viaFolder;
    viaLink.headerPath = sources / "link" / "A.hed";

    EXPECT_EQ(registerAll({viaLink}).registered, 1);
    EXPECT_EQ(rows(Datum::World, "SELECT PATH FROM FILE"),
              (std::vector<std::vector<std::string>>{{(sources / "real" / "A").string()}}));
    RegistrationResult again = registerAll({viaFolder});
    EXPECT_EQ(again.registered, 0);
    EXPECT_EQ(again.alreadyRegistered, 1);

    // A registration stored under the link path still counts.
    state.catalogue(Datum::World)
        .ExecSQL("UPDATE FILE SET PATH = '" + (sources / "link" / "A").string() + "'");
    again = registerAll({viaFolder});
    EXPECT_EQ(again.registered, 0);
    EXPECT_EQ(again.alreadyRegistered, 1);
}

TEST_F(RegistrationHazardsTest, ARunKeepsItsMarkerFromItsStartToItsCleanEnd)
{
    class MarkerWatch final : public platform::Progress {
    public:
        explicit MarkerWatch(fs::path marker) : m_marker(std::move(marker)) {}
        void showStatus(const QString&) override { seenWhileRunning |= fs::exists(m_marker); }
        void processEvents() override {}
        void beginBusy() override {}
        void endBusy() override {}
        bool seenWhileRunning = false;

    private:
        fs::path m_marker;
    } watch(marker());
    TargetList targets;
    targets.append(written(validSet("A", 2)));
    EXPECT_EQ(RegisterTargets(state, targets, watch).registered, 1);
    EXPECT_TRUE(watch.seenWhileRunning);
    EXPECT_FALSE(fs::exists(marker()));
}

TEST_F(RegistrationHazardsTest, AStartAfterAnInterruptedRunTidiesUnlessARunHoldsTheFolder)
{
    ASSERT_EQ(registerAll({written(validSet("A", 2))}).registered, 1);
    const std::string registeredSheets = workingBytes(WorkingFileKind::SheetOutlines, Datum::World);
    // What a run that was killed while registering a second set left.
    state.catalogue(Datum::World).ExecSQL("INSERT INTO MAP VALUES ('orphan', 7, 500, 0, 0, 0);");
    test::writeBytes(state.workingFile(WorkingFileKind::SheetOutlines, Datum::World),
                     registeredSheets + "orphan,500,0.000,0.000,9.000,9.000,7,\r\n");
    test::writeBytes(marker(), "");

    {
        // Another run holds the folder: the marker may be its own.
        const platform::FileLock running(dataFolder / "findTavla.lock");
        EXPECT_FALSE(TidyAfterInterruptedRun(state));
        EXPECT_EQ(count(Datum::World, "MAP"), 3);
        EXPECT_TRUE(fs::exists(marker()));
    }
    EXPECT_TRUE(TidyAfterInterruptedRun(state));
    EXPECT_EQ(tableCounts(Datum::World), (std::vector<int>{1, 7, 2, 6, 2}));
    EXPECT_EQ(workingBytes(WorkingFileKind::SheetOutlines, Datum::World), registeredSheets);
    EXPECT_FALSE(fs::exists(marker()));
    EXPECT_FALSE(TidyAfterInterruptedRun(state));
}

// One damaged catalogue, found so when the program opened it or only later,
// never costs the other datum its registrations, and is left as it is.
struct DamagedCatalogue {
    const char* name;
    bool whileOpen; // damaged after the program opened it
    std::function<void(const fs::path&)> damage;
};

class DamagedCatalogueTest : public RegistrationHazardsTest,
                             public ::testing::WithParamInterface<DamagedCatalogue> {
protected:
    void SetUp() override
    {
        RegistrationHazardsTest::SetUp();
#ifdef _WIN32
        // The fixture's own program holds the catalogue open, and Windows
        // deletes no file that is open.
        if (std::string_view(GetParam().name) == "AFolderInItsPlace")
            GTEST_SKIP() << "Windows cannot delete the catalogue the fixture holds open";
#endif
    }

    fs::path damaged() const
    {
        return state.cataloguePath(Datum::Japanese);
    }

    std::string damagedContents() const
    {
        return fs::is_directory(damaged()) ? "a folder" : test::readBytes(damaged());
    }

    // The program's state after the damage: the fixture's own when it was
    // open already, a new start otherwise.
    workspace::Workspace& afterTheDamage()
    {
        GetParam().damage(damaged());
        if (!GetParam().whileOpen)
            m_restarted.emplace(dataFolder.path(), settingsFolder.path());
        return m_restarted ? *m_restarted : state;
    }

    void expectCatalogueNamed(const std::string& reason) const
    {
        EXPECT_EQ(reason.rfind("The catalogue " + damaged().string() + " cannot be opened. ", 0),
                  0u)
            << reason;
    }

    std::optional<workspace::Workspace> m_restarted;
};

TEST_P(DamagedCatalogueTest, TheOtherDatumRegistersAndTheDamagedOneIsLeftAlone)
{
    ASSERT_EQ(registerAll({written(validSet("J1", 1))}).registered, 1);
    const std::string japaneseSheets =
        workingBytes(WorkingFileKind::SheetOutlines, Datum::Japanese);
    const TargetEntry japanese = written(validSet("J2", 1));
    workspace::Workspace& program = afterTheDamage();
    const std::string before = damagedContents();

    TargetList targets;
    targets.append(written(validSet("W", 2)));
    targets.append(japanese);
    const RegistrationResult result = RegisterTargets(program, targets, progress);

    EXPECT_EQ(result.registered, 1);
    ASSERT_EQ(result.failed.size(), 1u);
    EXPECT_EQ(result.failed[0].headerPath, japanese.headerPath);
    expectCatalogueNamed(result.failed[0].reason);
    EXPECT_EQ(count(Datum::World, "FILE"), 1);
    EXPECT_EQ(workingBytes(WorkingFileKind::Extent, Datum::World),
              "2000.000,1000.000,2200.000,1400.000,\r\n");
    EXPECT_EQ(damagedContents(), before);
    EXPECT_EQ(workingBytes(WorkingFileKind::SheetOutlines, Datum::Japanese), japaneseSheets);
    EXPECT_FALSE(fs::exists(marker()));
}

// The file route and the command-line tool's headers take the other driver.
TEST_P(DamagedCatalogueTest, HeadersOneAfterAnotherFailOnlyInTheDamagedDatum)
{
    const TargetEntry japanese = written(validSet("J", 1));
    const TargetEntry world = written(validSet("W", 2));
    workspace::Workspace& program = afterTheDamage();

    const std::vector<EntryResult> results = RegisterEntries(program, {japanese, world}, progress);

    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].outcome, SetOutcome::Failed);
    expectCatalogueNamed(results[0].reason);
    EXPECT_EQ(results[1].outcome, SetOutcome::Registered);
    EXPECT_EQ(count(Datum::World, "FILE"), 1);
}

// What an interrupted run left in the damaged catalogue is tidied once it can
// be read again: the marker stays; the other datum is tidied now.
TEST_P(DamagedCatalogueTest, AStartAfterAnInterruptedRunTidiesTheOtherAndKeepsTheMarker)
{
    state.catalogue(Datum::World).ExecSQL("INSERT INTO MAP VALUES ('orphan', 7, 500, 0, 0, 0);");
    test::writeBytes(marker(), "");
    workspace::Workspace& program = afterTheDamage();

    EXPECT_TRUE(TidyAfterInterruptedRun(program));
    EXPECT_EQ(count(Datum::World, "MAP"), 0);
    EXPECT_TRUE(fs::exists(marker()));
}

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedCatalogueTest,
    ::testing::Values(DamagedCatalogue{"NotADatabase", false,
                                       [](const fs::path& file) {
                                           test::writeBytes(
                                               file, "not a database, but long enough for a page");
                                       }},
                      DamagedCatalogue{"AFolderInItsPlace", false,
                                       [](const fs::path& file) {
                                           fs::remove(file);
                                           fs::create_directory(file);
                                       }},
                      DamagedCatalogue{"WrittenOverWhileOpen", true,
                                       [](const fs::path& file) {
                                           test::writeBytes(
                                               file, "not a database, but long enough for a page");
                                       }},
                      DamagedCatalogue{"EmptiedWhileOpen", true,
                                       [](const fs::path& file) { fs::resize_file(file, 0); }}),
    [](const ::testing::TestParamInfo<DamagedCatalogue>& info) { return info.param.name; });

} // namespace
} // namespace ft::registration
