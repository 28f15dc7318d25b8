#include "app/file_location.h"

#include "app/dialogs.h"
#include "app/native_path.h"
#include "platform/native_files.h"
#include "platform/platform.h"

#include <QDir>
#include <QFileInfo>

namespace velmar {

QString findOnPresentVolumes(const QString& relativePath) {
    for (const Volume& volume : platform().volumes()) {
        if (volume.isFloppy)
            continue;
        const QString candidate = nativePath(volume.rootPath, relativePath);
        if (nativeExists(candidate))
            return candidate;
    }
    return QString();
}

namespace {

bool userRefusesReplacing(const QString& target) {
    return nativeExists(target) &&
           dialogs().message(QStringLiteral("Le fichier ") + QDir::toNativeSeparators(target) +
                                 QStringLiteral(" existe déjà. Voulez-vous le remplacer ?"),
                             MessageStyle::Question) != MessageAnswer::Yes;
}

bool copyReplacing(const QString& source, const QString& target) {
    if (QFileInfo(source).absoluteFilePath() == QFileInfo(target).absoluteFilePath())
        return false;
    QString reason;
    return copyNativeFile(source, target, reason);
}

} // namespace

bool copyIntoFolder(const QString& source, const QString& destination) {
    // cleanPath drops a trailing separator, so "dest/" and "dest" name one folder.
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(destination));
    if (!QDir().mkpath(folder)) {
        dialogs().message(
            QStringLiteral(
                "Une erreur s'est produite pendant la création des répertoires sur la destination !"),
            MessageStyle::Exclamation);
        return false;
    }
    const QString target = folder + QLatin1Char('/') + QFileInfo(source).fileName();
    if (userRefusesReplacing(target))
        return false;
    if (!copyReplacing(source, target)) {
        dialogs().message(QStringLiteral("Une erreur s'est produite pendant la copie du fichier !"),
                          MessageStyle::Exclamation);
        return false;
    }
    dialogs().message(QStringLiteral("Fichier copié !"), MessageStyle::Information);
    return true;
}

} // namespace velmar
