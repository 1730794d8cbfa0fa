#include "cli/register_command.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace ft::cli {
namespace {

// Answers as told and records what it was asked, in order.
class ScriptedRegistrar final : public Registrar {
public:
    FolderResult registerFolder(const std::filesystem::path& folder) override
    {
        asked.push_back(folder);
        return folders[folder];
    }
    HeaderResult registerHeader(const std::filesystem::path& header) override
    {
        asked.push_back(header);
        return headers[header];
    }

    std::map<std::filesystem::path, FolderResult> folders;
    std::map<std::filesystem::path, HeaderResult> headers;
    std::vector<std::filesystem::path> asked;
};

class RegisterCommandTest : public ::testing::Test {
protected:
    RegisterCommandTest()
    {
        std::filesystem::create_directories(m_folder / "sets");
        test::writeBytes(m_header, "");
        test::writeBytes(m_upperHeader, "");
        test::writeBytes(m_other, "");
    }

    int run(const std::vector<std::filesystem::path>& paths)
    {
        return runRegister(paths, m_registrar, m_out, m_err);
    }

    test::TempFolder m_folder;
    std::filesystem::path m_header = m_folder / "A.hed";
    std::filesystem::path m_upperHeader = m_folder / "B.HED";
    std::filesystem::path m_other = m_folder / "A.pol";
    ScriptedRegistrar m_registrar;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(RegisterCommandTest, FoldersReportTheirCountAndHeadersOnlyTheirRefusal)
{
    m_registrar.folders[m_folder / "sets"] = {3, 0};
    m_registrar.headers[m_header] = Registrar::HeaderResult::Registered;
    m_registrar.headers[m_upperHeader] = Registrar::HeaderResult::AlreadyRegistered;

    EXPECT_EQ(run({m_folder / "sets", m_header, m_upperHeader}), 0);
    EXPECT_EQ(m_out.str(), "3件登録しました\n");
    EXPECT_EQ(m_registrar.asked,
              (std::vector<std::filesystem::path>{m_folder / "sets", m_header, m_upperHeader}));
    EXPECT_NE(m_err.str().find("B.HED"), std::string::npos);
}

TEST_F(RegisterCommandTest, AFolderWithNothingNewIsNoFailure)
{
    m_registrar.folders[m_folder / "sets"] = {0, 0};
    EXPECT_EQ(run({m_folder / "sets"}), 0);
    EXPECT_EQ(m_out.str(), "0件登録しました\n");
}

TEST_F(RegisterCommandTest, FailedSetsAndRefusedPathsAnswerOne)
{
    m_registrar.folders[m_folder / "sets"] = {2, 1};
    EXPECT_EQ(run({m_folder / "sets"}), 1);
    EXPECT_EQ(m_out.str(), "2件登録しました\n");

    m_out.str({});
    m_registrar.headers[m_header] = Registrar::HeaderResult::Failed;
    const auto missing = m_folder / "gone.hed";
    EXPECT_EQ(run({m_header, m_other, missing}), 1);
    EXPECT_EQ(m_out.str(), m_header.string() + "は登録できません\n" + m_other.string() +
                               "は登録できません\n" + missing.string() + "は登録できません\n");
    // Only the header went to the driver.
    EXPECT_EQ(m_registrar.asked.back(), m_header);
}

} // namespace
} // namespace ft::cli
