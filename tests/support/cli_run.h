#pragma once

// Runs the built velmar-cli (VELMAR_CLI_PATH, defined by the test target) and
// collects what it wrote.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

namespace velmar::test {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

// `dataDir` becomes VELMAR_DATA_DIR when given; `workingDir` the current folder.
inline CliRun runCli(const QStringList& arguments, const QString& dataDir = QString(),
                     const QString& workingDir = QString()) {
    QProcess process;
    if (!dataDir.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VELMAR_DATA_DIR"), dataDir);
        process.setProcessEnvironment(environment);
    }
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(QStringLiteral(VELMAR_CLI_PATH), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace velmar::test
