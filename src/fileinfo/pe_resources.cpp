#include "fileinfo/pe_resources.h"

#include "app/byte_order.h"

#include <QList>

namespace velmar::pe {

namespace {

namespace layout {
// DOS header: "MZ" | ... | e_lfanew (offset of the PE signature)
//             0            0x3C
constexpr char kDosMagic[] = "MZ";
constexpr qint64 kDosHeaderSize = 64;
constexpr qint64 kLfanew = 0x3C;
// PE signature and COFF header:
//   "PE\0\0" | machine | sections | time | symbols | count | optional size | characteristics
//   0          4         6          8      12        16      20              22
constexpr char kPeMagic[] = {'P', 'E', 0, 0};
constexpr qint64 kCoffSize = 24;
constexpr qint64 kSectionCount = 6;
constexpr qint64 kOptionalSize = 20;
// Optional header: magic, then the data directories (8 bytes each: RVA, size).
constexpr quint16 kPe32 = 0x10B;
constexpr quint16 kPe32Plus = 0x20B;
constexpr qint64 kDirectoryCount32 = 92;
constexpr qint64 kDirectories32 = 96;
constexpr qint64 kDirectoryCount64 = 108;
constexpr qint64 kDirectories64 = 112;
constexpr quint32 kResourceDirectory = 2;
// Section header (40 bytes): name 8 | virtual size | virtual address | raw size | raw pointer
//                             0        8              12                16         20
constexpr qint64 kSectionSize = 40;
constexpr qint64 kVirtualSize = 8;
constexpr qint64 kVirtualAddress = 12;
constexpr qint64 kRawSize = 16;
constexpr qint64 kRawPointer = 20;
constexpr quint16 kMaxSections = 96;
// Resource directory (16 bytes) ... | named entries | id entries, then 8-byte entries
//                                     12              14
constexpr qint64 kDirectorySize = 16;
constexpr qint64 kNamedEntries = 12;
constexpr qint64 kIdEntries = 14;
constexpr qint64 kEntrySize = 8;
constexpr quint32 kSubdirectoryFlag = 0x80000000u;
constexpr quint32 kRtVersion = 16;
// Data entry: RVA | size | code page | reserved
constexpr qint64 kDataEntrySize = 16;
constexpr quint32 kMaxVersionSize = 0x10000; // the root block's length is 16-bit
} // namespace layout

bool readAt(archives::ByteSource& source, qint64 offset, qint64 count, QByteArray& out) {
    out.clear();
    if (offset < 0 || count < 0 || count > source.size() || offset > source.size() - count)
        return false;
    out = archives::bytesAt(source, offset, count);
    return out.size() == count;
}

struct Section {
    quint32 virtualAddress;
    quint32 virtualSize;
    quint32 rawSize;
    quint32 rawPointer;
};

struct Image {
    QList<Section> sections;
    quint32 resourceRva = 0;
};

// File offset of an RVA and how many bytes of raw data follow it in its section.
bool mapRva(const Image& image, quint32 rva, qint64& offset, qint64& available) {
    for (const Section& s : image.sections) {
        const quint32 extent = qMax(s.virtualSize, s.rawSize);
        if (rva >= s.virtualAddress && rva - s.virtualAddress < extent) {
            const quint32 delta = rva - s.virtualAddress;
            if (delta >= s.rawSize)
                return false;
            offset = static_cast<qint64>(s.rawPointer) + delta;
            available = static_cast<qint64>(s.rawSize) - delta;
            return true;
        }
    }
    return false;
}

bool readHeaders(archives::ByteSource& source, Image& image) {
    QByteArray dos;
    quint32 lfanew = 0;
    if (!readAt(source, 0, layout::kDosHeaderSize, dos) || !dos.startsWith(layout::kDosMagic) ||
        !bytes::readLE32(dos, layout::kLfanew, lfanew))
        return false;
    QByteArray coff;
    quint16 sectionCount = 0;
    quint16 optionalSize = 0;
    if (!readAt(source, lfanew, layout::kCoffSize, coff) ||
        !coff.startsWith(QByteArray(layout::kPeMagic, sizeof layout::kPeMagic)) ||
        !bytes::readLE16(coff, layout::kSectionCount, sectionCount) ||
        !bytes::readLE16(coff, layout::kOptionalSize, optionalSize) || sectionCount > layout::kMaxSections)
        return false;
    QByteArray optional;
    quint16 magic = 0;
    if (!readAt(source, qint64(lfanew) + layout::kCoffSize, optionalSize, optional) ||
        !bytes::readLE16(optional, 0, magic))
        return false;
    if (magic != layout::kPe32 && magic != layout::kPe32Plus)
        return false;
    const bool wide = magic == layout::kPe32Plus;
    quint32 directoryCount = 0;
    if (!bytes::readLE32(optional, wide ? layout::kDirectoryCount64 : layout::kDirectoryCount32,
                         directoryCount) ||
        directoryCount <= layout::kResourceDirectory ||
        !bytes::readLE32(optional,
                         (wide ? layout::kDirectories64 : layout::kDirectories32) +
                             layout::kResourceDirectory * 8,
                         image.resourceRva))
        return false;
    QByteArray table;
    if (!readAt(source, qint64(lfanew) + layout::kCoffSize + optionalSize,
                qint64(sectionCount) * layout::kSectionSize, table))
        return false;
    for (quint16 i = 0; i < sectionCount; ++i) {
        const qint64 at = qint64(i) * layout::kSectionSize;
        Section s{};
        bytes::readLE32(table, at + layout::kVirtualSize, s.virtualSize);
        bytes::readLE32(table, at + layout::kVirtualAddress, s.virtualAddress);
        bytes::readLE32(table, at + layout::kRawSize, s.rawSize);
        bytes::readLE32(table, at + layout::kRawPointer, s.rawPointer);
        image.sections.append(s);
    }
    return image.resourceRva != 0;
}

// Reads within the resource section only.
struct ResourceSection {
    archives::ByteSource& source;
    qint64 base;
    qint64 limit;

