#pragma once

namespace ft::catalogue {

class CatalogueDatabase;

// One transaction on a catalogue, begun when the guard is made. Leaving the
// scope without commit() or rollback() rolls it back, so an error midway
// leaves the catalogue as it was. Every writer of the catalogue that needs
// its statements to land together goes through this guard.
//
// Made while the connection has a transaction open, the guard is a
// savepoint inside it: rollback() undoes only its own work, and commit()
// keeps that work for the outer transaction, which decides whether it
// lands. (A registration holds one transaction per data set, so that the
// set appears whole; each converter's file is a savepoint within it.)
class Transaction {
public:
    enum class Start {
        Deferred,     // locks as its statements need
        WriteLockNow, // takes the write lock at once: what it reads first stays so
                      // (a savepoint has the lock of its outer transaction)
    };

    // Begins the transaction; throws CatalogueError when it cannot (one is
    // open already, or the catalogue is locked).
    explicit Transaction(CatalogueDatabase& db, Start start = Start::Deferred);
    // Rolls back a transaction still open. A failing rollback is not
    // reported: the error that left the scope is the one that matters, and
    // closing the connection discards the transaction in any case.
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Commits. When COMMIT fails the transaction stays open, and the guard
    // still rolls it back when it goes.
    void commit();
    // Rolls back now and reports a failure to the caller. It is tried once:
    // after a failing ROLLBACK the guard leaves the transaction to the
    // connection.
    void rollback();

    bool isSavepoint() const { return m_savepoint; }

private:
    CatalogueDatabase& m_db;
    bool m_savepoint = false;
    bool m_open = true;
};

} // namespace ft::catalogue
