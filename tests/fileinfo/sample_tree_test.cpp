// The benchmark's hand-built samples, checked so that the benchmark measures
// probes that find what they look for.

#include "fileinfo/file_infos.h"
#include "fileinfo/version_info.h"

#include "sample_files.h"
#include "sample_tree.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace velmar {
namespace {

TEST(BenchSamples, EveryKindGivesItsText) {
    test::SampleFolder folder;
    const bench::SampleTree tree = bench::makeSampleTree(folder.path("arbre"), 22);
    ASSERT_EQ(tree.files.size(), 22);
    QMap<QString, QString> firstText;
    for (const QString& path : tree.files) {
        const QString suffix = QFileInfo(path).suffix();
        if (!firstText.contains(suffix))
            firstText.insert(suffix, RenvoieInfosFichier(path, QStringLiteral("AUTO")));
    }
    EXPECT_EQ(firstText["html"], QStringLiteral("Café & thé"));
    EXPECT_EQ(firstText["htm"], QString());
    EXPECT_EQ(firstText["mod"], QStringLiteral("Module de test"));
    EXPECT_EQ(firstText["xm"], QStringLiteral("Titre XM de test    "));
    EXPECT_EQ(firstText["bmp"], QStringLiteral("68 x 48 - 24 bits"));
    EXPECT_EQ(firstText["gif"], QStringLiteral("320 x 200"));
    EXPECT_EQ(firstText["jpg"], QStringLiteral("640 x 480\r\nRGB 24 Bit\r\nPhoto de vacances"));
    EXPECT_EQ(firstText["wav"], QStringLiteral("0 min 2 sec 0 ms\r\n22050 Hz\r\nMono 16 bits"));
    EXPECT_EQ(firstText["mp3"], QStringLiteral("Titre 8\r\nArtiste\r\nPiste : 3"));
    EXPECT_EQ(firstText["exe"],
              QStringLiteral("Programme d'essai\r\nVersion 1.0.9\r\nNom du produit : Banc d'essai\r\n"
                             "Velmar"));
}

TEST(HandBuiltPe, GivesItsRecordAndSurvivesEveryCut) {
    test::SampleFolder folder;
    const QByteArray pe =
        bench::peWithVersion(QStringLiteral("Outil \u00e9crit \u20ac"), QStringLiteral("2.5"));
    const InfosVersion v = LitVersionFichier(folder.write("p.exe", pe));
    EXPECT_EQ(v.FileDescription, QStringLiteral("Outil écrit €"));
    EXPECT_EQ(v.FileVersion, QStringLiteral("2.5"));
    EXPECT_EQ(v.InternalName, QString());
    // A cut file gives the whole record or none of it (the cut may fall in the section's padding).
    for (qsizetype cut = 0; cut < pe.size(); ++cut) {
        const QString version = LitVersionFichier(folder.write("cut.exe", pe.left(cut))).FileVersion;
        EXPECT_TRUE(version.isEmpty() || version == QLatin1String("2.5")) << cut;
    }
}

} // namespace
} // namespace velmar
