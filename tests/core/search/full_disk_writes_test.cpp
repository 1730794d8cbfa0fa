// A full disk while the viewer request or the settings are written: the
// operator reads the message every file that does not fit gives, naming the
// file, and the file keeps its previous bytes.

#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"
#include "core/formats/request_file.h"
#include "core/platform/disk_full.h"
#include "core/search/result_request.h"
#include "core/search/search_statements.h"
#include "core/workspace/settings_file.h"

#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <functional>
#include <iterator>

namespace ft::search {
namespace {

// While it lives, no file of this process grows past `bytes`: a write past
// that fails with EFBIG, as it would on a full disk, instead of raising
// SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        const rlimit limit{bytes, m_previous.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    void (*m_handler)(int);
};

struct FullDiskCase {
    const char* name;
    const char* file;
    std::function<void(const std::filesystem::path& folder)> write;
};

TEST(FullDiskWrites, TheMessageNamesTheFileAndThePreviousBytesStay)
{
    const FullDiskCase cases[] = {
        {"viewer request", "TAVLA.E2",
         [](const std::filesystem::path& folder) {
             formats::RequestWriter out(folder);
             out.writeDrawing("/data/sets/SAKURAGI");
             out.finish();
         }},
        {"saved datum", "FindTavla.ini",
         [](const std::filesystem::path& folder) {
             workspace::writeSavedDatum(folder / "FindTavla.ini", workspace::Datum::Japanese);
         }},
        {"window placement", "FindTavla.ini",
         [](const std::filesystem::path& folder) {
             workspace::writePlacement(folder / "FindTavla.ini", "TfindTavlaF",
                                       workspace::WindowPlacement{});
         }},
    };
    const std::string previous = "[other]\r\nkey=value\r\n";
    for (const FullDiskCase& c : cases) {
        test::TempFolder temp;
        const std::filesystem::path file = temp / c.file;
        test::writeBytes(file, previous);
        try {
            const FileSizeLimit limit(4);
            c.write(temp.path());
            ADD_FAILURE() << c.name << ": no DiskFull";
        } catch (const platform::DiskFull& error) {
            EXPECT_EQ(std::string(error.what()), "Not enough free disk space: " + file.string() +
                                                     ". Make room on the disk and try again.")
                << c.name;
        } catch (const std::exception& other) {
            ADD_FAILURE() << c.name << ": " << other.what();
        }
        EXPECT_EQ(test::readBytes(file), previous) << c.name;
        const std::filesystem::directory_iterator entries(temp.path());
        EXPECT_EQ(std::distance(begin(entries), end(entries)), 1) << c.name << ": a file is left";
    }
}

// A request of many rows goes to the file in pieces as it is made: the disk
// filling up after some of them stops the request there, and TAVLA.E2 keeps
// its previous bytes.
TEST(FullDiskWrites, ARequestFullHalfwayKeepsThePreviousOne)
{
    test::TempFolder catalogueFolder;
    catalogue::TSQLiteDatabase db((catalogueFolder / "c.db").string());
    catalogue::CreateSchemaIfMissing(db);
    db.ExecSQL("INSERT INTO FILE VALUES ('/s/one','t',1,'','',0,2)");
    db.BeginTransaction();
    for (int lot = 1; lot <= 20000; ++lot)
        db.ExecSQL("INSERT INTO CHIBAN VALUES ('本町','東','" + std::to_string(lot) + "',1,'',''," +
                   std::to_string(lot) + ",0,0,1)");
    db.Commit();
    ResultRowKeys<ParcelRow> rows;
    LoadRowKeys(db, parcelStatement({}, MatchMode::Prefix), rows);

    test::TempFolder temp;
    const std::filesystem::path file = formats::requestFilePath(temp.path());
    test::writeBytes(file, "0,\"/s/before\"\r\n");
    {
        formats::RequestWriter out(temp.path());
        const FileSizeLimit limit(100 * 1024); // the request is over 300 KB
        EXPECT_THROW(writeResultRequest(rows, out), platform::DiskFull);
    }
    EXPECT_EQ(test::readBytes(file), "0,\"/s/before\"\r\n");
    const std::filesystem::directory_iterator entries(temp.path());
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 1) << "a file is left";
}

} // namespace
} // namespace ft::search
