// Archives our own readers do not know (7z, compressed tars, ISO 9660, cpio,
// xar), written by the real tools at test time and listed through the
// dispatcher; each listing is compared with the tool's own.

#include "archives/archive_dispatcher.h"
#include "archives/archive_listing.h"
#include "fileinfo/file_infos.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <tuple>

using namespace velmar::archives;

namespace {

struct Member {
    QString name;
    qint64 size = 0;
    bool isDir = false;
    bool operator==(const Member&) const = default;
    bool operator<(const Member& other) const {
        return std::tie(name, size, isDir) < std::tie(other.name, other.size, other.isDir);
    }
};

void PrintTo(const Member& m, std::ostream* out) {
    *out << m.name.toStdString() << ' ' << m.size << (m.isDir ? " dir" : "");
}

enum class Lister { SevenZip, Tar };

struct Case {
    const char* file;
    const char* create; // a shell command run in the temporary directory
    const char* list;   // the tool's own listing of `file`
    Lister lister;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.file;
}

class Written : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("tree/sub"));
        write(QStringLiteral("tree/a.txt"), QByteArray("hello\n"));
        write(QStringLiteral("tree/sub/b.txt"), QByteArray(3000, 'b'));
        write(QStringLiteral("tree/sub/été.txt"), QByteArray("c"));
    }

    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    void write(const QString& relative, const QByteArray& bytes) const {
        QFile f(path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray bytes(const QString& relative) const {
        QFile f(path(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The command's standard output; nullopt when it fails or a tool is missing.
    std::optional<QString> shell(const QString& command) const {
        QProcess p;
        p.setWorkingDirectory(m_dir.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        p.setProcessEnvironment(environment);
        p.start(QStringLiteral("sh"), {QStringLiteral("-c"), command});
        if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return std::nullopt;
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    QTemporaryDir m_dir;
};

// "7z l -slt": one "Path = " block per member, after the "----------" line;
// a folder says so in one of its format's fields.
QList<Member> sevenZipMembers(const QString& output) {
    QList<Member> members;
    const QString all = output.section(QStringLiteral("\n----------\n"), 1);
    for (const QString& line : all.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Path = ")))
            members.append(Member{line.mid(7)});
        else if (members.isEmpty())
            continue;
        else if (line.startsWith(QLatin1String("Size = ")))
            members.last().size = line.mid(7).toLongLong();
        else if (line == QLatin1String("Folder = +") || line.startsWith(QLatin1String("Attributes = D")) ||
                 line.startsWith(QLatin1String("Mode = d")) || line == QLatin1String("Type = directory"))
            members.last().isDir = true;
    }
    // 7z shows a xar archive's table of contents as a member of its own.
    members.removeIf([](const Member& m) { return m.name == QLatin1String("[TOC].xml"); });
    return members;
}

// "tar -tvf": mode, owner, size, date, time, name.
QList<Member> tarMembers(const QString& output) {
    QList<Member> members;
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() < 6)
            continue;
        const bool isDir = fields[0].startsWith(QLatin1Char('d'));
        QString name = fields.mid(5).join(QLatin1Char(' '));
        if (isDir)
            name.chop(1);
        members.append(Member{name, fields[2].toLongLong(), isDir});
    }
    return members;
}

QList<Member> ourMembers(const Cls_GetFileType& d) {
    QList<Member> members;
    for (qint32 i = 1; i <= d.FileCount(); ++i) {
        QString name = d.FileName(i);
        if (name.endsWith(QLatin1Char('/')))
            name.chop(1);
        members.append(Member{name, d.UnCompressed_Size(i), d.IsDir(i)});
    }
    return members;
}

QList<Member> sorted(QList<Member> members) {
    std::sort(members.begin(), members.end());
    return members;
}

// Bytes no archive format recognises, the same at every run.
QByteArray garbage(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = char(state >> 24);
    }
    return bytes;
}

// RAR 5 by hand (no Debian tool writes it): members stored as they are.
// Each header is its CRC-32, then its size and fields as variable-length
// integers (7 bits a byte, low bits first).
QByteArray vint(quint64 value) {
    QByteArray out;
    do {
        const char low = char(value & 0x7F);
        value >>= 7;
        out += value ? char(low | 0x80) : low;
    } while (value);
    return out;
}

QByteArray rar5Header(const QByteArray& fields) {
    const QByteArray sized = vint(quint64(fields.size())) + fields;
    const quint32 crc =
        quint32(crc32(0, reinterpret_cast<const Bytef*>(sized.constData()), uInt(sized.size())));
    QByteArray out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = char(crc >> (8 * i));
    return out + sized;
}

QByteArray rar5Member(const QByteArray& name, const QByteArray& content, bool isDir) {
    constexpr quint64 FILE_HEADER = 2, DATA_AREA = 0x2, DIRECTORY = 0x1, UNIX = 1;
    const quint64 attributes = isDir ? 040755 : 0100644;
    const QByteArray fields = vint(FILE_HEADER) + vint(DATA_AREA) + vint(quint64(content.size())) +
                              vint(isDir ? DIRECTORY : 0) + vint(quint64(content.size())) + vint(attributes) +
                              vint(0) /* stored */ + vint(UNIX) + vint(quint64(name.size())) + name;
    return rar5Header(fields) + content;
}

QByteArray rar5Archive() {
    constexpr quint64 MAIN_HEADER = 1, END_HEADER = 5;
    return QByteArray("Rar!\x1A\x07\x01\x00", 8) + rar5Header(vint(MAIN_HEADER) + vint(0) + vint(0)) +
           rar5Member("tree", {}, true) + rar5Member("tree/a.txt", "hello\n", false) +
           rar5Member("tree/été.txt", QByteArray(3000, 'c'), false) +
           rar5Header(vint(END_HEADER) + vint(0) + vint(0));
}

TEST_P(Written, ListsWhatTheToolLists) {
    const Case& c = GetParam();
    const auto created = shell(QString::fromUtf8(c.create));
    const auto listed = created ? shell(QString::fromUtf8(c.list)) : std::nullopt;
    if (!listed)
        GTEST_SKIP() << c.create << " or " << c.list << " is missing or failed";
    const QList<Member> expected = c.lister == Lister::Tar ? tarMembers(*listed) : sevenZipMembers(*listed);
    ASSERT_GE(expected.size(), 3) << listed->toStdString();

    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path(QString::fromUtf8(c.file))), 0);
    EXPECT_EQ(sorted(ourMembers(d)), sorted(expected));
    for (qint32 i = 1; i <= d.FileCount(); ++i)
        EXPECT_FALSE(d.Encrypted(i)) << i;
    const QString text = velmar::AnalyseContenuFichier(path(QString::fromUtf8(c.file)));
    EXPECT_TRUE(text.startsWith(QStringLiteral("%1 fichiers - 2").arg(expected.size())))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\r\ntree/sub/été.txt"))) << text.toStdString();
}

TEST_P(Written, CutCopyListsAPartAndGarbageNothing) {
    const Case& c = GetParam();
    if (!shell(QString::fromUtf8(c.create)))
        GTEST_SKIP() << c.create << " is missing or failed";
    const QString name = QString::fromUtf8(c.file);
    const QByteArray whole = bytes(name);
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path(name)), 0);
    const QList<Member> complete = ourMembers(d);
    for (const qsizetype cut : {whole.size() / 2, whole.size() - 1, qsizetype(100)}) {
        MemorySource source(whole.constData(), cut);
        if (d.Get_Contents(name, source) != 0)
            continue;
        // A cut gzip stream libarchive cannot start falls to our gzip reader,
        // which lists the stream's own member.
        if (d.Method(1) == QLatin1String("Deflate"))
            continue;
        for (const Member& m : ourMembers(d))
            EXPECT_TRUE(complete.contains(m)) << cut << ' ' << m.name.toStdString();
    }
    write(QStringLiteral("garbage-") + name, garbage(whole.size()));
    EXPECT_EQ(d.Get_Contents(path(QStringLiteral("garbage-") + name)), 2);
    EXPECT_EQ(velmar::AnalyseContenuFichier(path(QStringLiteral("garbage-") + name)), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Tools, Written,
    ::testing::Values(
        Case{"t.7z", "7z a -bd t.7z tree >/dev/null", "7z l -slt t.7z", Lister::SevenZip},
        Case{"t.tar.gz", "tar -czf t.tar.gz tree", "tar -tvf t.tar.gz", Lister::Tar},
        Case{"t.tgz", "tar -czf t.tgz tree", "tar -tvf t.tgz", Lister::Tar},
        Case{"t.tar.bz2", "tar -cjf t.tar.bz2 tree", "tar -tvf t.tar.bz2", Lister::Tar},
        Case{"t.tar.xz", "tar -cJf t.tar.xz tree", "tar -tvf t.tar.xz", Lister::Tar},
        Case{"t.tar.zst", "tar --zstd -cf t.tar.zst tree", "tar --zstd -tvf t.tar.zst", Lister::Tar},
        Case{"t.tar.lz4", "tar -I lz4 -cf t.tar.lz4 tree", "tar -I lz4 -tvf t.tar.lz4", Lister::Tar},
        Case{"t.iso", "genisoimage -quiet -R -J -graft-points -o t.iso tree/=tree", "7z l -slt t.iso",
             Lister::SevenZip},
        Case{"t.cpio", "find tree | cpio -o -H newc --quiet > t.cpio", "7z l -slt t.cpio", Lister::SevenZip},
        Case{"t.xar", "bsdtar --format xar -cf t.xar tree", "7z l -slt t.xar", Lister::SevenZip}));

