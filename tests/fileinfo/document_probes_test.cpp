// Document information texts: PDF files written by img2pdf and compared with
// pdfinfo's listing, OpenDocument and Office Open XML files zipped here from
// small metadata members.
//   img2pdf --title T --author A p.png p.png -o d.pdf; pdfinfo d.pdf
//   zip -X -0 d.odt mimetype; zip -X d.odt meta.xml

#include "fileinfo/file_infos.h"
#include "fileinfo/office_document.h"

#include "sample_files.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace velmar {
namespace {

QString autoInfo(const QString& path) {
    return RenvoieInfosFichier(path, QStringLiteral("AUTO"));
}

QString pdfinfoField(const QString& listing, const char* field) {
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(QLatin1String(field)),
                                  QRegularExpression::MultilineOption);
    return line.match(listing).captured(1).trimmed();
}

TEST(PdfProbe, GivesWhatPdfinfoLists) {
    VELMAR_REQUIRE_TOOL("img2pdf");
    VELMAR_REQUIRE_TOOL("pdfinfo");
    VELMAR_REQUIRE_TOOL("convert");
    test::SampleFolder folder;
    const QString dir = folder.path(QString());
    ASSERT_TRUE(test::runTool("convert", {"-size", "8x8", "xc:red", "p.png"}, dir));
    ASSERT_TRUE(test::runTool(
        "img2pdf",
        {"--title", "Rapport d'été", "--author", "Zoé Martin", "p.png", "p.png", "p.png", "-o", "d.pdf"},
        dir));
    ASSERT_TRUE(test::runTool("img2pdf", {"p.png", "-o", "bare.pdf"}, dir));
    for (const char* name : {"d.pdf", "bare.pdf"}) {
        const QString listing = test::toolOutput("pdfinfo", {name}, dir);
        QStringList expected;
        if (const QString title = pdfinfoField(listing, "Title"); !title.isEmpty())
            expected << QStringLiteral("Titre : ") + title;
        if (const QString author = pdfinfoField(listing, "Author"); !author.isEmpty())
            expected << QStringLiteral("Auteur : ") + author;
        expected << QStringLiteral("Pages : ") + pdfinfoField(listing, "Pages");
        EXPECT_EQ(autoInfo(folder.path(name)), expected.join(QStringLiteral("\r\n"))) << name;
    }
    EXPECT_EQ(autoInfo(folder.path("d.pdf")),
              QStringLiteral("Titre : Rapport d'été\r\nAuteur : Zoé Martin\r\nPages : 3"));
}

const char* const kOdfMeta =
    R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-meta xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:meta="urn:oasis:names:tc:opendocument:xmlns:meta:1.0">
<office:meta><dc:creator>Luc</dc:creator><meta:initial-creator>Zoé Martin</meta:initial-creator>
<dc:title>Compte rendu &amp; annexes</dc:title></office:meta></office:document-meta>)";

const char* const kOoxmlCore =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/metadata/core-properties"
 xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:dcterms="http://purl.org/dc/terms/">
<dc:title>Budget 2024</dc:title><dc:creator>Anne Dupont</dc:creator>
<cp:lastModifiedBy>Luc</cp:lastModifiedBy></cp:coreProperties>)";

class OfficeProbe : public ::testing::Test {
protected:
    void SetUp() override { VELMAR_REQUIRE_TOOL("zip"); }

    // A ZIP file of the given members, written in this order (the first
    // stored, the others deflated, as office programs write them).
    QString zipOf(const QString& name, const QList<QPair<QString, QByteArray>>& members) {
        const QString dir = folder.path(QString());
        for (qsizetype i = 0; i < members.size(); ++i) {
            const QString member = members[i].first;
            QDir().mkpath(QFileInfo(folder.path(member)).path());
            folder.write(member, members[i].second);
            EXPECT_TRUE(test::runTool("zip", {"-q", "-X", i == 0 ? "-0" : "-6", name, member}, dir));
        }
        return folder.path(name);
    }

    test::SampleFolder folder;
};

TEST_F(OfficeProbe, ReadsTheTitleAndAuthorOfEachKind) {
    const QByteArray padding(200000, 'x'); // a large member before the metadata
    for (const char* name : {"d.odt", "d.ods", "d.odp"})
        EXPECT_EQ(autoInfo(zipOf(name, {{"mimetype", "application/vnd.oasis.opendocument.text"},
                                        {"content.xml", padding},
                                        {"meta.xml", kOdfMeta}})),
                  QStringLiteral("Titre : Compte rendu & annexes\r\nAuteur : Zoé Martin"))
            << name;
    for (const char* name : {"d.docx", "d.xlsx", "d.pptx"})
        EXPECT_EQ(autoInfo(zipOf(name, {{"[Content_Types].xml", "<Types/>"},
                                        {"word/document.xml", padding},
                                        {"docProps/core.xml", kOoxmlCore}})),
                  QStringLiteral("Titre : Budget 2024\r\nAuteur : Anne Dupont"))
            << name;
}

TEST_F(OfficeProbe, GivesNothingWithoutAReadableMetadataMember) {
    EXPECT_EQ(autoInfo(zipOf("none.odt", {{"mimetype", "x"}, {"content.xml", "<a/>"}})), QString());
    // 2 MiB inflated from a few kilobytes: past the bound, never read whole.
    const QByteArray huge = "<a>" + QByteArray(2 * 1024 * 1024, ' ') + "</a>";
    EXPECT_EQ(autoInfo(zipOf("huge.docx", {{"x", "x"}, {"docProps/core.xml", huge}})), QString());
    const QByteArray whole = folder.read("none.odt");
    EXPECT_EQ(autoInfo(folder.write("cut.odt", whole.left(whole.size() / 2))), QString());
    EXPECT_EQ(autoInfo(folder.write("text.docx", "PK not really")), QString());
}

TEST(OfficeMetadata, KeepsWhatItReadBeforeBrokenXml) {
    const struct {
        const char* xml;
        const char* text;
    } cases[] = {
        {"<m xmlns:dc='http://purl.org/dc/elements/1.1/'><dc:title> Deux\n mots </dc:title><dc:creator>A",
         "Titre : Deux mots"},
        {"<m xmlns:d='http://purl.org/dc/elements/1.1/'><d:creator>B<i>is</i></d:creator></m>",
         "Auteur : Bis"},
        {"<m xmlns:dc='urn:other'><dc:title>Pas Dublin Core</dc:title></m>", ""},
        {"<m><title>Sans espace de noms</title></m>", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(documents::metadataLines(c.xml), QString::fromUtf8(c.text)) << c.xml;
}

TEST(DocumentProbes, GiveNothingForDamagedFiles) {
    test::SampleFolder folder;
    EXPECT_EQ(autoInfo(folder.write("n.pdf", "%PDF-1.4\n1 0 obj << /Type /Catalog >>")), QString());
    EXPECT_EQ(autoInfo(folder.write("e.pdf", "")), QString());
    EXPECT_EQ(autoInfo(folder.write("n.xlsx", QByteArray(100, '\xff'))), QString());
}

} // namespace
} // namespace velmar
