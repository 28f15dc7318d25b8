#include "fileinfo/office_document.h"

#include "archives/zip_member.h"
#include "fileinfo/probes.h"

#include <QStringList>
#include <QXmlStreamReader>

namespace velmar::documents {

namespace {

// Metadata members are a few kilobytes; a larger one is not read.
constexpr qint64 kLargestMetadata = 1024 * 1024;
constexpr archives::MemberNames kMembers = {"meta.xml", "docProps/core.xml"};

const QLatin1String kDublinCore("http://purl.org/dc/elements/1.1/");
const QLatin1String kOpenDocumentMeta("urn:oasis:names:tc:opendocument:xmlns:meta:1.0");

struct Metadata {
    QString title;
    QString creator;
    QString initialCreator;
};

// The first of each element, wherever it stands; the reader stops at the
// first error, keeping what it read before.
Metadata readMetadata(const QByteArray& xml) {
    Metadata found;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto space = reader.namespaceUri();
        const auto name = reader.name();
        QString* field = nullptr;
        if (space == kDublinCore && name == QLatin1String("title"))
            field = &found.title;
        else if (space == kDublinCore && name == QLatin1String("creator"))
            field = &found.creator;
        else if (space == kOpenDocumentMeta && name == QLatin1String("initial-creator"))
            field = &found.initialCreator;
        if (field && field->isEmpty())
            *field = reader.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
    }
    return found;
}

QString linesOf(const std::optional<QByteArray>& xml) {
    return xml ? metadataLines(*xml) : QString();
}

} // namespace

QString metadataLines(const QByteArray& xml) {
    const Metadata metadata = readMetadata(xml);
    const QString& author = metadata.initialCreator.isEmpty() ? metadata.creator : metadata.initialCreator;
    QStringList lines;
    if (!metadata.title.isEmpty())
        lines << QStringLiteral("Titre : ") + metadata.title;
    if (!author.isEmpty())
        lines << QStringLiteral("Auteur : ") + author;
    return lines.join(probes::kLineBreak);
}

QString officeText(const QString& path) {
    return linesOf(archives::zipMember(path, kMembers, kLargestMetadata));
}

QString officeText(const char* data, qint64 size) {
    return linesOf(archives::zipMember(data, size, kMembers, kLargestMetadata));
}

} // namespace velmar::documents
