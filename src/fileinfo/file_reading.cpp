#include "fileinfo/file_reading.h"

#include "app/byte_order.h"
#include "app/dialogs.h"

#include <algorithm>

namespace velmar {

namespace {

constexpr qint64 kSearchBlock = 10000;

QByteArray upperBytes(QByteArray bytes) {
    for (char& c : bytes)
        c = upperWindows1252(c);
    return bytes;
}

} // namespace

char upperWindows1252(char byte) {
    const auto b = static_cast<unsigned char>(byte);
    if (b >= 'a' && b <= 'z')
        return static_cast<char>(b - 0x20);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7)
        return static_cast<char>(b - 0x20);
    switch (b) {
    case 0x9A: // š
    case 0x9C: // œ
    case 0x9E: // ž
        return static_cast<char>(b - 0x10);
    case 0xFF: // ÿ
        return static_cast<char>(0x9F);
    default:
        return byte;
    }
}

QByteArray LitBlocFichier(const QString& path, qint64 position, qint64 count) {
    archives::FileSource file(path);
    return LitBlocFichier(file, position, count);
}

QByteArray LitBlocFichier(archives::ByteSource& file, qint64 position, qint64 count) {
    if (count <= 0)
        return {};
    QByteArray block = archives::bytesAt(file, position - 1, count);
    if (block.size() < count)
        block.append(static_cast<qsizetype>(count - block.size()), ' ');
    return block;
}

qint64 ChercheDansFichier(const QString& path, double& start, const QByteArray& needle, bool ignoreCase) {
    archives::FileSource file(path);
    return file.isOpen() ? ChercheDansFichier(file, start, needle, ignoreCase) : -1;
}

qint64 ChercheDansFichier(archives::ByteSource& file, double& start, const QByteArray& needle,
                          bool ignoreCase) {
    if (needle.isEmpty())
        return -1;
    const qint64 length = file.size();
    const QByteArray wanted = ignoreCase ? upperBytes(needle) : needle;
    if (start < 1)
        start = 1;
    for (;;) {
        const auto from = static_cast<qint64>(start);
        const qint64 blockLength = std::clamp<qint64>(length - from + 1, 0, kSearchBlock);
        QByteArray block = archives::bytesAt(file, from - 1, blockLength);
        if (ignoreCase)
            block = upperBytes(std::move(block));
        const qsizetype found = block.indexOf(wanted);
        if (found >= 0)
            return from + found;
        if (from + block.size() >= length)
            return -1;
        const qint64 next = from + block.size() - wanted.size();
        if (next <= from) // a needle as long as a block could never move on
            return -1;
        start = static_cast<double>(next);
    }
}

int ValeurMot(const QByteArray& twoBytes) {
    if (twoBytes.size() != 2) {
        dialogs().message(QStringLiteral("La conversion nécessite une chaine de 2 octets"),
                          MessageStyle::Exclamation);
        return 0;
    }
    return bytes::le16(twoBytes);
}

int ValeurOctet(const QByteArray& oneByte) {
    if (oneByte.size() != 1) {
        dialogs().message(QStringLiteral("La conversion nécessite une chaine de 1 octet"),
                          MessageStyle::Exclamation);
        return 0;
    }
    return static_cast<unsigned char>(oneByte[0]);
}

QString SupprimeEspacesDroite(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.left(end);
}

QString SupprimeEspacesGauche(const QString& text) {
    qsizetype begin = 0;
    while (begin < text.size() && text[begin] == QLatin1Char(' '))
        ++begin;
    return text.mid(begin);
}

QString CoupeAuNul(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QByteArray CoupeAuNul(const QByteArray& bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.left(nul);
}

} // namespace velmar
