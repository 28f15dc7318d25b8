#pragma once

// The content probes behind AnalyseContenuFichier (file_infos.h): each reads a
// few bytes of an existing file and gives its line(s) of information, or ""
// when the file's signature does not match. Line breaks are CR LF.

#include <QString>

namespace velmar::probes {

extern const QString kLineBreak; // CR LF

// First lines of a text file, "" when a control character comes within its
// first ten characters.
QString textSummary(const QString& path);

QString webPageTitle(const QString& path);
// `extension` is "S3M", "MOD", "MTM" or "IT".
QString trackerTitle(const QString& path, const QString& extension);
QString extendedModuleTitle(const QString& path);
QString dosShortcutTitle(const QString& path);

QString bitmapDimensions(const QString& path);
QString gifDimensions(const QString& path);
QString jpegSummary(const QString& path);
// The EXIF lines a JPEG summary ends with, each after a line break; "" without.
QString jpegExifLines(const QString& path);
// "W x H" then the EXIF lines of TIFF, PNG, WebP, HEIF and camera raw pictures.
QString photoSummary(const QString& path);

QString waveSummary(const QString& path);
QString mp3Summary(const QString& path);
// Through TagLib: FLAC, Ogg Vorbis and Opus, MP4/M4A, WMA, APE, WavPack, AIFF.
QString audioSummary(const QString& path);
// Through libavformat: MP4, MOV, Matroska and WebM, AVI, MPEG-TS.
QString videoSummary(const QString& path);
QString versionSummary(const QString& path);

} // namespace velmar::probes
