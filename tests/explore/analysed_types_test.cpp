#include "app/files.h"
#include "explore/analysed_types.h"
#include "explore/gauge.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmar;

TEST(AnalysedTypes, TheFirstOuiLineOfAnExtensionCounts) {
    QTemporaryDir dir;
    const QString file = dir.filePath("TypesAnalyses.dat");
    writeTextLines(file,
                   {"mp3#AUTO#NON", "TXT#TEXTE#OUI", "MP3#AUTO#OUI", "TXT#AUTO#OUI", "", "ZIP#AUTO#NON"});
    const AnalysedTypes types = AnalysedTypes::load(file);
    EXPECT_EQ(types.modeFor("mp3"), "AUTO");
    EXPECT_EQ(types.modeFor("TXT"), "TEXTE");
    EXPECT_EQ(types.modeFor("ZIP"), "");
    EXPECT_EQ(types.modeFor(""), "");
}

TEST(AnalysedTypes, RewritingKeepsOrderAndModes) {
    QTemporaryDir dir;
    const QString file = dir.filePath("TypesAnalyses.dat");
    writeTextLines(file, {"MP3#AUTO#OUI", "TXT#TEXTE#NON"});
    QString error;
    ASSERT_TRUE(rewriteAnalysedTypes(file, {false, true}, error)) << error.toStdString();
    QStringList lines;
    ASSERT_TRUE(readTextLines(file, lines));
    EXPECT_EQ(lines, QStringList({"MP3#AUTO#NON", "TXT#TEXTE#OUI"}));
    EXPECT_FALSE(QFile::exists(dir.filePath("Temp.tmp")));
}

TEST(Gauge, FramesRoundHalvesToEven) {
    const std::pair<int, int> cases[] = {{0, 1},  {2, 2},   {6, 2},   {10, 4},
                                         {33, 9}, {50, 14}, {66, 18}, {100, 26}};
    for (const auto& [percentage, frame] : cases)
        EXPECT_EQ(gaugeFrame(percentage), frame) << percentage;
}
