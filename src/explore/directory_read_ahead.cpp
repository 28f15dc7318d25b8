#include "explore/directory_read_ahead.h"

namespace velmar {

DirectoryReadAhead::DirectoryReadAhead(const QStringList& directories, const std::vector<bool>& wanted)
    : m_directories(directories), m_wanted(wanted) {
    const std::size_t count = qMin(static_cast<std::size_t>(directories.size()), wanted.size());
    m_readerOf.assign(count, -1);
    int next = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (wanted[i]) {
            m_readerOf[i] = next;
            next = (next + 1) % kReaders;
        }
    for (int rank = 0; rank < kReaders; ++rank)
        m_readers[rank].thread = std::thread([this, rank] { run(m_readers[rank], rank); });
}

DirectoryReadAhead::~DirectoryReadAhead() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    for (Reader& reader : m_readers)
        reader.thread.join();
}

// Waits for room; false once the owner is going away.
bool DirectoryReadAhead::push(Reader& reader, Chunk&& chunk) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return reader.chunks.size() < kQueuedChunks || m_stopping; });
    if (m_stopping)
        return false;
    reader.chunks.push_back(std::move(chunk));
    lock.unlock();
    m_changed.notify_all();
    return true;
}

void DirectoryReadAhead::run(Reader& reader, int rank) {
    bool going = true;
    for (std::size_t i = 0; i < m_readerOf.size() && going; ++i) {
        if (m_readerOf[i] != rank)
            continue;
        const auto index = static_cast<qsizetype>(i);
        Chunk chunk{index, {}, false, true};
        chunk.entries.reserve(kChunkEntries);
        const bool readable = readDirectoryEntries(m_directories.at(index), EntryDetails::SizesAndTimes,
                                                   [&](const DirectoryEntry& entry) {
                                                       chunk.entries.push_back(entry);
                                                       if (chunk.entries.size() < kChunkEntries)
                                                           return true;
                                                       going = push(reader, std::move(chunk));
                                                       chunk = Chunk{index, {}, false, true};
                                                       chunk.entries.reserve(kChunkEntries);
                                                       return going;
                                                   });
        chunk.last = true;
        chunk.readable = readable;
        going = going && push(reader, std::move(chunk));
    }
    const std::lock_guard lock(m_mutex);
    reader.done = true;
    m_changed.notify_all();
}

bool DirectoryReadAhead::take(qsizetype index, Chunk& chunk) {
    const auto i = static_cast<std::size_t>(index);
    if (i >= m_readerOf.size() || m_readerOf[i] < 0)
        return false;
    Reader& reader = m_readers[m_readerOf[i]];
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [&] { return !reader.chunks.empty() || reader.done; });
        if (reader.chunks.empty() || reader.chunks.front().index > index)
            return false;
        chunk = std::move(reader.chunks.front());
        reader.chunks.pop_front();
        lock.unlock();
        m_changed.notify_all();
        if (chunk.index == index)
            return true;
        lock.lock();
    }
}

bool DirectoryReadAhead::entries(qsizetype index, const std::function<bool(const DirectoryEntry&)>& visit) {
    Chunk chunk;
    if (!take(index, chunk))
        return readDirectoryEntries(m_directories.at(index), EntryDetails::SizesAndTimes, visit);
    bool visiting = true;
    for (;;) {
        for (const DirectoryEntry& entry : chunk.entries)
            if (visiting && !visit(entry))
                visiting = false;
        if (chunk.last)
            return chunk.readable;
        if (!take(index, chunk))
            return true;
    }
}

} // namespace velmar
