// Two desks on one catalogue server, each findTavla-cli a process of its own
// with its own data and settings folders: what one registers, the other
// lists and finds, whichever registered it; an office's catalogue files
// copied to the server and back.

#include "core/catalogue/catalogue_database.h"
#include "core/catalogue/change_counter.h"
#include "core/catalogue/shared_catalogue.h"
#include "core/registration/working_file_cache.h"
#include "core/workspace/workspace.h"
#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"
#include "support/catalogue_engines.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QSysInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

public:
    Finished runFor(const fs::path& desk, const QStringList& args) { return run(desk, args); }

protected:
    fs::path set(const std::string& name)
    {
        return test::DataSetBuilder::smallValidSet(m_folder / "sets", name, 2).write();
    }

    // The desk's settings name the server (with `extra` connection words).
    void pointAtServer(const fs::path& desk, const std::string& extra = {})
    {
        test::writeBytes(desk / "config/findTavla/FindTavla.ini",
                         "[catalogue]\r\nserver=" + m_server.connection() + extra + "\r\n");
    }

    static fs::path workingFile(const fs::path& desk, const std::string& extension)
    {
        return desk / "data/findTavla" / ("findTavla" + extension);
    }

    // The records of a working file in byte order: desks may hold drawings
    // in different orders.
    static std::vector<std::string> sortedRecords(const fs::path& file)
    {
        const std::string bytes = test::readBytes(file);
        std::vector<std::string> records;
        for (std::size_t at = 0; at < bytes.size();) {
            const std::size_t end = std::min(bytes.find("\r\n", at), bytes.size());
            records.push_back(bytes.substr(at, end - at));
            at = end + 2;
        }
        std::sort(records.begin(), records.end());
        return records;
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

// What a desk lists and finds, every kind of row, as one text to compare.
std::string everything(TwoDesksTest& test, const fs::path& desk, const QStringList& server)
{
    std::string rows;
    for (const QStringList& command :
         {QStringList{QStringLiteral("files")},
          QStringList{QStringLiteral("search"), QStringLiteral("parcels")},
          QStringList{QStringLiteral("search"), QStringLiteral("maps")},
          QStringList{QStringLiteral("search"), QStringLiteral("fpoints")},
          QStringList{QStringLiteral("search"), QStringLiteral("zpoints")}})
        for (const QString& datum : {QStringLiteral("1"), QStringLiteral("2")})
            rows +=
                test.runFor(desk, server + QStringList{QStringLiteral("--datum"), datum} + command)
                    .out;
    return rows;
}

TEST_F(TwoDesksTest, CataloguesCopiedToTheServerAndBackListTheSame)
{
    const QString server = QString::fromStdString(m_server.connection());
    ASSERT_EQ(run(m_deskA, {QStringLiteral("register"), QString::fromStdString(set("A"))}).status,
              0);
    const std::string onA = everything(*this, m_deskA, {});
    const QStringList copyTo{QStringLiteral("catalogue"), QStringLiteral("copy"),
                             QStringLiteral("--to"), server};
    const Finished copied = run(m_deskA, copyTo);
    ASSERT_EQ(copied.status, 0) << copied.err;
    EXPECT_EQ(copied.out, "1件の図面を複写しました\n");
    EXPECT_EQ(everything(*this, m_deskA, {QStringLiteral("--catalogue"), server}), onA);

    // A server that holds drawings is refused, and keeps them.
    const Finished again = run(m_deskA, copyTo);
    EXPECT_EQ(again.status, 1) << again.err;
    EXPECT_NE(again.err.find("--replace"), std::string::npos) << again.err;

    const Finished back = run(m_deskB, {QStringLiteral("catalogue"), QStringLiteral("copy"),
                                        QStringLiteral("--from"), server});
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(everything(*this, m_deskB, {}), onA);
}

// A row the server cannot take (text in a number column, which the files
// allow) fails the copy; the server keeps what it held, and so does --replace.
TEST_F(TwoDesksTest, AFailedCopyLeavesTheServerAsItWas)
{
    const QString server = QString::fromStdString(m_server.connection());
    ASSERT_EQ(run(m_deskA, {QStringLiteral("register"), QString::fromStdString(set("A"))}).status,
              0);
    ASSERT_EQ(run(m_deskA, {QStringLiteral("catalogue"), QStringLiteral("copy"),
                            QStringLiteral("--to"), server})
                  .status,
              0);
    const std::string onServer =
        everything(*this, m_deskA, {QStringLiteral("--catalogue"), server});
    ASSERT_EQ(run(m_deskB, {QStringLiteral("register"), QString::fromStdString(set("B"))}).status,
              0);
    catalogue::OpenCatalogueFile((m_deskB / "data/findTavla/Dorsawrd.db").string())
        ->ExecSQL("UPDATE FTEN SET OYA = 'x' WHERE rowid = (SELECT MAX(rowid) FROM FTEN)");
    const Finished failed =
        run(m_deskB, {QStringLiteral("catalogue"), QStringLiteral("copy"), QStringLiteral("--to"),
                      server, QStringLiteral("--replace")});
    EXPECT_EQ(failed.status, 2) << failed.err;
    EXPECT_EQ(everything(*this, m_deskA, {QStringLiteral("--catalogue"), server}), onServer);
}

// A role that may not create the schemas is told what to ask for; the
// statements of "catalogue init --print" make them.
TEST_F(TwoDesksTest, ARoleThatMayNotCreateIsSentToTheAdministratorsStatements)
{
    const std::string role = "desk_" + test::uniqueSchemaName();
    auto admin = catalogue::OpenServerCatalogue(m_server.connection(), "ft_admin");
    admin->ExecSQL("CREATE ROLE " + role + " LOGIN");
    const QString asDesk = QString::fromStdString(m_server.connection() + " user=" + role);
    const Finished refused =
        run(m_deskA, {QStringLiteral("--catalogue"), asDesk, QStringLiteral("files")});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("catalogue init --print"), std::string::npos) << refused.err;

    const Finished statements = run(
        m_deskA, {QStringLiteral("catalogue"), QStringLiteral("init"), QStringLiteral("--print")});
    ASSERT_EQ(statements.status, 0);
    QProcess psql;
    psql.start(QStringLiteral("psql"),
               {QStringLiteral("-q"), QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
                QString::fromStdString(m_server.connection())});
    psql.write(QByteArray::fromStdString(
        statements.out + "GRANT USAGE ON SCHEMA dorsajpn, dorsawrd TO " + role +
        "; GRANT SELECT ON ALL TABLES IN SCHEMA dorsajpn, dorsawrd TO " + role + ";\n"));
    psql.closeWriteChannel();
    ASSERT_TRUE(psql.waitForFinished(60000));
    ASSERT_EQ(psql.exitCode(), 0) << psql.readAllStandardError().toStdString();
    const Finished listed =
        run(m_deskA, {QStringLiteral("--catalogue"), asDesk, QStringLiteral("files")});
    EXPECT_EQ(listed.status, 1) << listed.err; // no drawings yet, but no refusal
    admin->ExecSQL("DROP OWNED BY " + role);
    admin->ExecSQL("DROP ROLE " + role);
}

