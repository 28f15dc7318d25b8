#include "fileinfo/file_infos.h"

#include "app/files.h"
#include "archives/archive_listing.h"
#include "archives/libarchive_reader.h"
#include "fileinfo/extension_table.h"
#include "fileinfo/office_document.h"
#include "fileinfo/pdf_document.h"
#include "fileinfo/probes.h"

#include <QStringList>

namespace velmar {

namespace {

bool oneOf(const QString& extension, std::initializer_list<const char*> keys) {
    for (const char* key : keys)
        if (extension == QLatin1String(key))
            return true;
    return false;
}

} // namespace

QString AnalyseContenuFichier(const QString& path) {
    if (!FichierExiste(path))
        return {};
    const QString ext = ExtensionFichier(path);
    if (oneOf(ext, {"HTML", "HTM"}))
        return probes::webPageTitle(path);
    if (oneOf(ext, {"S3M", "MOD", "MTM", "IT"}))
        return probes::trackerTitle(path, ext);
    if (ext == QLatin1String("XM"))
        return probes::extendedModuleTitle(path);
    if (ext == QLatin1String("BMP"))
        return probes::bitmapDimensions(path);
    if (ext == QLatin1String("GIF"))
        return probes::gifDimensions(path);
    if (oneOf(ext, {"JPEG", "JPG"}))
        return probes::jpegSummary(path);
    if (oneOf(ext, {"TIF", "TIFF", "PNG", "WEBP", "HEIC", "HEIF", "AVIF", "CR2", "CR3", "CRW", "NEF",
                    "NRW", "ARW",  "SR2", "DNG",  "ORF",  "RW2",  "RAF",  "PEF", "SRW", "MRW"}))
        return probes::photoSummary(path);
    if (ext == QLatin1String("PDF"))
        return documents::pdfText(path);
    if (oneOf(ext, {"ODT", "ODS", "ODP", "DOCX", "XLSX", "PPTX"}))
        return documents::officeText(path);
    if (ext == QLatin1String("PIF"))
        return probes::dosShortcutTitle(path);
    if (ext == QLatin1String("WAV"))
        return probes::waveSummary(path);
    if (oneOf(ext, {"ARC", "ZIP", "ARJ", "CAB", "GZIP", "LZH", "RAR", "TAR"}) ||
        archives::Cls_Libarchive::namesFormat(path))
        return archives::archiveListingText(path);
    if (ext == QLatin1String("MP3"))
        return probes::mp3Summary(path);
    if (oneOf(ext, {"FLAC", "OGG", "OGA", "OPUS", "M4A", "WMA", "APE", "WV", "AIF", "AIFF", "AIFC"}))
        return probes::audioSummary(path);
    if (oneOf(ext, {"MP4", "M4V", "MOV", "MKV", "WEBM", "AVI", "TS", "MTS", "M2TS"}))
        return probes::videoSummary(path);
    if (oneOf(ext, {"VBX", "EXE", "DLL", "OCX"}))
        return probes::versionSummary(path);
    return {};
}

QString RenvoieInfosFichier(const QString& path, const QString& mode) {
    if (mode == QLatin1String("TEXTE"))
        return probes::textSummary(path);
    if (mode == QLatin1String("AUTO"))
        return AnalyseContenuFichier(path);
    return {};
}

} // namespace velmar
