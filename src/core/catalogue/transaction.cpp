#include "core/catalogue/transaction.h"

#include "core/catalogue/catalogue_database.h"

#include <exception>

namespace ft::catalogue {

Transaction::Transaction(CatalogueDatabase& db, Start start)
    : m_db(db), m_savepoint(db.InTransaction())
{
    if (m_savepoint)
        m_db.Savepoint();
    else
        m_db.BeginTransaction(start == Start::WriteLockNow);
}

Transaction::~Transaction()
{
    // Someone may have ended the transaction on the connection directly, or
    // the engine may have rolled it back whole.
    if (!m_open || !m_db.InTransaction())
        return;
    try {
        if (m_savepoint)
            m_db.RollbackToSavepoint();
        else
            m_db.Rollback();
    } catch (const std::exception&) {
        // See the header: the first failure is the one to report.
    }
}

void Transaction::commit()
{
    if (m_savepoint)
        m_db.ReleaseSavepoint();
    else
        m_db.Commit();
    m_open = false;
}

void Transaction::rollback()
{
    m_open = false;
    // The outer transaction (of a savepoint) may be gone whole already.
    if (m_savepoint && !m_db.InTransaction())
        return;
    if (m_savepoint)
        m_db.RollbackToSavepoint();
    else
        m_db.Rollback();
}

} // namespace ft::catalogue
