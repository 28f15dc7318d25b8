#include "store/support_medium.h"

#include "app/native_path.h"
#include "app/text.h"
#include "explore/drive_panel.h"
#include "platform/native_files.h"
#include "store/volume_labels.h"

#include <QThread>

#include <algorithm>

namespace velmar {

bool readSupportMedium(db::Database& db, int support, SupportMedium& medium) {
    db::Recordset rs =
        db.openRecordset("SELECT * FROM Supports WHERE NumSupport = " + NombreEnTexte(support) + " ;");
    if (rs.eof())
        return false;
    medium.name = rs.field(QStringLiteral("NomSupport")).toText();
    medium.type = static_cast<int>(numericValue(rs.field(QStringLiteral("TypeSupport")).toText()));
    medium.serial = rs.field(QStringLiteral("Identifiant")).toText();
    rs.close();
    medium.label = volumeLabel(db, support);
    // The first directory stored is the one the exploration started from.
    db::Recordset start =
        db.openRecordset(QStringLiteral("SELECT RepertoireParent, RepertoireSeul FROM Repertoires "
                                        "WHERE NumSupport = ? ORDER BY NumRepertoire LIMIT 1"),
                         {support});
    if (!start.eof()) {
        const QString parent = start.field(0).toText();
        const QString own = start.field(1).toText();
        medium.startPath = parent.isEmpty() ? own : parent + QLatin1Char('\\') + own;
    }
    return true;
}

bool isSupportMedium(const Volume& volume, const SupportMedium& medium) {
    return serialText(volume.serial) == medium.serial;
}

bool supportMediumMounted(const QList<Volume>& volumes, const SupportMedium& medium) {
    return std::any_of(volumes.begin(), volumes.end(),
                       [&medium](const Volume& v) { return isSupportMedium(v, medium); });
}

// Floppies are tried too: unlike the search by path over every drive, this
// looks only at the medium the user was asked for.
QString findOnSupportMedium(const QList<Volume>& volumes, const SupportMedium& medium,
                            const QString& relativePath) {
    for (const Volume& volume : volumes) {
        if (!isSupportMedium(volume, medium))
            continue;
        const QString candidate = nativePath(volume.rootPath, relativePath);
        if (nativeExists(candidate))
            return candidate;
    }
    return QString();
}

QList<Volume> waitForSupportMedium(const SupportMedium& medium, QDeadlineTimer deadline,
                                   std::chrono::milliseconds interval) {
    QList<Volume> volumes = platform().volumes();
    while (!supportMediumMounted(volumes, medium) && !deadline.hasExpired()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline.remainingTimeAsDuration());
        QThread::msleep(static_cast<unsigned long>(std::min(interval, left).count()));
        volumes = platform().volumes();
    }
    return volumes;
}

QString insertionRequest(const SupportMedium& medium, const QString& typeLabel) {
    return QStringLiteral("Insérez le support « ") + medium.name + QStringLiteral(" ».\n") +
           QStringLiteral("Type du support : ") + typeLabel + QLatin1Char('\n') +
           (medium.label.isEmpty()
                ? QString()
                : QStringLiteral("Étiquette du volume : ") + medium.label + QLatin1Char('\n')) +
           QStringLiteral("Numéro de série du volume : ") + medium.serial;
}

} // namespace velmar
