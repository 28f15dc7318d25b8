#include "store/export_request.h"

#include "app/dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace velmar {

namespace {

bool writeExport(const ExportJob& job, const QString& file, QString& error) {
    ExportFormat format = ExportFormat::Csv;
    exportFormatNamed(QFileInfo(file).suffix(), format);
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        error = out.errorString();
        return false;
    }
    if (!job(out, format, error))
        return false;
    if (!out.commit()) {
        error = out.errorString();
        return false;
    }
    return true;
}

} // namespace

bool exportWithDialogs(const QString& name, const ExportJob& job) {
    const QString file = dialogs().saveFileName(
        QStringLiteral("Exporter « ") + name + QStringLiteral(" »"), QDir::home().filePath(name + ".csv"),
        QStringLiteral("Tableau CSV (*.csv);;JSON (*.json);;Page web (*.html)"));
    if (file.isEmpty())
        return false;
    QString error;
    if (!writeExport(job, file, error)) {
        dialogs().message(QStringLiteral("L'export n'a pas pu être fait : ") + error,
                          MessageStyle::Exclamation);
        return false;
    }
    dialogs().message(QStringLiteral("« ") + name + QStringLiteral(" » a été exporté dans ") +
                          QDir::toNativeSeparators(file) + QStringLiteral("."),
                      MessageStyle::Information);
    return true;
}

} // namespace velmar
