#include "app/data_layout.h"

namespace velmar {

namespace {

QString withSeparator(QString dir) {
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')) && !dir.endsWith(QLatin1Char('\\')))
        dir += QLatin1Char('/');
    return dir;
}

} // namespace

DataLayout::DataLayout(const QString& applicationDirectory)
    : DataLayout(applicationDirectory, withSeparator(applicationDirectory) + QStringLiteral("Data/")) {}

DataLayout::DataLayout(const QString& rootDirectory, const QString& dataDirectory)
    : appDir(withSeparator(rootDirectory)), dataDir(withSeparator(dataDirectory)) {
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
}

QString DataLayout::collectionFile(int number) const {
    return collectionPrefix + QString::number(number) + QStringLiteral(".mdb");
}

} // namespace velmar
