#include "fileinfo/extension_table.h"

#include <QHash>

namespace velmar {

namespace {

struct Entry {
    QString description;
    bool program = false;
    bool archive = false;
};

// Built once from the compiled rows; the keys are unique, so a hash gives the
// same answer as testing the rows in order.
const QHash<QString, Entry>& table() {
    static const QHash<QString, Entry> rows = [] {
        QHash<QString, Entry> hash;
        hash.reserve(static_cast<qsizetype>(extension_table::kRowCount));
        for (std::size_t i = 0; i < extension_table::kRowCount; ++i) {
            const ExtensionRow& row = extension_table::kRows[i];
            hash.insert(QString::fromLatin1(row.key),
                        Entry{QString::fromUtf8(row.description), row.program, row.archive});
        }
        return hash;
    }();
    return rows;
}

} // namespace

QString ExtensionFichier(const QString& fileName) {
    if (!fileName.contains(QLatin1Char('.')))
        return {};
    QString name = fileName;
    if (name.endsWith(QLatin1Char('"')))
        name.chop(1);
    if (name.startsWith(QLatin1Char('"')))
        name.remove(0, 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    return name.mid(dot + 1).toUpper();
}

QString DescriptionTypeFichier(const QString& extension, bool& EstProgramme, bool& EstArchive) {
    EstProgramme = false;
    EstArchive = false;
    if (extension.isEmpty())
        return QStringLiteral("?");
    const auto& rows = table();
    const auto found = rows.constFind(extension.toUpper());
    if (found == rows.constEnd())
        return QStringLiteral("?");
    EstProgramme = found->program;
    EstArchive = found->archive;
    return found->description;
}

QString DescriptionFichier(const QString& fileName) {
    bool program = false;
    bool archive = false;
    return DescriptionTypeFichier(ExtensionFichier(fileName), program, archive);
}

} // namespace velmar
