#pragma once

// One member of a ZIP file read into memory through libarchive, found from
// the central directory: the documents that are ZIP files (OpenDocument,
// Office Open XML) keep their metadata in one small member. Nothing is
// written to disk, and no more than `limit` bytes are inflated.

#include <QByteArray>
#include <QString>

#include <initializer_list>
#include <optional>

namespace velmar::archives {

using MemberNames = std::initializer_list<const char*>;

// The bytes of the first member, in directory order, named one of `names`;
// nothing when the file is no ZIP, holds no such member, or that member is
// damaged, encrypted or larger than `limit`.
std::optional<QByteArray> zipMember(const QString& path, MemberNames names, qint64 limit);
std::optional<QByteArray> zipMember(const char* data, qint64 size, MemberNames names, qint64 limit);

} // namespace velmar::archives
