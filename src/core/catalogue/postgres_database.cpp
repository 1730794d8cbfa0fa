#include "core/catalogue/postgres_database.h"

#include "core/catalogue/engine_text.h"
#include "core/catalogue/quoting.h"
#include "core/catalogue/schema.h"
#include "core/catalogue/server_cursor.h"
#include "core/catalogue/server_dialect.h"
#include "core/catalogue/server_setup.h"

#include <charconv>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace ft::catalogue {
namespace {

// The SQLSTATE classes and codes that mean something to the operator.
constexpr std::string_view kNoPrivilege = "42501";
constexpr std::string_view kReadOnlyTransaction = "25006";
constexpr std::string_view kLockNotAvailable = "55P03";
constexpr std::string_view kDeadlock = "40P01";
constexpr std::string_view kDiskFull = "53100";

// The server's notices ("relation ... already exists, skipping") are no
// news to the operator; libpq would print them on standard error.
void ignoreNotice(void*, const char*)
{
}

struct OptionsFreer {
    void operator()(PQconninfoOption* options) const { PQconninfoFree(options); }
};

platform::Message unreachableMessage(const std::string& name)
{
    return platform::Message(
        QT_TRANSLATE_NOOP("findTavla", "The catalogue server %1 cannot be reached. Check the "
                                       "server setting in FindTavla.ini and the network, then "
                                       "try again."),
        {QString::fromStdString(name)});
}

} // namespace

std::string ConnectionTextWithoutPassword(const std::string& connection)
{
    char* error = nullptr;
    const std::unique_ptr<PQconninfoOption, OptionsFreer> options(
        PQconninfoParse(connection.c_str(), &error));
    if (error != nullptr)
        PQfreemem(error);
    if (!options)
        return "(an unreadable connection text)";
    std::string text;
    for (const PQconninfoOption* option = options.get(); option->keyword != nullptr; ++option) {
        if (option->val == nullptr || std::strcmp(option->keyword, "password") == 0)
            continue;
        if (!text.empty())
            text += ' ';
        text += std::string(option->keyword) + "='" + QuoteDoubled(option->val, '\'') + "'";
    }
    return text;
}

PostgresDatabase::PostgresDatabase(const std::string& connection, const std::string& schema)
    : m_connection(PQconnectdb(connection.c_str())), m_pipeline(m_connection.get()),
      m_schema(schema),
      m_displayName(ConnectionTextWithoutPassword(connection) + " schema " + schema)
{
    if (!m_connection || PQstatus(m_connection.get()) != CONNECTION_OK) {
        const std::string why =
            m_connection ? PQerrorMessage(m_connection.get()) : std::string("out of memory");
        throw CatalogueError(unreachableMessage(m_displayName),
                             "Failed to connect to \"" + m_displayName + "\" : " + why);
    }
    PQsetNoticeProcessor(m_connection.get(), ignoreNotice, nullptr);
    if (PQsetClientEncoding(m_connection.get(), "UTF8") != 0)
        throw CatalogueError("Cannot set the client encoding UTF8 on \"" + m_displayName + "\"");
    makeSchema();
    run("SET search_path TO " + m_schema, "SET search_path TO " + m_schema);
}

PostgresDatabase::~PostgresDatabase()
{
    // Closing the connection ends an open transaction without its work.
}

void PostgresDatabase::makeSchema()
{
    bool complete = true;
    for (const std::string_view table : kTableNames)
        complete = complete && TableExists(table);
    if (complete && TableExists("FINDTAVLA_CHANGES") && TableExists("FINDTAVLA_LINES"))
        return;
    if (!mayMakeSchema())
        throw CatalogueError(
            platform::Message(
                QT_TRANSLATE_NOOP("findTavla",
                                  "The catalogue server %1 lacks findTavla's tables and this "
                                  "role may not make them. Ask the administrator to run the "
                                  "statements that \"findTavla-cli catalogue init --print\" "
                                  "writes."),
                {QString::fromStdString(m_displayName)}),
            "The role may not create the schema " + m_schema + " on \"" + m_displayName + "\"");
    // Two desks that start on an empty server at once: the second waits for
    // the first and then finds everything made.
    BeginTransaction();
    try {
        run("SELECT pg_advisory_xact_lock(hashtext('findtavla-schema'))", "lock the schema");
        for (const std::string& statement : ServerSchemaStatements(m_schema))
            run(statement, statement);
        Commit();
    } catch (const CatalogueError&) {
        Rollback();
        throw;
    }
}

bool PostgresDatabase::mayMakeSchema()
{
    const std::string name = "'" + QuoteDoubled(m_schema, '\'') + "'";
    const std::string sql =
        "SELECT CASE WHEN EXISTS (SELECT 1 FROM pg_namespace WHERE nspname = " + name +
        ") THEN has_schema_privilege(" + name +
        ", 'CREATE') ELSE has_database_privilege(current_database(), 'CREATE') END";
    const PgResult result = run(sql, sql);
    return std::string_view(PQgetvalue(result.get(), 0, 0)) == "t";
}

