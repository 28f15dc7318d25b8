#pragma once

// Sample files for the file information tests: written into a temporary
// folder, either byte by byte or by the real tools (ImageMagick, libjpeg-turbo,
// sox, id3v2, eyeD3, mid3v2, mingw-w64), which a test skips without.

#include "support/byte_strings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velmar::test {

class SampleFolder {
public:
    SampleFolder();
    QString path(const QString& name) const;
    QString write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir m_dir;
};

bool hasTool(const QString& program);
// Runs `program` in `workDir`; the failure, with the tool's output, goes to the test log.
bool runTool(const QString& program, const QStringList& arguments, const QString& workDir);
// Standard output of `program` run in `workDir`, "" (and a failure) when it fails.
QString toolOutput(const QString& program, const QStringList& arguments, const QString& workDir);

// `count` MPEG-1 layer III frames (128 kbit/s, 44100 Hz) of silence.
QByteArray mpegFrames(int count);
// A 128-byte ID3 v1 tag with the fields padded by `pad`.
QByteArray id3v1(const QByteArray& title, const QByteArray& artist, const QByteArray& album, int track,
                 int genre, char pad = '\0');
// An ID3 v2.3 header (given version bytes) followed by the frames and 64 bytes of padding.
QByteArray id3v2(const QList<QPair<QByteArray, QByteArray>>& frames, char major = 3);

} // namespace velmar::test

#define VELMAR_REQUIRE_TOOL(program)                                                                         \
    if (!velmar::test::hasTool(QStringLiteral(program)))                                                     \
    GTEST_SKIP() << program << " is not installed"

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