TEST_F(Written, EncryptedSevenZipListsItsMembersAsEncrypted) {
    if (!shell(QStringLiteral("7z a -bd -psecret t.7z tree >/dev/null")))
        GTEST_SKIP() << "7z is missing or failed";
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path(QStringLiteral("t.7z"))), 0);
    const QList<Member> members = ourMembers(d);
    ASSERT_TRUE(members.contains(Member{QStringLiteral("tree/sub/b.txt"), 3000, false}));
    for (qint32 i = 1; i <= d.FileCount(); ++i)
        EXPECT_EQ(d.Encrypted(i), !d.IsDir(i)) << d.FileName(i).toStdString();
}

TEST_F(Written, SevenZipWithEncryptedNamesIsRefused) {
    if (!shell(QStringLiteral("7z a -bd -psecret -mhe=on t.7z tree >/dev/null")))
        GTEST_SKIP() << "7z is missing or failed";
    Cls_GetFileType d;
    EXPECT_EQ(d.Get_Contents(path(QStringLiteral("t.7z"))), 2);
    EXPECT_EQ(d.FileCount(), 0);
    EXPECT_EQ(velmar::AnalyseContenuFichier(path(QStringLiteral("t.7z"))), QString());
}

TEST_F(Written, Rar5ListsWhat7zLists) {
    write(QStringLiteral("t.rar"), rar5Archive());
    const auto listed = shell(QStringLiteral("7z l -slt t.rar"));
    if (!listed)
        GTEST_SKIP() << "7z is missing or failed";
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path(QStringLiteral("t.rar"))), 0);
    EXPECT_EQ(sorted(ourMembers(d)), sorted(sevenZipMembers(*listed)));
    EXPECT_EQ(d.FileCount(), 3);
    const QByteArray whole = rar5Archive();
    for (qsizetype cut = 0; cut < whole.size(); cut += 5) {
        MemorySource source(whole.constData(), cut);
        d.Get_Contents(QStringLiteral("t.rar"), source);
        EXPECT_LE(d.FileCount(), 3);
    }
}

TEST_F(Written, PlainGzipStaysWithOurReader) {
    // A gzip stream that holds no tar lists its one member, as before.
    if (!shell(QStringLiteral("gzip -k tree/a.txt")))
        GTEST_SKIP() << "gzip is missing or failed";
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path(QStringLiteral("tree/a.txt.gz"))), 0);
    ASSERT_EQ(d.FileCount(), 1);
    EXPECT_EQ(d.FileName(1), QStringLiteral("a.txt"));
}

} // namespace
