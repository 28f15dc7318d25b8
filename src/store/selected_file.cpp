#include "store/selected_file.h"

#include "app/dialogs.h"
#include "app/phrases.h"
#include "app/text.h"
#include "fileinfo/extension_table.h"
#include "store/catalogue.h"
#include "store/db/transaction.h"
#include "store/edited_comments.h"

namespace velmar {

namespace {

db::Recordset lookUp(db::Database& db, const SelectedFile& s) {
    return db.openRecordset("SELECT * FROM Fichiers WHERE " + QStringLiteral(" NumFichier=") +
                            NombreEnTexte(s.file) + " AND NumRepertoire = " + NombreEnTexte(s.directory) +
                            " AND NumSupport = " + NombreEnTexte(s.support));
}

// NumFichier is the key, so a lookup finds one row or none; none is told.
bool exactlyOne(const db::Recordset& rs) {
    if (!rs.eof())
        return true;
    dialogs().message(QStringLiteral("Le fichier sélectionné n'a pas été trouvé !"),
                      MessageStyle::Exclamation);
    return false;
}

} // namespace

bool readFileCard(db::Database& db, const SelectedFile& selected, FileCardData& card) {
    db::Recordset rs = lookUp(db, selected);
    if (!exactlyOne(rs))
        return false;
    card.name = rs.field(QStringLiteral("Fichier")).toText();
    int type = 0;
    card.support = GetSupportName(db, selected.support, type);
    DirectoryFields fields;
    card.path = GetDirectoryPath(db, selected.directory, selected.support, fields);
    card.modified = rs.field(QStringLiteral("DerniereModif")).toText();
    card.extension = rs.field(QStringLiteral("Extension")).toText();
    bool program = false;
    bool archive = false;
    card.type = DescriptionTypeFichier(card.extension, program, archive);
    if (card.type == QLatin1String("?"))
        card.type = card.extension;
    const QString crc = rs.field(QStringLiteral("CRC")).toText();
    card.crc = crc.isEmpty() ? QStringLiteral("<non calculé>") : crc;
    card.size = sizePhrase(rs.field(QStringLiteral("Taille")).toNumber(), false);
    card.infos = rs.field(QStringLiteral("Infos")).toText();
    return true;
}

bool FichierSelectionne_RenvoieInfos(db::Database& db, const SelectedFile& selected, QString& relativePath) {
    db::Recordset rs = lookUp(db, selected);
    if (!exactlyOne(rs))
        return false;
    DirectoryFields fields;
    const QString directory = GetDirectoryPath(db, selected.directory, selected.support, fields);
    const QString name = rs.field(QStringLiteral("Fichier")).toText();
    relativePath = directory.isEmpty() ? name : directory + QLatin1Char('\\') + name;
    return true;
}

bool FichierSelectionne_Supprime(db::Database& db, const SelectedFile& s) {
    db::Recordset rs =
        db.openRecordset("SELECT * FROM Fichiers  " + QStringLiteral("WHERE NumFichier=") +
                         NombreEnTexte(s.file) + " AND NumSupport=" + NombreEnTexte(s.support) +
                         " AND NumRepertoire=" + NombreEnTexte(s.directory) + " ;");
    return exactlyOne(rs) && rs.remove();
}

bool FichierSelectionne_ModifieCommentaire(db::Database& db, const SelectedFile& selected,
                                           const QString& comment, QString& stored) {
    db::Recordset rs = lookUp(db, selected);
    if (!exactlyOne(rs))
        return false;
    stored = comment.left(255);
    // The comment and its mark go in together (in the caller's transaction, if any).
    db::Transaction change(db);
    const bool own = change.active();
    return rs.edit() && rs.setField(QStringLiteral("Infos"), stored) && rs.update() &&
           markCommentEdited(db, selected.file, stored) && (!own || change.commit());
}

} // namespace velmar