void PostgresDatabase::raise(const PGresult* result, const std::string& designedSql) const
{
    const char* state = result == nullptr ? nullptr : PQresultErrorField(result, PG_DIAG_SQLSTATE);
    const std::string_view code = state == nullptr ? std::string_view() : state;
    const std::string serverText =
        result != nullptr ? PQresultErrorMessage(result) : PQerrorMessage(m_connection.get());
    const std::string designed = "Error executing SQL statement.\rError [" + std::string(code) +
                                 "]: " + serverText + "\r\"" + designedSql + "\"";
    // The server ending the connection (shut down, the backend terminated)
    // says so before the connection is seen closed.
    const bool serverEnded = code.starts_with("08") || code.starts_with("57P0");
    if (PQstatus(m_connection.get()) != CONNECTION_OK || serverEnded)
        throw CatalogueError(
            platform::Message(QT_TRANSLATE_NOOP("findTavla",
                                                "The connection to the catalogue server %1 was "
                                                "lost. What was being written was not kept; try "
                                                "again when the server is back."),
                              {QString::fromStdString(m_displayName)}),
            designed);
    if (code == kLockNotAvailable || code == kDeadlock)
        throw ECatalogueBusy(m_displayName);
    if (code == kNoPrivilege || code == kReadOnlyTransaction)
        throw CatalogueError(
            platform::Message(QT_TRANSLATE_NOOP("findTavla",
                                                "The catalogue %1 may not be written with this "
                                                "role. Ask the administrator for a role that may "
                                                "write, or only search."),
                              {QString::fromStdString(m_displayName)}),
            designed);
    if (code == kDiskFull)
        throw CatalogueError(
            platform::Message(QT_TRANSLATE_NOOP("findTavla",
                                                "The catalogue server %1 has no room left. Ask "
                                                "the administrator to free space."),
                              {QString::fromStdString(m_displayName)}),
            designed);
    throw CatalogueError(designed);
}

void PostgresDatabase::checkSendable(const std::string& serverSql,
                                     const std::string& designedSql) const
{
    if (serverSql.find('\0') != std::string::npos)
        throw CatalogueError("SQL text holds a zero byte: \"" +
                             designedSql.substr(0, designedSql.find('\0')) + "\"");
    // Doubling quotes keeps a spliced value one literal only while a
    // backslash in a literal is a plain character.
    const char* conforming = PQparameterStatus(m_connection.get(), "standard_conforming_strings");
    if (conforming == nullptr || std::strcmp(conforming, "on") != 0)
        throw CatalogueError(
            platform::Message(QT_TRANSLATE_NOOP("findTavla",
                                                "The catalogue server %1 has "
                                                "standard_conforming_strings off, which findTavla "
                                                "cannot write to safely. Ask the administrator "
                                                "to turn it on."),
                              {QString::fromStdString(m_displayName)}),
            "standard_conforming_strings is off on \"" + m_displayName + "\"");
}

void PostgresDatabase::finishSentAhead()
{
    ServerPipeline::Outcome outcome = m_pipeline.Drain();
    m_totalChanges += outcome.changes;
    if (outcome.changes > 0)
        m_lastChanges = outcome.lastChanges;
    if (outcome.failed)
        raise(outcome.failure.get(), outcome.failedStatement);
}

void PostgresDatabase::forgetSentAhead()
{
    m_pipeline.Drain();
}

PgResult PostgresDatabase::run(const std::string& serverSql, const std::string& designedSql)
{
    settleStream();
    finishSentAhead();
    checkSendable(serverSql, designedSql);
    // Parameters none, but through the extended protocol: one statement only.
    PgResult result(PQexecParams(m_connection.get(), serverSql.c_str(), 0, nullptr, nullptr,
                                 nullptr, nullptr, 0));
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        raise(result.get(), designedSql);
    const std::string_view command = PQcmdStatus(result.get());
    if (command.starts_with("INSERT") || command.starts_with("UPDATE") ||
        command.starts_with("DELETE")) {
        m_lastChanges = ServerInteger(PQcmdTuples(result.get()));
        m_totalChanges += m_lastChanges;
    }
    return result;
}

void PostgresDatabase::ExecSQL(const std::string& sql)
{
    settleStream();
    const std::string serverSql = ServerStatement(sql);
    if (!InTransaction() || upperAscii(serverSql.substr(0, 6)) != "INSERT") {
        run(serverSql, sql);
        return;
    }
    checkSendable(serverSql, sql);
    if (!m_pipeline.Send(serverSql, sql)) {
        forgetSentAhead();
        raise(nullptr, sql);
    }
}

