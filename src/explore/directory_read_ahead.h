#pragma once

// The entries of the directories the directory phase visits, read ahead of it
// by two threads taking the directories in turn. Reading a directory is mostly
// the kernel's work (getdents, one statx per entry); it now overlaps with
// writing the records and rows of the directories before it.

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
    // `directories` in the order the phase takes them, of which the readers
    // read those marked in `wanted`. Both must outlive this object.
    DirectoryReadAhead(const QStringList& directories, const std::vector<bool>& wanted);
    // Stops the readers, even inside a long directory, and waits for them.
    ~DirectoryReadAhead();
    DirectoryReadAhead(const DirectoryReadAhead&) = delete;
    DirectoryReadAhead& operator=(const DirectoryReadAhead&) = delete;

    // Calls `visit` with each entry of directories[index] (sizes and times
    // included) until it returns false; indices must come in increasing order.
    // False when the directory cannot be read. A directory the readers skipped
    // is read here and now.
    bool entries(qsizetype index, const std::function<bool(const DirectoryEntry&)>& visit);

private:
    // Part of one directory's entries; the last part says whether it was readable.
    struct Chunk {
        qsizetype index = 0;
        std::vector<DirectoryEntry> entries;
        bool last = false;
        bool readable = true;
    };
    struct Reader {
        std::deque<Chunk> chunks;
        bool done = false; // has pushed its last chunk
        std::thread thread;
    };
    static constexpr int kReaders = 2;
    // Entries held ahead stay under kReaders × kQueuedChunks × kChunkEntries,
    // a few megabytes, however large a directory is.
    static constexpr std::size_t kChunkEntries = 1024;
    static constexpr std::size_t kQueuedChunks = 8;

    void run(Reader& reader, int rank);
    bool push(Reader& reader, Chunk&& chunk);
    // The next chunk of `index`, dropping those of directories before it;
    // false when its reader has none for it.
    bool take(qsizetype index, Chunk& chunk);

    const QStringList& m_directories;
    const std::vector<bool>& m_wanted;
    // The reader of each wanted directory, -1 for the others.
    std::vector<int> m_readerOf;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_stopping = false; // the owner is going away
    Reader m_readers[kReaders];
};

} // namespace velmar
