// velmar-make-tree KIND ROOT: lays out a benchmark tree.
//   big   200,000 files of 100 bytes in 10,000 directories
//   flat  one folder of 10,000 subdirectories
//   crc   64 files of 32 MiB (2 GiB)

#include "tree_generator.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << "Utilisation : velmar-make-tree big|flat|crc DOSSIER\n";
        return 2;
    }
    const QString kind = args.at(1);
    const QString root = args.at(2);
    bool ok = false;
    if (kind == QLatin1String("big"))
        ok = velmar::bench::makeTree(root, 10000, 200000, 100);
    else if (kind == QLatin1String("flat"))
        ok = velmar::bench::makeFlatTree(root, 10000);
    else if (kind == QLatin1String("crc"))
        ok = velmar::bench::makeLargeFiles(root, 64, 32LL << 20);
    if (!ok)
        err << "L'arborescence n'a pas pu être créée dans " << root << ".\n";
    return ok ? 0 : 1;
}
