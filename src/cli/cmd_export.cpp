// velmar-cli export --collection NAME [--support SUPPORT] --format csv|json|html [-o FILE]
// The catalogue, or one support of it, as CSV, JSON or one HTML page, on
// standard output or into FILE (written whole or not at all).

#include "cli/command.h"
#include "cli/store_session.h"
#include "store/catalogue_export.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace velmar::cli {

namespace {

int usage(QTextStream& err) {
    err << "Utilisation : velmar-cli export --collection NOM [--support SUPPORT] --format csv|json|html "
           "[-o FICHIER]\n";
    return 2;
}

int writeTo(QIODevice& device, db::Database& db, int support, ExportFormat format, const QString& file,
            QTextStream& err) {
    QString error;
    if (!exportCatalogue(db, support, format, device, error)) {
        err << "L'export n'a pas pu être fait : " << error << '\n';
        return 1;
    }
    auto* saved = qobject_cast<QSaveFile*>(&device);
    if (saved != nullptr && !saved->commit()) {
        err << "Impossible d'écrire " << file << " : " << saved->errorString() << '\n';
        return 1;
    }
    return 0;
}

int exportTo(db::Database& db, int support, ExportFormat format, const QString& file, QTextStream& err) {
    if (file.isEmpty()) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly))
            return 1;
        return writeTo(out, db, support, format, file, err);
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        err << "Impossible d'écrire " << file << " : " << out.errorString() << '\n';
        return 1;
    }
    return writeTo(out, db, support, format, file, err);
}

int runExport(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const ParsedOptions options = parseOptions(arguments,
                                               {QStringLiteral("--collection"), QStringLiteral("--support"),
                                                QStringLiteral("--format"), QStringLiteral("-o")},
                                               {});
    ExportFormat format = ExportFormat::Csv;
    if (!options.error.isEmpty()) {
        err << options.error << '\n';
        return usage(err);
    }
    if (!options.values.contains(QStringLiteral("--collection")) || !options.positional.isEmpty() ||
        !exportFormatNamed(options.values.value(QStringLiteral("--format")), format))
        return usage(err);
    CollectionsRegistry registry(cliStorePaths());
    int support = 0;
    if (!openCollectionAndSupport(registry, options, support, err))
        return 1;
    out.flush();
    const int status =
        exportTo(registry.database(), support, format, options.values.value(QStringLiteral("-o")), err);
    registry.CloseCollection();
    return status;
}

const CommandRegistration registration(
    {QStringLiteral("export"),
     QStringLiteral("export --collection NOM [--support SUPPORT] --format csv|json|html [-o FICHIER] : "
                    "le catalogue dans un fichier"),
     runExport});

} // namespace

} // namespace velmar::cli
