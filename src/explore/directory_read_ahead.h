#pragma once

// The entries of the directories the directory phase visits, read ahead of it
// by one or two threads taking the directories in turn. Reading a directory is
// mostly the kernel's work (getdents, one statx per entry); it now overlaps
// with writing the records and rows of the directories before it.

#include "platform/directory_entries.h"

#include <QStringList>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace velmar {

class DirectoryReadAhead {
public:
    // `directories` in the order the phase takes them, of which `readers`
    // threads (1 or 2) read those marked in `wanted`. Both lists must outlive
    // this object.
    DirectoryReadAhead(const QStringList& directories, const std::vector<bool>& wanted, int readers);
    // Stops the readers, even inside a long directory, and waits for them.
    ~DirectoryReadAhead();
    DirectoryReadAhead(const DirectoryReadAhead&) = delete;
    DirectoryReadAhead& operator=(const DirectoryReadAhead&) = delete;

    // Calls `visit` with each entry of directories[index] but its
    // subdirectories (sizes and times included) until it returns false;
    // indices must come in increasing order. False when the directory cannot
    // be read. A directory the readers skipped is read here and now.
    bool entries(qsizetype index, const std::function<bool(const DirectoryEntry&)>& visit);

private:
    // The entries of one directory, or of its first part, within a chunk.
    struct Part {
        qsizetype index = 0;
        std::size_t begin = 0;
        std::size_t end = 0;
        bool last = false; // the directory ends here
        bool readable = true;
    };
    // Entries of consecutive directories of one reader, handed over together
    // so that small directories do not cost a hand-over each.
    struct Chunk {
        std::vector<DirectoryEntry> entries;
        std::deque<Part> parts;
    };
    struct Reader {
        std::deque<Chunk> chunks; // handed over, shared with the phase
        bool done = false;        // has handed over its last chunk
        Chunk taken;              // the phase's side: the chunk it takes parts from
        std::thread thread;
    };
    static constexpr int kMaxReaders = 2;
    // A chunk closes at kChunkEntries entries or kChunkParts directories, so
    // the entries held ahead stay under about kMaxReaders × kQueuedChunks ×
    // kChunkEntries, a few megabytes, however large a directory is.
    static constexpr std::size_t kChunkEntries = 1024;
    static constexpr std::size_t kChunkParts = 64;
    static constexpr std::size_t kQueuedChunks = 8;

    void run(Reader& reader, int rank);
    bool handOver(Reader& reader, Chunk& chunk);
    // The next part of `index`, dropping those of directories before it;
    // false when its reader has none for it. Its entries are in the reader's
    // taken chunk until the next call.
    bool take(qsizetype index, Part& part);

    const QStringList& m_directories;
    // The reader of each wanted directory, -1 for the others.
    std::vector<int> m_readerOf;
    std::mutex m_mutex;
    std::condition_variable m_room;   // readers wait here for a free place
    std::condition_variable m_filled; // the phase waits here for entries
    bool m_stopping = false;          // the owner is going away
    int m_readerCount = 1;
    Reader m_readers[kMaxReaders];
};

} // namespace velmar
