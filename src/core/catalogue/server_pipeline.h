#pragma once

#include "core/catalogue/libpq_handles.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <set>
#include <string>

namespace ft::catalogue {

// Statements sent to the server without waiting for each one's answer
// (libpq's pipeline mode): a registration writes a row per statement, and a
// round trip per row would leave both ends idle most of the time. A plain
// INSERT of values runs as a prepared statement with its values bound, the
// rest as written. The answers are read by Drain, which the connection calls
// before any statement whose answer it needs.
class ServerPipeline {
public:
    // What the answers read by Drain said.
    struct Outcome {
        // The first statement that failed and the server's answer to it (null
        // when the connection was lost before an answer came).
        bool failed = false;
        PgResult failure;
        std::string failedStatement;
        // Rows written by the statements that succeeded, and by the last one.
        std::int64_t changes = 0;
        std::int64_t lastChanges = 0;
    };

    explicit ServerPipeline(PGconn* connection) : m_connection(connection) {}

    // Sends one statement (already in the server's dialect); `designed` is
    // the text a failure names. False when libpq could not send it (the
    // connection is gone): the statements sent before still await Drain.
    bool Send(const std::string& serverSql, const std::string& designed);
    bool Empty() const { return m_waiting.empty(); }
    // Reads every answer awaited and leaves pipeline mode. After a failure,
    // the server skipped every later statement of the batch.
    Outcome Drain();

    // Answers awaited at most before Send reads them all, which bounds the
    // texts kept for messages (a few MB). Each read is a pause for the
    // server while the client waits: 1,000 made registration 1.7 times
    // slower than 10,000. A failure read then waits for the next Drain.
    static constexpr std::size_t kDepth = 10000;

private:
    struct Waiting {
        std::string designed;
        // The prepared statement this entry makes, empty for a statement.
        std::string preparing;
    };

    bool enter();
    // Sends a plain INSERT of values as a prepared statement with the values
    // bound; false when it is none (or libpq could not send it).
    bool sendBound(const std::string& serverSql, const std::string& designed);

    PGconn* m_connection;
    std::deque<Waiting> m_waiting;
    // Prepared statements of this connection, one per table and value count.
    std::set<std::string> m_prepared;
    // A failure Send met while reading answers, kept for the next Drain.
    Outcome m_pending;
};

} // namespace ft::catalogue
