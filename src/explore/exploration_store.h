#pragma once

// What an exploration asks of the open collection and of the file analysis.
// The program serves both from the store and the content probes; the tests
// can serve them from memory.

#include <QHash>
#include <QString>

namespace velmar {

struct FileRow {
    QString infos;
    int support = 0;
    qint64 directory = 0;
    QString name;
    qint64 size = 0;
    QString extension;
    QString modified; // ISO "yyyy-MM-dd HH:mm:ss"
    QString crc;
};

class ExplorationStore {
public:
    virtual ~ExplorationStore() = default;
    virtual qint64 countSupportsWithIdentifiant(const QString& serial) = 0;
    // False, after its message, when the name is taken. `label` is the
    // volume's, kept to name the medium when the user is asked to insert it.
    virtual bool addSupport(const QString& name, const QString& drive, int type, const QString& serial,
                            const QString& label) = 0;
    virtual bool findSupportByName(const QString& name, int& number) = 0;
    // NumRepertoire of a catalogue path ("" for the root), 0 when absent.
    virtual qint64 findDirectory(const QString& path, int support) = 0;
    virtual bool addDirectory(int support, const QString& parentPath, const QString& name,
                              qint64 parentNumber) = 0;
    virtual bool addFile(const FileRow& row) = 0;
    // A point between directories where the rows written may be committed;
    // the store commits once enough of them are pending.
    virtual void batchBoundary() = 0;
    // Makes every row written so far durable (before a stop or the end returns).
    virtual void commit() = 0;
    virtual void updateSupportTotals(const QString& supportName) = 0;

    // The file the rows go to, and the engine's reason for the first write
    // that failed ("" while none has).
    virtual QString storeFile() const = 0;
    virtual QString writeError() const = 0;
    // What is stored of a support, counted again after a failed write: its
    // directories and its files by extension.
    virtual qint64 storedDirectories(int support) = 0;
    virtual QHash<QString, qint64> storedFilesByExtension(int support) = 0;

    // addSupport() marks the new support unfinished; the mark goes when its
    // exploration ends or is stopped, so a support left by a killed process
    // stays recognisable. The number of such a support, by name (any case).
    virtual bool findUnfinishedSupport(const QString& name, int& number) = 0;
    virtual void explorationFinished(int support) = 0;
    // Deletes a support with its directories and files, without asking.
    virtual bool deleteSupport(int support) = 0;
};

class FileAnalysis {
public:
    virtual ~FileAnalysis() = default;
    // The information text of a file for an analysis mode ("AUTO", "TEXTE").
    virtual QString informationText(const QString& path, const QString& mode) = 0;
    // The program and archive flags of an extension.
    virtual void classify(const QString& extension, bool& program, bool& archive) = 0;
};

} // namespace velmar
