#include "core/catalogue/transaction.h"

#include "core/catalogue/sqlite_database.h"

#include <exception>

namespace ft::catalogue {

Transaction::Transaction(TSQLiteDatabase& db, Start start) : m_db(db)
{
    m_db.BeginTransaction(start == Start::WriteLockNow);
}

Transaction::~Transaction()
{
    // Someone may have ended the transaction on the connection directly.
    if (!m_open || !m_db.InTransaction())
        return;
    try {
        m_db.Rollback();
    } catch (const std::exception&) {
        // See the header: the first failure is the one to report.
    }
}

void Transaction::commit()
{
    m_db.Commit();
    m_open = false;
}

void Transaction::rollback()
{
    m_open = false;
    m_db.Rollback();
}

} // namespace ft::catalogue
