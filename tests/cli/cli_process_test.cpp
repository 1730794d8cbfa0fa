// findTavla-cli run as a program, as scripts run it: folders from the XDG
// variables, rows on stdout, the exit status.

#include "core/workspace/settings_file.h"

#include "devtools/temp_folder.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

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
    Finished run(const QStringList& args)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"),
                           QString::fromStdString((m_folder / "data").string()));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           QString::fromStdString((m_folder / "config").string()));
        process.setProcessEnvironment(environment);
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

} // namespace
} // namespace ft::cli
