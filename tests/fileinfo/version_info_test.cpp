// Version records of programs and libraries built by mingw-w64 with a
// VERSIONINFO resource, 64 and 32 bit, and of damaged copies of them.
//   x86_64-w64-mingw32-windres -c 1252 v.rc -O coff -o v.o
//   x86_64-w64-mingw32-gcc m.c v.o -o a.exe; x86_64-w64-mingw32-gcc -shared d.c v.o -o d.dll

#include "fileinfo/version_info.h"

#include "fileinfo/file_infos.h"
#include "fileinfo/pe_resources.h"
#include "sample_files.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

// Windows-1252 bytes: "Société" holds E9.
QByteArray resourceScript(const QByteArray& productVersion) {
    return "1 VERSIONINFO\n"
           "FILEVERSION 1,2,3,4\n"
           "PRODUCTVERSION 1,2,3,4\n"
           "BEGIN\n"
           "  BLOCK \"StringFileInfo\"\n"
           "  BEGIN\n"
           "    BLOCK \"040C04E4\"\n"
           "    BEGIN\n"
           "      VALUE \"CompanyName\", \"Soci\xE9t\xE9 Exemple\"\n"
           "      VALUE \"FileDescription\", \"Outil de test\"\n"
           "      VALUE \"FileVersion\", \"1.2.3.4\"\n"
           "      VALUE \"InternalName\", \"outil\"\n"
           "      VALUE \"LegalCopyright\", \"(c) 2026 Exemple\"\n"
           "      VALUE \"OriginalFilename\", \"outil.exe\"\n"
           "      VALUE \"ProductName\", \"Velmar Essai\"\n"
           "      VALUE \"ProductVersion\", \"" +
           productVersion +
           "\"\n"
           "    END\n"
           "  END\n"
           "  BLOCK \"VarFileInfo\"\n"
           "  BEGIN\n"
           "    VALUE \"Translation\", 0x040C, 1252\n"
           "  END\n"
           "END\n";
}

class MingwBuilt : public ::testing::Test {
protected:
    // Builds `output` for `target` (x86_64-w64-mingw32 or i686-w64-mingw32).
    QString build(const QString& target, const QString& output, bool library,
                  const QByteArray& productVersion) {
        const QString windres = target + QStringLiteral("-windres");
        const QString gcc = target + QStringLiteral("-gcc");
        if (!test::hasTool(windres) || !test::hasTool(gcc))
            return {};
        const QString dir = folder.path(QString());
        folder.write("v.rc", resourceScript(productVersion));
        folder.write("m.c", library ? "int f(void) { return 1; }\n" : "int main(void) { return 0; }\n");
        EXPECT_TRUE(test::runTool(windres, {"-c", "1252", "v.rc", "-O", "coff", "-o", "v.o"}, dir));
        QStringList args = {"m.c", "v.o", "-o", output};
        if (library)
            args.prepend("-shared");
        EXPECT_TRUE(test::runTool(gcc, args, dir));
        return folder.path(output);
    }

    test::SampleFolder folder;
};

TEST_F(MingwBuilt, ReadsTheRecordOfA64BitProgram) {
    const QString path = build("x86_64-w64-mingw32", "a.exe", false, "1.2.3.4");
    if (path.isEmpty())
        GTEST_SKIP() << "x86_64-w64-mingw32 tools are not installed";
    const InfosVersion v = LitVersionFichier(path);
    EXPECT_EQ(v.CompanyName, QStringLiteral("Société Exemple"));
    EXPECT_EQ(v.FileDescription, QStringLiteral("Outil de test"));
    EXPECT_EQ(v.FileVersion, QStringLiteral("1.2.3.4"));
    EXPECT_EQ(v.InternalName, QStringLiteral("outil"));
    EXPECT_EQ(v.LegalCopyright, QStringLiteral("(c) 2026 Exemple"));
    EXPECT_EQ(v.OriginalFileName, QStringLiteral("outil.exe"));
    EXPECT_EQ(v.ProductName, QStringLiteral("Velmar Essai"));
    EXPECT_EQ(v.ProductVersion, QStringLiteral("1.2.3.4"));
    EXPECT_EQ(RenvoieInfosFichier(path, QStringLiteral("AUTO")),
              QStringLiteral("Outil de test\r\nVersion 1.2.3.4\r\nNom du produit : Velmar Essai\r\n"
                             "Société Exemple\r\n(c) 2026 Exemple"));
}

