#include "sample_tree.h"

#include <QDir>
#include <QFile>

#include <functional>

namespace velmar::bench {

namespace {

QByteArray le16(int v) {
    return QByteArray(1, char(v & 0xFF)) + char((v >> 8) & 0xFF);
}
QByteArray le32(quint32 v) {
    return le16(int(v & 0xFFFF)) + le16(int(v >> 16));
}
QByteArray be16(int v) {
    return QByteArray(1, char((v >> 8) & 0xFF)) + char(v & 0xFF);
}
void pad4(QByteArray& b) {
    while (b.size() % 4)
        b.append('\0');
}
QByteArray utf16z(const QString& s) {
    QByteArray b;
    for (const QChar c : s)
        b += le16(c.unicode());
    return b + le16(0);
}

// wLength | wValueLength | wType | key | pad | value | pad | children
QByteArray versionBlock(const QString& key, const QByteArray& value, int valueLength, bool text,
                        const QList<QByteArray>& children) {
    QByteArray body = utf16z(key);
    body.prepend(QByteArray(6, '\0'));
    pad4(body);
    body += value;
    for (const QByteArray& child : children) {
        pad4(body);
        body += child;
    }
    body.replace(0, 6, le16(int(body.size())) + le16(valueLength) + le16(text ? 1 : 0));
    return body;
}

QByteArray stringBlock(const QString& key, const QString& value) {
    return versionBlock(key, utf16z(value), int(value.size()) + 1, true, {});
}

QByteArray versionInfo(const QString& description, const QString& version) {
    const QByteArray table =
        versionBlock("040C04E4", {}, 0, true,
                     {stringBlock("CompanyName", "Velmar"), stringBlock("FileDescription", description),
                      stringBlock("FileVersion", version), stringBlock("ProductName", "Banc d'essai")});
    const QByteArray strings = versionBlock("StringFileInfo", {}, 0, true, {table});
    const QByteArray translation = versionBlock("Translation", le16(0x040C) + le16(1252), 4, false, {});
    const QByteArray vars = versionBlock("VarFileInfo", {}, 0, true, {translation});
    QByteArray fixed = le32(0xFEEF04BD) + QByteArray(48, '\0');
    return versionBlock("VS_VERSION_INFO", fixed, int(fixed.size()), false, {strings, vars});
}

QByteArray mpegFrames(int count) {
    QByteArray frame("\xFF\xFB\x90\x00", 4);
    frame.append(413, '\0');
    return frame.repeated(count);
}

QByteArray id3v23(const QList<QPair<QByteArray, QByteArray>>& frames) {
    QByteArray body;
    for (const auto& [id, text] : frames)
        body += id + QByteArray(2, '\0') + be16(int(text.size()) + 1) + QByteArray(2, '\0') + '\0' + text;
    body.append(256, '\0');
    QByteArray header("ID3\x03\0\0", 6);
    for (int shift : {21, 14, 7, 0})
        header.append(char((body.size() >> shift) & 0x7F));
    return header + body;
}

QByteArray jpeg(int width, int height, int scanBytes) {
    QByteArray b("\xFF\xD8\xFF\xE0", 4);
    b += be16(16) + QByteArray("JFIF\0\x01\x01\x01", 8) + be16(72) + be16(72) + QByteArray(2, '\0');
    const QByteArray comment = "Photo de vacances";
    b += QByteArray("\xFF\xFE", 2) + be16(int(comment.size()) + 2) + comment;
    b += QByteArray("\xFF\xC0", 2) + be16(17) + '\x08' + be16(height) + be16(width) + '\x03' +
         QByteArray("\x01\x22\x00\x02\x11\x01\x03\x11\x01", 9);
    b += QByteArray("\xFF\xDA", 2) + be16(12) + QByteArray("\x03\x01\x00\x02\x11\x03\x11\x00\x3F\x00", 10);
    for (int i = 0; i < scanBytes; ++i)
        b += (i % 97 == 0) ? QByteArray("\xFF\x00", 2) : QByteArray(1, char(i * 31 % 255));
    return b + QByteArray("\xFF\xD9", 2);
}

QByteArray wave(int seconds) {
    const int rate = 22050;
    const int data = rate * 2 * seconds;
    return "RIFF" + le32(36 + data) + "WAVEfmt " + le32(16) + le16(1) + le16(1) + le32(rate) +
           le32(rate * 2) + le16(2) + le16(16) + "data" + le32(data) + QByteArray(data, '\x10');
}

QByteArray bitmap(int width, int height) {
    const int row = (width * 3 + 3) & ~3;
    const int pixels = row * height;
    return "BM" + le32(54 + pixels) + le32(0) + le32(54) + le32(40) + le32(width) + le32(height) + le16(1) +
           le16(24) + QByteArray(24, '\0') + QByteArray(pixels, '\x7F');
}

QByteArray webPage(bool withTitle, int size) {
    QByteArray page = "<html><head>";
    if (withTitle)
        page += "<title>Caf&eacute; &amp; th&#233;</title>";
    page += "</head><body>";
    while (page.size() < size)
        page += "<p>Un paragraphe de texte ordinaire pour remplir la page.</p>\r\n";
    return page + "</body></html>";
}

struct Kind {
    const char* extension;
    std::function<QByteArray(int)> make;
};

const QList<Kind>& kinds() {
    static const QList<Kind> list = {
        {"html", [](int i) { return webPage(true, 8000 + i * 10); }},
        {"htm", [](int i) { return webPage(false, 30000 + i * 10); }},
        {"mod",
         [](int) { return QByteArray("Module de test") + QByteArray(6, '\0') + QByteArray(2000, 'm'); }},
        {"xm",
         [](int) { return QByteArray("Extended Module: Titre XM de test    \x1A") + QByteArray(3000, 'x'); }},
        {"bmp", [](int i) { return bitmap(64 + i % 32, 48); }},
        {"gif", [](int) { return QByteArray("GIF89a") + le16(320) + le16(200) + QByteArray(1500, 'g'); }},
        {"jpg", [](int i) { return jpeg(640, 480, 40000 + i * 17); }},
        {"wav", [](int i) { return wave(1 + i % 3); }},
        {"mp3",
         [](int i) {
             return id3v23(
                        {{"TIT2", "Titre " + QByteArray::number(i)}, {"TPE1", "Artiste"}, {"TRCK", "3/12"}}) +
                    mpegFrames(100);
         }},
        {"exe", [](int i) { return peWithVersion("Programme d'essai", QStringLiteral("1.0.%1").arg(i)); }},
        {"txt", [](int) { return QByteArray("Premiere ligne\r\n\r\nSeconde ligne\r\n").repeated(40); }},
    };
    return list;
}

} // namespace

QByteArray peWithVersion(const QString& description, const QString& version) {
    const QByteArray info = versionInfo(description, version);
    constexpr quint32 kRsrcRva = 0x1000;
    constexpr quint32 kRawPointer = 0x200;
    // Resource tree: root (type 16) -> name 1 -> language 040C -> data entry -> VS_VERSIONINFO.
    QByteArray rsrc;
    const auto directory = [&](quint32 id, quint32 target) {
        rsrc += QByteArray(12, '\0') + le16(0) + le16(1) + le32(id) + le32(target);
    };
    directory(16, 0x80000018);
    directory(1, 0x80000030);
    directory(0x040C, 0x48);
    rsrc += le32(kRsrcRva + 0x58) + le32(quint32(info.size())) + le32(0) + le32(0);
    rsrc += info;
    pad4(rsrc);
    const quint32 rawSize = quint32((rsrc.size() + 0x1FF) & ~0x1FF);

    QByteArray pe("MZ", 2);
    pe.append(0x3A, '\0');
    pe += le32(0x40);
    pe += QByteArray("PE\0\0", 4) + le16(0x14C) + le16(1) + le32(0) + le32(0) + le32(0) + le16(224) +
          le16(0x0102);
    QByteArray optional = le16(0x10B);
    optional.append(90, '\0');
    optional += le32(16);                                    // NumberOfRvaAndSizes at 92
    optional += QByteArray(16, '\0');                        // export, import
    optional += le32(kRsrcRva) + le32(quint32(rsrc.size())); // resources
    optional.append(224 - optional.size(), '\0');
    pe += optional;
    pe += QByteArray(".rsrc\0\0\0", 8) + le32(quint32(rsrc.size())) + le32(kRsrcRva) + le32(rawSize) +
          le32(kRawPointer) + QByteArray(16, '\0');
    pe.append(int(kRawPointer) - pe.size(), '\0');
    rsrc.append(int(rawSize) - rsrc.size(), '\0');
    return pe + rsrc;
}

SampleTree makeSampleTree(const QString& folder, int count) {
    SampleTree tree;
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        const Kind& kind = kinds()[i % kinds().size()];
        const QString path = QDir(folder).filePath(
            QStringLiteral("f%1.%2").arg(i, 4, 10, QLatin1Char('0')).arg(QLatin1String(kind.extension)));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            continue;
        const QByteArray bytes = kind.make(i);
        file.write(bytes);
        tree.files.append(path);
        tree.totalBytes += bytes.size();
    }
    return tree;
}

} // namespace velmar::bench
