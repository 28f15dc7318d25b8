#include "fileinfo/mp3_tags.h"

#include "app/windows1252.h"
#include "fileinfo/file_reading.h"
#include "fileinfo/id3v2_tag.h"

namespace velmar {

namespace {

namespace id3 {
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

void readVersion1(archives::ByteSource& file, qint64 length, Tags& tags) {
    if (length < id3::kV1Size)
        return;
    const QByteArray tag = archives::bytesAt(file, length - id3::kV1Size, id3::kV1Size);
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

// False for a frame the catalogue does not show.
bool applyFrame(const QByteArray& id, const QString& data, Tags& tags) {
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
    else
        return false;
    return true;
}

// False when the file has no version 2 tag, or one without any frame shown.
bool readVersion2(archives::ByteSource& file, Tags& tags) {
    QList<Id3v2Frame> frames;
    if (!readId3v2Frames(file, frames))
        return false;
    bool shown = false;
    for (const Id3v2Frame& frame : frames)
        shown = applyFrame(frame.id, frame.text, tags) || shown;
    return shown;
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
    archives::FileSource file(path);
    if (file.isOpen()) {
        if (!readVersion2(file, tags))
            readVersion1(file, file.size(), tags);
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
