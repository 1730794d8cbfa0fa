#include "core/catalogue/server_pipeline.h"

#include "core/catalogue/engine_text.h"
#include "core/catalogue/insert_values.h"

#include <charconv>
#include <optional>
#include <vector>

namespace ft::catalogue {
namespace {

std::int64_t rowsOf(PGresult* result)
{
    const std::string_view text = PQcmdTuples(result);
    std::int64_t rows = 0;
    std::from_chars(text.data(), text.data() + text.size(), rows);
    return rows;
}

// INSERT INTO table VALUES ($1, ..., $n): the server gives each parameter
// the type of its column, as it does a quoted value spliced there.
std::string boundInsert(const InsertValues& insert)
{
    std::string text = "INSERT INTO " + insert.table + " VALUES (";
    for (std::size_t i = 1; i <= insert.values.size(); ++i)
        text += (i == 1 ? "$" : ", $") + std::to_string(i);
    return text + ")";
}

} // namespace

bool ServerPipeline::enter()
{
    return PQpipelineStatus(m_connection) == PQ_PIPELINE_ON ||
           PQenterPipelineMode(m_connection) == 1;
}

bool ServerPipeline::Send(const std::string& serverSql, const std::string& designed)
{
    // After a failure the server skips the rest of the transaction anyway.
    if (m_pending.failed)
        return true;
    if (!enter())
        return false;
    if (!sendBound(serverSql, designed)) {
        if (PQsendQueryParams(m_connection, serverSql.c_str(), 0, nullptr, nullptr, nullptr,
                              nullptr, 0) != 1)
            return false;
        m_waiting.push_back({designed, {}});
    }
    if (m_waiting.size() >= kDepth)
        m_pending = Drain();
    return true;
}

bool ServerPipeline::sendBound(const std::string& serverSql, const std::string& designed)
{
    const std::optional<InsertValues> insert = ReadInsertValues(serverSql);
    if (!insert)
        return false;
    const std::string name =
        "ft_insert_" + lowerAscii(insert->table) + "_" + std::to_string(insert->values.size());
    if (!m_prepared.contains(name)) {
        if (PQsendPrepare(m_connection, name.c_str(), boundInsert(*insert).c_str(), 0, nullptr) !=
            1)
            return false;
        m_prepared.insert(name);
        m_waiting.push_back({designed, name});
    }
    std::vector<const char*> values;
    values.reserve(insert->values.size());
    for (const std::optional<std::string>& value : insert->values)
        values.push_back(value ? value->c_str() : nullptr);
    if (PQsendQueryPrepared(m_connection, name.c_str(), static_cast<int>(values.size()),
                            values.data(), nullptr, nullptr, 0) != 1)
        return false;
    m_waiting.push_back({designed, {}});
    return true;
}

ServerPipeline::Outcome ServerPipeline::Drain()
{
    Outcome outcome = std::move(m_pending);
    m_pending = Outcome();
    if (PQpipelineStatus(m_connection) == PQ_PIPELINE_OFF)
        return outcome;
    PQpipelineSync(m_connection);
    const auto fail = [&outcome](PgResult result, const std::string& designed) {
        if (outcome.failed)
            return;
        outcome.failed = true;
        outcome.failure = std::move(result);
        outcome.failedStatement = designed;
    };
    for (; !m_waiting.empty(); m_waiting.pop_front()) {
        const Waiting& waiting = m_waiting.front();
        PgResult result(PQgetResult(m_connection));
        if (!result) {
            // No answer at all: the connection is gone.
            fail(nullptr, waiting.designed);
            break;
        }
        const ExecStatusType status = PQresultStatus(result.get());
        if (status == PGRES_COMMAND_OK && waiting.preparing.empty()) {
            outcome.lastChanges = rowsOf(result.get());
            outcome.changes += outcome.lastChanges;
        } else if (status != PGRES_COMMAND_OK) {
            // A statement prepared in a batch that failed was never made.
            if (!waiting.preparing.empty())
                m_prepared.erase(waiting.preparing);
            if (status != PGRES_PIPELINE_ABORTED)
                fail(std::move(result), waiting.designed);
        }
        // Each statement's answers end with a null result.
        while (PgResult(PQgetResult(m_connection)))
            ;
        if (PQstatus(m_connection) != CONNECTION_OK)
            break;
    }
    m_waiting.clear();
    if (PQstatus(m_connection) == CONNECTION_OK) {
        // The answer to the sync itself.
        PgResult(PQgetResult(m_connection));
        PQexitPipelineMode(m_connection);
    }
    return outcome;
}

} // namespace ft::catalogue
