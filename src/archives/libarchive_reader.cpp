#include "archives/libarchive_reader.h"

#include "app/inner_text.h"
#include "archives/dos_datetime.h"
#include "platform/utf8_locale.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace velmar::archives {

namespace {

// Name endings that call for libarchive, upper case.
constexpr const char* kEndings[] = {
    ".7Z",  ".TGZ",      ".TAR.GZ", ".TAZ",     ".TAR.Z", ".TBZ",     ".TBZ2", ".TAR.BZ2", ".TXZ", ".TAR.XZ",
    ".TLZ", ".TAR.LZMA", ".TZST",   ".TAR.ZST", ".TLZ4",  ".TAR.LZ4", ".ISO",  ".CPIO",    ".XAR"};

constexpr char kRar5Signature[] = {'R', 'a', 'r', '!', 0x1A, 0x07, 0x01, 0x00};
constexpr size_t kBlockSize = 64 * 1024;

// The client side of libarchive's callbacks: a position over a ByteSource.
struct Feed {
    ByteSource& source;
    qint64 position = 0;
    std::vector<char> block = std::vector<char>(kBlockSize);
};

la_ssize_t readBlock(archive*, void* data, const void** buffer) {
    auto* feed = static_cast<Feed*>(data);
    const qint64 count = feed->source.readAt(feed->position, feed->block.data(), qint64(kBlockSize));
    *buffer = feed->block.data();
    if (count <= 0)
        return 0;
    feed->position += count;
    return la_ssize_t(count);
}

la_int64_t skipBytes(archive*, void* data, la_int64_t request) {
    auto* feed = static_cast<Feed*>(data);
    const qint64 skipped = std::clamp<qint64>(request, 0, feed->source.size() - feed->position);
    feed->position += skipped;
    return skipped;
}

la_int64_t seekTo(archive*, void* data, la_int64_t offset, int whence) {
    auto* feed = static_cast<Feed*>(data);
    const qint64 base = whence == SEEK_CUR ? feed->position : whence == SEEK_END ? feed->source.size() : 0;
    // Both terms are bounded by the file size on one side; an offset past
    // either end is refused before the sum can overflow.
    if (offset < -base || offset > feed->source.size() - base)
        return ARCHIVE_FATAL;
    feed->position = base + offset;
    return feed->position;
}

// Only the formats and filters listed here: libarchive's others (mtree,
// raw, "empty") would accept any text file, and its external-program
// filters would start processes.
void enableFormats(archive* a) {
    archive_read_support_format_7zip(a);
    archive_read_support_format_rar5(a);
    archive_read_support_format_tar(a);
    archive_read_support_format_iso9660(a);
    archive_read_support_format_cpio(a);
    archive_read_support_format_xar(a);
    archive_read_support_filter_gzip(a);
    archive_read_support_filter_bzip2(a);
    archive_read_support_filter_xz(a);
    archive_read_support_filter_lzma(a);
    archive_read_support_filter_zstd(a);
    archive_read_support_filter_lz4(a);
    archive_read_support_filter_compress(a);
}

// One archive read from start to end, closed however the walk stops.
class Reading {
public:
    explicit Reading(ByteSource& source) : m_archive(archive_read_new()), m_feed{source} {}
    ~Reading() { archive_read_free(m_archive); }
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;

