#include "archives/archive_contents.h"

#include "archives/dos_datetime.h"

namespace velmar::archives {

QString ArchiveContents::FileName(qint32 index) const {
    return fieldOf(index, &EntryView::name);
}

QString ArchiveContents::CommentsFile(qint32 index) const {
    return fieldOf(index, &EntryView::comment);
}

bool ArchiveContents::IsDir(qint32 index) const {
    return fieldOf(index, &EntryView::isDir);
}

QString ArchiveContents::Method(qint32 index) const {
    return fieldOf(index, &EntryView::method);
}

qint32 ArchiveContents::CRC32(qint32 index) const {
    return fieldOf(index, &EntryView::crc);
}

qint64 ArchiveContents::Compressed_Size(qint32 index) const {
    return fieldOf(index, &EntryView::compressedSize);
}

qint64 ArchiveContents::UnCompressed_Size(qint32 index) const {
    return fieldOf(index, &EntryView::uncompressedSize);
}

bool ArchiveContents::Encrypted(qint32 index) const {
    return fieldOf(index, &EntryView::encrypted);
}

QDateTime ArchiveContents::FileDateTime(qint32 index) const {
    const auto entry = Entry(index);
    return entry ? dosDateTime(entry->dosDate, entry->dosTime) : zeroDateTime();
}

QString ArchiveContents::SystemMadeBy(qint32 index) const {
    return fieldOf(index, &EntryView::systemMadeBy);
}

QString ArchiveContents::VersionMadeBy(qint32 index) const {
    return fieldOf(index, &EntryView::versionMadeBy);
}

QString ArchiveContents::SystemNeeded(qint32 index) const {
    return fieldOf(index, &EntryView::systemNeeded);
}

QString ArchiveContents::VersionNeeded(qint32 index) const {
    return fieldOf(index, &EntryView::versionNeeded);
}

} // namespace velmar::archives
