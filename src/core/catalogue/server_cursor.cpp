#include "core/catalogue/server_cursor.h"

#include <charconv>
#include <stdexcept>

namespace ft::catalogue {
namespace {

// Type numbers of the server's built-in types (pg_type.oid), which never
// change.
constexpr Oid kBoolType = 16;
constexpr Oid kInt8Type = 20;
constexpr Oid kInt2Type = 21;
constexpr Oid kInt4Type = 23;
constexpr Oid kFloat4Type = 700;
constexpr Oid kFloat8Type = 701;
constexpr Oid kNumericType = 1700;

// A cursor over the rows of one result and, streamed, of those after it.
class ServerCursor : public CursorSource {
public:
    ServerCursor(PgResult first, std::shared_ptr<ServerStream> stream)
        : m_result(std::move(first)), m_kinds(ServerColumnKinds(m_result.get())),
          m_columnCount(PQnfields(m_result.get())), m_stream(std::move(stream))
    {
    }

    bool Step() override
    {
        if (m_row < PQntuples(m_result.get()))
            ++m_row;
        while (m_row >= PQntuples(m_result.get()) && m_stream) {
            PgResult next = m_stream->Next();
            if (!next) {
                m_stream.reset();
                break;
            }
            m_result = std::move(next);
            m_row = 0;
        }
        return m_row < PQntuples(m_result.get());
    }
    int ColumnCount() const override { return m_columnCount; }
    std::string Fields(int column) const override
    {
        checkRow(column);
        return CellText(ServerCell(m_result.get(), m_row, column, Kind(column)), Kind(column));
    }
    std::string_view Text(int column) const override
    {
        checkRow(column);
        if (Kind(column) != ColumnKind::Text)
            throw std::logic_error("column " + std::to_string(column) + " is not read as text");
        return {PQgetvalue(m_result.get(), m_row, column),
                static_cast<std::size_t>(PQgetlength(m_result.get(), m_row, column))};
    }
    std::int64_t Integer(int column) const override
    {
        checkRow(column);
        return ServerInteger(PQgetvalue(m_result.get(), m_row, column));
    }
    bool HoldsInteger(int column) const override
    {
        return Kind(column) == ColumnKind::Integer && !IsNull(column);
    }
    bool IsNull(int column) const
    {
        checkRow(column);
        return PQgetisnull(m_result.get(), m_row, column) != 0;
    }
    ColumnKind Kind(int column) const override
    {
        return m_kinds.at(static_cast<std::size_t>(column));
    }

private:
    void checkRow(int column) const
    {
        if (m_row < 0 || m_row >= PQntuples(m_result.get()))
            throw CatalogueError("Table is at End of File");
        if (column < 0 || column >= ColumnCount())
            throw std::out_of_range("column index " + std::to_string(column) + " out of range");
    }

    PgResult m_result;
    std::vector<ColumnKind> m_kinds;
    int m_columnCount;
    std::shared_ptr<ServerStream> m_stream;
    int m_row = -1;
};

} // namespace

ColumnKind ServerColumnKind(Oid type)
{
    switch (type) {
    case kBoolType:
    case kInt8Type:
    case kInt2Type:
    case kInt4Type:
        return ColumnKind::Integer;
    case kFloat4Type:
    case kFloat8Type:
    case kNumericType:
        return ColumnKind::Numeric;
    default:
        return ColumnKind::Text;
    }
}

std::vector<ColumnKind> ServerColumnKinds(const PGresult* result)
{
    std::vector<ColumnKind> kinds;
    for (int column = 0; column < PQnfields(result); ++column)
        kinds.push_back(ServerColumnKind(PQftype(result, column)));
    return kinds;
}

// A cell's text as an integer the way the embedded engine reads text as
// one: its leading digits, 0 when there are none.
std::int64_t ServerInteger(std::string_view text)
{
    if (text == "t")
        return 1;
    std::int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

ResultTable::Cell ServerCell(const PGresult* result, int row, int column, ColumnKind kind)
{
    if (PQgetisnull(result, row, column) != 0)
        return std::monostate{};
    const std::string_view text(PQgetvalue(result, row, column),
                                static_cast<std::size_t>(PQgetlength(result, row, column)));
    switch (kind) {
    case ColumnKind::Integer:
        return ServerInteger(text);
    case ColumnKind::Numeric: {
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    }
    default:
        return std::string(text);
    }
}

ServerStream::ServerStream(PGconn* connection, const std::string& serverSql,
                           std::string designedSql, Raise raise)
    : m_connection(connection), m_designedSql(std::move(designedSql)), m_raise(std::move(raise))
{
    if (PQsendQueryParams(m_connection, serverSql.c_str(), 0, nullptr, nullptr, nullptr, nullptr,
                          0) != 1) {
        m_open = false;
        m_raise(nullptr, m_designedSql);
    }
    PQsetSingleRowMode(m_connection);
}

PgResult ServerStream::receive()
{
    PgResult result(PQgetResult(m_connection));
    if (!result) {
        m_open = false;
        return result;
    }
    const ExecStatusType status = PQresultStatus(result.get());
    if (status == PGRES_SINGLE_TUPLE)
        return result;
    // The end of the rows, or a failure: nothing more comes after it.
    while (PgResult(PQgetResult(m_connection)))
        ;
    m_open = false;
    if (status == PGRES_TUPLES_OK)
        return result;
    m_failure = std::move(result);
    return nullptr;
}

PgResult ServerStream::Next()
{
    PgResult row;
    if (!m_kept.empty()) {
        row = std::move(m_kept.front());
        m_kept.pop_front();
    } else if (m_open) {
        row = receive();
    }
    if (!row && m_failure) {
        const PgResult failure = std::move(m_failure);
        m_raise(failure.get(), m_designedSql);
    }
    if (!row && PQstatus(m_connection) != CONNECTION_OK)
        m_raise(nullptr, m_designedSql);
    return row;
}

void ServerStream::Settle(bool keepRows)
{
    while (m_open) {
        PgResult row = receive();
        if (row && keepRows)
            m_kept.push_back(std::move(row));
    }
}

std::unique_ptr<CursorSource> MakeServerCursor(PgResult first, std::shared_ptr<ServerStream> stream)
{
    return std::make_unique<ServerCursor>(std::move(first), std::move(stream));
}

} // namespace ft::catalogue
