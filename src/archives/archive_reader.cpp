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
    return fieldOf(index, &EntryView::name);
}

QString ArchiveReader::CommentsFile(qint32 index) const {
    return fieldOf(index, &EntryView::comment);
}

bool ArchiveReader::IsDir(qint32 index) const {
    return fieldOf(index, &EntryView::isDir);
}

QString ArchiveReader::Method(qint32 index) const {
    return fieldOf(index, &EntryView::method);
}

qint32 ArchiveReader::CRC32(qint32 index) const {
    return fieldOf(index, &EntryView::crc);
}

qint64 ArchiveReader::Compressed_Size(qint32 index) const {
    return fieldOf(index, &EntryView::compressedSize);
}

qint64 ArchiveReader::UnCompressed_Size(qint32 index) const {
    return fieldOf(index, &EntryView::uncompressedSize);
}

bool ArchiveReader::Encrypted(qint32 index) const {
    return fieldOf(index, &EntryView::encrypted);
}

QDateTime ArchiveReader::FileDateTime(qint32 index) const {
    const auto entry = checked(index);
    return entry ? dosDateTime(entry->dosDate, entry->dosTime) : zeroDateTime();
}

QString ArchiveReader::SystemMadeBy(qint32 index) const {
    return fieldOf(index, &EntryView::systemMadeBy);
}

QString ArchiveReader::VersionMadeBy(qint32 index) const {
    return fieldOf(index, &EntryView::versionMadeBy);
}

QString ArchiveReader::SystemNeeded(qint32 index) const {
    return fieldOf(index, &EntryView::systemNeeded);
}

QString ArchiveReader::VersionNeeded(qint32 index) const {
    return fieldOf(index, &EntryView::versionNeeded);
}

} // namespace velmar::archives
