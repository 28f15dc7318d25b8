#include "store/db/transaction.h"

#include "store/db/database.h"

#include <sqlite3.h>

namespace velmar::db {

// Inside a transaction already, this one is inactive: the outer one decides.
Transaction::Transaction(Database& database, Start start) : m_db(database) {
    m_active = m_db.m_handle && sqlite3_get_autocommit(m_db.m_handle) != 0 &&
               m_db.runPlain(start == Start::Immediate ? "BEGIN IMMEDIATE;" : "BEGIN;");
}

Transaction::~Transaction() {
    if (m_active)
        m_db.runPlain("ROLLBACK;");
}

bool Transaction::commit() {
    if (!m_active)
        return false;
    if (!m_db.runPlain("COMMIT;"))
        return false;
    m_active = false;
    return true;
}

} // namespace velmar::db
