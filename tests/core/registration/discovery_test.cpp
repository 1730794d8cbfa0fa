// The folder walk, header classification and the target entries it makes.

#include "registration_fixture.h"

#include "core/registration/discovery.h"
#include "core/registration/target_list.h"

#include <filesystem>

#include <climits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ft::registration {
namespace {

namespace fs = std::filesystem;
using test::DataSetBuilder;
using test::HeaderRecord;
using test::SurveyFile;

class DiscoveryTest : public ::testing::Test {
protected:
    // A data set whose header's field 9 holds `datumField`.
    fs::path writeSet(const fs::path& folder, const std::string& name,
                      const std::string& datumField, int fieldCount = 9)
    {
        DataSetBuilder set(folder, name);
        set.setHeader(HeaderRecord("9", "作成者", "地区", datumField, fieldCount));
        return set.write();
    }

    std::vector<std::string> collectedTexts()
    {
        TargetList targets;
        PassedBy passedBy;
        CollectDataSets(root.path(), targets, progress, passedBy);
        std::vector<std::string> texts;
        for (const TargetEntry& entry : targets.entries())
            texts.push_back(EntryText(entry) + (entry.checked ? " [x]" : " [ ]"));
        return texts;
    }

    std::string relative(const std::string& name) { return (root.path() / name).string(); }

    test::TempFolder root;
    RecordingProgress progress;
};

TEST_F(DiscoveryTest, ClassifiesEveryCandidateAndListsOnlyCompleteSetsInNameOrder)
{
    DataSetBuilder japanese(root.path() / "b", "A", 1);
    test::LocalTime time{2023, 12, 31, 23, 59, 58};
    japanese.setModificationTime(SurveyFile::Header, time);
    japanese.setModificationTime(SurveyFile::Outlines, time);
    japanese.setModificationTime(SurveyFile::Points, time);
    japanese.setModificationTime(SurveyFile::Parcels, {2023, 1, 2, 3, 4, 5});
    japanese.write();
    writeSet(root.path() / "a", "W", " 2 ");  // blanks around the code
    writeSet(root.path() / "a", "X", "3");    // no datum of ours
    writeSet(root.path() / "a", "Y", "2", 8); // too few fields
    DataSetBuilder(root.path() / "a", "Z")
        .omit(SurveyFile::Parcels)
        .write(); // no .atr: no candidate
    DataSetBuilder(root.path() / "a", "U")
        .setRawBytes(SurveyFile::Header, "")
        .write(); // empty header

    const std::vector<std::string> texts = collectedTexts();

    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0], relative("a/U.hed [ ]"));
    EXPECT_EQ(texts[1].substr(0, relative("a/W.hed,2,世界測地系,").size()),
              relative("a/W.hed,2,世界測地系,"));
    EXPECT_TRUE(texts[1].ends_with(" [x]"));
    EXPECT_EQ(texts[2], relative("a/X.hed [ ]"));
    EXPECT_EQ(texts[3], relative("a/Y.hed [ ]"));
    // The latest of the four files' times, in the fixed form.
    EXPECT_EQ(texts[4], relative("b/A.hed,1,日本測地系,2023/12/31 23:59:58 [x]"));
}

TEST_F(DiscoveryTest, TheWalkKeepsToRealVisibleFoldersAndExactLowerCaseExtensions)
{
    writeSet(root.path() / ".hidden", "H", "2");
    writeSet(root.path() / "sub", "S", "2");
    writeSet(root.path(), "UPPER", "2");
    fs::rename(root.path() / "UPPER.hed", root.path() / "UPPER.HED");
    test::TempFolder elsewhere;
    writeSet(elsewhere.path(), "L", "2");
    fs::create_directory_symlink(elsewhere.path(), root.path() / "link");

    std::vector<fs::path> found;
    std::vector<fs::path> unreadable;
    ScanTally tally;
    FindHeaderFiles(root.path(), ".hed", found, tally, unreadable);
    EXPECT_TRUE(unreadable.empty());

    EXPECT_EQ(found, (std::vector<fs::path>{root.path() / "sub/S.hed"}));
    // The root and "sub": neither the hidden folder nor the link is read.
    EXPECT_EQ(tally.snapshot().foldersRead, 2);
    EXPECT_EQ(tally.snapshot().headersFound, 1);
    EXPECT_EQ(tally.snapshot().currentFolder, root.path() / "sub");
}

