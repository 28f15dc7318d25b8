#include "app/launch.h"

#include "app/dialogs.h"
#include "platform/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace velmar {

namespace {

const QStringList kInternetPrefixes = {QStringLiteral("http://"),   QStringLiteral("https://"),
                                       QStringLiteral("ftp://"),    QStringLiteral("mailto:"),
                                       QStringLiteral("telnet://"), QStringLiteral("news:")};

// Blanks separate arguments; double quotes group blanks into one.
QStringList splitArguments(const QString& text) {
    QStringList arguments;
    QString current;
    bool quoted = false;
    bool started = false;
    for (QChar c : text) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            started = true;
        } else if (c == QLatin1Char(' ') && !quoted) {
            if (started)
                arguments << current;
            current.clear();
            started = false;
        } else {
            current += c;
            started = true;
        }
    }
    if (started)
        arguments << current;
    return arguments;
}

bool isProgram(const QString& command) {
    const QString suffix = QFileInfo(command).suffix().toUpper();
    return suffix == QLatin1String("EXE") || suffix == QLatin1String("COM") || suffix == QLatin1String("PIF");
}

bool reportDocumentResult(LaunchResult result, const QString& command) {
    switch (result) {
    case LaunchResult::Started:
        return true;
    case LaunchResult::NoAssociation:
        dialogs().message(QStringLiteral("Le fichier à lancer est de type ") +
                              QFileInfo(command).suffix().toUpper() +
                              QStringLiteral(" mais aucune application n'est associée."),
                          MessageStyle::Exclamation);
        return false;
    case LaunchResult::NotFound:
        dialogs().message(QStringLiteral("Fichier ") + QDir::toNativeSeparators(command) +
                              QStringLiteral(" inexistant !"),
                          MessageStyle::Critical);
        return false;
    case LaunchResult::Failed:
        break;
    }
    // The system could not perform the launch, whatever its reason.
    dialogs().message(QStringLiteral("Le système manque de mémoire pour exécuter le fichier."),
                      MessageStyle::Critical);
    return false;
}

bool launchDocument(const LaunchRequest& request, const QString& command) {
    if (request.wait)
        dialogs().message(QStringLiteral("L'attente de la fin d'exécution d'un document n'est pas gérée !"),
                          MessageStyle::Exclamation);
    const LaunchResult result = request.verb == LaunchVerb::Explore ? platform().explore(command)
                                                                    : platform().openWithDefault(command);
    return reportDocumentResult(result, command);
}

bool launchProgram(const LaunchRequest& request, const CommandLine& line) {
    const LaunchResult result =
        platform().startProgram(line.command, splitArguments(line.arguments), request.wait);
    if (result == LaunchResult::Started)
        return true;
    return reportDocumentResult(result == LaunchResult::NoAssociation ? LaunchResult::Failed : result,
                                line.command);
}

} // namespace

bool isInternetAddress(const QString& path) {
    for (const QString& prefix : kInternetPrefixes)
        if (path.startsWith(prefix, Qt::CaseInsensitive))
            return true;
    return false;
}

CommandLine splitCommandLine(const QString& path) {
    const QString text = path.trimmed();
    if (text.startsWith(QLatin1Char('"'))) {
        const qsizetype close = text.indexOf(QLatin1Char('"'), 1);
        if (close > 0)
            return {text.mid(1, close - 1), text.mid(close + 1).trimmed()};
        return {text.mid(1), QString()};
    }
    if (QFileInfo::exists(text))
        return {text, QString()};
    for (qsizetype blank = text.lastIndexOf(QLatin1Char(' ')); blank > 0;
         blank = text.lastIndexOf(QLatin1Char(' '), blank - 1)) {
        const QString head = text.left(blank);
        if (QFileInfo(head).isFile())
            return {head, text.mid(blank + 1).trimmed()};
    }
    return {text, QString()};
}

bool LanceFichier(const LaunchRequest& request) {
    if (isInternetAddress(request.path))
        return reportDocumentResult(platform().openAddress(request.path), request.path);
    CommandLine line = request.parameters.isEmpty() ? splitCommandLine(request.path)
                                                    : CommandLine{request.path, request.parameters};
    if (request.mustExist && !QFileInfo::exists(line.command))
        return reportDocumentResult(LaunchResult::NotFound, line.command);
    if (isProgram(line.command))
        return launchProgram(request, line);
    return launchDocument(request, line.command);
}

} // namespace velmar
