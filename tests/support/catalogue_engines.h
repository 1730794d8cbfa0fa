#pragma once

// The two catalogue engines as a test parameter: the same test runs on an
// embedded catalogue file and on a schema of its own on the throwaway server
// that ctest starts (or the one FT_TEST_SERVER names). Without a server the
// server cases are skipped.

#include "core/catalogue/catalogue_database.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

namespace ft::test {

enum class Engine { Embedded, Server };

inline void PrintTo(Engine engine, std::ostream* out)
{
    *out << (engine == Engine::Embedded ? "embedded" : "server");
}

inline std::string engineName(const ::testing::TestParamInfo<Engine>& info)
{
    return info.param == Engine::Embedded ? "Embedded" : "Server";
}

// The connection text of the test server, or empty when there is none.
inline std::string testServer()
{
    if (const char* server = std::getenv("FT_TEST_SERVER"))
        return server;
#ifdef FT_TEST_SERVER_FOLDER
    std::error_code unknown;
    if (std::filesystem::exists(std::filesystem::path(FT_TEST_SERVER_FOLDER) / ".s.PGSQL.5432",
                                unknown))
        return "host=" FT_TEST_SERVER_FOLDER " dbname=postgres user=findtavla";
#endif
    return {};
}

// A schema name no other test process uses at the same time.
inline std::string uniqueSchemaName()
{
    static std::atomic<int> next{0};
    return "t" + std::to_string(::getpid()) + "_" + std::to_string(next++);
}

// One catalogue of the engine, emptied away when it goes: the server's
// schema is dropped, the file lies in the caller's temporary folder.
class EngineCatalogue {
public:
    EngineCatalogue(Engine engine, const std::filesystem::path& folder)
    {
        // Without a server the test is skipped in its SetUp; a file stands in
        // until then.
        if (engine == Engine::Embedded || testServer().empty()) {
            m_db = catalogue::OpenCatalogueFile((folder / "c.db").string());
            return;
        }
        m_schema = uniqueSchemaName();
        m_db = catalogue::OpenServerCatalogue(testServer(), m_schema);
    }
    ~EngineCatalogue()
    {
        if (m_schema.empty() || !m_db)
            return;
        try {
            if (m_db->InTransaction())
                m_db->Rollback();
            m_db->ExecSQL("DROP SCHEMA " + m_schema + " CASCADE");
        } catch (const std::exception&) {
            // A server that went away in the test takes the schema with the cluster.
        }
    }
    EngineCatalogue(const EngineCatalogue&) = delete;
    EngineCatalogue& operator=(const EngineCatalogue&) = delete;

    catalogue::CatalogueDatabase& operator*() { return *m_db; }
    catalogue::CatalogueDatabase* operator->() { return m_db.get(); }
    const std::string& schema() const { return m_schema; }

private:
    std::unique_ptr<catalogue::CatalogueDatabase> m_db;
    std::string m_schema;
};

// A database of its own on the test server, for tests of whole workspaces
// (whose schemas have fixed names); dropped when it goes, with whatever
// connections are still open to it.
class ServerTestDatabase {
public:
    ServerTestDatabase() : m_name(uniqueSchemaName())
    {
        admin().ExecSQL("CREATE DATABASE " + m_name);
    }
    ~ServerTestDatabase()
    {
        try {
            admin().ExecSQL("DROP DATABASE " + m_name + " WITH (FORCE)");
        } catch (const std::exception&) {
            // The cluster goes with the test run.
        }
    }
    ServerTestDatabase(const ServerTestDatabase&) = delete;
    ServerTestDatabase& operator=(const ServerTestDatabase&) = delete;

    // The connection text a desk uses for this database.
    std::string connection() const { return testServer() + " dbname=" + m_name; }

private:
    catalogue::CatalogueDatabase& admin()
    {
        if (!m_admin)
            m_admin = catalogue::OpenServerCatalogue(testServer(), "ft_admin");
        return *m_admin;
    }

    std::string m_name;
    std::unique_ptr<catalogue::CatalogueDatabase> m_admin;
};

// Skips the running test when it is the server case and no server is set.
#define FT_SKIP_WITHOUT_SERVER(engine)                                                             \
    do {                                                                                           \
        if ((engine) == ::ft::test::Engine::Server && ::ft::test::testServer().empty())            \
            GTEST_SKIP() << "FT_TEST_SERVER is not set";                                           \
    } while (false)

} // namespace ft::test
