#include "core/workspace/delete_all.h"

#include "core/workspace/workspace.h"

#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

namespace ft::workspace {
namespace {

constexpr WorkingFileKind kKinds[] = {WorkingFileKind::SheetOutlines, WorkingFileKind::Segments,
                                      WorkingFileKind::Extent};

int fileRows(Workspace& state, Datum datum)
{
    return state.catalogue(datum).GetTable("SELECT * FROM FILE").Count();
}

class DeleteAllTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const Datum datum : kDatums) {
            auto& db = m_state.catalogue(datum);
            db.ExecSQL("INSERT INTO FILE (PATH, FILENO) VALUES ('/a', 1)");
            db.ExecSQL("INSERT INTO FILE (PATH, FILENO) VALUES ('/b', 2)");
            db.ExecSQL("INSERT INTO CHIBAN (CHIBAN, FILENO) VALUES ('1-2', 1)");
            for (const WorkingFileKind kind : kKinds)
                test::writeBytes(m_state.workingFile(kind, datum), "x\r\n");
        }
        m_state.setCurrentDatum(Datum::Japanese);
    }

    test::TempFolder m_folder;
    Workspace m_state{m_folder.path(), m_folder.path()};
};

TEST_F(DeleteAllTest, EmptiesOnlyTheCurrentDatumAndItsWorkingFiles)
{
    EXPECT_EQ(registeredDrawingCountText(m_state), "2");
    deleteAllRegistrations(m_state);

    EXPECT_EQ(fileRows(m_state, Datum::Japanese), 0);
    EXPECT_EQ(m_state.catalogue(Datum::Japanese).GetTable("SELECT * FROM CHIBAN").Count(), 0);
    EXPECT_EQ(fileRows(m_state, Datum::World), 2);
    for (const WorkingFileKind kind : kKinds) {
        EXPECT_FALSE(std::filesystem::exists(m_state.workingFile(kind, Datum::Japanese)));
        EXPECT_TRUE(std::filesystem::exists(m_state.workingFile(kind, Datum::World)));
    }
    EXPECT_EQ(registeredDrawingCountText(m_state), "");

    m_state.setCurrentDatum(Datum::World);
    EXPECT_EQ(registeredDrawingCountText(m_state), "2");
}

TEST_F(DeleteAllTest, MissingWorkingFilesArePassedOver)
{
    std::filesystem::remove(m_state.workingFile(WorkingFileKind::Segments, Datum::Japanese));
    deleteAllRegistrations(m_state);
    EXPECT_FALSE(
        std::filesystem::exists(m_state.workingFile(WorkingFileKind::Extent, Datum::Japanese)));
    EXPECT_NO_THROW(deleteAllRegistrations(m_state)); // nothing left to remove
}

TEST_F(DeleteAllTest, AFailingCatalogueKeepsRowsAndWorkingFiles)
{
    m_state.catalogue(Datum::Japanese).ExecSQL("DROP TABLE ZTEN");
    EXPECT_THROW(deleteAllRegistrations(m_state), catalogue::ESQLiteException);
    EXPECT_EQ(fileRows(m_state, Datum::Japanese), 2);
    EXPECT_EQ(m_state.catalogue(Datum::Japanese).GetTable("SELECT * FROM CHIBAN").Count(), 1);
    for (const WorkingFileKind kind : kKinds)
        EXPECT_TRUE(std::filesystem::exists(m_state.workingFile(kind, Datum::Japanese)));
}

} // namespace
} // namespace ft::workspace
