// The catalogue's bookkeeping of registered sets and the upkeep of the
// working files, below the driver.

#include "registration_fixture.h"

#include "core/catalogue/quoting.h"
#include "core/registration/registered_sets.h"
#include "core/registration/working_file_upkeep.h"

#include "core/platform/disk_full.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <set>

namespace ft::registration {
using workspace::Datum;
using workspace::WorkingFileKind;
namespace {

class RegistrationsTest : public RegistrationTest {
protected:
    catalogue::CatalogueDatabase& db = state.catalogue(Datum::World);

    void insertFile(const std::string& path, const std::string& time, int fileNo)
    {
        db.ExecSQL("INSERT INTO FILE VALUES ('" + catalogue::QuoteDoubled(path, '\'') + "', '" +
                   time + "', " + std::to_string(fileNo) + ", '', '', 0, 2);");
    }
};

TEST_F(RegistrationsTest, MaxFileNoLooksAtEveryTable)
{
    EXPECT_EQ(MaxFileNo(db), 0);
    insertFile("/d/A", "t", 3);
    EXPECT_EQ(MaxFileNo(db), 3);
    db.ExecSQL("INSERT INTO FTEN VALUES ('P', 8, 0, 0, 1);");
    EXPECT_EQ(MaxFileNo(db), 8);
}

TEST_F(RegistrationsTest, RegisteredMeansTheSamePathWithATimeNotEarlier)
{
    insertFile("/d/A", "2024/03/01 10:00:00", 1);
    insertFile("/d/it's", "2024/03/01 10:00:00", 2);

    EXPECT_TRUE(IsRegistered(db, "/d/A", "2024/03/01 10:00:00"));
    EXPECT_TRUE(IsRegistered(db, "/d/A", "2024/02/29 23:00:00"));
    EXPECT_FALSE(IsRegistered(db, "/d/A", "2024/03/01 10:00:01"));
    // Another set of the same folder, or the same name in another case, is not it.
    EXPECT_FALSE(IsRegistered(db, "/d/B", ""));
    EXPECT_FALSE(IsRegistered(db, "/d/a", ""));
    EXPECT_TRUE(IsRegistered(db, "/d/it's", ""));
    EXPECT_EQ(RegisteredFileNos(db, "/d/it's"), std::vector<int>{2});
}

TEST_F(RegistrationsTest, OnlyTheNewestOfSeveralRowsOfOnePathStays)
{
    insertFile("/d/A", "2024/01/01 00:00:00", 1);
    insertFile("/d/A", "2024/05/01 00:00:00", 4);
    insertFile("/d/A", "2024/05/01 00:00:00", 3);
    insertFile("/d/B", "2020/01/01 00:00:00", 2);

    std::vector<int> superseded = SupersededFileNos(db);
    std::sort(superseded.begin(), superseded.end());
    EXPECT_EQ(superseded, (std::vector<int>{1, 3}));
}

TEST_F(RegistrationsTest, DeletingRemovesEveryTablesRowsOfTheNumbersOnly)
{
    insertFile("/d/A", "t", 1);
    insertFile("/d/B", "t", 2);
    for (const int no : {1, 2}) {
        const std::string n = std::to_string(no);
        db.ExecSQL("INSERT INTO CHIBAN VALUES ('o', 'k', '1', 1, '', '', 1, 0, 0, " + n + ");");
        db.ExecSQL("INSERT INTO MAP VALUES ('m', " + n + ", 0, 0, 0, 0);");
        db.ExecSQL("INSERT INTO FTEN VALUES ('p', " + n + ", 0, 0, 1);");
        db.ExecSQL("INSERT INTO ZTEN VALUES ('z', " + n + ", 0, 0);");
    }
    db.ExecSQL("INSERT INTO MAP VALUES ('orphan', 9, 0, 0, 0, 0);");

    DeleteRegistrations(db, state.trace(), {1});
    DeleteOrphanRows(db, state.trace());

    EXPECT_EQ(tableCounts(Datum::World), (std::vector<int>{1, 1, 1, 1, 1}));
    EXPECT_EQ(tableCounts(Datum::World, " WHERE FILENO=2"), (std::vector<int>{1, 1, 1, 1, 1}));
}

TEST_F(RegistrationsTest, AFailingDeleteLeavesEveryRowInPlace)
{
    insertFile("/d/A", "t", 1);
    db.ExecSQL("INSERT INTO ZTEN VALUES ('z', 1, 0, 0);");
    db.ExecSQL(
        "CREATE TRIGGER refuse BEFORE DELETE ON ZTEN BEGIN SELECT RAISE(ABORT, 'refused'); END");

    EXPECT_THROW(DeleteRegistrations(db, state.trace(), {1}), catalogue::ESQLiteException);

    EXPECT_FALSE(db.InTransaction());
    EXPECT_EQ(tableCounts(Datum::World), (std::vector<int>{1, 0, 0, 0, 1}));
}

TEST_F(RegistrationsTest, PruningKeepsRegisteredRecordsAndMeasuresTheSheetsThatStay)
{
    const auto sheets = state.workingFile(WorkingFileKind::SheetOutlines, Datum::World);
    const auto segments = state.workingFile(WorkingFileKind::Segments, Datum::World);
    test::writeBytes(sheets, "A,500,10.000,20.000,30.000,40.000,1,\r\n"
                             "B,500,-5.000,0.000,100.000,90.000,2,\r\n"
                             "C,500,5.000,15.000,35.000,50.000,3,\r\n");
    test::writeBytes(segments, "1,1,c,d,0.000,0.000,1.000,1.000,2,1,\r\n"
                               ",,,,0.000,0.000,1.000,1.000,2,2,\r\n");

    const formats::Extent extent = PruneSheetOutlines(sheets, {1, 3});
    PruneSegments(segments, {1, 3});

    EXPECT_EQ(test::readBytes(sheets), "A,500,10.000,20.000,30.000,40.000,1,\r\n"
                                       "C,500,5.000,15.000,35.000,50.000,3,\r\n");
    EXPECT_EQ(test::readBytes(segments), "1,1,c,d,0.000,0.000,1.000,1.000,2,1,\r\n");
    EXPECT_DOUBLE_EQ(extent.qxmin, 5.0);
    EXPECT_DOUBLE_EQ(extent.qymin, 15.0);
    EXPECT_DOUBLE_EQ(extent.qxmax, 35.0);
    EXPECT_DOUBLE_EQ(extent.qymax, 50.0);
    for (const auto& entry : std::filesystem::directory_iterator(sheets.parent_path()))
        EXPECT_EQ(entry.path().string().find(sheets.string() + "."), std::string::npos)
            << entry.path();
}

// A rewrite that does not fit (here the process's file-size limit) names the
// working file, leaves it as it was and leaves no temporary file beside it.
TEST_F(RegistrationsTest, APruningThatDoesNotFitLeavesTheFileAsItWas)
{
    const auto segments = state.workingFile(WorkingFileKind::Segments, Datum::World);
    std::string bytes;
    for (int i = 0; i < 100; ++i)
        bytes += "1,1,c,d,0.000,0.000,1.000,1.000,2," + std::to_string(1 + i % 2) + ",\r\n";
    test::writeBytes(segments, bytes);
    const auto listing = [&] {
        std::set<std::filesystem::path> names;
        for (const auto& entry : std::filesystem::directory_iterator(segments.parent_path()))
            names.insert(entry.path());
        return names;
    };
    const auto before = listing();

    platform::ignoreFileSizeLimitSignal();
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    try {
        PruneSegments(segments, {1});
        ADD_FAILURE() << "no DiskFull";
    } catch (const platform::DiskFull& full) {
        EXPECT_EQ(full.file(), segments);
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(test::readBytes(segments), bytes);
    EXPECT_EQ(listing(), before);
}

TEST_F(RegistrationsTest, PruningReadsToTheRealEndPastAControlZAnEarlierVersionWrote)
{
    const auto sheets = state.workingFile(WorkingFileKind::SheetOutlines, Datum::World);
    test::writeBytes(sheets, "A\x1a,500,10.000,20.000,30.000,40.000,1,\r\n"
                             "B,500,-5.000,0.000,100.000,90.000,2,\r\n"
                             "C,500,5.000,15.000,35.000,50.000,3,\r\n");
    const formats::Extent extent = PruneSheetOutlines(sheets, {1, 3});
    EXPECT_EQ(test::readBytes(sheets), "A\x1a,500,10.000,20.000,30.000,40.000,1,\r\n"
                                       "C,500,5.000,15.000,35.000,50.000,3,\r\n");
    EXPECT_DOUBLE_EQ(extent.qymax, 50.0);
}

TEST_F(RegistrationsTest, PruningLeavesAFileWithNothingToDropUntouchedAndAMissingOneMissing)
{
    const auto sheets = state.workingFile(WorkingFileKind::SheetOutlines, Datum::Japanese);
    test::writeBytes(sheets, "A,500,10.000,20.000,30.000,40.000,1,\r\n");
    struct stat before {};
    ASSERT_EQ(::stat(sheets.c_str(), &before), 0);

    PruneSheetOutlines(sheets, {1});

    struct stat after {};
    ASSERT_EQ(::stat(sheets.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);

    const auto missing = state.workingFile(WorkingFileKind::Segments, Datum::Japanese);
    PruneSegments(missing, {});
    EXPECT_TRUE(PruneSheetOutlines(dataFolder / "none.zu1", {}).isEmpty());
    EXPECT_FALSE(std::filesystem::exists(missing));
}

} // namespace
} // namespace ft::registration
