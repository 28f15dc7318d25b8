// The program's side of the media module: finds and loads velmar_media.so
// once, then hands each call to it. Without the module (a broken install),
// media files get no information text, as files the libraries refuse.

#include "fileinfo/media_module.h"
#include "fileinfo/pdf_document.h"
#include "fileinfo/probes.h"
#include "platform/executable_folder.h"

#include <QLibrary>
#include <QStringList>

namespace velmar {

namespace {

// Beside the executable in a build, in lib/velmar beside bin when installed.
QStringList moduleCandidates() {
    const QString folder = runningExecutableFolder();
    if (folder.isEmpty())
        return {};
    return {folder + QStringLiteral("/velmar_media.so"),
            folder + QStringLiteral("/../lib/velmar/velmar_media.so")};
}

const media::ModuleTable* loadModule() {
    // Never unloaded: its readers serve until the process ends.
    static QLibrary library;
    using TableFunction = const media::ModuleTable* (*)();
    for (const QString& candidate : moduleCandidates()) {
        library.setFileName(candidate);
        const auto table = reinterpret_cast<TableFunction>(library.resolve("velmar_media_table"));
        if (table != nullptr && table()->version == media::kModuleVersion)
            return table();
        library.unload();
    }
    return nullptr;
}

const media::ModuleTable* module() {
    static const media::ModuleTable* const loaded = loadModule();
    return loaded;
}

QString pdfLines(const media::PdfDetails& details) {
    QStringList lines;
    if (!details.title.isEmpty())
        lines << QStringLiteral("Titre : ") + details.title;
    if (!details.author.isEmpty())
        lines << QStringLiteral("Auteur : ") + details.author;
    if (details.pages > 0)
        lines << QStringLiteral("Pages : ") + QString::number(details.pages);
    return lines.join(probes::kLineBreak);
}

} // namespace

bool LitTagsAudio(const QString& path, AudioTags& tags) {
    tags = {};
    return module() != nullptr && module()->audio(path, tags);
}

bool LitFluxVideo(const QString& path, VideoStreams& streams) {
    streams = {};
    return module() != nullptr && module()->video(path, streams);
}

namespace photos {

PhotoDetails readPhotoDetails(const QString& path) {
    return module() != nullptr ? module()->photoFile(path) : PhotoDetails();
}

PhotoDetails readPhotoDetails(const char* data, qint64 size) {
    return module() != nullptr ? module()->photoBytes(data, size) : PhotoDetails();
}

} // namespace photos

namespace documents {

QString pdfText(const QString& path) {
    return module() != nullptr ? pdfLines(module()->pdfFile(path)) : QString();
}

QString pdfText(const char* data, qint64 size) {
    return module() != nullptr ? pdfLines(module()->pdfBytes(data, size)) : QString();
}

} // namespace documents

} // namespace velmar
