#include "store/search_condition.h"

#include "app/phrases.h"
#include "app/text.h"

namespace velmar {

namespace {

const QString Q = QStringLiteral("\"");

QString contains(const QString& column, const QString& v) {
    return column + QStringLiteral(" LIKE ") + Q + QLatin1Char('*') + v + QLatin1Char('*') + Q;
}

QString fragment(FilterKind kind, const QString& v) {
    switch (kind) {
    case FilterKind::FileName:
        return contains(QStringLiteral("Fichier"), v) + QLatin1Char(' ');
    case FilterKind::DirectoryName:
        return QLatin1Char('(') + contains(QStringLiteral("RepertoireSeul"), v) + QStringLiteral(" ") +
               QStringLiteral(" Or ") + contains(QStringLiteral("RepertoireParent"), v) +
               QStringLiteral(") ");
    case FilterKind::FileOrDirectoryName:
        return QLatin1Char('(') + contains(QStringLiteral("Fichier"), v) + QStringLiteral(" OR ") +
               contains(QStringLiteral("RepertoireSeul"), v) + QStringLiteral(" ") + QStringLiteral(" Or ") +
               contains(QStringLiteral("RepertoireParent"), v) + QStringLiteral(") ");
    case FilterKind::Extension:
        return QStringLiteral("Extension = ") + Q + v + Q + QLatin1Char(' ');
    case FilterKind::MinimumSize:
        return QStringLiteral("Fichiers.Taille >=  ") + v + QLatin1Char(' ');
    case FilterKind::MaximumSize:
        return QStringLiteral("Fichiers.Taille <=  ") + v + QLatin1Char(' ');
    case FilterKind::Crc:
        return QStringLiteral("CRC = ") + Q + v + Q + QLatin1Char(' ');
    default:
        return {};
    }
}

void addCondition(QString& condition, FilterKind kind, const QString& value) {
    if (kind == FilterKind::None) {
        condition.clear();
        return;
    }
    if (!condition.isEmpty())
        condition += QStringLiteral(" AND ");
    condition += fragment(kind, doubledQuotes(value));
}

QString withWhere(const QString& condition) {
    return condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition;
}

} // namespace

QStringList filterKindLabels() {
    return {QStringLiteral("Pas de filtre"),
            QStringLiteral("Nom de fichier"),
            QStringLiteral("Nom de répertoire"),
            QStringLiteral("Nom de fichier ou répertoire"),
            QStringLiteral("Extension"),
            QStringLiteral("Taille de fichier mini (en octets)"),
            QStringLiteral("Taille de fichier maxi (en octets)"),
            QStringLiteral("CRC"),
            QStringLiteral("Filtre multicritères")};
}

QString BuildSearchCondition(FilterKind kind, const QString& value) {
    QString condition;
    if (kind != FilterKind::MultiCriteria)
        addCondition(condition, kind, value);
    return withWhere(condition);
}

QString BuildSearchCondition(const std::array<QString, 5>& boxes) {
    QString condition;
    for (std::size_t box = 0; box < boxes.size(); ++box)
        if (!boxes[box].isEmpty())
            addCondition(condition, kCriteriaKinds[box], boxes[box]);
    return withWhere(condition);
}

QString searchQuery(const QString& condition) {
    return QStringLiteral(
               "SELECT Repertoires.NumSupport AS NumeroSupp, Repertoires.NumRepertoire AS NumeroRep, "
               "Extension, Fichier, ") +
           QStringLiteral(
               " RepertoireParent, NumRepertoireParent, RepertoireSeul, NumFichier, Fichiers.Taille, "
               "DerniereModif ") +
           QStringLiteral(" FROM Fichiers INNER JOIN Repertoires ON Fichiers.NumRepertoire = "
                          "Repertoires.NumRepertoire ") +
           condition +
           QStringLiteral(" ORDER BY Repertoires.NumSupport, Repertoires.NumRepertoire, Fichiers.Extension, "
                          "Fichiers.Fichier ;");
}

QString extensionFilterClause(const QString& filter) {
    QStringList pieces;
    for (const QString& entry : filter.split(QLatin1Char(';'))) {
        if (entry.isEmpty())
            break;
        if (entry.size() > 5)
            continue;
        pieces << QStringLiteral("Extension=") + sqlQuote(entry);
    }
    return pieces.isEmpty() ? QString()
                            : QStringLiteral(" AND (") + pieces.join(QStringLiteral(" OR ")) + ')';
}

QString translatedSize(const QString& boxText) {
    if (boxText.contains(QLatin1Char('-')) || boxText.contains(QLatin1Char('.')))
        return {};
    bool ok = false;
    const qint64 bytes = boxText.trimmed().toLongLong(&ok);
    return ok ? QStringLiteral("Soit ") + sizePhrase(bytes, false) : QString();
}

} // namespace velmar
