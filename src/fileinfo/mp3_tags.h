#pragma once

// Descriptive tags of an MP3 file: an ID3v2 tag (versions 2.2 to 2.4) at the
// start of the file, otherwise, or when that tag holds none of these fields, an
// ID3 v1 tag in its last 128 bytes. Text frames are decoded by their encoding
// byte (id3v2_text.h); v1 fields are read as Windows-1252. The catalogue has no
// genre-name list: the genre comes out as "ID3-<number>" when it is a number,
// and `nomGenre` stays empty. A file shorter than 128 bytes without a usable
// v2 tag has no room for a v1 tag and gives empty outputs.

#include <QString>

namespace velmar {

void LitTagsMP3(const QString& path, QString& titre, QString& artiste, QString& album, QString& commentaire,
                QString& genre, QString& nomGenre, int& piste);

} // namespace velmar
