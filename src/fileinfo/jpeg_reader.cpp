#include "fileinfo/jpeg_reader.h"

#include "app/byte_order.h"
#include "app/windows1252.h"

#include <QFile>
#include <QFileInfo>

#include <limits>

namespace velmar {

namespace {

namespace jpeg {
constexpr qint64 kMinimumSize = 4; // the start and end markers
constexpr int kFill = 0xFF;
constexpr int kRestartFirst = 0xD0;
constexpr int kRestartLast = 0xD7;
constexpr int kMaxCommentLength = 65534;
// SOF0 to SOF15 are FFC0 to FFCF, less three other markers in that range.
constexpr int kFirstFrame = 0xFFC0;
constexpr int kLastFrame = 0xFFCF;
constexpr int kDefineHuffmanTables = 0xFFC4;
constexpr int kExtensionReserved = 0xFFC8;
constexpr int kDefineArithmeticConditioning = 0xFFCC;
// APP0 (JFIF), from the marker at p:
//   FF E0 | length | "JFIF\0" | major | minor | units | x density | y density | x thumb | y thumb
//   p       p+2      p+4       p+9     p+10    p+11    p+12        p+14        p+16      p+17
constexpr qint64 kJfifMajor = 9;
constexpr qint64 kJfifMinor = 10;
constexpr qint64 kJfifUnits = 11;
constexpr qint64 kJfifXDensity = 12;
constexpr qint64 kJfifYDensity = 14;
constexpr qint64 kJfifThumbnail = 16;
// SOFn, from the marker at p:
//   FF Cn | length | precision | height | width | components
//   p       p+2      p+4         p+5      p+7     p+9
constexpr qint64 kFrameHeight = 5;
constexpr qint64 kFrameWidth = 7;
constexpr qint64 kFrameComponents = 9;
} // namespace jpeg

const char* const kOutOfRange = "Subscript out of range";

// Every start of frame: baseline, progressive, lossless, arithmetic-coded and
// hierarchical.
bool isFrameMarker(const QString& m) {
    bool ok = false;
    const int code = m.toInt(&ok, 16);
    return ok && code >= jpeg::kFirstFrame && code <= jpeg::kLastFrame &&
           code != jpeg::kDefineHuffmanTables && code != jpeg::kExtensionReserved &&
           code != jpeg::kDefineArithmeticConditioning;
}

QString depthText(int bits) {
    switch (bits) {
    case 8:
        return QStringLiteral("Grayscale 8 Bit");
    case 24:
        return QStringLiteral("RGB 24 Bit");
    case 32:
        return QStringLiteral("CMYK 32 Bit");
    default:
        return QStringLiteral("Unknown format with ") + QString::number(bits) + QStringLiteral(" Bit");
    }
}

QString resolutionText(int units, int x, int y) {
    const QString xs = QString::number(x);
    const QString ys = QString::number(y);
    switch (units) {
    case 0:
        return QStringLiteral("Aspect ratio width/height = ") + xs + QStringLiteral(" : ") + ys;
    case 1:
        return xs + QStringLiteral(" x ") + ys + QStringLiteral(" Dots/inch (DPI)");
    case 2:
        return xs + QStringLiteral(" x ") + ys + QStringLiteral(" Dots/cm");
    default:
        return QStringLiteral("Error resolving resolution. Opcode is ") + QString::number(units) +
               QStringLiteral("Valide opcodes are 0, 1, 2");
    }
}

} // namespace

QString Cls_JPEG::Comment(int index) const {
    if (index < 1 || index > m_comments.size())
        return {};
    return m_comments[index - 1];
}

void Cls_JPEG::reset() {
    *this = Cls_JPEG();
}

bool Cls_JPEG::ReadInJPEGfile(const QString& path) {
    reset();
    m_sourceFilename = path;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir()) {
        m_errorMsg = QStringLiteral("Not a valid file:  '") + path + QStringLiteral("' !");
        return false;
    }
    if (!ReadFileIntoBuffer())
        return false;
    return ParseFile();
}

bool Cls_JPEG::ReadFileIntoBuffer() {
    const QString& path = m_sourceFilename;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        m_errorMsg =
            QStringLiteral("Error opening file '") + path +
            QStringLiteral("' to READ from in procedure 'ReadFileIntoBuffer()' at class 'clsJPEGasm'");
        return false;
    }
    const qint64 size = file.size();
    if (size < jpeg::kMinimumSize) {
        m_errorMsg = QStringLiteral("To small to be a valid JPEG file:  '") + path + QStringLiteral("' !");
        return false;
    }
    if (size > std::numeric_limits<qint32>::max()) {
        m_errorMsg = QStringLiteral("Read error on:  '") + path + QStringLiteral("' !");
        return false;
    }
    m_fileSize = static_cast<qint32>(size);
    m_buffer = file.read(size);
    if (file.error() != QFileDevice::NoError) {
        m_errorMsg = QStringLiteral("Read error on:  '") + path + QStringLiteral("' !");
        return false;
    }
    if (m_buffer.size() != size) {
        m_errorMsg = QStringLiteral("Want to read ") + QString::number(size) +
                     QStringLiteral(" bytes from '") + path + QStringLiteral("', ") +
                     QStringLiteral("got only ") + QString::number(m_buffer.size()) + QStringLiteral(" !");
        return false;
    }
    return true;
}