// While one desk registers, another desk's registration and delete-all are
// refused at once, naming the desk that registers, and its searches go on.
// Afterwards both desks' overviews hold the same drawings.
TEST_F(TwoDesksTest, OneDeskRegistersAtATimeAndBothOverviewsAgreeAfterwards)
{
    pointAtServer(m_deskA);
    pointAtServer(m_deskB);
    const QString setA = QString::fromStdString(set("A"));
    ASSERT_EQ(run(m_deskA, {QStringLiteral("register"), setA}).status, 0);
    {
        // Another desk's registration, held by this process's connection.
        const auto registering = catalogue::OpenServerCatalogue(m_server.connection(), "dorsawrd");
        const catalogue::SharedRegistrationLock lock(*registering);
        const std::string host = QSysInfo::machineHostName().toStdString();
        for (const QStringList& writer :
             {QStringList{QStringLiteral("register"), QString::fromStdString(set("B"))},
              QStringList{QStringLiteral("delete-all"), QStringLiteral("--yes")}}) {
            const Finished refused = run(m_deskB, writer);
            EXPECT_EQ(refused.status, 2) << writer.join(u' ').toStdString();
            EXPECT_NE(refused.err.find(host), std::string::npos) << refused.err;
        }
        const Finished listed = run(m_deskB, {QStringLiteral("files")});
        EXPECT_EQ(listed.status, 0) << listed.err;
        EXPECT_NE(listed.out.find((m_folder / "sets/A").string()), std::string::npos);
        EXPECT_EQ(listed.out.find((m_folder / "sets/B").string()), std::string::npos);
    }
    ASSERT_EQ(run(m_deskB, {QStringLiteral("register"), QString::fromStdString(set("B"))}).status,
              0);
    // Desk A's next run (nothing new to register) brings its overview up to date.
    ASSERT_EQ(run(m_deskA, {QStringLiteral("register"), setA}).status, 0);
    for (const std::string extension : {".zu2", ".az2"}) {
        const std::vector<std::string> onA = sortedRecords(workingFile(m_deskA, extension));
        EXPECT_FALSE(onA.empty()) << extension;
        EXPECT_EQ(onA, sortedRecords(workingFile(m_deskB, extension))) << extension;
    }
    EXPECT_EQ(test::readBytes(workingFile(m_deskA, ".he2")),
              test::readBytes(workingFile(m_deskB, ".he2")));
}

