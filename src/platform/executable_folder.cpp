#include "platform/executable_folder.h"

#include <QFileInfo>

namespace velmar {

QString runningExecutableFolder() {
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    const QString target = self.canonicalFilePath();
    return target.isEmpty() ? QString() : QFileInfo(target).absolutePath();
}

} // namespace velmar
