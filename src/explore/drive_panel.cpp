#include "explore/drive_panel.h"

#include "app/phrases.h"

namespace velmar {

namespace {
constexpr qint64 kLargestCd = 900LL * 1024 * 1024;
}

QString drivePanelText(const Volume& volume) {
    QString root = volume.rootPath;
    if (root.size() > 1 && root.endsWith(QLatin1Char('/')))
        root.chop(1);
    return QStringLiteral("Lecteur ") + root + QLatin1Char('\n') + QStringLiteral("Espace total : ") +
           sizePhrase(volume.totalBytes, false) + QLatin1Char('\n') + QStringLiteral("Espace disponible : ") +
           sizePhrase(volume.freeBytes, false) + QLatin1Char('\n') + QStringLiteral("Nom de volume : ") +
           volume.label;
}

QString driveKeyword(const Volume& volume) {
    switch (volume.type) {
    case DriveType::Removable:
        return QStringLiteral("AMOVIBLE");
    case DriveType::Fixed:
    case DriveType::NoRootDirectory:
        return QStringLiteral("FIXE");
    case DriveType::CdRom:
        return volume.totalBytes < kLargestCd ? QStringLiteral("CD") : QStringLiteral("DVD");
    case DriveType::RamDisk:
        return QStringLiteral("VIRTUEL");
    default:
        return QStringLiteral("RESEAU");
    }
}

int supportTypeForKeyword(const QList<SupportType>& types, const QString& keyword) {
    for (const SupportType& type : types)
        if (type.keyword == keyword)
            return type.number;
    return 0;
}

QString serialText(qint32 serial) {
    return QString::number(serial).left(20);
}

} // namespace velmar
