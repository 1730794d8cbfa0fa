#pragma once

#include <libpq-fe.h>

#include <memory>

namespace ft::catalogue {

namespace detail {
struct ConnectionCloser {
    void operator()(PGconn* connection) const { PQfinish(connection); }
};
struct ResultClearer {
    void operator()(PGresult* result) const { PQclear(result); }
};
} // namespace detail

using PgConnection = std::unique_ptr<PGconn, detail::ConnectionCloser>;
using PgResult = std::unique_ptr<PGresult, detail::ResultClearer>;

} // namespace ft::catalogue
