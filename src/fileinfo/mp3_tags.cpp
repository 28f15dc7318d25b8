#include "fileinfo/mp3_tags.h"

#include "app/windows1252.h"
#include "fileinfo/file_reading.h"

#include <QFile>

namespace velmar {

namespace {

namespace id3 {
// v2 header:  "ID3" | major | revision | flags | size (4 x 7 bits)
//             0       3       4          5       6
constexpr char kV2Magic[] = "ID3";
constexpr qint64 kV2HeaderSize = 10;
constexpr char kV2Major = 3;
constexpr char kV2Revision = 0;
// v2.3 frame: id (4) | size (4, big-endian; only bytes 6-7 used) | flags (2) | encoding | text
//             0        4                                            8           10         11
constexpr qint64 kFrameSizeHigh = 6;
constexpr qint64 kFrameSizeLow = 7;
constexpr qint64 kFrameHeaderSize = 10;
// v1 tag, the last 128 bytes: "TAG" | title 30 | artist 30 | album 30 | year 4 | comment 29 | track | genre
//                              0      3          33          63         93       97           126     127
constexpr char kV1Magic[] = "TAG";
constexpr qint64 kV1Size = 128;
constexpr qint64 kV1Title = 3;
constexpr qint64 kV1Artist = 33;
constexpr qint64 kV1Album = 63;
constexpr qint64 kV1Comment = 97;
constexpr qint64 kV1Track = 126;
constexpr qint64 kV1Genre = 127;
constexpr qint64 kFieldLength = 30;
constexpr qint64 kCommentLength = 29;
constexpr int kNoTrack = 100; // tracks from this one up are not believed
} // namespace id3

struct Tags {
    QString title, artist, album, comment, genre;
    int track = 0;
};

QByteArray readAt(QFile& file, qint64 offset, qint64 count) {
    if (offset < 0 || count <= 0 || !file.seek(offset))
        return {};
    return file.read(count);
}

quint8 byteAt(QFile& file, qint64 offset) {
    const QByteArray b = readAt(file, offset, 1);
    return b.isEmpty() ? 0 : static_cast<quint8>(b[0]);
}

int leadingNumber(const QString& text) {
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = value * 10 + (c.unicode() - '0');
        if (value >= id3::kNoTrack)
            return 0;
    }
    return value;
}

void readVersion1(QFile& file, qint64 length, Tags& tags) {
    if (length < id3::kV1Size)
        return;
    const QByteArray tag = readAt(file, length - id3::kV1Size, id3::kV1Size);
    if (tag.size() != id3::kV1Size || !tag.startsWith(id3::kV1Magic))
        return;
    const QString title = fromWindows1252(CoupeAuNul(tag.mid(id3::kV1Title, id3::kFieldLength)));
    if (title != QString(id3::kFieldLength, QLatin1Char(' ')))
        tags.title = title;
    tags.artist = fromWindows1252(tag.mid(id3::kV1Artist, id3::kFieldLength));
    tags.album = fromWindows1252(tag.mid(id3::kV1Album, id3::kFieldLength));
    tags.comment = fromWindows1252(tag.mid(id3::kV1Comment, id3::kCommentLength));
    const int track = static_cast<quint8>(tag[id3::kV1Track]);
    tags.track = track >= id3::kNoTrack ? 0 : track;
    tags.genre = QString::number(static_cast<quint8>(tag[id3::kV1Genre]));
}

QString genreFromFrame(const QString& data) {
    if (data.startsWith(QLatin1Char('('))) {
        const qsizetype close = data.indexOf(QLatin1Char(')'));
        if (close > 0)
            return data.mid(1, close - 1);
    }
    return data;
}

void applyFrame(const QByteArray& id, const QString& data, Tags& tags) {
    if (id == "TIT2")
        tags.title = data;
    else if (id == "TPE1")
        tags.artist = data;
    else if (id == "TALB")
        tags.album = data;
    else if (id == "COMM")
        tags.comment = data;
    else if (id == "TRCK")
        tags.track = leadingNumber(data);
    else if (id == "TCON")
        tags.genre = genreFromFrame(data);
}

// Frame sizes come from the low two bytes of each frame's size field only; the
// walk stops at a size below 1, which is also where the padding starts.
void readVersion23(QFile& file, qint64 length, Tags& tags) {
    qint64 frame = id3::kV2HeaderSize;
    for (;;) {
        const QByteArray id = readAt(file, frame, 4);
        const auto size = static_cast<qint16>((byteAt(file, frame + id3::kFrameSizeHigh) << 8) |
                                              byteAt(file, frame + id3::kFrameSizeLow));
        if (size < 1)
            return;
        const QByteArray data = readAt(file, frame + id3::kFrameHeaderSize + 1, size - 1);
        applyFrame(id, fromWindows1252(data), tags);
        frame += id3::kFrameHeaderSize + size;
        if (frame + 1 > length)
            return;
    }
}

bool isNumber(const QString& text) {
    qsizetype i = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    bool digit = false;
    bool dot = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'))
            digit = true;
        else if (text[i] == QLatin1Char('.') && !dot)
            dot = true;
        else
            return false;
    }
    return digit;
}

QString cleaned(QString text) {
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1] == QLatin1Char(' ') || text[end - 1] == QChar(0)))
        --end;
    text.truncate(end);
    text.remove(QLatin1Char('\r'));
    return text;
}

} // namespace

void LitTagsMP3(const QString& path, QString& titre, QString& artiste, QString& album, QString& commentaire,
                QString& genre, QString& nomGenre, int& piste) {
    Tags tags;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        const qint64 length = file.size();
        const QByteArray header = readAt(file, 0, 5);
        if (header.size() == 5 && header.startsWith(id3::kV2Magic) && header[3] == id3::kV2Major &&
            header[4] == id3::kV2Revision)
            readVersion23(file, length, tags);
        else
            readVersion1(file, length, tags);
    }
    if (isNumber(tags.genre))
        tags.genre = QStringLiteral("ID3-") + tags.genre;
    titre = cleaned(tags.title);
    artiste = cleaned(tags.artist);
    album = cleaned(tags.album);
    commentaire = cleaned(tags.comment);
    genre = tags.genre;
    nomGenre.clear();
    piste = tags.track;
}

} // namespace velmar