// A stop takes effect before the next folder: what was found stays found and
// is formed into entries; nothing after the stop is read.
TEST_F(DiscoveryTest, AStoppedWalkReadsNoFurtherFolderAndKeepsWhatItFound)
{
    writeSet(root.path() / "a", "A", "2");
    writeSet(root.path() / "b", "B", "2");
    ScanTally tally;
    Discovery found;
    RunScan(progress, tally, [&] {
        DiscoverDataSets(root.path() / "a", tally, found);
        tally.requestStop();
        DiscoverDataSets(root.path() / "b", tally, found);
    });
    ASSERT_EQ(found.candidates.size(), 1u);
    EXPECT_EQ(found.candidates[0].headerPath, root.path() / "a/A.hed");
    EXPECT_TRUE(found.candidates[0].checked);
    EXPECT_EQ(tally.snapshot().foldersRead, 1);
    ASSERT_EQ(progress.scanEnds.size(), 1u);
    EXPECT_EQ(progress.scanEnds[0].headersFound, 1);
    EXPECT_TRUE(progress.scanEnds[0].currentFolder.empty());

    // Asked to stop before the walk began: no folder is read.
    progress.stopScans = true;
    ScanTally stopped;
    Discovery none;
    RunScan(progress, stopped, [&] { DiscoverDataSets(root.path(), stopped, none); });
    EXPECT_TRUE(none.candidates.empty());
    EXPECT_EQ(stopped.snapshot().foldersRead, 0);
}

TEST_F(DiscoveryTest, AWalkThatFailsIsReportedOnTheCallersThreadAndItsShowingEnds)
{
    ScanTally tally;
    EXPECT_THROW(RunScan(progress, tally, [] { throw std::runtime_error("disk gone"); }),
                 std::runtime_error);
    EXPECT_EQ(progress.scanEnds.size(), 1u);
}

// A header stands once in the target list, however the walk reached it.
TEST_F(DiscoveryTest, TheTargetListHoldsEachHeaderOnceByItsCanonicalPath)
{
    const fs::path a = writeSet(root.path() / "a", "A", "2");
    fs::create_directory_symlink(root.path() / "a", root.path() / "link");
    TargetList targets;
    const struct {
        fs::path path;
        bool appended;
    } cases[] = {
        {a, true},
        {a, false},
        {root.path() / "a/../a/./A.hed", false},
        {root.path() / "link/A.hed", false},
        {root.path() / "a/B.hed", true}, // another header, even if absent
        {root.path() / "a/A.HED", true}, // names differ in case: another file
    };
    for (const auto& c : cases)
        EXPECT_EQ(targets.append(TargetEntry{c.path, "2", "t", true}), c.appended) << c.path;
    EXPECT_EQ(targets.size(), 3u);

    targets.clear();
    EXPECT_TRUE(targets.append(TargetEntry{a, "2", "t", true}));

    // Collecting the same folder twice appends its sets once.
    TargetList collected;
    PassedBy passedBy;
    EXPECT_EQ(CollectDataSets(root.path(), collected, progress, passedBy), 1);
    EXPECT_EQ(CollectDataSets(root.path() / "link", collected, progress, passedBy), 0);
    EXPECT_EQ(collected.size(), 1u);
}

// A folder whose path is longer than a program may open: not even root can
// read it. Made one step at a time from its parent's open handle.
fs::path unreadableFolderBelow(const fs::path& parent)
{
    const std::string name(200, 'd');
    fs::create_directories(parent);
    fs::path path = parent;
    int folder = ::open(parent.c_str(), O_DIRECTORY | O_RDONLY);
    while (folder >= 0 && path.string().size() <= PATH_MAX) {
        ::mkdirat(folder, name.c_str(), 0755);
        const int next = ::openat(folder, name.c_str(), O_DIRECTORY | O_RDONLY);
        ::close(folder);
        folder = next;
        path /= name;
    }
    if (folder >= 0)
        ::close(folder);
    return path;
}

// Sets a walk passes by are still not targets, but are reported: headers
// without a required sibling, and folders that cannot be read.
TEST_F(DiscoveryTest, WhatTheWalkPassesByIsReported)
{
    writeSet(root.path() / "a", "A", "2");
    DataSetBuilder(root.path() / "a", "Z").omit(SurveyFile::Parcels).write();
    DataSetBuilder(root.path(), "P").omit(SurveyFile::Points).write();
    const fs::path deep = unreadableFolderBelow(root.path() / "deep");

    TargetList targets;
    PassedBy passedBy;
    EXPECT_EQ(CollectDataSets(root.path(), targets, progress, passedBy), 1);
    EXPECT_EQ(passedBy.incompleteSets,
              (std::vector<fs::path>{root.path() / "P.hed", root.path() / "a/Z.hed"}));
    EXPECT_EQ(passedBy.unreadableFolders, std::vector<fs::path>{deep});

    PassedBy missing;
    EXPECT_EQ(CollectDataSets(root.path() / "none", targets, progress, missing), 0);
    EXPECT_EQ(missing.unreadableFolders, std::vector<fs::path>{root.path() / "none"});
    EXPECT_TRUE(missing.incompleteSets.empty());
}

