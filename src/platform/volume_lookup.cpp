#include "platform/platform.h"

#include <QDir>

namespace velmar {

bool volumeHolding(const QList<Volume>& volumes, const QString& path, Volume& found) {
    QString target = QDir(path).absolutePath();
    if (!target.endsWith(QLatin1Char('/')))
        target += QLatin1Char('/');
    qsizetype best = -1;
    for (const Volume& v : volumes) {
        if (target.startsWith(v.rootPath) && v.rootPath.size() > best) {
            best = v.rootPath.size();
            found = v;
        }
    }
    return best >= 0;
}

} // namespace velmar
