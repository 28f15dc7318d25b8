#include "store/queued_insert.h"

namespace velmar::db {

QueuedInsert::QueuedInsert(BulkInsert insert) : m_insert(std::move(insert)), m_thread([this] { run(); }) {
    m_filling.reserve(kBlockRows);
}

QueuedInsert::~QueuedInsert() {
    finish();
    {
        const std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void QueuedInsert::insert(const QVariantList& values) {
    m_filling.emplace_back(values.cbegin(), values.cend());
    if (m_filling.size() >= kBlockRows)
        handOver();
}

// Passes the block being filled to the inserting thread once it has taken the
// previous one: at most two blocks are ever waiting.
void QueuedInsert::handOver() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queued.empty(); });
    m_queued.swap(m_filling);
    m_filling.swap(m_stored);
    lock.unlock();
    m_changed.notify_all();
    m_filling.clear();
    m_filling.reserve(kBlockRows);
}

bool QueuedInsert::finish() {
    if (!m_filling.empty())
        handOver();
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queued.empty() && !m_busy; });
    return !std::exchange(m_failed, false);
}

void QueuedInsert::run() {
    Block block;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_queued.empty() || m_closing; });
        if (m_queued.empty())
            return;
        block.swap(m_queued);
        m_busy = true;
        lock.unlock();
        m_changed.notify_all();

        const QString reason = m_insert.insertAll(block) ? QString() : m_insert.error();

        lock.lock();
        // The caller frees the rows it made (freeing them here made the two
        // threads contend for the allocator's lock), unless it has yet to
        // take the last ones.
        if (m_stored.empty())
            m_stored.swap(block);
        block.clear();
        m_busy = false;
        if (!reason.isEmpty()) {
            m_failed = true;
            m_error = reason;
        }
        m_changed.notify_all();
    }
}

} // namespace velmar::db
