// The MP3 tag and program version summaries.

#include "app/text.h"
#include "fileinfo/mp3_tags.h"
#include "fileinfo/probes.h"
#include "fileinfo/version_info.h"

namespace velmar::probes {

namespace {

void addLine(QString& text, const QString& line) {
    if (!text.isEmpty())
        text += kLineBreak;
    text += line;
}

} // namespace

QString mp3Summary(const QString& path) {
    QString title, artist, album, comment, genre, genreName;
    int track = 0;
    LitTagsMP3(path, title, artist, album, comment, genre, genreName, track);
    QString text = title;
    if (!artist.isEmpty())
        text += kLineBreak + artist;
    if (!album.isEmpty())
        text += kLineBreak + QStringLiteral("Album : ") + album;
    if (track != 0)
        text += kLineBreak + QStringLiteral("Piste : ") + NombreEnTexte(qint64(track));
    return text;
}

QString versionSummary(const QString& path) {
    const InfosVersion v = LitVersionFichier(path);
    QString text;
    if (!v.FileDescription.isEmpty())
        text = v.FileDescription;
    if (!v.FileVersion.isEmpty())
        addLine(text, QStringLiteral("Version ") + v.FileVersion);
    if (!v.ProductName.isEmpty())
        addLine(text, QStringLiteral("Nom du produit : ") + v.ProductName);
    if (!v.ProductVersion.isEmpty() && v.ProductVersion != v.FileVersion)
        addLine(text, QStringLiteral("Version du produit : ") + v.ProductVersion);
    if (!v.CompanyName.isEmpty())
        addLine(text, v.CompanyName);
    if (!v.LegalCopyright.isEmpty())
        addLine(text, v.LegalCopyright);
    return text;
}

} // namespace velmar::probes
