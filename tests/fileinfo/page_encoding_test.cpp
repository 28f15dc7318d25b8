// The encoding a page declares, and the titles read with it.

#include "fileinfo/page_encoding.h"

#include "fileinfo/file_infos.h"
#include "sample_files.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

TEST(PageEncoding, FindsTheDeclaration) {
    using E = DeclaredEncoding;
    const struct {
        QByteArray head;
        DeclaredEncoding encoding;
    } cases[] = {
        {"\xEF\xBB\xBF<html><head>", E::Utf8},
        {"<html><head><meta charset=\"utf-8\">", E::Utf8},
        {"<META CHARSET=UTF-8>", E::Utf8},
        {"<meta charset='utf8' />", E::Utf8},
        {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">", E::Utf8},
        {"<meta http-equiv=Content-Type content=\"text/html;charset = iso-8859-1\">", E::Windows1252},
        {"<meta charset=\"windows-1252\">", E::Windows1252},
        {"<meta charset=\"koi8-r\">", E::Unknown},
        {"<p>charset=utf-8</p>", E::Unknown}, // not in a <meta> tag
        {"<meta name=\"x\"> charset=utf-8", E::Unknown},
        {"<meta charset>", E::Unknown},
        {"<html><head>", E::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pageEncoding(c.head), c.encoding) << c.head.constData();
}

QString titleOf(const QByteArray& page) {
    test::SampleFolder folder;
    return RenvoieInfosFichier(folder.write("p.html", page), QStringLiteral("AUTO"));
}

TEST(PageEncoding, DecidesHowTheTitleReads) {
    const QByteArray ete = "\xC3\xA9t\xC3\xA9"; // "été" in UTF-8
    const struct {
        QByteArray page;
        const char* title;
    } cases[] = {
        {"<head><meta charset=\"utf-8\"><title>" + ete + "</title>", "été"},
        {"<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
         "<title>" +
             ete + "</title>",
         "été"},
        {"\xEF\xBB\xBF<title>" + ete + "</title>", "été"},
        {"<title>" + ete + "</title>", "été"},                                 // valid UTF-8
        {"<title>\xE9t\xE9</title>", "été"},                                   // Windows-1252
        {"<meta charset=\"iso-8859-1\"><title>" + ete + "</title>", "Ã©tÃ©"},  // as declared
        {"<title lang=\"fr\">" + ete + " &amp; hiver</title>", "été & hiver"}, // attributes
        {"<TITLE\n  id=t>Ligne</TITLE>", "Ligne"},
        {"<titles>non</titles><title>oui</title>", "oui"},
        {"<title></title><p>x</p><title>tard</title>", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(titleOf(c.page), QString::fromUtf8(c.title)) << c.page.constData();
}

} // namespace
} // namespace velmar
