#include "app/support_types.h"

#include "app/dialogs.h"
#include "app/files.h"
#include "app/text.h"

namespace velmar {

QList<SupportType> readSupportTypes(const QString& listFile) {
    QList<SupportType> types;
    QStringList lines;
    if (!readTextLines(listFile, lines))
        return types;
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        types.append({static_cast<int>(numericValue(hashField(line, 1))), hashField(line, 2),
                      hashField(line, 3), hashField(line, 4)});
    }
    return types;
}

QList<SupportType> supportTypesWithIcons(const QList<SupportType>& types, const QString& iconDir) {
    QList<SupportType> loaded;
    for (const SupportType& type : types) {
        if (!FichierExiste(iconDir + type.iconFile)) {
            dialogs().message(QStringLiteral("Le fichier de type lecteur nommé '") + type.iconFile +
                                  QStringLiteral("' est introuvable !"),
                              MessageStyle::Critical);
            break;
        }
        loaded.append(type);
    }
    return loaded;
}

QString supportTypeLabel(const QList<SupportType>& types, int number) {
    for (const SupportType& type : types)
        if (type.number == number)
            return type.label;
    return QStringLiteral("type n° ") + QString::number(number);
}

} // namespace velmar
