// Two desks on one catalogue server, each findTavla-cli a process of its own
// with its own data and settings folders: what one registers, the other
// lists and finds, whichever registered it.

#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"
#include "support/catalogue_engines.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

namespace ft::cli {
namespace {

namespace fs = std::filesystem;

struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};

class TwoDesksTest : public ::testing::Test {
protected:
    void SetUp() override { FT_SKIP_WITHOUT_SERVER(test::Engine::Server); }

    // Runs the tool as the desk whose folders lie under `desk`.
    Finished run(const fs::path& desk, const QStringList& args)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"),
                           QString::fromStdString((desk / "data").string()));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           QString::fromStdString((desk / "config").string()));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(FT_CLI_EXECUTABLE), args);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }

    fs::path set(const std::string& name)
    {
        return test::DataSetBuilder::smallValidSet(m_folder / "sets", name, 2).write();
    }

    test::TempFolder m_folder;
    test::ServerTestDatabase m_server;
    fs::path m_deskA = m_folder / "deskA";
    fs::path m_deskB = m_folder / "deskB";
};

// Desk A names the server in its settings file, desk B on its command line.
TEST_F(TwoDesksTest, EachDeskListsAndFindsWhatTheOtherRegistered)
{
    test::writeBytes(m_deskA / "config/findTavla/FindTavla.ini",
                     "[catalogue]\r\nserver=" + m_server.connection() + "\r\n");
    const QString server = QString::fromStdString(m_server.connection());

    const Finished registeredOnA =
        run(m_deskA, {QStringLiteral("register"), QString::fromStdString(set("A"))});
    ASSERT_EQ(registeredOnA.status, 0) << registeredOnA.err;

    const Finished listedOnB =
        run(m_deskB, {QStringLiteral("--catalogue"), server, QStringLiteral("files")});
    EXPECT_EQ(listedOnB.status, 0) << listedOnB.err;
    EXPECT_EQ(listedOnB.err, ""); // no server notices on the terminal
    EXPECT_NE(listedOnB.out.find((m_folder / "sets/A").string()), std::string::npos);
    const Finished foundOnB =
        run(m_deskB, {QStringLiteral("--catalogue"), server, QStringLiteral("search"),
                      QStringLiteral("maps"), QStringLiteral("X1")});
    EXPECT_EQ(foundOnB.status, 0) << foundOnB.err;

    const Finished registeredOnB =
        run(m_deskB, {QStringLiteral("--catalogue"), server, QStringLiteral("register"),
                      QString::fromStdString(set("B"))});
    ASSERT_EQ(registeredOnB.status, 0) << registeredOnB.err;
    const Finished listedOnA = run(m_deskA, {QStringLiteral("files")});
    EXPECT_NE(listedOnA.out.find((m_folder / "sets/A").string()), std::string::npos);
    EXPECT_NE(listedOnA.out.find((m_folder / "sets/B").string()), std::string::npos);

    // Neither desk made catalogue files of its own.
    for (const fs::path& desk : {m_deskA, m_deskB})
        EXPECT_FALSE(fs::exists(desk / "data/findTavla/Dorsawrd.db")) << desk;
    // And the desk without the setting, without the option, sees its own files.
    EXPECT_EQ(run(m_deskB, {QStringLiteral("files")}).status, 1);
}

} // namespace
} // namespace ft::cli
