#include "store/browse_nodes.h"

#include "app/phrases.h"
#include "store/catalogue.h"

#include <QStringList>

namespace velmar {

NodeKey NodeKey::parse(const QString& key) {
    NodeKey node;
    const QStringList parts = key.mid(1).split(QLatin1Char('\\'));
    bool supportOk = false;
    bool directoryOk = false;
    if (key.startsWith(QLatin1Char('S')) && parts.size() == 2 && parts[1].isEmpty()) {
        node.support = parts[0].toInt(&supportOk);
        node.kind = supportOk ? Kind::Support : Kind::Invalid;
    } else if (key.startsWith(QLatin1Char('R')) && parts.size() == 3 &&
               (parts[2] == QLatin1String("D") || parts[2] == QLatin1String("ND"))) {
        node.support = parts[0].toInt(&supportOk);
        node.directory = parts[1].toLongLong(&directoryOk);
        node.loaded = parts[2] == QLatin1String("D");
        node.kind = supportOk && directoryOk ? Kind::Directory : Kind::Invalid;
    }
    return node;
}

QString NodeKey::supportKey(int support) {
    return QStringLiteral("S%1\\").arg(support);
}

QString NodeKey::directoryKey(int support, qint64 directory, bool loaded) {
    return QStringLiteral("R%1\\%2\\").arg(support).arg(directory) +
           (loaded ? QStringLiteral("D") : QStringLiteral("ND"));
}

QString NodeKey::text() const {
    switch (kind) {
    case Kind::Support:
        return supportKey(support);
    case Kind::Directory:
        return directoryKey(support, directory, loaded);
    case Kind::Invalid:
        break;
    }
    return QString();
}

QString supportNodeText(const QString& name, qint64 fileCount) {
    return name + QStringLiteral(" (") + filesPhrase(fileCount, PhraseCase::Lower) + QLatin1Char(')');
}

QString supportIconKey(int supportType, int typeCount) {
    const int shown = supportType < 1 || supportType > typeCount ? 1 : supportType;
    return QStringLiteral("I") + QString::number(shown);
}

QList<SupportNode> supportNodes(db::Database& db, int typeCount) {
    QList<SupportNode> nodes;
    for (db::Recordset rs = ListSupports(db); !rs.eof(); rs.moveNext()) {
        SupportNode node;
        node.support = static_cast<int>(rs.field(QStringLiteral("NumSupport")).toNumber());
        node.name = rs.field(QStringLiteral("NomSupport")).toText();
        node.fileCount = rs.field(QStringLiteral("NbFichiersSupport")).toNumber();
        node.text = supportNodeText(node.name, node.fileCount);
        node.iconKey =
            supportIconKey(static_cast<int>(rs.field(QStringLiteral("TypeSupport")).toNumber()), typeCount);
        nodes.append(node);
    }
    return nodes;
}

QList<DirectoryNode> subdirectoryNodes(db::Database& db, int support, qint64 parent) {
    QList<DirectoryNode> nodes;
    for (db::Recordset rs = ListSubdirectories(db, support, parent); !rs.eof(); rs.moveNext())
        nodes.append({rs.field(QStringLiteral("NumRepertoire")).toNumber(),
                      rs.field(QStringLiteral("RepertoireSeul")).toText()});
    return nodes;
}

qint64 supportStartingDirectory(db::Database& db, int support) {
    if (const qint64 root = FindRootDirectory(db, support))
        return root;
    db::Recordset first =
        db.openRecordset(QStringLiteral("SELECT * FROM Repertoires WHERE NumSupport = ? AND "
                                        "NumRepertoireParent=0 ORDER BY NumRepertoire;"),
                         {support});
    return first.eof() ? 0 : first.field(QStringLiteral("NumRepertoire")).toNumber();
}

} // namespace velmar
