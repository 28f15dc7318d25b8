// velmar-datagen SOURCE_DATA OUTPUT_DATA: lays out the program's Data/ folder
// beside the executables: the settings and list files (written with CR LF), the
// model database and every picture, drawn by pictures.cpp.

#include "pictures.h"

#include "app/files.h"
#include "app/support_types.h"
#include "store/model_database.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

namespace {

using namespace velmar;

bool copyAsCrLf(const QString& from, const QString& to) {
    QStringList lines;
    return readTextLines(from, lines) && writeTextLines(to, lines);
}

bool save(const QImage& image, const QString& path) {
    return image.save(path);
}

bool layOut(const QString& source, const QString& out, QTextStream& err) {
    for (const char* dir : {"Base", "Ini", "Jauge", "Chiffres", "TypesLecteur", "Fond"})
        QDir().mkpath(out + QLatin1Char('/') + QLatin1String(dir));
    bool ok = true;
    for (const char* file :
         {"ListeOptions.dat", "Init.dat", "TypesAnalyses.dat", "IgnorerRep.txt", "IgnorerExt.txt"})
        ok &= copyAsCrLf(source + QStringLiteral("/Ini/") + QLatin1String(file),
                         out + QStringLiteral("/Ini/") + QLatin1String(file));
    const QString typesList = source + QStringLiteral("/TypesLecteur/TypeSupports.dat");
    ok &= copyAsCrLf(typesList, out + QStringLiteral("/TypesLecteur/TypeSupports.dat"));
    for (const SupportType& type : readSupportTypes(typesList))
        ok &=
            save(datagen::supportIcon(type.keyword), out + QStringLiteral("/TypesLecteur/") + type.iconFile);
    for (int frame = 1; frame <= datagen::kGaugeFrames; ++frame)
        ok &= save(datagen::gaugeFrame(frame), out + QStringLiteral("/Jauge/%1.BMP").arg(frame));
    for (int d = 0; d <= 9; ++d)
        ok &= save(datagen::digit(d), out + QStringLiteral("/Chiffres/%1.BMP").arg(d));
    ok &= save(datagen::background(0), out + QStringLiteral("/Fond/Bleu.png"));
    ok &= save(datagen::background(1), out + QStringLiteral("/Fond/Sable.png"));
    const QString model = out + QStringLiteral("/Base/Base.mdb");
    QFile::remove(model);
    QString error;
    if (!createModelDatabase(model, error)) {
        err << "Modèle de base de données : " << error << '\n';
        ok = false;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        err << "Utilisation : velmar-datagen DONNEES_SOURCES DOSSIER_DATA\n";
        return 2;
    }
    if (!layOut(args.at(1), args.at(2), err)) {
        err << "Le dossier des données n'a pas pu être construit entièrement.\n";
        return 1;
    }
    return 0;
}
