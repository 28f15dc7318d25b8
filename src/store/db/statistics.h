#pragma once

// The engine's statistics on the collection's tables and indexes. Without them
// SQLite guesses that a search filtered on one column of Fichiers is best run
// over Fichiers and sorted at the end; with them it reads the directories in
// order and the files of each through their index, so the first lines come at
// once, whatever the filter.

namespace velmar::db {

class Database;

// Samples every index (a few hundred rows each, so it stays quick at a million
// files) and stores the figures in the file for later connections.
bool refreshPlannerStatistics(Database& database);

} // namespace velmar::db
