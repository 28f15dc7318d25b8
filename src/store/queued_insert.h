#pragma once

// A prepared INSERT run on a thread of its own: the caller queues rows and goes
// on building the next ones while the engine stores the last. An exploration
// spends as long in the engine as in reading its work file, so the two overlap.
//
// While rows are queued the connection belongs to the inserting thread: the
// owner calls finish() before any other use of the database, and before the
// transaction holding the rows ends.

#include "store/db/database.h"

#include <QString>
#include <QVariantList>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace velmar::db {

class QueuedInsert {
public:
    explicit QueuedInsert(BulkInsert insert);
    ~QueuedInsert();
    QueuedInsert(const QueuedInsert&) = delete;
    QueuedInsert& operator=(const QueuedInsert&) = delete;

    // Queues one row (one value per column of the INSERT), converted here;
    // waits while the inserting thread is a full block behind.
    void insert(const QVariantList& values);
    // Waits until every queued row is stored. False when a row failed since
    // the last call: error() holds the engine's reason of the last failure.
    bool finish();
    const QString& error() const { return m_error; }

private:
    using Block = std::vector<BoundRow>;
    static constexpr std::size_t kBlockRows = 512;

    void handOver();
    void run();

    BulkInsert m_insert;
    Block m_filling; // the caller's side, not shared
    std::mutex m_mutex;
    std::condition_variable m_changed;
    Block m_queued;      // handed over, waiting for the inserting thread
    Block m_stored;      // stored, to be freed by the caller
    bool m_busy = false; // the inserting thread holds a block
    bool m_closing = false;
    bool m_failed = false;
    QString m_error;
    std::thread m_thread; // last: started once everything above exists
};

} // namespace velmar::db
