// A registration run reports the sets found and done, and stops between sets
// when asked: what registered stays, nothing is left half registered.

#include "registration_fixture.h"

#include "core/registration/discovery.h"
#include "core/registration/registration_driver.h"

#include <set>

namespace ft::registration {
using workspace::Datum;
using workspace::WorkingFileKind;
namespace {

class RegistrationStopTest : public RegistrationTest {
protected:
    RegistrationStopTest()
    {
        for (const char* name : {"A", "B", "C"})
            entries.push_back(MakeTargetEntry(validSet(name, 2, name).write()));
    }

    std::set<int> fileNosIn(const std::string& table)
    {
        std::set<int> fileNos;
        for (const auto& row : rows(Datum::World, "SELECT FILENO FROM " + table))
            fileNos.insert(std::stoi(row.at(0)));
        return fileNos;
    }

    // The FILENOs found in every table and working file: those of the sets
    // that registered, and of no other.
    void expectOnlyRegisteredSets(const std::set<int>& registered)
    {
        for (const char* table : {"FILE", "CHIBAN", "MAP", "FTEN", "ZTEN"})
            EXPECT_EQ(fileNosIn(table), registered) << table;
        for (const WorkingFileKind kind :
             {WorkingFileKind::SheetOutlines, WorkingFileKind::Segments}) {
            const std::vector<int> records = workingFileNos(kind, Datum::World);
            EXPECT_EQ(std::set<int>(records.begin(), records.end()), registered);
        }
    }

    std::vector<TargetEntry> entries;
};

// RegisterTargets asks before each set of each pass: three times in the
// first pass, then before each chain.
TEST_F(RegistrationStopTest, AStopBetweenSetsKeepsWhatRegisteredAndLeavesNoHalfSet)
{
    struct Case {
        int stopAtQuestion;
        int registered;
        std::set<int> fileNos;
    };
    // 2: after A's map sheets, before any chain; 5: after A's chain.
    for (const Case& c : {Case{2, 0, {}}, Case{5, 1, {1}}}) {
        SCOPED_TRACE(c.stopAtQuestion);
        workspace::Workspace fresh(dataFolder.path() / std::to_string(c.stopAtQuestion),
                                   settingsFolder.path());
        TargetList targets;
        for (const TargetEntry& entry : entries)
            targets.append(entry);
        RecordingProgress stopping;
        stopping.stopAtQuestion = c.stopAtQuestion;

        const RegistrationResult result = RegisterTargets(fresh, targets, stopping);

        EXPECT_TRUE(result.stopped);
        EXPECT_EQ(result.registered, c.registered);
        EXPECT_TRUE(result.failed.empty());
        // The sets not reached are offered again.
        EXPECT_TRUE(targets[1].checked && targets[2].checked);
        ASSERT_EQ(stopping.endStates.size(), 1u);
        EXPECT_EQ(stopping.endStates.back().setsDone, c.registered);
        EXPECT_EQ(stopping.busyDepth, 0);

        // The next run registers the rest.
        RecordingProgress going;
        EXPECT_EQ(RegisterTargets(fresh, targets, going).registered, 3 - c.registered);
    }
}

TEST_F(RegistrationStopTest, AStoppedRunLeavesOnlyTheSetsItRegisteredInCatalogueAndWorkingFiles)
{
    TargetList targets;
    for (const TargetEntry& entry : entries)
        targets.append(entry);
    progress.stopAtQuestion = 5;
    EXPECT_EQ(RegisterTargets(state, targets, progress).registered, 1);
    expectOnlyRegisteredSets({1});
}

TEST_F(RegistrationStopTest, HeadersRegisteredOneByOneStopBeforeTheNextHeader)
{
    progress.stopAtQuestion = 2;
    const std::vector<EntryResult> results = RegisterEntries(state, entries, progress);
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].outcome, SetOutcome::Registered);
    EXPECT_EQ(results[1].outcome, SetOutcome::Stopped);
    EXPECT_EQ(results[2].outcome, SetOutcome::Stopped);
    expectOnlyRegisteredSets({1});
}

TEST_F(RegistrationStopTest, ARunReportsTheSetsFoundTheSetsDoneAndTheRowsWritten)
{
    TargetList targets;
    for (const TargetEntry& entry : entries)
        targets.append(entry);
    targets[1].checked = false;
    EXPECT_EQ(RegisterTargets(state, targets, progress).registered, 2);

    ASSERT_FALSE(progress.runStates.empty());
    EXPECT_EQ(progress.runStates.front().setsFound, 2);
    EXPECT_EQ(progress.runStates.front().setsDone, 0);
    int done = 0;
    bool sawSet = false;
    for (const platform::RunState& state : progress.runStates) {
        EXPECT_GE(state.setsDone, done); // never goes back
        done = state.setsDone;
        sawSet = sawSet || state.currentSet == entries[2].headerPath;
    }
    EXPECT_TRUE(sawSet);
    ASSERT_EQ(progress.endStates.size(), 1u);
    EXPECT_EQ(progress.endStates.back().setsDone, 2);
    // Each registered set also raises the change counter's row once.
    EXPECT_EQ(progress.endStates.back().rowsWritten,
              2 + count(Datum::World, "FILE") + count(Datum::World, "CHIBAN") +
                  count(Datum::World, "MAP") + count(Datum::World, "FTEN") +
                  count(Datum::World, "ZTEN") + count(Datum::World, "OOAZA") +
                  count(Datum::World, "KOAZA"));
}

} // namespace
} // namespace ft::registration