    bool read(quint32 relative, qint64 count, QByteArray& out) const {
        if (relative > limit || count > limit - relative)
            return false;
        return readAt(source, base + relative, count, out);
    }
};

// The entry of a directory with the wanted id, or its first entry when `id` is
// negative. Gives the entry's OffsetToData field.
bool findEntry(const ResourceSection& rsrc, quint32 directory, qint64 id, quint32& target) {
    QByteArray header;
    quint16 named = 0;
    quint16 ids = 0;
    if (!rsrc.read(directory, layout::kDirectorySize, header) ||
        !bytes::readLE16(header, layout::kNamedEntries, named) ||
        !bytes::readLE16(header, layout::kIdEntries, ids))
        return false;
    const qint64 count = qint64(named) + ids;
    if (count == 0)
        return false;
    QByteArray entries;
    if (!rsrc.read(directory + layout::kDirectorySize, count * layout::kEntrySize, entries))
        return false;
    for (qint64 i = 0; i < count; ++i) {
        quint32 name = 0;
        bytes::readLE32(entries, i * layout::kEntrySize, name);
        if (id < 0 || name == quint32(id)) {
            bytes::readLE32(entries, i * layout::kEntrySize + 4, target);
            return true;
        }
    }
    return false;
}

bool subdirectory(quint32 target, quint32& directory) {
    if (!(target & layout::kSubdirectoryFlag))
        return false;
    directory = target & ~layout::kSubdirectoryFlag;
    return true;
}

} // namespace

QByteArray versionResource(archives::ByteSource& source) {
    Image image;
    if (!readHeaders(source, image))
        return {};
    qint64 base = 0;
    qint64 limit = 0;
    if (!mapRva(image, image.resourceRva, base, limit))
        return {};
    const ResourceSection rsrc{source, base, limit};
    quint32 target = 0;
    quint32 names = 0;
    quint32 languages = 0;
    if (!findEntry(rsrc, 0, layout::kRtVersion, target) || !subdirectory(target, names) ||
        !findEntry(rsrc, names, -1, target) || !subdirectory(target, languages) ||
        !findEntry(rsrc, languages, -1, target) || (target & layout::kSubdirectoryFlag))
        return {};
    QByteArray entry;
    quint32 dataRva = 0;
    quint32 dataSize = 0;
    if (!rsrc.read(target, layout::kDataEntrySize, entry) || !bytes::readLE32(entry, 0, dataRva) ||
        !bytes::readLE32(entry, 4, dataSize))
        return {};
    qint64 offset = 0;
    qint64 available = 0;
    if (!mapRva(image, dataRva, offset, available))
        return {};
    const qint64 size = qMin<qint64>(qMin<qint64>(dataSize, layout::kMaxVersionSize), available);
    QByteArray data;
    if (!readAt(source, offset, size, data))
        return {};
    return data;
}

} // namespace velmar::pe