    bool open() {
        if (!m_archive)
            return false;
        enableFormats(m_archive);
        archive_read_set_seek_callback(m_archive, seekTo);
        return archive_read_open2(m_archive, &m_feed, nullptr, readBlock, skipBytes, nullptr) == ARCHIVE_OK;
    }
    archive* handle() const { return m_archive; }

private:
    archive* m_archive;
    Feed m_feed;
};

QString nameOf(archive_entry* entry) {
    // UTF-8 where the format declares its names' encoding (7z, RAR 5, Joliet,
    // xar, pax); the raw bytes through the shared decision otherwise (tar and
    // cpio names libarchive cannot read as UTF-8).
    if (const char* utf8 = archive_entry_pathname_utf8(entry))
        return innerText(utf8, qsizetype(std::strlen(utf8)), DeclaredEncoding::Utf8);
    if (const char* bytes = archive_entry_pathname(entry))
        return innerText(bytes, qsizetype(std::strlen(bytes)));
    return {};
}

// Tar, cpio and ISO members lie in the archive as they are: their stored size
// is their size. 7z, RAR 5 and xar keep no per-member packed size libarchive gives.
bool storesMembersAsTheyAre(archive* a) {
    const int base = archive_format(a) & ARCHIVE_FORMAT_BASE_MASK;
    return base == ARCHIVE_FORMAT_TAR || base == ARCHIVE_FORMAT_CPIO || base == ARCHIVE_FORMAT_ISO9660;
}

// The compression of the whole stream for a compressed tar ("gzip", "xz"),
// the format's name otherwise ("7-Zip", "RAR5", "ISO9660").
QString methodOf(archive* a) {
    const char* name = archive_filter_count(a) > 1 ? archive_filter_name(a, 0) : archive_format_name(a);
    return name ? QString::fromLatin1(name) : kUnKnown;
}

EntryView viewOf(archive* a, archive_entry* entry) {
    // A directory's size is that of its own record (an ISO extent): not content.
    const bool isDir = archive_entry_filetype(entry) == AE_IFDIR;
    const qint64 size =
        !isDir && archive_entry_size_is_set(entry) ? std::max<qint64>(0, archive_entry_size(entry)) : 0;
    const qint64 seconds = archive_entry_mtime_is_set(entry) ? qint64(archive_entry_mtime(entry)) : 0;
    const DosStamp stamp = dosStampFromUnix(qint32(
        std::clamp<qint64>(seconds, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max())));
    return EntryView{.name = nameOf(entry),
                     .comment = kNotSupported,
                     .method = methodOf(a),
                     .systemMadeBy = kUnKnown,
                     .versionMadeBy = kUnKnown,
                     .systemNeeded = kUnKnown,
                     .versionNeeded = kUnKnown,
                     .isDir = isDir,
                     .encrypted = archive_entry_is_encrypted(entry) != 0,
                     .compressedSize = storesMembersAsTheyAre(a) ? size : 0,
                     .uncompressedSize = size,
                     .dosDate = stamp.date,
                     .dosTime = stamp.time};
}

// The root directory an ISO image lists as ".": the image itself, not a member.
bool isImageRoot(archive* a, archive_entry* entry) {
    const char* name = archive_entry_pathname(entry);
    return (archive_format(a) & ARCHIVE_FORMAT_BASE_MASK) == ARCHIVE_FORMAT_ISO9660 && name &&
           std::strcmp(name, ".") == 0;
}

} // namespace

bool Cls_Libarchive::namesFormat(const QString& path) {
    return std::any_of(std::begin(kEndings), std::end(kEndings), [&path](const char* ending) {
        return path.endsWith(QLatin1String(ending), Qt::CaseInsensitive);
    });
}

bool Cls_Libarchive::isRar5(ByteSource& source) {
    char start[sizeof kRar5Signature];
    return source.readAt(0, start, qint64(sizeof start)) == qint64(sizeof start) &&
           std::memcmp(start, kRar5Signature, sizeof start) == 0;
}

qint16 Cls_Libarchive::readImpl(const QString&, ByteSource& source) {
    m_entries.clear();
    // libarchive turns UTF-16 names (7z, Joliet) into the thread's locale.
    const platform::ScopedUtf8Locale utf8;
    Reading reading(source);
    if (!reading.open())
        return 2;
    archive* a = reading.handle();
    bool ended = false;
    // Headers only: each member's data is skipped, never written anywhere.
    // A damaged or encrypted part ends the walk with what came before it.
    while (m_entries.size() < size_t(std::numeric_limits<qint32>::max())) {
        archive_entry* entry = nullptr;
        const int status = archive_read_next_header(a, &entry);
        ended = status == ARCHIVE_EOF;
        if (status != ARCHIVE_OK && status != ARCHIVE_WARN)
            break;
        if (!isImageRoot(a, entry))
            m_entries.push_back(viewOf(a, entry));
        if (archive_read_data_skip(a) < ARCHIVE_WARN)
            break;
    }
    if (m_entries.empty() && !ended)
        return 2;
    PackState& state = packState();
    state.PackFileCount = static_cast<qint32>(m_entries.size());
    markLoaded();
    return 0;
}

} // namespace velmar::archives