TEST_F(MingwBuilt, ShowsADifferentProductVersionOfA32BitLibrary) {
    const QString path = build("i686-w64-mingw32", "d.dll", true, "2.0");
    if (path.isEmpty())
        GTEST_SKIP() << "i686-w64-mingw32 tools are not installed";
    EXPECT_EQ(RenvoieInfosFichier(path, QStringLiteral("AUTO")),
              QStringLiteral("Outil de test\r\nVersion 1.2.3.4\r\nNom du produit : Velmar Essai\r\n"
                             "Version du produit : 2.0\r\nSociété Exemple\r\n(c) 2026 Exemple"));
}

TEST_F(MingwBuilt, ReadsA64BitLibraryUnderEveryProbedExtension) {
    const QString path = build("x86_64-w64-mingw32", "d.dll", true, "1.2.3.4");
    if (path.isEmpty())
        GTEST_SKIP() << "x86_64-w64-mingw32 tools are not installed";
    const QByteArray bytes = folder.read("d.dll");
    for (const char* name : {"d.ocx", "d.vbx", "d.EXE"})
        EXPECT_TRUE(RenvoieInfosFichier(folder.write(name, bytes), QStringLiteral("AUTO"))
                        .startsWith(QStringLiteral("Outil de test\r\nVersion 1.2.3.4")))
            << name;
    EXPECT_EQ(RenvoieInfosFichier(folder.write("d.com", bytes), QStringLiteral("AUTO")), QString());
}

TEST_F(MingwBuilt, SurvivesDamagedCopies) {
    const QString path = build("x86_64-w64-mingw32", "a.exe", false, "1.2.3.4");
    if (path.isEmpty())
        GTEST_SKIP() << "x86_64-w64-mingw32 tools are not installed";
    const QByteArray good = folder.read("a.exe");
    const QByteArray resource = [&] {
        archives::MemorySource source(good.constData(), good.size());
        return pe::versionResource(source);
    }();
    ASSERT_FALSE(resource.isEmpty());
    // Every cut of the resource and of the file gives a record or an empty one, never a crash.
    for (qsizetype cut = 0; cut < resource.size(); cut += 3)
        (void)versionFromResource(resource.left(cut));
    for (qsizetype cut = 0; cut < good.size(); cut += good.size() / 97) {
        archives::MemorySource truncated(good.constData(), cut);
        (void)versionFromResource(pe::versionResource(truncated));
    }
    // The PE signature and the DOS magic are checked.
    QByteArray noMz = good;
    noMz[0] = 'X';
    EXPECT_EQ(LitVersionFichier(folder.write("nomz.exe", noMz)).FileVersion, QString());
    // Each byte of the resource flipped in turn.
    const qsizetype at = good.indexOf(resource);
    ASSERT_GE(at, 0);
    QByteArray flipped = good;
    for (qsizetype i = 0; i < resource.size(); i += 5) {
        flipped[at + i] = char(~flipped[at + i]);
        archives::MemorySource source(flipped.constData(), flipped.size());
        (void)versionFromResource(pe::versionResource(source));
        flipped[at + i] = good[at + i];
    }
}

TEST(VersionRecord, IsEmptyForFilesWithoutOne) {
    test::SampleFolder folder;
    EXPECT_EQ(LitVersionFichier(QString()).FileDescription, QString());
    EXPECT_EQ(LitVersionFichier(folder.path("absent.exe")).FileDescription, QString());
    // A 16-bit NE program: DOS header pointing at an "NE" header.
    QByteArray ne(0x40, '\0');
    ne[0] = 'M';
    ne[1] = 'Z';
    ne[0x3C] = 0x40;
    ne += "NE" + QByteArray(200, '\0');
    EXPECT_EQ(RenvoieInfosFichier(folder.write("old.dll", ne), QStringLiteral("AUTO")), QString());
    EXPECT_EQ(RenvoieInfosFichier(folder.write("tiny.exe", "MZ"), QStringLiteral("AUTO")), QString());
}

} // namespace
} // namespace velmar
