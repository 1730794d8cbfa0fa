// findTavla-cli run as a program, as scripts run it: folders from the XDG
// variables, rows on stdout, the exit status.

#include "core/workspace/settings_file.h"

#include "devtools/dataset_builder.h"
#include "devtools/state_snapshot.h"
#include "devtools/temp_folder.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

namespace ft::cli {
using workspace::Datum;
namespace {

struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};

class CliProcessTest : public ::testing::Test {
protected:
    // Runs the tool with the data and settings folders under `home`, and a
    // limit on the size of every file it writes when `fileSizeLimit` is set.
    Finished run(const QStringList& args, const std::filesystem::path& home = {},
                 rlim_t fileSizeLimit = RLIM_INFINITY)
    {
        const std::filesystem::path folders = home.empty() ? m_folder.path() : home;
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"),
                           QString::fromStdString((folders / "data").string()));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           QString::fromStdString((folders / "config").string()));
        // The tool speaks Japanese whatever the locale says.
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        process.setProcessEnvironment(environment);
        process.setChildProcessModifier([fileSizeLimit] {
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
        process.start(QStringLiteral(FT_CLI_EXECUTABLE), args);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }

    test::TempFolder m_folder;
};

TEST_F(CliProcessTest, FreshFoldersAnEmptyListAndBadUsage)
{
    const Finished files = run({QStringLiteral("files")});
    EXPECT_EQ(files.status, 1);
    EXPECT_EQ(files.out, "PATH\tFILENO\tCREATER\tCHIKU\tSOKU\n");
    EXPECT_TRUE(std::filesystem::exists(m_folder / "data/findTavla/Dorsajpn.db"));
    EXPECT_TRUE(std::filesystem::exists(m_folder / "data/findTavla/Dorsawrd.db"));

    const Finished bad =
        run({QStringLiteral("--datum"), QStringLiteral("3"), QStringLiteral("files")});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("--datum"), std::string::npos);
}

// A command line the tool cannot read is told in Japanese whatever the
// locale, one case for each way the parser refuses.
TEST_F(CliProcessTest, UsageErrorsAreToldInJapaneseUnderTheCLocale)
{
    const std::pair<std::vector<const char*>, std::string> cases[] = {
        {{"--bogus"}, "--bogus というオプションはありません"},
        {{"--quiet=1", "files"}, "オプション --quiet は値を取りません"},
        {{"files", "--format"}, "オプション --format には値が必要です"},
        {{"files", "--format", "xml"}, "--format には tsv, csv, json のどれかを指定してください"},
        {{"search"}, "search には種類を指定してください: "},
        {{"files", "--mode", "exact"}, "オプション --mode は files には使えません"},
        {{"delete-all"}, "delete-all には --yes が必要です (削除を確かめるためのもので"},
        {{"export", "out.gpkg"}, "export には --all, --drawing のうち一つだけを指定してください"},
        {{"register"}, "register には登録するフォルダーか .hed ファイルを一つ以上指定してください"},
        {{"files", "extra"}, "files には引数が多すぎます: extra"},
    };
    for (const auto& [words, said] : cases) {
        QStringList args;
        for (const char* word : words)
            args << QString::fromUtf8(word);
        const Finished bad = run(args);
        EXPECT_EQ(bad.status, 2) << said;
        EXPECT_NE(bad.err.find("findTavla-cli: " + said), std::string::npos) << bad.err;
        EXPECT_NE(bad.err.find("使い方は「findTavla-cli --help」で表示できます。"),
                  std::string::npos);
    }
}

// The reason a set was passed by reaches the terminal in Japanese too.
TEST_F(CliProcessTest, AHeaderWithoutADatumIsRefusedInJapanese)
{
    const std::filesystem::path sets = m_folder / "sets";
    const auto header = test::DataSetBuilder::smallValidSet(sets, "C01", 2)
                            .setHeader(test::HeaderRecord("9", "x", "y", "3"))
                            .write();
    const Finished refused =
        run({QStringLiteral("register"), QString::fromStdString(sets.string())});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find(header.string() +
                               ": ヘッダーの 9 番目の項目が測地系の番号 1 か 2 ではありません"),
              std::string::npos)
        << refused.err;
}

TEST_F(CliProcessTest, DatumOptionLeavesTheSettingsFileAlone)
{
    const auto settings = m_folder / "config/findTavla/FindTavla.ini";
    workspace::writeSavedDatum(settings, ft::workspace::Datum::Japanese);
    const std::string before = test::readBytes(settings);

    const Finished search = run({QStringLiteral("--datum"), QStringLiteral("2"),
                                 QStringLiteral("search"), QStringLiteral("maps")});
    EXPECT_EQ(search.status, 1);
    EXPECT_EQ(search.out, "MAPNAME\tSCALE\tKUBUN\tFILENO\n");
    EXPECT_EQ(test::readBytes(settings), before);
}

TEST_F(CliProcessTest, AFullDiskEndsTheRunSaysSoAndTheNextRunMatchesACleanOne)
{
    const std::filesystem::path sets = m_folder / "sets";
    for (const char* name : {"A", "B", "C"})
        test::DataSetBuilder::smallValidSet(sets, name).write();
    const QStringList registerSets{QStringLiteral("register"),
                                   QString::fromStdString(sets.string())};
    ASSERT_EQ(run(registerSets, m_folder / "clean").status, 0);
    const auto clean = test::registrationSnapshot(m_folder / "clean/data/findTavla");

    // The limit meets the catalogue's index, then its write-ahead log; the
    // process ignores SIGXFSZ, so the write fails instead of killing it.
    for (const rlim_t limit : {20000, 40000}) {
        const std::filesystem::path home = m_folder / std::to_string(limit);
        const Finished full = run(registerSets, home, limit);
        EXPECT_EQ(full.status, 2) << limit;
        EXPECT_NE(
            full.err.find("ディスクの空きが足りません: " + (home / "data/findTavla").string()),
            std::string::npos)
            << full.err;
        // A replacement's temporary file ends in a dot and six letters or digits.
        for (const auto& entry : std::filesystem::directory_iterator(home / "data/findTavla")) {
            const std::string extension = entry.path().extension().string();
            EXPECT_FALSE(extension.size() == 7 &&
                         std::all_of(extension.begin() + 1, extension.end(),
                                     [](unsigned char c) { return std::isalnum(c); }))
                << entry.path();
        }

        EXPECT_EQ(run(registerSets, home).status, 0);
        EXPECT_EQ(test::registrationSnapshot(home / "data/findTavla"), clean) << limit;
    }
}

} // namespace
} // namespace ft::cli
