#include "app/background.h"

#include <QDir>

#include <algorithm>

namespace velmar {

namespace {

QStringList plainFiles(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Unsorted);
}

} // namespace

int countBackgroundPictures(const QString& folder) {
    return static_cast<int>(plainFiles(folder).size());
}

QString pickBackgroundPicture(const QString& folder, double random) {
    const QStringList files = plainFiles(folder);
    if (files.isEmpty())
        return {};
    const int k = std::clamp(static_cast<int>(random * files.size()) + 1, 1, static_cast<int>(files.size()));
    return QDir(folder).filePath(files.at(k - 1));
}

} // namespace velmar
