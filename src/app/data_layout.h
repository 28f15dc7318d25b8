#pragma once

// Every path of the data folder, built once from the application directory.
// Native separators; directories end with '/'.

#include <QString>

namespace velmar {

struct DataLayout {
    explicit DataLayout(const QString& applicationDirectory = QString());
    // Tmp/ in `rootDirectory`, the data files in `dataDirectory`.
    DataLayout(const QString& rootDirectory, const QString& dataDirectory);

    QString appDir;            // the folder of Tmp/: the executable's, or the user's data folder
    QString dataDir;           // Data/
    QString registryFile;      // Data/Base/Collections.dat
    QString modelDatabase;     // Data/Base/Base.mdb
    QString collectionPrefix;  // Data/Base/Compil (collection n is prefix + n + ".mdb")
    QString optionNamesFile;   // Data/Ini/ListeOptions.dat
    QString optionValuesFile;  // Data/Ini/Init.dat
    QString analysedTypesFile; // Data/Ini/TypesAnalyses.dat
    QString gaugeDir;          // Data/Jauge/
    QString digitsDir;         // Data/Chiffres/
    QString supportTypesDir;   // Data/TypesLecteur/
    QString supportTypesFile;  // Data/TypesLecteur/TypeSupports.dat
    QString backgroundsDir;    // Data/Fond/
    QString ignoredDirsFile;   // Data/Ini/IgnorerRep.txt
    QString ignoredExtsFile;   // Data/Ini/IgnorerExt.txt
    QString tmpDir;            // Tmp/
    QString logFile;           // Tmp/LogAnalyse.txt, set only in log mode

    QString collectionFile(int number) const;
};

} // namespace velmar
