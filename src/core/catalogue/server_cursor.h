#pragma once

#include "core/catalogue/catalogue_database.h"
#include "core/catalogue/libpq_handles.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ft::catalogue {

// How the server engine reads cells: a column's kind from its type, a cell
// as the embedded engine would give it.
ColumnKind ServerColumnKind(Oid type);
std::vector<ColumnKind> ServerColumnKinds(const PGresult* result);
std::int64_t ServerInteger(std::string_view text);
ResultTable::Cell ServerCell(const PGresult* result, int row, int column, ColumnKind kind);

// The rows of one query as the server sends them, one at a time (libpq's
// single-row mode), so that the first rows of a long list are there long
// before the last. While rows are still coming, the connection can run
// nothing else: before it does, Settle reads the rest.
class ServerStream {
public:
    // `raise` throws the error of a failed result (null: the connection's own).
    using Raise = std::function<void(const PGresult*, const std::string&)>;

    // Sends the query; throws through `raise` when it cannot be sent.
    ServerStream(PGconn* connection, const std::string& serverSql, std::string designedSql,
                 Raise raise);

    // The next row, as a result of one row; null after the last. The first
    // call after the last row may also give a result of no rows that only
    // describes the columns. Throws through `raise` on failure.
    PgResult Next();
    // Whether the server is still sending.
    bool Open() const { return m_open; }
    // Reads what the server still sends, keeping the rows for Next when
    // someone will read them and dropping them otherwise.
    void Settle(bool keepRows);

private:
    PgResult receive();

    PGconn* m_connection;
    std::string m_designedSql;
    Raise m_raise;
    bool m_open = true;
    std::deque<PgResult> m_kept;
    PgResult m_failure; // met by Settle, raised by Next when it reaches it
};

// A cursor over `first` (a whole result, or the first row of a stream)
// and, with `stream`, the rows that follow.
std::unique_ptr<CursorSource> MakeServerCursor(PgResult first,
                                               std::shared_ptr<ServerStream> stream = nullptr);

} // namespace ft::catalogue
