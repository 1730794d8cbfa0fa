#include "cli/register_command.h"

#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <stdexcept>

namespace ft::cli {
namespace {

using Paths = std::vector<std::filesystem::path>;

// Answers as told and records each call: a folder, or one batch of headers.
class ScriptedRegistrar final : public Registrar {
public:
    FolderResult registerFolder(const std::filesystem::path& folder) override
    {
        calls.push_back({folder});
        if (folder == throwing)
            throw std::runtime_error("the catalogue cannot be opened");
        return folders[folder];
    }
    std::vector<HeaderResult> registerHeaders(const Paths& headers) override
    {
        calls.push_back(headers);
        std::vector<HeaderResult> results;
        for (const auto& header : headers)
            results.push_back(this->headers[header]);
        return results;
    }

    std::map<std::filesystem::path, FolderResult> folders;
    std::map<std::filesystem::path, HeaderResult> headers;
    std::vector<Paths> calls;
    std::filesystem::path throwing; // a folder whose registration throws
};

class RegisterCommandTest : public ::testing::Test {
protected:
    RegisterCommandTest()
    {
        std::filesystem::create_directories(m_sets);
        for (const auto& file : {m_a, m_b, m_other})
            test::writeBytes(file, "");
    }

    int run(const Paths& paths) { return runRegister(paths, m_registrar, m_out, m_err); }