ResultTable PostgresDatabase::GetTable(const std::string& sql)
{
    const PgResult result = run(ServerStatement(sql), sql);
    const int rows = PQntuples(result.get());
    if (rows == 0)
        return ResultTable();
    std::vector<std::string> names;
    for (int column = 0; column < PQnfields(result.get()); ++column)
        names.push_back(upperAscii(PQfname(result.get(), column)));
    const std::vector<ColumnKind> kinds = ServerColumnKinds(result.get());
    std::vector<ResultTable::Cell> cells;
    cells.reserve(static_cast<std::size_t>(rows) * kinds.size());
    for (int row = 0; row < rows; ++row)
        for (std::size_t column = 0; column < kinds.size(); ++column)
            cells.push_back(ServerCell(result.get(), row, static_cast<int>(column), kinds[column]));
    return ResultTable(std::move(names), kinds, std::move(cells));
}

ResultCursor PostgresDatabase::OpenCursor(const std::string& sql)
{
    settleStream();
    finishSentAhead();
    const std::string serverSql = ServerStatement(sql);
    checkSendable(serverSql, sql);
    m_stream = std::make_shared<ServerStream>(
        m_connection.get(), serverSql, sql,
        [this](const PGresult* result, const std::string& designed) { raise(result, designed); });
    PgResult first = m_stream->Next();
    return ResultCursor(MakeServerCursor(std::move(first), m_stream));
}

void PostgresDatabase::settleStream()
{
    if (!m_stream)
        return;
    // Rows a cursor still holds on to are kept for it; those of a cursor
    // gone are read and dropped.
    m_stream->Settle(m_stream.use_count() > 1);
    m_stream.reset();
}

bool PostgresDatabase::HasRows(const std::string& sql)
{
    return PQntuples(run(ServerStatement(sql), sql).get()) > 0;
}

bool PostgresDatabase::TableExists(std::string_view name)
{
    std::string lower(name);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    const std::string sql = "SELECT 1 FROM pg_tables WHERE schemaname = '" +
                            QuoteDoubled(m_schema, '\'') + "' AND tablename = '" +
                            QuoteDoubled(lower, '\'') + "'";
    return PQntuples(run(sql, sql).get()) > 0;
}

bool PostgresDatabase::InTransaction() const
{
    const PGTransactionStatusType status = PQtransactionStatus(m_connection.get());
    // While rows or answers are still coming the server does not say;
    // then the transaction is open when this connection opened one.
    if (status == PQTRANS_ACTIVE)
        return m_transactionBegun;
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR;
}

void PostgresDatabase::BeginTransaction(bool writeLockNow)
{
    settleStream();
    if (InTransaction())
        throw CatalogueError("Transaction already open");
    run("BEGIN", "BEGIN TRANSACTION");
    m_transactionBegun = true;
    m_savepointDepth = 0;
    if (writeLockNow)
        run("SELECT pg_advisory_xact_lock(hashtext('findtavla-writer-" + m_schema + "'))",
            "BEGIN IMMEDIATE TRANSACTION");
}

void PostgresDatabase::Commit()
{
    settleStream();
    finishSentAhead();
    // A transaction in which a statement failed would silently roll back.
    if (PQtransactionStatus(m_connection.get()) == PQTRANS_INERROR)
        throw CatalogueError("Error executing SQL statement.\rThe transaction failed earlier "
                             "and cannot be committed.\r\"COMMIT\"");
    run("COMMIT", "COMMIT");
    m_savepointDepth = 0;
    m_transactionBegun = false;
}

void PostgresDatabase::Rollback()
{
    m_savepointDepth = 0;
    settleStream();
    forgetSentAhead();
    m_transactionBegun = false;
    // A lost connection has ended the transaction on the server already.
    if (!InTransaction())
        return;
    run("ROLLBACK", "ROLLBACK");
}

void PostgresDatabase::Savepoint()
{
    if (!InTransaction())
        throw CatalogueError("No transaction open");
    const std::string sql = "SAVEPOINT " + savepointName(m_savepointDepth + 1);
    run(sql, sql);
    ++m_savepointDepth;
}

void PostgresDatabase::ReleaseSavepoint()
{
    if (m_savepointDepth == 0)
        throw CatalogueError("No savepoint open");
    const std::string sql = "RELEASE " + savepointName(m_savepointDepth);
    run(sql, sql);
    --m_savepointDepth;
}

void PostgresDatabase::RollbackToSavepoint()
{
    if (m_savepointDepth == 0)
        throw CatalogueError("No savepoint open");
    settleStream();
    forgetSentAhead();
    if (!InTransaction()) {
        m_savepointDepth = 0;
        return;
    }
    const std::string name = savepointName(m_savepointDepth);
    run("ROLLBACK TO " + name, "ROLLBACK TO " + name);
    run("RELEASE " + name, "RELEASE " + name);
    --m_savepointDepth;
}

std::unique_ptr<CatalogueDatabase> OpenServerCatalogue(const std::string& connection,
                                                       const std::string& schema)
{
    return std::make_unique<PostgresDatabase>(connection, schema);
}

std::vector<std::string> ServerSetupStatements(const std::string& schema)
{
    return ServerSchemaStatements(schema);
}

} // namespace ft::catalogue