int Cls_JPEG::byteAt(qint64 position) {
    if (position < 1 || position > m_buffer.size()) {
        m_outOfRange = true;
        return 0;
    }
    return static_cast<unsigned char>(m_buffer[static_cast<qsizetype>(position - 1)]);
}

int Cls_JPEG::wordAt(qint64 position) {
    const char pair[2] = {char(byteAt(position)), char(byteAt(position + 1))};
    return bytes::be16(QByteArrayView(pair, 2));
}

QString Cls_JPEG::markerAt(qint64 position) {
    const int first = byteAt(position);
    const int second = byteAt(position + 1);
    return QStringLiteral("%1%2")
        .arg(first, 2, 16, QLatin1Char('0'))
        .arg(second, 2, 16, QLatin1Char('0'))
        .toUpper();
}

bool Cls_JPEG::ParseFile() {
    const qint64 last = m_buffer.size() - 1;
    if (markerAt(1) != QLatin1String("FFD8") || markerAt(last) != QLatin1String("FFD9")) {
        m_errorMsg = QStringLiteral("JPEG start (SOI-FFD8) or end markers (EOI-FFD9) not valid !");
        return false;
    }
    if (walkSegments())
        return true;
    m_errorMsg = QStringLiteral("[") + QLatin1String(kOutOfRange) +
                 QStringLiteral("] in procedure 'ParseFile()' at class 'clsJPEGasm'");
    return false;
}

// Jumps from segment to segment by their lengths; false when a length points
// outside the buffer.
bool Cls_JPEG::walkSegments() {
    const qint64 last = m_buffer.size() - 1;
    m_outOfRange = false;
    qint64 p = 3;
    for (;;) {
        if (p >= last - 3) {
            m_parsedWithoutProblems = markerAt(p) == QLatin1String("FFD9");
            return !m_outOfRange;
        }
        const qint64 before = p;
        if (!readSegment(p) || m_outOfRange || p <= before)
            return false;
    }
}

bool Cls_JPEG::readSegment(qint64& p) {
    QString m = markerAt(p);
    qint64 length = wordAt(p + 2);
    if (m == QLatin1String("FFFF")) {
        while (!m_outOfRange && byteAt(p + 1) == jpeg::kFill)
            ++p;
        m = markerAt(p);
        length = wordAt(p + 2);
    }
    if (m_outOfRange)
        return false;
    if (m == QLatin1String("FFE0"))
        readJfif(p);
    else if (m == QLatin1String("FFE1"))
        m_hasExifHeader = true;
    else if (m == QLatin1String("FFED"))
        m_hasPhotoShopComments = true;
    else if (m == QLatin1String("FFFE"))
        readComment(p);
    else if (isFrameMarker(m))
        readFrame(p);
    else if (m == QLatin1String("FFDA"))
        length = endOfScan(p, length);
    m_segments.append({m, p, length + 2});
    p += length + 2;
    return true;
}

void Cls_JPEG::readJfif(qint64 p) {
    m_jpegVersion = QString::number(byteAt(p + jpeg::kJfifMajor)) + QLatin1Char('.') +
                    QStringLiteral("%1").arg(byteAt(p + jpeg::kJfifMinor), 2, 10, QLatin1Char('0'));
    m_resolution = resolutionText(byteAt(p + jpeg::kJfifUnits), wordAt(p + jpeg::kJfifXDensity),
                                  wordAt(p + jpeg::kJfifYDensity));
    if (wordAt(p + jpeg::kJfifThumbnail) != 0) {
        m_hasPreview = true;
        m_xsizePreview = byteAt(p + jpeg::kJfifThumbnail);
        m_ysizePreview = byteAt(p + jpeg::kJfifThumbnail + 1);
    }
}

// The comment runs to the first 0 or 255 byte; its segment length is not used.
void Cls_JPEG::readComment(qint64 p) {
    const qsizetype begin = static_cast<qsizetype>(p + 3); // 0-based index of position p + 4
    qsizetype end = begin;
    while (end < m_buffer.size()) {
        const auto b = static_cast<unsigned char>(m_buffer[end]);
        if (b == 0 || b == jpeg::kFill)
            break;
        ++end;
    }
    if (end >= m_buffer.size())
        m_errorMsg = QStringLiteral("String doesn't end at file end!");
    if (end <= begin)
        return;
    const QString text = fromWindows1252(m_buffer.constData() + begin, end - begin);
    if (text.size() < jpeg::kMaxCommentLength)
        m_comments.append(text);
}

void Cls_JPEG::readFrame(qint64 p) {
    m_ysizePicture = wordAt(p + jpeg::kFrameHeight);
    m_xsizePicture = wordAt(p + jpeg::kFrameWidth);
    m_colorDepthInBit = byteAt(p + jpeg::kFrameComponents) * 8;
    m_colorDepthAsText = depthText(m_colorDepthInBit);
}

// Entropy-coded data ends at the first 255 byte followed by neither a stuffed
// 0 nor a restart marker; the segment length becomes the distance to it.
qint64 Cls_JPEG::endOfScan(qint64 p, qint64 length) {
    qint64 q = p + length;
    for (;;) {
        const int b = byteAt(q);
        if (m_outOfRange)
            return length;
        if (b == jpeg::kFill) {
            const int next = byteAt(q + 1);
            if (m_outOfRange)
                return length;
            if (next != 0 && (next < jpeg::kRestartFirst || next > jpeg::kRestartLast))
                return q - (p + 2);
        }
        ++q;
    }
}

} // namespace velmar
