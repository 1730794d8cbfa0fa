#include "app/delete_all.h"

#include "app/app_state.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace ft::app {
namespace {

constexpr WorkingFile kKinds[] = {WorkingFile::SheetOutlines, WorkingFile::Segments,
                                  WorkingFile::Extent};

int fileRows(AppState& state, int datum)
{
    return state.catalogue(datum).GetTable("SELECT * FROM FILE").Count();
}

class DeleteAllTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const int datum : {1, 2}) {
            auto& db = m_state.catalogue(datum);
            db.ExecSQL("INSERT INTO FILE (PATH, FILENO) VALUES ('/a', 1)");
            db.ExecSQL("INSERT INTO FILE (PATH, FILENO) VALUES ('/b', 2)");
            db.ExecSQL("INSERT INTO CHIBAN (CHIBAN, FILENO) VALUES ('1-2', 1)");
            for (const WorkingFile kind : kKinds)
                test::writeBytes(m_state.workingFile(kind, datum), "x\r\n");
        }
        m_state.setCurrentDatum(1);
        m_state.setDrawingsPresent(true);
    }

    test::TempFolder m_folder;
    AppState m_state{m_folder.path(), m_folder.path()};
};

TEST_F(DeleteAllTest, EmptiesOnlyTheCurrentDatumAndItsWorkingFiles)
{
    EXPECT_EQ(registeredDrawingCountText(m_state), "2");
    deleteAllRegistrations(m_state);

    EXPECT_EQ(fileRows(m_state, 1), 0);
    EXPECT_EQ(m_state.catalogue(1).GetTable("SELECT * FROM CHIBAN").Count(), 0);
    EXPECT_EQ(fileRows(m_state, 2), 2);
    for (const WorkingFile kind : kKinds) {
        EXPECT_FALSE(std::filesystem::exists(m_state.workingFile(kind, 1)));
        EXPECT_TRUE(std::filesystem::exists(m_state.workingFile(kind, 2)));
    }
    EXPECT_FALSE(m_state.drawingsPresent());
    EXPECT_EQ(registeredDrawingCountText(m_state), "");

    m_state.setCurrentDatum(2);
    EXPECT_EQ(registeredDrawingCountText(m_state), "2");
}

TEST_F(DeleteAllTest, MissingWorkingFilesArePassedOver)
{
    std::filesystem::remove(m_state.workingFile(WorkingFile::Segments, 1));
    deleteAllRegistrations(m_state);
    EXPECT_FALSE(std::filesystem::exists(m_state.workingFile(WorkingFile::Extent, 1)));
    EXPECT_NO_THROW(deleteAllRegistrations(m_state)); // nothing left to remove
}

TEST_F(DeleteAllTest, AFailingCatalogueKeepsRowsWorkingFilesAndFlag)
{
    m_state.catalogue(1).ExecSQL("DROP TABLE ZTEN");
    EXPECT_THROW(deleteAllRegistrations(m_state), catalogue::ESQLiteException);
    EXPECT_EQ(fileRows(m_state, 1), 2);
    EXPECT_EQ(m_state.catalogue(1).GetTable("SELECT * FROM CHIBAN").Count(), 1);
    for (const WorkingFile kind : kKinds)
        EXPECT_TRUE(std::filesystem::exists(m_state.workingFile(kind, 1)));
    EXPECT_TRUE(m_state.drawingsPresent());
}

} // namespace
} // namespace ft::app
