// Duration and format of a RIFF wave file.

#include "app/byte_order.h"
#include "app/text.h"
#include "archives/byte_source.h"
#include "fileinfo/probes.h"

#include <cmath>

namespace velmar::probes {

namespace {

// "RIFF" | size | "WAVE" | chunk... ; chunk: id (4) | size (4) | data, padded to an even length
//  0       4      8        12
// "fmt " data: format tag | channels | rate | byte rate | block align | bits per sample
//              0            2          4      8           12            14
constexpr qint64 kFirstChunk = 12;
constexpr qint64 kChunkHeader = 8;
constexpr qint64 kFormatSize = 16;
constexpr qint64 kChannels = 2;
constexpr qint64 kRate = 4;
constexpr qint64 kByteRate = 8;
constexpr qint64 kBits = 14;

struct WaveFormat {
    quint16 channels = 0;
    quint32 rate = 0;
    quint32 byteRate = 0;
    quint16 bits = 0;
};

struct WaveChunks {
    bool hasFormat = false;
    WaveFormat format;
    qint64 dataBytes = 0;
};

bool isChunkId(const QByteArray& id) {
    if (id.size() != 4)
        return false;
    for (const char c : id)
        if (c < ' ' || c > '~')
            return false;
    return true;
}

// The chunk after one of `size` bytes starting at `start`. An odd size is
// followed by a pad byte, which some writers forget: the unpadded position is
// taken when only there a chunk id follows.
qint64 nextChunk(archives::ByteSource& file, qint64 start, quint32 size) {
    const qint64 end = start + kChunkHeader + size;
    if (size % 2 == 0 || isChunkId(archives::bytesAt(file, end + 1, 4)) ||
        !isChunkId(archives::bytesAt(file, end, 4)))
        return end + size % 2;
    return end;
}

// The data chunk's bytes that are in the file: a file cut short, or streamed by
// a writer that could not come back to set the size (0xFFFFFFFF), has fewer.
qint64 dataBytes(qint64 start, quint32 size, qint64 length) {
    return qBound<qint64>(0, length - start - kChunkHeader, size);
}

WaveChunks readChunks(archives::ByteSource& file) {
    WaveChunks chunks;
    bool hasData = false;
    const qint64 length = file.size();
    for (qint64 at = kFirstChunk; at + kChunkHeader <= length && !(chunks.hasFormat && hasData);) {
        const QByteArray header = archives::bytesAt(file, at, kChunkHeader);
        quint32 size = 0;
        if (!bytes::readLE32(header, 4, size))
            break;
        if (header.startsWith("fmt ") && !chunks.hasFormat) {
            const QByteArray format = archives::bytesAt(file, at + kChunkHeader, kFormatSize);
            chunks.hasFormat = format.size() == kFormatSize && size >= kFormatSize;
            bytes::readLE16(format, kChannels, chunks.format.channels);
            bytes::readLE32(format, kRate, chunks.format.rate);
            bytes::readLE32(format, kByteRate, chunks.format.byteRate);
            bytes::readLE16(format, kBits, chunks.format.bits);
        } else if (header.startsWith("data") && !hasData) {
            hasData = true;
            chunks.dataBytes = dataBytes(at, size, length);
        }
        at = nextChunk(file, at, size);
    }
    return chunks;
}

double roundEven(double value) {
    return std::nearbyint(value); // the default rounding mode sends ties to even
}

struct Duration {
    qint64 minutes;
    qint64 seconds;
    qint64 third;
};

// `h` in hundredths of a second. Durations past 32767 seconds keep their true
// minutes (there is no 16-bit limit here).
Duration splitHundredths(double h) {
    const auto s = static_cast<qint64>(std::trunc(h / 100));
    const qint64 m = s / 60;
    return {m, s - 60 * m, static_cast<qint64>(roundEven((h - 100.0 * double(s)) / 10))};
}

// Uncompressed samples are timed in the three rounded steps this probe has
// always taken (by rate, by channels, by bytes per sample), so the texts already
// in catalogues stay the same; compressed formats (ADPCM, GSM: their byte rate
// is not rate x channels x sample size) are timed by their byte rate.
double hundredths(const WaveFormat& f, qint64 dataBytes) {
    const double data = double(dataBytes);
    if (f.byteRate != 0 && quint64(f.byteRate) * 8 != quint64(f.rate) * f.channels * f.bits)
        return roundEven(data * 100 / f.byteRate);
    double h = 0;
    if (f.rate != 0)
        h = roundEven(data / f.rate * 100);
    if (f.channels != 0)
        h = roundEven(h / f.channels);
    if (f.bits / 8.0 != 0)
        h = roundEven(h / (f.bits / 8.0));
    return h;
}

} // namespace

QString waveSummary(const QString& path) {
    archives::FileSource file(path);
    if (archives::bytesAt(file, 0, 4) != QByteArrayLiteral("RIFF"))
        return {};
    const WaveChunks chunks = readChunks(file);
    if (!chunks.hasFormat)
        return {};
    const WaveFormat& f = chunks.format;
    const Duration d = splitHundredths(hundredths(f, chunks.dataBytes));
    QString text = NombreEnTexte(d.minutes) + QStringLiteral(" min ") + NombreEnTexte(d.seconds) +
                   QStringLiteral(" sec ") + NombreEnTexte(d.third) + QStringLiteral(" ms") + kLineBreak +
                   QString::number(f.rate) + QStringLiteral(" Hz");
    if (f.channels == 1)
        text += kLineBreak + QStringLiteral("Mono");
    else if (f.channels == 2)
        text += kLineBreak + QStringLiteral("Stéréo");
    return text + QLatin1Char(' ') + QString::number(f.bits) + QStringLiteral(" bits");
}

} // namespace velmar::probes
