#pragma once

// What a collection file must hold, and how a file made by an older build is
// brought up to today's shape.
//
// A collection is an SQLite file holding the model's three tables (Supports,
// Repertoires, Fichiers) with at least the model's columns. Anything else (an
// empty file, another program's database, a damaged file) is refused before
// a command reads or writes it.
//
// Versions are kept in PRAGMA user_version: 0 is a file made before versions
// were recorded. Each step brings a file from one version to the next, and all
// the steps a file needs run in one transaction that also records the new
// version, so an interrupted upgrade leaves the file exactly as it was. A
// later version adds its step at the end of the list in collection_schema.cpp
// and raises kCollectionVersion.

#include "store/db/database.h"

#include <QString>

namespace velmar {

inline constexpr int kCollectionVersion = 2;

// False with `reason` (a French phrase) when the open file is not a collection.
bool checkCollectionFile(db::Database& db, QString& reason);

// The file's recorded version, -1 when it cannot be read.
int collectionVersion(db::Database& db);

// Runs the steps from the file's version up to kCollectionVersion.
bool upgradeCollection(db::Database& db, QString& reason);

// Records today's version in a file just built from the model schema.
bool stampCollectionVersion(db::Database& db, QString& reason);

// Checks the open file, then upgrades it. A file this process may only read
// is used as it is: it lacks at most indexes, which only cost speed.
bool prepareCollection(db::Database& db, QString& reason);

} // namespace velmar
