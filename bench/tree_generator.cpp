#include "tree_generator.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <array>

namespace velmar::bench {

namespace {

constexpr std::array<const char*, 8> kExtensions = {"txt", "jpg", "mp3", "zip", "exe", "html", "doc", "bak"};

QString directoryPath(const QString& root, int index) {
    // Three levels: d<i/100>/d<i/10>/d<i>, so parents are shared by siblings.
    return QStringLiteral("%1/d%2/d%3/d%4").arg(root).arg(index / 100).arg(index / 10).arg(index);
}

bool writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

} // namespace

bool makeTree(const QString& root, int directories, int files, qint64 fileSize) {
    const QByteArray content(fileSize, 'v');
    for (int d = 0; d < directories; ++d)
        if (!QDir().mkpath(directoryPath(root, d)))
            return false;
    for (int f = 0; f < files; ++f) {
        const QString name =
            QStringLiteral("/fichier%1.%2").arg(f).arg(QLatin1String(kExtensions[f % kExtensions.size()]));
        if (!writeFile(directoryPath(root, f % directories) + name, content))
            return false;
    }
    return true;
}

bool makeFlatTree(const QString& root, int count) {
    for (int i = 0; i < count; ++i)
        if (!QDir().mkpath(QStringLiteral("%1/sous-dossier%2").arg(root).arg(i)))
            return false;
    return true;
}

bool makeLargeFiles(const QString& root, int count, qint64 size) {
    QDir().mkpath(root);
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    QRandomGenerator rng(7);
    for (int i = 0; i < count; ++i) {
        QFile f(QStringLiteral("%1/gros%2.bin").arg(root).arg(i));
        if (!f.open(QIODevice::WriteOnly))
            return false;
        for (qint64 done = 0; done < size; done += chunk.size()) {
            rng.fillRange(reinterpret_cast<quint32*>(chunk.data()), chunk.size() / 4);
            if (f.write(chunk.constData(), qMin<qint64>(chunk.size(), size - done)) < 0)
                return false;
        }
    }
    return true;
}

} // namespace velmar::bench
