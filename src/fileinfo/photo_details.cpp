#include "fileinfo/media_module.h"

#include "app/inner_text.h"

#include <QDateTime>
#include <QFile>

#include <exiv2/exiv2.hpp>

#include <mutex>

namespace velmar::media {

using photos::PhotoDetails;

namespace {

constexpr const char* kTakenKeys[] = {"Exif.Photo.DateTimeOriginal", "Exif.Image.DateTimeOriginal"};
constexpr const char* kExifDateFormat = "yyyy:MM:dd HH:mm:ss";
constexpr const char* kShownDateFormat = "dd/MM/yyyy HH:mm:ss";

void ignoreMessage(int, const char*) {}

// exiv2's log goes to standard error by default; its XMP parser must be
// set up once before pictures are read on more than one thread.
void prepareLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::LogMsg::setHandler(ignoreMessage);
        Exiv2::XmpParser::initialize();
        Exiv2::enableBMFF();
    });
}

QString exifText(const Exiv2::ExifData& exif, const char* key) {
    const auto found = exif.findKey(Exiv2::ExifKey(key));
    if (found == exif.end())
        return {};
    const std::string value = found->toString();
    return innerText(value.c_str(), qsizetype(qstrnlen(value.c_str(), value.size()))).trimmed();
}

QString takenDate(const Exiv2::ExifData& exif) {
    for (const char* key : kTakenKeys) {
        const QDateTime date = QDateTime::fromString(exifText(exif, key), QLatin1String(kExifDateFormat));
        if (date.isValid())
            return date.toString(QLatin1String(kShownDateFormat));
    }
    return {};
}

int orientationOf(const Exiv2::ExifData& exif) {
    const auto found = exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
    if (found == exif.end() || found->count() < 1)
        return 0;
    const long value = found->toLong();
    return value >= 1 && value <= 8 ? int(value) : 0;
}

PhotoDetails detailsOf(Exiv2::Image& image) {
    image.readMetadata();
    const Exiv2::ExifData& exif = image.exifData();
    return PhotoDetails{.width = image.pixelWidth(),
                        .height = image.pixelHeight(),
                        .taken = takenDate(exif),
                        .make = exifText(exif, "Exif.Image.Make"),
                        .model = exifText(exif, "Exif.Image.Model"),
                        .orientation = orientationOf(exif)};
}

// Every exception exiv2 may throw (its own, std::bad_alloc on a length a
// damaged file claims, out_of_range from its containers) means "no details".
template <typename Open> PhotoDetails readWith(Open open) {
    prepareLibrary();
    try {
        auto image = open();
        return image.get() ? detailsOf(*image) : PhotoDetails{};
    } catch (...) {
        return {};
    }
}

} // namespace

PhotoDetails readPhotoFile(const QString& path) {
    return readWith([&] { return Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString()); });
}

PhotoDetails readPhotoBytes(const char* data, qint64 size) {
    return readWith(
        [&] { return Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(data), long(size)); });
}

} // namespace velmar::media
