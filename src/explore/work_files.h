#pragma once

// The work files of one exploration in Tmp/: the list of directories, the
// file records and the link through which a file whose name is no UTF-8 is
// read (see platform/readable_path.h). Their names carry the process number and a counter, so that
// explorations running at once (two commands, or the window and a command)
// never share one. They are removed when the exploration ends; those of a
// process that no longer runs (killed, crashed) are removed when the next
// exploration starts.

#include <QString>

namespace velmar {

class ExplorationWorkFiles {
public:
    explicit ExplorationWorkFiles(const QString& tmpDir);
    ~ExplorationWorkFiles();
    ExplorationWorkFiles(const ExplorationWorkFiles&) = delete;
    ExplorationWorkFiles& operator=(const ExplorationWorkFiles&) = delete;

    const QString& listFile() const { return m_listFile; }       // ListeRep.<pid>-<n>.tmp
    const QString& recordsFile() const { return m_recordsFile; } // ListeFichiers.<pid>-<n>.tmp
    // Lien.<pid>-<n>.tmp.<extension>: the extension is kept for the content probes.
    QString linkFile(const QString& extension) const;

    // Removes the work files of `tmpDir` whose process is gone.
    static void removeLeftOvers(const QString& tmpDir);

private:
    QString m_listFile;
    QString m_recordsFile;
    QString m_linkStem;
};

} // namespace velmar
