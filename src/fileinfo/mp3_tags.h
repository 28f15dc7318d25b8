#pragma once

// Descriptive tags of an MP3 file: an ID3 v2.3 tag at the start of the file,
// otherwise an ID3 v1 tag in its last 128 bytes. Files with a v2.2 or v2.4
// header are read only through their v1 tag. Text frames are kept as their raw
// bytes after the encoding byte, read as Windows-1252 (a UTF-16 frame keeps its
// byte order mark and zero bytes). The catalogue has no genre-name list: the
// genre comes out as "ID3-<number>" when it is a number, and `nomGenre` stays
// empty. A file shorter than 128 bytes without a v2.3 header has no room
// for a v1 tag and gives empty outputs.

#include <QString>

namespace velmar {

void LitTagsMP3(const QString& path, QString& titre, QString& artiste, QString& album, QString& commentaire,
                QString& genre, QString& nomGenre, int& piste);

} // namespace velmar
