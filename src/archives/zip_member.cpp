#include "archives/zip_member.h"

#include <QFile>

#include <archive.h>
#include <archive_entry.h>

#include <cstring>
#include <memory>

namespace velmar::archives {

namespace {

constexpr size_t kFileBlock = 64 * 1024;

struct Closer {
    void operator()(archive* a) const { archive_read_free(a); }
};
using Archive = std::unique_ptr<archive, Closer>;

// The seekable ZIP reader starts from the central directory, so members
// before the one asked for are never inflated.
Archive newZipReader() {
    Archive a(archive_read_new());
    if (a)
        archive_read_support_format_zip_seekable(a.get());
    return a;
}

std::optional<QByteArray> readData(archive* a, archive_entry* entry, qint64 limit) {
    if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > limit)
        return std::nullopt;
    QByteArray bytes;
    char block[4096];
    for (;;) {
        const la_ssize_t count = archive_read_data(a, block, sizeof block);
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            return bytes;
        if (count > limit - bytes.size())
            return std::nullopt;
        bytes.append(block, qsizetype(count));
    }
}

bool isOneOf(const char* entryName, MemberNames names) {
    for (const char* name : names)
        if (entryName && std::strcmp(entryName, name) == 0)
            return true;
    return false;
}

std::optional<QByteArray> findMember(archive* a, MemberNames names, qint64 limit) {
    archive_entry* entry = nullptr;
    for (int status = archive_read_next_header(a, &entry); status == ARCHIVE_OK || status == ARCHIVE_WARN;
         status = archive_read_next_header(a, &entry)) {
        if (isOneOf(archive_entry_pathname(entry), names))
            return readData(a, entry, limit);
    }
    return std::nullopt;
}

} // namespace

std::optional<QByteArray> zipMember(const QString& path, MemberNames names, qint64 limit) {
    const Archive a = newZipReader();
    const QByteArray encoded = QFile::encodeName(path);
    if (!a || archive_read_open_filename(a.get(), encoded.constData(), kFileBlock) != ARCHIVE_OK)
        return std::nullopt;
    return findMember(a.get(), names, limit);
}

std::optional<QByteArray> zipMember(const char* data, qint64 size, MemberNames names, qint64 limit) {
    const Archive a = newZipReader();
    if (!a || archive_read_open_memory(a.get(), data, size_t(size)) != ARCHIVE_OK)
        return std::nullopt;
    return findMember(a.get(), names, limit);
}

} // namespace velmar::archives