// A desk's working files follow the server drawing by drawing: a drawing
// another desk added comes in, one it replaced goes, and the lines of a
// drawing that stayed are not read again.
TEST_F(TwoDesksTest, ADesksOverviewFollowsDrawingsAddedAndRemovedElsewhere)
{
    pointAtServer(m_deskA);
    const fs::path kept = set("Kept");
    const fs::path replaced = set("Replaced");
    ASSERT_EQ(run(m_deskA, {QStringLiteral("register"), QString::fromStdString(kept),
                            QString::fromStdString(replaced)})
                  .status,
              0);
    workspace::Workspace deskB(m_deskB / "data", m_deskB / "config",
                               workspace::Workspace::Traces::Off, m_server.connection());
    const auto world = workspace::Datum::World;
    EXPECT_EQ(registration::UpdateWorkingFileCache(deskB, world),
              registration::CacheUpdate::Updated);
    const fs::path sheets = deskB.workingFile(workspace::WorkingFileKind::SheetOutlines, world);
    EXPECT_EQ(sortedRecords(sheets), sortedRecords(workingFile(m_deskA, ".zu2")));
    EXPECT_EQ(registration::UpdateWorkingFileCache(deskB, world),
              registration::CacheUpdate::UpToDate);

    // A mark on this desk's copy of the kept drawing's lines: it stays only
    // if they are not read again.
    const std::string keptFileNo =
        deskB.catalogue(world)
            .GetTable("SELECT FILENO FROM FILE WHERE PATH = '" +
                      (fs::canonical(kept.parent_path()) / "Kept").string() + "'")
            .Fields(0);
    std::string bytes = test::readBytes(sheets);
    const std::size_t keptEnd = bytes.find("," + keptFileNo + ",\r\n");
    ASSERT_NE(keptEnd, std::string::npos);
    const std::size_t lineEnd = bytes.rfind('\n', keptEnd);
    bytes.insert(lineEnd == std::string::npos ? 0 : lineEnd + 1, "M");
    test::writeBytes(sheets, bytes);

    // Desk A registers the replaced set anew (it changed) and a new one.
    test::setFileTime(replaced, {2031, 1, 1, 0, 0, 0});
    ASSERT_EQ(run(m_deskA, {QStringLiteral("register"), QString::fromStdString(replaced),
                            QString::fromStdString(set("Added"))})
                  .status,
              0);
    EXPECT_EQ(registration::UpdateWorkingFileCache(deskB, world),
              registration::CacheUpdate::Updated);
    std::vector<std::string> expected = sortedRecords(workingFile(m_deskA, ".zu2"));
    const std::vector<std::string> onB = sortedRecords(sheets);
    ASSERT_EQ(onB.size(), expected.size());
    EXPECT_EQ(std::count_if(onB.begin(), onB.end(),
                            [](const std::string& record) { return record.starts_with("M"); }),
              1);
    for (std::string record : onB)
        EXPECT_NE(std::find(expected.begin(), expected.end(),
                            record.starts_with("M") ? record.substr(1) : record),
                  expected.end())
            << record;

    // After a delete-all numbers start over: a new drawing under the kept
    // drawing's old number is still read.
    ASSERT_EQ(run(m_deskA, {QStringLiteral("delete-all"), QStringLiteral("--yes")}).status, 0);
    ASSERT_EQ(
        run(m_deskA, {QStringLiteral("register"), QString::fromStdString(set("Anew"))}).status, 0);
    EXPECT_EQ(registration::UpdateWorkingFileCache(deskB, world),
              registration::CacheUpdate::Updated);
    EXPECT_EQ(sortedRecords(sheets), sortedRecords(workingFile(m_deskA, ".zu2")));
}

// A role that may only read lists and finds, and its registration and
// delete-all are refused before anything is written.
TEST_F(TwoDesksTest, AReadOnlyRoleIsRefusedBeforeAnythingIsWritten)
{
    pointAtServer(m_deskA);
    ASSERT_EQ(run(m_deskA, {QStringLiteral("register"), QString::fromStdString(set("A"))}).status,
              0);
    const auto owner = catalogue::OpenServerCatalogue(m_server.connection(), "dorsawrd");
    const std::string role = "reader_" + test::uniqueSchemaName();
    owner->ExecSQL("CREATE ROLE " + role + " LOGIN");
    owner->ExecSQL("GRANT USAGE ON SCHEMA dorsajpn, dorsawrd TO " + role);
    owner->ExecSQL("GRANT SELECT ON ALL TABLES IN SCHEMA dorsajpn, dorsawrd TO " + role);
    pointAtServer(m_deskB, " user=" + role);
    const std::int64_t changes = catalogue::ReadChangeCounter(*owner);

    const Finished listed = run(m_deskB, {QStringLiteral("files")});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_NE(listed.out.find((m_folder / "sets/A").string()), std::string::npos);
    for (const QStringList& writer :
         {QStringList{QStringLiteral("register"), QString::fromStdString(set("B"))},
          QStringList{QStringLiteral("delete-all"), QStringLiteral("--yes")}}) {
        const Finished refused = run(m_deskB, writer);
        EXPECT_EQ(refused.status, 2) << writer.join(u' ').toStdString();
        EXPECT_NE(refused.err.find(role), std::string::npos) << refused.err;
    }
    EXPECT_EQ(catalogue::ReadChangeCounter(*owner), changes);
    EXPECT_EQ(owner->GetTable("SELECT COUNT(*) FROM FILE").Fields(0), "1");
    owner->ExecSQL("DROP OWNED BY " + role);
    owner->ExecSQL("DROP ROLE " + role);
}

} // namespace
} // namespace ft::cli
