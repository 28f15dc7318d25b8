#pragma once

// A transaction rolled back on destruction unless commit() succeeded. An
// immediate one takes the write lock at once, for a read followed by writes
// that must see no other writer in between.

namespace velmar::db {

class Database;

class Transaction {
public:
    enum class Start { Deferred, Immediate };
    explicit Transaction(Database& database, Start start = Start::Deferred);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool active() const { return m_active; }
    bool commit();

private:
    Database& m_db;
    bool m_active = false;
};

} // namespace velmar::db
