#include "archives/archive_reader.h"

namespace velmar::archives {

qint16 ArchiveReader::Get_Contents(const QString& path) {
    if (path.isEmpty()) {
        if (const auto status = emptyPathStatus())
            return *status;
    }
    FileSource source(path);
    return Get_Contents(path, source);
}

qint16 ArchiveReader::Get_Contents(const QString& path, ByteSource& source) {
    if (path.isEmpty()) {
        if (const auto status = emptyPathStatus())
            return *status;
    }
    PackState& state = packState();
    state.PackFileName = path;
    state.PackComments.clear();
    state.PackLoaded = 0;
    state.PackFileCount = 0;
    m_loaded = false;
    return readImpl(path, source);
}

std::optional<EntryView> ArchiveReader::checked(qint32 index) const {
    const PackState& state = packState();
    if (state.PackLoaded == 0 || index < 1 || index > state.PackFileCount || index > tableSize())
        return std::nullopt;
    return view(index - 1);
}

void ArchiveReader::markLoaded() {
    m_loaded = true;
    packState().PackLoaded = 1;
}

qint32 ArchiveReader::FileCount() const {
    return packState().PackFileCount;
}

QString ArchiveReader::CommentsPack() const {
    return packState().PackComments;
}

} // namespace velmar::archives
