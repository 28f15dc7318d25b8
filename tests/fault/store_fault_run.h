#pragma once

// velmar-cli run under a fault: as a user other than the files' owner (the
// tests drop root with setpriv so that read-only files stay read-only), or
// with a file size limit that makes every write past it fail as a full disk
// would (RLIMIT_FSIZE with SIGXFSZ ignored: the write returns EFBIG).

#include "support/cli_run.h"

#include <QStandardPaths>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace velmar::test {

// The unprivileged user the tests run velmar-cli as when they run as root.
inline constexpr uid_t kOtherUser = 65534;

struct Fault {
    bool asOtherUser = false;
    qint64 fileSizeLimit = 0; // bytes; 0 for none
};

// Why runs as another user cannot be made here, "" when they can.
inline QString otherUserUnavailable() {
    if (geteuid() != 0)
        return {}; // the test's own user already lacks the rights a read-only file denies
    return QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty()
               ? QStringLiteral("running as root without setpriv to drop to another user")
               : QString();
}

inline CliRun runCliWithFault(const QStringList& arguments, const QString& dataDir, const Fault& fault) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELMAR_DATA_DIR"), dataDir);
    process.setProcessEnvironment(environment);
    QString program = QStringLiteral(VELMAR_CLI_PATH);
    QStringList args = arguments;
    if (fault.asOtherUser && geteuid() == 0) {
        const QString id = QString::number(kOtherUser);
        args = QStringList{"--reuid=" + id, "--regid=" + id, "--clear-groups", program} + arguments;
        program = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    }
    const rlim_t limit = static_cast<rlim_t>(fault.fileSizeLimit);
    if (limit > 0)
        process.setChildProcessModifier([limit] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit size{limit, limit};
            setrlimit(RLIMIT_FSIZE, &size);
        });
    process.start(program, args);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace velmar::test
