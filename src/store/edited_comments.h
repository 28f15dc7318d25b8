#pragma once

// The comments the user typed over a file's information text. An update
// keeps them even when the file changed; it knows them by this mark, which
// holds the file's number and the comment stored. A mark whose file row has
// gone or holds another text since is stale and ignored, so nothing needs to
// clear marks when rows are deleted or their numbers given again.

#include "store/db/database.h"

namespace velmar {

// The table of marks, created on the first use.
bool ensureEditedComments(db::Database& db);
bool markCommentEdited(db::Database& db, qint64 file, const QString& comment);
// SQL true when the Fichiers row aliased `alias` holds a comment the user edited.
QString commentEditedCondition(const QString& alias);

} // namespace velmar
