#include "explore/directory_read_ahead.h"

namespace velmar {

DirectoryReadAhead::DirectoryReadAhead(const QStringList& directories, const std::vector<bool>& wanted,
                                       int readers)
    : m_directories(directories), m_readerCount(qBound(1, readers, kMaxReaders)) {
    const std::size_t count = qMin(static_cast<std::size_t>(directories.size()), wanted.size());
    m_readerOf.assign(count, -1);
    int next = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (wanted[i]) {
            m_readerOf[i] = next;
            next = (next + 1) % m_readerCount;
        }
    for (int rank = 0; rank < m_readerCount; ++rank)
        m_readers[rank].thread = std::thread([this, rank] { run(m_readers[rank], rank); });
}

DirectoryReadAhead::~DirectoryReadAhead() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_room.notify_all();
    for (int rank = 0; rank < m_readerCount; ++rank)
        m_readers[rank].thread.join();
}

// Waits for room; false once the owner is going away. Leaves `chunk` empty.
bool DirectoryReadAhead::handOver(Reader& reader, Chunk& chunk) {
    std::unique_lock lock(m_mutex);
    m_room.wait(lock, [&] { return reader.chunks.size() < kQueuedChunks || m_stopping; });
    if (m_stopping)
        return false;
    reader.chunks.push_back(std::move(chunk));
    lock.unlock();
    m_filled.notify_one();
    chunk = Chunk();
    chunk.entries.reserve(kChunkEntries);
    return true;
}

void DirectoryReadAhead::run(Reader& reader, int rank) {
    Chunk chunk;
    chunk.entries.reserve(kChunkEntries);
    bool going = true;
    for (std::size_t i = 0; i < m_readerOf.size() && going; ++i) {
        if (m_readerOf[i] != rank)
            continue;
        const auto index = static_cast<qsizetype>(i);
        Part part{index, chunk.entries.size(), 0, false, true};
        const bool readable = readDirectoryEntries(m_directories.at(index), EntryDetails::AllButDirectories,
                                                   [&](const DirectoryEntry& entry) {
                                                       chunk.entries.push_back(entry);
                                                       if (chunk.entries.size() < kChunkEntries)
                                                           return true;
                                                       part.end = chunk.entries.size();
                                                       chunk.parts.push_back(part);
                                                       going = handOver(reader, chunk);
                                                       part.begin = 0;
                                                       return going;
                                                   });
        part.end = chunk.entries.size();
        part.last = true;
        part.readable = readable;
        chunk.parts.push_back(part);
        if (going && (chunk.entries.size() >= kChunkEntries || chunk.parts.size() >= kChunkParts))
            going = handOver(reader, chunk);
    }
    if (going && !chunk.parts.empty())
        handOver(reader, chunk);
    {
        const std::lock_guard lock(m_mutex);
        reader.done = true;
    }
    m_filled.notify_one();
}

bool DirectoryReadAhead::take(qsizetype index, Part& part) {
    const auto i = static_cast<std::size_t>(index);
    if (i >= m_readerOf.size() || m_readerOf[i] < 0)
        return false;
    Reader& reader = m_readers[m_readerOf[i]];
    for (;;) {
        std::deque<Part>& parts = reader.taken.parts;
        while (!parts.empty() && parts.front().index < index)
            parts.pop_front();
        if (!parts.empty()) {
            if (parts.front().index != index)
                return false;
            part = parts.front();
            parts.pop_front();
            return true;
        }
        std::unique_lock lock(m_mutex);
        m_filled.wait(lock, [&] { return !reader.chunks.empty() || reader.done; });
        if (reader.chunks.empty())
            return false;
        reader.taken = std::move(reader.chunks.front());
        reader.chunks.pop_front();
        lock.unlock();
        m_room.notify_all();
    }
}

bool DirectoryReadAhead::entries(qsizetype index, const std::function<bool(const DirectoryEntry&)>& visit) {
    Part part;
    if (!take(index, part))
        return readDirectoryEntries(m_directories.at(index), EntryDetails::AllButDirectories, visit);
    const std::vector<DirectoryEntry>& entries =
        m_readers[m_readerOf[static_cast<std::size_t>(index)]].taken.entries;
    bool visiting = true;
    for (;;) {
        for (std::size_t e = part.begin; e < part.end && visiting; ++e)
            visiting = visit(entries[e]);
        if (part.last)
            return part.readable;
        if (!take(index, part))
            return true;
    }
}

} // namespace velmar
