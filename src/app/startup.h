#pragma once

// Start-up checks, run while the splash window loads, and the shutdown save.

#include "app/session.h"

#include <QStringList>

#include <functional>

namespace velmar {

enum class StartupOutcome {
    Continue,       // every check passed; the main window may be loaded
    AlreadyRunning, // another instance runs: end at once, silently
    Fatal,          // a required file is missing; its message has been shown
};

using StatusCallback = std::function<void(const QString&)>;

// The lists of Ini/ an exploration reads, checked as the start-up checks them:
// a missing one shows its critical message and stops the rest. velmar-cli
// explore, which has no start-up of its own, runs it before it starts.
bool checkExplorationLists(const DataLayout& paths);

// The "LOG" switch: the first argument after the program, in any case.
bool isLogArgument(const QStringList& arguments);

// Claims the single instance of the data folder, reads the arguments, takes
// the paths, checks the data files in order (each missing one shows its
// critical message), loads the settings and makes Tmp/. `arguments` holds the
// program name first, as QCoreApplication::arguments() does.
StartupOutcome runStartupChecks(Session& session, const DataLayout& paths, const QStringList& arguments,
                                const StatusCallback& status);

// The version line of the splash: "Version 1.2.3".
QString versionLine();
// The main window's title: "Velmar +  (version 1.2.3)".
QString mainWindowTitle();

} // namespace velmar
