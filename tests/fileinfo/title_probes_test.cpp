// Web page, tracker module, extended module and DOS shortcut titles, on files
// built byte by byte.

#include "fileinfo/file_infos.h"

#include "sample_files.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

QString infoOf(const QString& name, const QByteArray& bytes) {
    test::SampleFolder folder;
    return RenvoieInfosFichier(folder.write(name, bytes), QStringLiteral("AUTO"));
}

TEST(WebPageTitle, ReadsTheTitleInAnyCaseOfTag) {
    EXPECT_EQ(infoOf("a.html", "<html><head><title>Ma page</title></head>"), QStringLiteral("Ma page"));
    EXPECT_EQ(infoOf("a.HTM", "<HTML><TiTlE> Espaces gard\xE9s </tItLe>"),
              QStringLiteral(" Espaces gardés "));
    EXPECT_EQ(infoOf("a.htm", "<title>&eacute;t&eacute; &amp; hiver</title>"), QStringLiteral("été & hiver"));
    EXPECT_EQ(infoOf("a.htm", "<html><body>pas de titre</body></html>"), QString());
    EXPECT_EQ(infoOf("a.htm", "<title>jamais ferm\xE9"), QString());
}

TEST(WebPageTitle, NeedsTheClosingTagWithin200Bytes) {
    const QByteArray fits = "<title>" + QByteArray(192, 'a') + "</title>";
    const QByteArray tooLong = "<title>" + QByteArray(193, 'a') + "</title>";
    EXPECT_EQ(infoOf("a.htm", fits), QString(192, QLatin1Char('a')));
    EXPECT_EQ(infoOf("a.htm", tooLong), QString());
}

TEST(WebPageTitle, FindsATitleFarIntoTheFile) {
    const QByteArray page = "<html>" + QByteArray(30000, ' ') + "<TITLE>Loin</TITLE>";
    EXPECT_EQ(infoOf("loin.html", page), QStringLiteral("Loin"));
}

TEST(TrackerTitle, StopsAtTheLengthOfEachFormat) {
    const QByteArray printable = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    EXPECT_EQ(infoOf("m.mod", printable + QByteArray(1000, '\0')), QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
    EXPECT_EQ(infoOf("m.s3m", printable), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ012"));
    EXPECT_EQ(infoOf("m.mtm", "MTM\x10" + printable), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"));
    EXPECT_EQ(infoOf("m.it", "IMPMMon module IT\0\0\0\0" + QByteArray(100, '\0')),
              QStringLiteral("Mon module IT"));
    EXPECT_EQ(infoOf("m.mod", "Court  \x01 suite"), QStringLiteral("Court"));
    EXPECT_EQ(infoOf("m.mod", "Fin"), QStringLiteral("Fin"));
    EXPECT_EQ(infoOf("m.S3M", "Chanson d'\xE9t\xE9\x1A"), QStringLiteral("Chanson d'été"));
}

TEST(ExtendedModuleTitle, ReadsTwentyCharactersUntrimmed) {
    const QByteArray header = "Extended Module: ";
    EXPECT_EQ(infoOf("x.xm", header + "Titre du module     \x1A"), QStringLiteral("Titre du module     "));
    EXPECT_EQ(infoOf("x.xm", header + QByteArray(20, ' ') + "\x1A"), QString());
    EXPECT_EQ(infoOf("x.xm", "Extender Module: Titre du module     "), QString());
    EXPECT_EQ(infoOf("x.xm", header + "Court"), QStringLiteral("Court               "));
    EXPECT_EQ(infoOf("x.xm", header + QByteArray("Titre\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x1A", 21)),
              QStringLiteral("Titre"));
    EXPECT_EQ(infoOf("x.xm", header + QByteArray(20, '\0') + "\x1A"), QString());
}

TEST(DosShortcutTitle, CapitalisesAPrintableTitle) {
    const auto pif = [](const QByteArray& title) {
        return QByteArray("\0\x78", 2) + title + QByteArray(qMax(0, 30 - int(title.size())), '\0') +
               QByteArray(300, '\0');
    };
    EXPECT_EQ(infoOf("e.pif", pif("EDITEUR de TEXTE  ")), QStringLiteral("Editeur de texte"));
    // The capital goes to the first character, here a blank, before the trimming.
    EXPECT_EQ(infoOf("e.pif", pif("  EDITEUR")), QStringLiteral("editeur"));
    EXPECT_EQ(infoOf("e.pif", pif("")), QString());
    EXPECT_EQ(infoOf("e.pif", pif(QByteArray(30, ' '))), QString());
    EXPECT_EQ(infoOf("e.pif", pif("Accolade {")), QString());
    EXPECT_EQ(infoOf("e.pif", pif("Tab\there")), QString());
    EXPECT_EQ(infoOf("e.pif", "\0\0"), QString());
}

} // namespace
} // namespace velmar
