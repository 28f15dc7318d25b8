#include "store/collection_schema.h"

#include "store/db/transaction.h"
#include "store/model_database.h"

#include <QMap>
#include <QRegularExpression>
#include <QStringList>

#include <functional>

namespace velmar {

namespace {

// Each table of the model schema with its columns, read from the schema text
// so that the check never disagrees with the model.
QMap<QString, QStringList> modelTables() {
    static const QMap<QString, QStringList> tables = [] {
        QMap<QString, QStringList> found;
        static const QRegularExpression table(QStringLiteral(R"(CREATE TABLE (\w+) \(([^;]*)\);)"));
        static const QRegularExpression column(QStringLiteral(R"(^\s*(\w+)\s)"),
                                               QRegularExpression::MultilineOption);
        for (const QRegularExpressionMatch& t : table.globalMatch(modelDatabaseSchema())) {
            QStringList columns;
            for (const QRegularExpressionMatch& c : column.globalMatch(t.captured(2)))
                columns << c.captured(1);
            found.insert(t.captured(1), columns);
        }
        return found;
    }();
    return tables;
}

// The model's CREATE INDEX statements, each made to leave an existing index alone.
QString modelIndexes() {
    static const QRegularExpression index(QStringLiteral(R"(CREATE INDEX [^;]*;)"));
    QString statements;
    for (const QRegularExpressionMatch& m : index.globalMatch(modelDatabaseSchema()))
        statements += m.captured(0).replace(QStringLiteral("CREATE INDEX "),
                                            QStringLiteral("CREATE INDEX IF NOT EXISTS ")) +
                      QLatin1Char('\n');
    return statements;
}

QStringList columnsOf(db::Database& db, const QString& table, QString& error) {
    QStringList columns;
    db::Recordset rs = db.openRecordset(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    for (; !rs.eof(); rs.moveNext())
        columns << rs.field(QStringLiteral("name")).toText();
    if (!rs.ok())
        error = rs.error();
    return columns;
}

// One step: what it brings to the file whose version is one less than `version`.
struct UpgradeStep {
    int version;
    std::function<bool(db::Database&)> run;
};

const QList<UpgradeStep>& upgradeSteps() {
    static const QList<UpgradeStep> steps{
        // 1: the indexes the search and the browse view read, which files of
        // the first builds lack in part.
        {1, [](db::Database& db) { return db.execute(modelIndexes()); }},
        // 2: the parent index takes the support as its second column.
        {2,
         [](db::Database& db) {
             return db.execute(QStringLiteral("DROP INDEX IF EXISTS RepertoiresParParent")) &&
                    db.execute(modelIndexes());
         }},
    };
    return steps;
}

bool setVersion(db::Database& db, int version) {
    return db.execute(QStringLiteral("PRAGMA user_version = ") + QString::number(version));
}

} // namespace

bool checkCollectionFile(db::Database& db, QString& reason) {
    QString error;
    const QMap<QString, QStringList> tables = modelTables();
    for (auto table = tables.cbegin(); table != tables.cend(); ++table) {
        const QStringList present = columnsOf(db, table.key(), error);
        if (!error.isEmpty()) {
            reason = QStringLiteral("fichier illisible (") + error + QLatin1Char(')');
            return false;
        }
        if (present.isEmpty()) {
            reason = QStringLiteral("la table ") + table.key() + QStringLiteral(" est absente");
            return false;
        }
        for (const QString& column : table.value())
            if (!present.contains(column, Qt::CaseInsensitive)) {
                reason = QStringLiteral("la colonne ") + column + QStringLiteral(" de la table ") +
                         table.key() + QStringLiteral(" est absente");
                return false;
            }
    }
    return true;
}

int collectionVersion(db::Database& db) {
    db::Recordset rs = db.openRecordset(QStringLiteral("PRAGMA user_version"));
    return rs.ok() && !rs.eof() ? static_cast<int>(rs.field(QStringLiteral("user_version")).toNumber()) : -1;
}

bool upgradeCollection(db::Database& db, QString& reason) {
    db::Transaction transaction(db, db::Transaction::Start::Immediate);
    // Read under the write lock: another process may have upgraded meanwhile.
    const int version = collectionVersion(db);
    bool ok = transaction.active() && version >= 0;
    for (const UpgradeStep& step : upgradeSteps())
        if (ok && step.version > version)
            ok = step.run(db) && setVersion(db, step.version);
    if (ok && transaction.commit())
        return true;
    reason = QStringLiteral("la mise à jour du fichier a échoué (") + db.lastError() + QLatin1Char(')');
    return false;
}

bool stampCollectionVersion(db::Database& db, QString& reason) {
    if (setVersion(db, kCollectionVersion))
        return true;
    reason = db.lastError();
    return false;
}

bool prepareCollection(db::Database& db, QString& reason) {
    if (!checkCollectionFile(db, reason))
        return false;
    if (collectionVersion(db) >= kCollectionVersion || db.isReadOnly())
        return true;
    return upgradeCollection(db, reason);
}

} // namespace velmar
