-- The model collection database: three empty tables. Every new collection
-- starts as a copy of the file built from this script. Directory names keep
-- their case: two folders may differ by case alone on the media explored.

CREATE TABLE Supports (
    NumSupport INTEGER PRIMARY KEY AUTOINCREMENT,
    NomSupport TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    TailleSupport INTEGER NOT NULL DEFAULT 0,
    DernierLecteurAttribue TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Identifiant TEXT NOT NULL DEFAULT '',
    TypeSupport INTEGER NOT NULL DEFAULT 0,
    NbFichiersSupport INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE Repertoires (
    NumRepertoire INTEGER PRIMARY KEY AUTOINCREMENT,
    NumSupport INTEGER NOT NULL DEFAULT 0,
    RepertoireParent TEXT NOT NULL DEFAULT '',
    RepertoireSeul TEXT NOT NULL DEFAULT '',
    NumRepertoireParent INTEGER NOT NULL DEFAULT 0
);

-- File numbers are given as the highest plus one, without the sequence table
-- that AUTOINCREMENT updates at every insertion: a file is always named by its
-- support, directory and file numbers together and nothing keeps a file number
-- once its row is gone, so a number freed at the top may be given again. The
-- other two tables keep their sequences, as file rows refer to directory numbers.
CREATE TABLE Fichiers (
    NumFichier INTEGER PRIMARY KEY,
    NumSupport INTEGER NOT NULL DEFAULT 0,
    NumRepertoire INTEGER NOT NULL DEFAULT 0,
    Fichier TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Extension TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Taille INTEGER NOT NULL DEFAULT 0,
    DerniereModif TEXT,
    Infos TEXT NOT NULL DEFAULT '',
    CRC TEXT COLLATE NOCASE NOT NULL DEFAULT ''
);

CREATE INDEX RepertoiresParSupportEtChemin ON Repertoires (NumSupport, RepertoireParent, RepertoireSeul);
-- The browse view asks for the subdirectories of one directory of one support
-- at a time, the top ones (parent 0) of every support included: with the
-- support in the key, each answer is read in place rather than filtered out of
-- the top directories of every support.
CREATE INDEX RepertoiresParParentEtSupport ON Repertoires (NumRepertoireParent, NumSupport);
CREATE INDEX FichiersParRepertoire ON Fichiers (NumSupport, NumRepertoire);
-- The search reads directories in support order and the files of each directory in
-- extension and name order straight from these two, so its first lines come
-- without sorting the whole result. The file list reads the second too, and an
-- extension search reads it in place of an index of its own, which would cost
-- every exploration an insertion at a random place per file.
CREATE INDEX RepertoiresParSupport ON Repertoires (NumSupport);
CREATE INDEX FichiersParRepertoireEtNom ON Fichiers (NumRepertoire, Extension, Fichier);
-- Only the files that have a name: the count of the whole catalogue reads
-- this small index in place of the whole table.
CREATE INDEX FichiersNommes ON Fichiers (NumSupport) WHERE Fichier<>'';
