#include "app/data_layout.h"

namespace velmar {

DataLayout::DataLayout(const QString& applicationDirectory) : appDir(applicationDirectory) {
    if (!appDir.isEmpty() && !appDir.endsWith(QLatin1Char('/')) && !appDir.endsWith(QLatin1Char('\\')))
        appDir += QLatin1Char('/');
    dataDir = appDir + QStringLiteral("Data/");
    registryFile = dataDir + QStringLiteral("Base/Collections.dat");
    modelDatabase = dataDir + QStringLiteral("Base/Base.mdb");
    collectionPrefix = dataDir + QStringLiteral("Base/Compil");
    optionNamesFile = dataDir + QStringLiteral("Ini/ListeOptions.dat");
    optionValuesFile = dataDir + QStringLiteral("Ini/Init.dat");
    analysedTypesFile = dataDir + QStringLiteral("Ini/TypesAnalyses.dat");
    gaugeDir = dataDir + QStringLiteral("Jauge/");
    digitsDir = dataDir + QStringLiteral("Chiffres/");
    supportTypesDir = dataDir + QStringLiteral("TypesLecteur/");
    supportTypesFile = supportTypesDir + QStringLiteral("TypeSupports.dat");
    backgroundsDir = dataDir + QStringLiteral("Fond/");
    ignoredDirsFile = dataDir + QStringLiteral("Ini/IgnorerRep.txt");
    ignoredExtsFile = dataDir + QStringLiteral("Ini/IgnorerExt.txt");
    tmpDir = appDir + QStringLiteral("Tmp/");
    scratchFile = tmpDir + QStringLiteral("Temp.tmp");
}

QString DataLayout::collectionFile(int number) const {
    return collectionPrefix + QString::number(number) + QStringLiteral(".mdb");
}

} // namespace velmar
