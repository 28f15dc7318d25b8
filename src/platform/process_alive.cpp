#include "platform/process_alive.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace velmar {

qint64 currentProcessId() {
    return static_cast<qint64>(getpid());
}

bool processIsRunning(qint64 pid) {
    if (pid <= 0)
        return false;
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

} // namespace velmar
