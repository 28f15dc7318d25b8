#include "store/edited_comments.h"

namespace velmar {

bool ensureEditedComments(db::Database& db) {
    return db.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS CommentairesModifies (NumFichier INTEGER "
                                     "PRIMARY KEY, Commentaire TEXT)"));
}

bool markCommentEdited(db::Database& db, qint64 file, const QString& comment) {
    return ensureEditedComments(db) &&
           db.execute(QStringLiteral("INSERT OR REPLACE INTO CommentairesModifies (NumFichier, Commentaire) "
                                     "VALUES (?, ?)"),
                      {file, comment});
}

QString commentEditedCondition(const QString& alias) {
    return QStringLiteral("EXISTS (SELECT 1 FROM CommentairesModifies c WHERE c.NumFichier = %1.NumFichier "
                          "AND c.Commentaire = %1.Infos)")
        .arg(alias);
}

} // namespace velmar
