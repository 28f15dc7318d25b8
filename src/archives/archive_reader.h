#pragma once

// The listing contract shared by the eight format readers. The public entry
// Get_Contents resets the shared state, opens the archive and calls the
// format's readImpl(); every per-entry operation checks its index (1-based)
// against the shared state before asking the format for the entry's view.

#include "archives/archive_contents.h"
#include "archives/byte_source.h"
#include "archives/pack_state.h"

#include <QString>

#include <optional>

namespace velmar::archives {

// The "UnKnown" texts several formats give for fields they do not keep.
inline const QString kUnKnown = QStringLiteral("UnKnown");
inline const QString kUnknown = QStringLiteral("Unknown");
inline const QString kNotSupported = QStringLiteral("Not Supported");

class ArchiveReader : public ArchiveContents {
public:
    // 0 when the walk ran; the archive is closed before returning.
    qint16 Get_Contents(const QString& path);
    // The same over bytes already at hand; `path` still names the archive.
    qint16 Get_Contents(const QString& path, ByteSource& source);

    qint32 FileCount() const override;
    QString CommentsPack() const override;
    // After the same index check as every question about one entry.
    std::optional<EntryView> Entry(qint32 index) const override { return checked(index); }
    // Whether the last walk read the archive (entries listed, or an empty
    // archive recognised): what the dispatcher trusts.
    bool loaded() const { return m_loaded; }

protected:
    virtual qint16 readImpl(const QString& path, ByteSource& source) = 0;
    virtual qint32 tableSize() const = 0;
    // `index` is 0-based and already checked.
    virtual EntryView view(qint32 index) const = 0;
    // A status returned for an empty path before anything is reset.
    virtual std::optional<qint16> emptyPathStatus() const { return std::nullopt; }
    // Records that the walk read the archive, in the reader and in the shared state.
    void markLoaded();

private:
    std::optional<EntryView> checked(qint32 index) const;

    bool m_loaded = false;
};

} // namespace velmar::archives
