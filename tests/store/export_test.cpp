// The catalogue export read back by Python's own CSV, JSON and HTML parsers:
// names holding commas, quotes, tabs, line breaks and any Unicode come back as
// the catalogue holds them, in the export's order.

#include "collection_fixture.h"
#include "store/catalogue_export.h"
#include "store/search_condition.h"
#include "support/require_tool.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velmar {
namespace {

struct Row {
    int support;
    qint64 directory;
    const char* name;
    qint64 size;
    const char* crc;
    const char* infos;
};

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.valid());
        ASSERT_TRUE(fixture.makeCollectionFile(fixture.paths().collectionFile(1)));
        ASSERT_TRUE(db.open(fixture.paths().collectionFile(1)));
        for (const char* name : {"Archives", "Zèbre, \"le\" disque"})
            ASSERT_TRUE(
                db.execute("INSERT INTO Supports (NomSupport) VALUES (?)", {QString::fromUtf8(name)}));
        // Directory 1 is a starting directory; 2 and 3 sit under it, 3 below 2.
        for (const auto& [support, parent, own] :
             {std::tuple{2, "", ""}, std::tuple{2, "", "Photos, été"},
              std::tuple{2, "Photos, été", "Sous\t\"dir\""}, std::tuple{1, "", "Docs"}})
            ASSERT_TRUE(db.execute("INSERT INTO Repertoires (NumSupport, RepertoireParent, RepertoireSeul) "
                                   "VALUES (?, ?, ?)",
                                   {support, QString::fromUtf8(parent), QString::fromUtf8(own)}));
        const Row rows[] = {
            {2, 3, "z.txt", 1, "", ""},
            {2, 1, "racine.txt", 5, "0000ABCD", "Titre : « Été »\r\nDeuxième ligne"},
            {2, 2, "a, \"b\"\r\nc.jpg", 4096, "", ""},
            {2, 2, "日本語 🎵.mp3", 3, "", "tab\there"},
            {1, 4, "lettre.doc", 7, "12345678", ""},
        };
        for (const Row& r : rows)
            ASSERT_TRUE(
                db.execute("INSERT INTO Fichiers (NumSupport, NumRepertoire, Fichier, Extension, Taille, "
                           "DerniereModif, CRC, Infos) VALUES (?, ?, ?, 'x', ?, '2026-12-07 12:43:23', ?, ?)",
                           {r.support, r.directory, QString::fromUtf8(r.name), r.size,
                            QString::fromUtf8(r.crc), QString::fromUtf8(r.infos)}));
    }
    // The export in `format`, read back by the Python script; empty when
    // python3 is missing.
    QJsonArray readBack(ExportFormat format, const QString& name) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        QString error;
        EXPECT_TRUE(exportCatalogue(db, 0, format, file, error)) << error.toStdString();
        file.close();
        QProcess python;
        python.start("python3",
                     {VELMAR_TEST_DATA_DIR "/../store/export_parse.py", name.section('.', -1), path});
        if (!python.waitForFinished() || python.exitCode() != 0)
            return {};
        QJsonArray files;
        for (const QByteArray& line : python.readAllStandardOutput().split('\n'))
            if (!line.isEmpty())
                files.append(QJsonDocument::fromJson(line).array());
        return files;
    }

    test::CollectionFixture fixture;
    db::Database db;
    QTemporaryDir dir;
};

// Supports by name, directories depth first, files by name.
QJsonArray expectedFiles(bool allFields) {
    const QList<QJsonArray> all = {
        {"Archives", "Docs", "lettre.doc", "x", 7, "2026-12-07T12:43:23", "12345678", ""},
        {"Zèbre, \"le\" disque", "", "racine.txt", "x", 5, "2026-12-07T12:43:23", "0000ABCD",
         "Titre : « Été »\r\nDeuxième ligne"},
        {"Zèbre, \"le\" disque", "Photos, été", "a, \"b\"\r\nc.jpg", "x", 4096, "2026-12-07T12:43:23", "",
         ""},
        {"Zèbre, \"le\" disque", "Photos, été", "日本語 🎵.mp3", "x", 3, "2026-12-07T12:43:23", "",
         "tab\there"},
        {"Zèbre, \"le\" disque", "Photos, été\\Sous\t\"dir\"", "z.txt", "x", 1, "2026-12-07T12:43:23", "",
         ""},
    };
    QJsonArray files;
    for (const QJsonArray& f : all)
        files.append(allFields ? f : QJsonArray{f[0], f[1], f[2]});
    return files;
}

TEST_F(ExportTest, EachFormatReadsBackAsTheCatalogue) {
    const struct {
        ExportFormat format;
        const char* file;
        bool allFields;
    } cases[] = {{ExportFormat::Csv, "c.csv", true},
                 {ExportFormat::Json, "c.json", true},
                 {ExportFormat::Html, "c.html", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QJsonArray read = readBack(c.format, c.file);
        REQUIRE_TOOL(!read.isEmpty(), "python3");
        EXPECT_EQ(QJsonDocument(read).toJson(QJsonDocument::Compact).toStdString(),
                  QJsonDocument(expectedFiles(c.allFields)).toJson(QJsonDocument::Compact).toStdString());
    }
}

// A search's files alone, with the search's own condition (a name pattern
// runs through the name index, as in the window).
TEST_F(ExportTest, SearchResultsExportTheFilesFoundOnly) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    ASSERT_TRUE(exportSearchResults(db, BuildSearchCondition(FilterKind::FileName, "*.txt"),
                                    ExportFormat::Csv, buffer, error))
        << error.toStdString();
    const QString csv = QString::fromUtf8(buffer.data());
    EXPECT_TRUE(csv.contains("racine.txt") && csv.contains("z.txt"));
    for (const char* other : {"lettre.doc", "c.jpg", ".mp3"})
        EXPECT_FALSE(csv.contains(QString::fromUtf8(other))) << other;
}

TEST_F(ExportTest, OneSupportAloneAndAFailedWriteSaySo) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    ASSERT_TRUE(exportCatalogue(db, 1, ExportFormat::Csv, buffer, error));
    EXPECT_EQ(buffer.data().count('\n'), 2); // the header and the one file of "Archives"
    QFile full("/dev/full");
    ASSERT_TRUE(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    EXPECT_FALSE(exportCatalogue(db, 0, ExportFormat::Json, full, error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
} // namespace velmar
