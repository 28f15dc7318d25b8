#include "sample_files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace velmar::test {

SampleFolder::SampleFolder() {
    EXPECT_TRUE(m_dir.isValid());
}

QString SampleFolder::path(const QString& name) const {
    return m_dir.filePath(name);
}

QString SampleFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

QByteArray SampleFolder::read(const QString& name) const {
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool hasTool(const QString& program) {
    return !QStandardPaths::findExecutable(program).isEmpty();
}

bool runTool(const QString& program, const QStringList& arguments, const QString& workDir) {
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(' ').toStdString() << ": "
                      << process.readAll().toStdString();
        return false;
    }
    return true;
}

QString toolOutput(const QString& program, const QStringList& arguments, const QString& workDir) {
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(' ').toStdString() << ": "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QByteArray mpegFrames(int count) {
    // Header FF FB 90 00: MPEG-1 layer III, 128 kbit/s, 44100 Hz: 417-byte frames.
    QByteArray frame("\xFF\xFB\x90\x00", 4);
    frame.append(413, '\0');
    return frame.repeated(count);
}

static QByteArray field(const QByteArray& value, int length, char pad) {
    return value.left(length) + QByteArray(qMax(0, length - int(value.size())), pad);
}

QByteArray id3v1(const QByteArray& title, const QByteArray& artist, const QByteArray& album, int track,
                 int genre, char pad) {
    QByteArray tag = "TAG" + field(title, 30, pad) + field(artist, 30, pad) + field(album, 30, pad) + "2026" +
                     field("commentaire", 28, pad) + '\0';
    tag.append(char(track));
    tag.append(char(genre));
    return tag;
}

QByteArray id3v2(const QList<QPair<QByteArray, QByteArray>>& frames, char major) {
    QByteArray body;
    for (const auto& [id, content] : frames) {
        const int size = int(content.size()) + 1; // encoding byte
        body += id + QByteArray(2, '\0') + be16(size) + QByteArray(2, '\0') + '\0' + content;
    }
    body.append(64, '\0');
    const int size = int(body.size());
    QByteArray header = QByteArray("ID3") + major + '\0' + '\0';
    for (int shift : {21, 14, 7, 0})
        header.append(char((size >> shift) & 0x7F));
    return header + body;
}

} // namespace velmar::test
