#pragma once

// One file found by the directory walk, as written to the record work file
// between the two phases of an exploration.

#include <QByteArray>
#include <QString>

namespace velmar {

// Layout of a record on disk (968 bytes). Text fields hold the system's
// encoding (UTF-8 here), left-aligned and padded with NUL bytes; a reader cuts
// each at its first NUL.
//
//   offset  width  field
//        0      2  reserved, 0
//        2    200  nameFull     name with extension
//      202    200  nameStem     name without its extension
//      402    400  dirPath      directory, with its trailing separator
//      802     10  extension    upper case, without the dot
//      812      4  size         low 32 bits, signed little-endian
//      816     20  modified     "05/03/2004 09:07:00"
//      836     20  created      same form
//      856     10  spare10      high 32 bits of the size (little-endian), then NULs
//      866    100  spare100     blanks
//      966      2  not written
namespace FileRecordLayout {
constexpr int kRecordSize = 968;
constexpr int kNameFullOffset = 2;
constexpr int kNameWidth = 200;
constexpr int kNameStemOffset = 202;
constexpr int kDirPathOffset = 402;
constexpr int kDirPathWidth = 400;
constexpr int kExtensionOffset = 802;
constexpr int kExtensionWidth = 10;
constexpr int kSizeOffset = 812;
constexpr int kModifiedOffset = 816;
constexpr int kCreatedOffset = 836;
constexpr int kDateWidth = 20;
constexpr int kSpare10Offset = 856;
constexpr int kSpare100Offset = 866;
constexpr int kSpare100Width = 100;
} // namespace FileRecordLayout

struct FileRecord {
    QString nameFull;
    QString nameStem;
    QString dirPath;
    QString extension;
    qint64 size = 0;
    QString modified;
    QString created;

    // Fills `out` with the 968 bytes of the record. False when a text does not
    // fit its field: such a file is left out.
    bool encode(QByteArray& out) const;
    static bool decode(const QByteArray& bytes, FileRecord& record);
};

// Extension of a file name as the walk records it: "" without a dot;
// otherwise one leading and one trailing double quote are dropped and the
// text after the last dot is upper-cased (archive.tar.gz gives GZ).
QString recordExtension(const QString& fileName);
// The name without "." and the extension, or the whole name without one.
QString recordStem(const QString& fileName, const QString& extension);

} // namespace velmar
