#include "explore/drive_panel.h"

#include <gtest/gtest.h>

using namespace velmar;

TEST(DrivePanel, KeywordsFromTheDriveType) {
    const struct {
        DriveType type;
        qint64 total;
        const char* keyword;
    } cases[] = {
        {DriveType::Removable, 0, "AMOVIBLE"},   {DriveType::Fixed, 0, "FIXE"},
        {DriveType::NoRootDirectory, 0, "FIXE"}, {DriveType::Remote, 0, "RESEAU"},
        {DriveType::CdRom, 943718399, "CD"},     {DriveType::CdRom, 943718400, "DVD"},
        {DriveType::RamDisk, 0, "VIRTUEL"},      {DriveType::Unknown, 0, "RESEAU"},
    };
    for (const auto& c : cases) {
        Volume v;
        v.type = c.type;
        v.totalBytes = c.total;
        EXPECT_EQ(driveKeyword(v), c.keyword);
    }
}

TEST(DrivePanel, TypeAndSerialAndText) {
    const QList<SupportType> types = {{1, "a.bmp", "Disque amovible", "AMOVIBLE"},
                                      {6, "d.bmp", "DVD", "DVD"}};
    EXPECT_EQ(supportTypeForKeyword(types, "DVD"), 6);
    EXPECT_EQ(supportTypeForKeyword(types, "FIXE"), 0);
    EXPECT_EQ(serialText(static_cast<qint32>(0xF0E1D2C3u)), "-253635901");
    Volume v;
    v.rootPath = "/media/cle/";
    v.label = "CLE USB";
    v.totalBytes = 1572864;
    v.freeBytes = 0;
    const QStringList lines = drivePanelText(v).split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "Lecteur /media/cle");
    EXPECT_TRUE(lines[1].startsWith("Espace total : 1"));
    EXPECT_EQ(lines[2], "Espace disponible : 0 octet");
    EXPECT_EQ(lines[3], "Nom de volume : CLE USB");
}
