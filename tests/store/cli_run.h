#pragma once

// Runs the built velmar-cli over a data directory and collects what it wrote.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

namespace velmar::test {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

inline CliRun runCli(const QString& dataDir, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELMAR_DATA_DIR"), dataDir);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELMAR_CLI_PATH), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace velmar::test
