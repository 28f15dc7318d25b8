#include "fileinfo/photo_details.h"

namespace velmar::photos {

namespace {

// EXIF orientations 1 to 8 (TIFF 6.0, tag 274): how the stored rows must be
// turned to be seen upright.
const char* const kOrientations[] = {
    "normale",
    "miroir horizontal",
    "rotation de 180°",
    "miroir vertical",
    "miroir horizontal, rotation de 90° à gauche",
    "rotation de 90° à droite",
    "miroir horizontal, rotation de 90° à droite",
    "rotation de 90° à gauche",
};

} // namespace

QStringList detailLines(const PhotoDetails& details) {
    QStringList lines;
    if (!details.taken.isEmpty())
        lines << QStringLiteral("Prise de vue : ") + details.taken;
    if (!details.make.isEmpty())
        lines << QStringLiteral("Marque : ") + details.make;
    if (!details.model.isEmpty())
        lines << QStringLiteral("Modèle : ") + details.model;
    if (details.orientation != 0)
        lines << QStringLiteral("Orientation : ") + QString::fromUtf8(kOrientations[details.orientation - 1]);
    return lines;
}

} // namespace velmar::photos