    test::TempFolder m_folder;
    std::filesystem::path m_sets = m_folder / "sets";
    std::filesystem::path m_a = m_folder / "A.hed";
    std::filesystem::path m_b = m_folder / "B.HED";
    std::filesystem::path m_other = m_folder / "A.pol";
    ScriptedRegistrar m_registrar;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(RegisterCommandTest, HeadersInARowGoToTheDriverTogetherInOrder)
{
    m_registrar.folders[m_sets] = {3, {}, {}, {}};
    m_registrar.headers[m_a] = {Registrar::HeaderOutcome::Registered, {}};
    m_registrar.headers[m_b] = {Registrar::HeaderOutcome::AlreadyRegistered, {}};

    EXPECT_EQ(run({m_a, m_b, m_sets, m_a}), 0);
    EXPECT_EQ(m_registrar.calls, (std::vector<Paths>{{m_a, m_b}, {m_sets}, {m_a}}));
    EXPECT_EQ(m_out.str(), "5件登録しました\n"); // one line for every path
    EXPECT_NE(m_err.str().find("B.HED: already registered"), std::string::npos);
}

TEST_F(RegisterCommandTest, AFolderWithNothingNewIsNoFailure)
{
    EXPECT_EQ(run({m_sets}), 0);
    EXPECT_EQ(m_out.str(), "0件登録しました\n");
}

TEST_F(RegisterCommandTest, ProblemSetsOfAFolderAreListedBeforeItsCount)
{
    // SQLite's designed text breaks its lines with carriage returns alone.
    m_registrar.folders[m_sets] = {
        2, {{m_sets / "X.hed", "no FILE row\n\nError executing SQL.\rbad number"}}, {}, {}};
    EXPECT_EQ(run({m_sets}), 1);
    EXPECT_EQ(m_out.str(), (m_sets / "X.hed").string() + "は登録できません\n2件登録しました\n");
    EXPECT_NE(m_err.str().find("Error executing SQL.\nbad number"), std::string::npos);
}

TEST_F(RegisterCommandTest, FailedHeadersAndOtherPathsAreRefused)
{
    m_registrar.headers[m_a] = {Registrar::HeaderOutcome::Failed, "cannot read .pnt"};
    // A relative path is reported, and would be registered, as an absolute one.
    const std::filesystem::path missing = "no-such-set.hed";
    EXPECT_EQ(run({m_a, m_other, missing}), 1);
    const std::string absoluteMissing = std::filesystem::absolute(missing).string();
    EXPECT_EQ(m_out.str(), m_a.string() + "は登録できません\n" + m_other.string() +
                               "は登録できません\n" + absoluteMissing +
                               "は登録できません\n0件登録しました\n");
    EXPECT_EQ(m_registrar.calls, (std::vector<Paths>{{m_a}})); // only the header reached it
    EXPECT_NE(m_err.str().find("cannot read .pnt"), std::string::npos);
}

TEST_F(RegisterCommandTest, APathThatCannotBeExaminedIsRefusedAloneAndTheRestGoOn)
{
    // A link to itself cannot even be looked at; an empty argument (an
    // unset shell variable) names nothing.
#ifdef _WIN32
    GTEST_SKIP() << "Windows lets only administrators or developer mode make symbolic links";
#endif
    const std::filesystem::path loop = m_folder / "loop.hed";
    std::filesystem::create_symlink(loop, loop);
    m_registrar.headers[m_a] = {Registrar::HeaderOutcome::Registered, {}};
    m_registrar.folders[m_sets] = {1, {}, {}, {}};

    EXPECT_EQ(run({m_a, loop, "", m_sets}), 1);
    EXPECT_EQ(m_registrar.calls, (std::vector<Paths>{{m_a}, {m_sets}}));
    EXPECT_EQ(m_out.str(), loop.string() + "は登録できません\nは登録できません\n2件登録しました\n");
}

// What the walk passed by is named on standard error; only the given folder
// being unreadable fails the command.
TEST_F(RegisterCommandTest, WhatTheWalkPassedByIsNamedAndAnUnreadableGivenFolderFails)
{
    Registrar::FolderResult walked{1, {}, {}, {}};
    walked.passedBy.incompleteSets = {m_sets / "N.hed"};
    walked.passedBy.unreadableFolders = {m_sets / "locked"};
    m_registrar.folders[m_sets] = walked;
    EXPECT_EQ(run({m_sets}), 0);
    EXPECT_EQ(m_out.str(), "1件登録しました\n");
    EXPECT_NE(m_err.str().find((m_sets / "N.hed").string() + ": not listed"), std::string::npos);
    EXPECT_NE(m_err.str().find((m_sets / "locked").string() + ": folder passed by"),
              std::string::npos);

    Registrar::FolderResult unreadable;
    unreadable.passedBy.unreadableFolders = {m_sets};
    m_registrar.folders[m_sets] = unreadable;
    m_out.str({});
    EXPECT_EQ(run({m_sets}), 1);
    EXPECT_EQ(m_out.str(), m_sets.string() + "は登録できません\n0件登録しました\n");
    EXPECT_NE(m_err.str().find("cannot be read"), std::string::npos);
}

// Two folders: one count line; the sets each skipped as registered already
// are named on standard error.
TEST_F(RegisterCommandTest, FoldersGiveOneCountAndNameWhatTheySkipped)
{
    const std::filesystem::path more = m_folder / "more";
    std::filesystem::create_directories(more);
    m_registrar.folders[m_sets] = {2, {}, {m_sets / "Old.hed"}, {}};
    m_registrar.folders[more] = {1, {}, {}, {}};
    EXPECT_EQ(run({m_sets, more}), 0);
    EXPECT_EQ(m_out.str(), "3件登録しました\n");
    EXPECT_NE(m_err.str().find((m_sets / "Old.hed").string() + ": already registered"),
              std::string::npos);
}

// A folder whose only sets lack their siblings registered nothing it was
// asked to; a registration that throws is refused before the count, and the
// other paths still go on.
TEST_F(RegisterCommandTest, UnusableFoldersFailAndAnErrorComesBeforeTheCount)
{
    Registrar::FolderResult incomplete;
    incomplete.passedBy.incompleteSets = {m_sets / "N.hed"};
    m_registrar.folders[m_sets] = incomplete;
    EXPECT_EQ(run({m_sets}), 1);
    EXPECT_EQ(m_out.str(), m_sets.string() + "は登録できません\n0件登録しました\n");

    const std::filesystem::path broken = m_folder / "broken";
    std::filesystem::create_directories(broken);
    m_registrar.throwing = broken;
    m_registrar.folders[m_sets] = {2, {}, {}, {}};
    m_out.str({});
    m_err.str({});
    EXPECT_EQ(run({m_sets, broken}), 2);
    EXPECT_EQ(m_out.str(), broken.string() + "は登録できません\n2件登録しました\n");
    EXPECT_NE(m_err.str().find("the catalogue cannot be opened"), std::string::npos);
}

} // namespace
} // namespace ft::cli
