#include "fileinfo/extension_table.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace velmar {
namespace {

using extension_table::kRowCount;
using extension_table::kRows;

TEST(ExtensionTable, HoldsUniqueUpperCaseKeysInTestingOrder) {
    // The 531 rows of the original table, 8 for archives listed through libarchive,
    // 13 for audio and video formats read through TagLib and libavformat, 18 for
    // photos and 6 for documents.
    ASSERT_EQ(kRowCount, 576u);
    const QRegularExpression keyForm(QStringLiteral("^[A-Z0-9]{1,5}$"));
    QSet<QString> seen;
    QString previous;
    for (std::size_t i = 0; i < kRowCount; ++i) {
        const QString key = QString::fromLatin1(kRows[i].key);
        EXPECT_TRUE(keyForm.match(key).hasMatch()) << key.toStdString();
        EXPECT_FALSE(seen.contains(key)) << key.toStdString();
        seen.insert(key);
        EXPECT_FALSE(QString::fromUtf8(kRows[i].description).isEmpty()) << key.toStdString();
        // Alphabetical, except that SOL stands before SCP.
        if (!previous.isEmpty() && key != QLatin1String("SCP")) {
            EXPECT_LT(previous, key) << previous.toStdString() << " / " << key.toStdString();
        }
        previous = key;
    }
    const auto indexOf = [](const char* key) {
        for (std::size_t i = 0; i < kRowCount; ++i)
            if (qstrcmp(kRows[i].key, key) == 0)
                return i;
        return kRowCount;
    };
    EXPECT_EQ(indexOf("SOL") + 1, indexOf("SCP"));
    EXPECT_EQ(indexOf("SCN") + 1, indexOf("SOL"));
    EXPECT_EQ(QString::fromLatin1(kRows[0].key), QLatin1String("323"));
    EXPECT_EQ(QString::fromLatin1(kRows[kRowCount - 1].key), QLatin1String("ZST"));
}

TEST(ExtensionTable, FlagsOnlyTheProgramAndArchiveKeys) {
    const QSet<QString> programs = {"BAS", "COM", "EXE"};
    const QSet<QString> archives = {"ACE", "ARC", "ARJ", "B64", "BH", "BHX", "BZ", "BZ2", "TBZ", "TBZ2", "GZ",
                                    "GZIP", "TAZ", "TGZ", "Z", "HQX", "JAR", "MSA", "RAR", "TAR", "UU", "UUE",
                                    "XXE", "ZIP",
                                    // listed through libarchive
                                    "7Z", "CPIO", "ISO", "LZ4", "TXZ", "TZST", "XAR", "XZ", "ZST"};
    for (std::size_t i = 0; i < kRowCount; ++i) {
        const QString key = QString::fromLatin1(kRows[i].key);
        EXPECT_EQ(kRows[i].program, programs.contains(key)) << key.toStdString();
        EXPECT_EQ(kRows[i].archive, archives.contains(key)) << key.toStdString();
    }
}

struct Row {
    const char* extension;
    const char* description;
    bool program;
    bool archive;
};

class ShownRows : public ::testing::TestWithParam<Row> {};

TEST_P(ShownRows, GiveTheirDescriptionAndFlags) {
    const Row& row = GetParam();
    bool program = !row.program;
    bool archive = !row.archive;
    EXPECT_EQ(DescriptionTypeFichier(QString::fromUtf8(row.extension), program, archive),
              QString::fromUtf8(row.description));
    EXPECT_EQ(program, row.program);
    EXPECT_EQ(archive, row.archive);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShownRows,
    ::testing::Values(
        Row{"exe", "Programme", true, false}, Row{"Exe", "Programme", true, false},
        Row{"bas", "Fichier Basic ", true, false}, Row{"COM", "Exécutable", true, false},
        Row{"cab", "Compression CAB", false, false}, Row{"tgz", "Archive GZIP", false, true},
        Row{"Z", "Archive GZIP", false, true}, Row{"tbz2", "Archive BZIP", false, true},
        Row{"lzh", "Lharc", false, false}, Row{"LHA", "LHA", false, false},
        Row{"rar", "Archive WinRAR", false, true}, Row{"msa", "Magic Shadow Archiver", false, true},
        Row{"uue", "Archive UUEncode", false, true},
        Row{"dll", "Bibliothèque de liens dynamiques (Dynamic Link Library)", false, false},
        Row{"vbx", "Fichier de ressource de développement", false, false},
        Row{"html", "Microsoft HTML Document 5.0", false, false},
        Row{"htm", "Document Internet (HTML)", false, false},
        Row{"bmp", "Image Windows ou OS/2 ", false, false}, Row{"hlp", "Fichier d'aide ", false, false},
        Row{"mp3", "Rerizaz Avad", false, false}, Row{"323", "Téléphonie Internet H.323", false, false},
        Row{"vxd", "Pilote de périphérique virtuel", false, false}, Row{"prg", "ST Program", false, false},
        Row{"ttp", "ST Program", false, false}, Row{"", "?", false, false}, Row{"MPEG4", "?", false, false},
        Row{" EXE", "?", false, false}, Row{"EXE ", "?", false, false}));

TEST(ExtensionFichier, TakesTheTextAfterTheLastDot) {
    const QList<QPair<QString, QString>> cases = {{"archive.tar.gz", "GZ"},
                                                  {"readme", ""},
                                                  {"name.", ""},
                                                  {"\"lettre.doc\"", "DOC"},
                                                  {"lettre.doc\"", "DOC"},
                                                  {"\"a.b", "B"},
                                                  {".profile", "PROFILE"},
                                                  {"C:\\x.y\\fichier", "Y\\FICHIER"}};
    for (const auto& [name, extension] : cases)
        EXPECT_EQ(ExtensionFichier(name), extension) << name.toStdString();
}

TEST(DescriptionFichier, DescribesAFileNameByItsExtension) {
    EXPECT_EQ(DescriptionFichier(QStringLiteral("setup.EXE")), QStringLiteral("Programme"));
    EXPECT_EQ(DescriptionFichier(QStringLiteral("photo.jpeg")), QStringLiteral("Image JPEG"));
    EXPECT_EQ(DescriptionFichier(QStringLiteral("sans extension")), QStringLiteral("?"));
}

} // namespace
} // namespace velmar
