#pragma once

// Opening a file, a folder or an internet address for the user: documents go
// to the desktop's default application, programs are started directly. Every
// failure is told in a message box; the result says whether something started.

#include <QString>

namespace velmar {

enum class LaunchVerb { Open, Explore };

// How the launched window should show; the desktop may not honour it.
enum class WindowStyle { Minimised = 1, Normal = 2, Maximised = 3 };

struct LaunchRequest {
    QString path;
    bool mustExist = false;
    LaunchVerb verb = LaunchVerb::Open;
    // Arguments for a program; when empty, a path such as "/opt/x/run -v file"
    // is split into the program and its arguments.
    QString parameters;
    WindowStyle style = WindowStyle::Normal;
    // Waits for a program to end; documents are never waited for.
    bool wait = false;
};

bool LanceFichier(const LaunchRequest& request);

// True for the web, secure web, file transfer, mail, telnet and news addresses.
bool isInternetAddress(const QString& path);

// The command and arguments of a path typed with its arguments. The command is
// the longest leading run of words that names an existing file (so names with
// blanks work), or the text between leading double quotes; the rest are the
// arguments, split at blanks with double quotes grouping.
struct CommandLine {
    QString command;
    QString arguments;
};
CommandLine splitCommandLine(const QString& path);

} // namespace velmar
