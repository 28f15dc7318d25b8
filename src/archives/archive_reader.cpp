#include "archives/archive_reader.h"

#include "archives/dos_datetime.h"

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
    return readImpl(path, source);
}

std::optional<EntryView> ArchiveReader::checked(qint32 index) const {
    const PackState& state = packState();
    if (state.PackLoaded == 0 || index < 1 || index > state.PackFileCount || index > tableSize())
        return std::nullopt;
    return view(index - 1);
}

qint32 ArchiveReader::FileCount() const {
    return packState().PackFileCount;
}

QString ArchiveReader::CommentsPack() const {
    return packState().PackComments;
}

QString ArchiveReader::FileName(qint32 index) const {
    const auto entry = checked(index);
    return entry ? entry->name : QString();
}

QString ArchiveReader::CommentsFile(qint32 index) const {
    const auto entry = checked(index);
    return entry ? entry->comment : QString();
}

bool ArchiveReader::IsDir(qint32 index) const {
    const auto entry = checked(index);
    return entry && entry->isDir;
}

QString ArchiveReader::Method(qint32 index) const {
    const auto entry = checked(index);
    return entry ? entry->method : QString();
}

qint32 ArchiveReader::CRC32(qint32 index) const {
    const auto entry = checked(index);
    return entry ? entry->crc : 0;
}

qint32 ArchiveReader::Compressed_Size(qint32 index) const {
    const auto entry = checked(index);
    return entry ? entry->compressedSize : 0;
}

qint32 ArchiveReader::UnCompressed_Size(qint32 index) const {
    const auto entry = checked(index);
    return entry ? entry->uncompressedSize : 0;
}

bool ArchiveReader::Encrypted(qint32 index) const {
    const auto entry = checked(index);
    return entry && entry->encrypted;
}

QDateTime ArchiveReader::FileDateTime(qint32 index) const {
    const auto entry = checked(index);
    return entry ? dosDateTime(entry->dosDate, entry->dosTime) : zeroDateTime();
}

QString ArchiveReader::SystemMadeBy(qint32 index) const {
    const auto entry = checked(index);
    return entry ? entry->systemMadeBy : QString();
}

QString ArchiveReader::VersionMadeBy(qint32 index) const {
    const auto entry = checked(index);
    return entry ? entry->versionMadeBy : QString();
}

QString ArchiveReader::SystemNeeded(qint32 index) const {
    const auto entry = checked(index);
    return entry ? entry->systemNeeded : QString();
}

QString ArchiveReader::VersionNeeded(qint32 index) const {
    const auto entry = checked(index);
    return entry ? entry->versionNeeded : QString();
}

} // namespace velmar::archives