TEST_F(DiscoveryTest, AHeaderThatCannotBeReadIsNotAccepted)
{
    fs::create_directory(root.path() / "D.hed");
    EXPECT_FALSE(ClassifyHeader(root.path() / "D.hed").accepted);
    EXPECT_FALSE(ClassifyHeader(root.path() / "missing.hed").accepted);
    // Opening a named pipe would wait for a writer: the walk would hang.
    ASSERT_EQ(::mkfifo((root.path() / "F.hed").c_str(), 0644), 0);
    EXPECT_FALSE(ClassifyHeader(root.path() / "F.hed").accepted);

    const TargetEntry entry = MakeTargetEntry(root.path() / "missing.hed");
    EXPECT_FALSE(entry.checked);
    EXPECT_EQ(EntryText(entry), (root.path() / "missing.hed").string());
}

TEST_F(DiscoveryTest, TheTimeIsTakenFromTheFilesThatExist)
{
    DataSetBuilder set(root.path(), "P");
    set.omit(SurveyFile::Outlines).omit(SurveyFile::Parcels);
    set.setModificationTime(SurveyFile::Header, {2024, 2, 3, 4, 5, 6});
    set.setModificationTime(SurveyFile::Points, {2024, 2, 3, 4, 5, 7});
    const HeaderClass header = ClassifyHeader(set.write());

    EXPECT_TRUE(header.accepted);
    EXPECT_EQ(header.datumCode, "2");
    EXPECT_EQ(header.time, "2024/02/03 04:05:07");
    EXPECT_FALSE(HasRequiredSiblings(set.headerPath()));
}

TEST_F(DiscoveryTest, SiblingsSpelledInAnotherCaseBelongToTheSet)
{
    const fs::path header = writeSet(root.path(), "C", "2");
    fs::rename(root.path() / "C.pol", root.path() / "C.POL");
    fs::rename(root.path() / "C.atr", root.path() / "C.Atr");

    EXPECT_TRUE(HasRequiredSiblings(header));
    EXPECT_EQ(SiblingOf(header, ".pol"), root.path() / "C.POL");
    EXPECT_EQ(SiblingOf(header, ".pnt"), root.path() / "C.pnt");
    EXPECT_EQ(SiblingOf(header, ".xyz"), root.path() / "C.xyz");
}

TEST(TargetEntryTest, TextsReadBackIncludingPathsWithCommasAndDots)
{
    TargetEntry entry;
    entry.headerPath = "/data/a,b/A.01.hed";
    entry.datumCode = "1";
    entry.time = "2024/01/02 03:04:05";
    EXPECT_EQ(EntryText(entry), "/data/a,b/A.01.hed,1,日本測地系,2024/01/02 03:04:05");

    const TargetEntry back = ParseTargetEntry(EntryText(entry));
    EXPECT_EQ(back.headerPath, entry.headerPath);
    EXPECT_EQ(back.datumCode, "1");
    EXPECT_EQ(back.time, entry.time);
    EXPECT_EQ(back.datum(), workspace::Datum::Japanese);

    // Not a code with its own label: the whole text is the path.
    EXPECT_EQ(ParseTargetEntry("/x/A.hed,1,世界測地系,t").headerPath, "/x/A.hed,1,世界測地系,t");
    const TargetEntry alone = ParseTargetEntry("/x/a,b.hed");
    EXPECT_EQ(alone.headerPath, "/x/a,b.hed");
    EXPECT_FALSE(alone.isClassified());
    EXPECT_EQ(alone.datum(), workspace::Datum::World);

    EXPECT_EQ(BasePathOf("/d.x/A.01.hed"), "/d.x/A.01");
    EXPECT_EQ(BasePathOf("/d.x/A"), "/d.x/A");
    EXPECT_EQ(SiblingOf("/d/A.hed", ".zo1"), "/d/A.zo1");
}

} // namespace
} // namespace ft::registration
