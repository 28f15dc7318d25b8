#pragma once

// What an exploration asks of the open collection and of the file analysis.
// The program serves both from the store and the content probes; the tests
// can serve them from memory.

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
    // False, after its message, when the name is taken.
    virtual bool addSupport(const QString& name, const QString& drive, int type, const QString& serial) = 0;
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
