#pragma once

#include "core/catalogue/catalogue_database.h"

#include "core/catalogue/libpq_handles.h"
#include "core/catalogue/server_cursor.h"
#include "core/catalogue/server_pipeline.h"

#include <memory>
#include <string>

namespace ft::catalogue {

// One connection to a datum's schema on a PostgreSQL server, shared by every
// desk of an office. Statements arrive in the embedded engine's dialect and
// are adapted (server_dialect.h) so that they give the same rows; each is
// run alone (never several in one text). The schema is made on first use
// when the role may; a role that may not is told which statements an
// administrator must run.
class PostgresDatabase : public CatalogueDatabase {
public:
    // `connection` is a libpq connection string or URI; passwords come from
    // libpq's own means (~/.pgpass, the service file), never from here.
    PostgresDatabase(const std::string& connection, const std::string& schema);
    ~PostgresDatabase() override;

    // Inside a transaction an INSERT is sent without waiting for its answer
    // (see ServerPipeline); a failure of it is raised by the next call that
    // waits for the server (a query, a savepoint's end, Commit), naming the
    // INSERT. LastChanges and TotalChanges count such rows from then on.
    void ExecSQL(const std::string& sql) override;
    ResultTable GetTable(const std::string& sql) override;
    // The cursor reads rows as the server sends them (the first rows of a
    // long list come at once); anything else run on the connection before
    // the cursor is through reads the rest first, kept for the cursor.
    ResultCursor OpenCursor(const std::string& sql) override;
    bool HasRows(const std::string& sql) override;
    bool TableExists(std::string_view name) override;

    // `writeLockNow` takes the schema's writer lock (an advisory lock held
    // to the transaction's end), which serialises writers as the embedded
    // engine's write lock does.
    void BeginTransaction(bool writeLockNow = false) override;
    void Commit() override;
    void Rollback() override;
    bool InTransaction() const override;
    void Savepoint() override;
    void ReleaseSavepoint() override;
    void RollbackToSavepoint() override;
    int SavepointDepth() const override { return m_savepointDepth; }

    std::int64_t LastChanges() const override { return m_lastChanges; }
    std::int64_t TotalChanges() const override { return m_totalChanges; }
    std::string DisplayName() const override { return m_displayName; }
    bool StorageIntact() const override { return true; }

    const std::string& schema() const { return m_schema; }

private:
    // Runs a statement already in the server's dialect; throws on failure.
    PgResult run(const std::string& serverSql, const std::string& designedSql);
    // Refuses what cannot be sent safely: a zero byte, a server that reads
    // backslashes in literals as escapes.
    void checkSendable(const std::string& serverSql, const std::string& designedSql) const;
    // Reads the answers of the statements sent ahead and raises the first
    // failure among them.
    void finishSentAhead();
    // Reads the rest of the rows a cursor is streaming, so that the
    // connection can run something else.
    void settleStream();
    // Reads them and forgets their failures: for a rollback, which undoes them.
    void forgetSentAhead();
    [[noreturn]] void raise(const PGresult* result, const std::string& designedSql) const;
    void makeSchema();
    // Whether the role may create the schema, or in it when it stands.
    bool mayMakeSchema();

    PgConnection m_connection;
    ServerPipeline m_pipeline;
    // The rows of the last cursor opened, while the server may still send them.
    std::shared_ptr<ServerStream> m_stream;
    bool m_transactionBegun = false;
    std::string m_schema;
    std::string m_displayName;
    int m_savepointDepth = 0;
    std::int64_t m_lastChanges = 0;
    std::int64_t m_totalChanges = 0;
};

// The connection text without its password, for the operator's eyes.
std::string ConnectionTextWithoutPassword(const std::string& connection);

} // namespace ft::catalogue
