#pragma once

// The two CRC-32 calculators: clsCRC32 for a whole file or a stretch of it (the
// catalogue's CRC column), Cls_CRC32Init for a running CRC fed byte by byte.

#include <QByteArray>
#include <QString>

#include <cstdint>

class QFile;

namespace velmar {

class clsCRC32 {
public:
    // CRC of the bytes from `startPosition` (1-based) to the end of the file, or
    // to `endLimit` when it is not -1 and lies before the end, as 8 upper-case
    // hexadecimal digits. An empty stretch gives "00000000". A file that cannot
    // be opened or read sets `error` and gives "" (no CRC rather than a false one).
    QString CRCFromFile(const QString& fileName, bool& error, double startPosition = 1.0,
                        double endLimit = -1.0) const;
    // The same over a file the caller has already opened for reading.
    QString CRCFromFile(QFile& openFile, bool& error, double startPosition = 1.0,
                        double endLimit = -1.0) const;

    // Running form: feeds bytes 0..lastIndex; 0 starts a new CRC, a previous
    // result continues it.
    std::uint32_t CRC32(std::uint32_t runningCrc, const QByteArray& bytes, double lastIndex) const;
    std::uint32_t CRC32(std::uint32_t runningCrc, const unsigned char* bytes, std::size_t size) const;
};

class Cls_CRC32Init {
public:
    void ResetCRC32() { m_register = 0xFFFFFFFFu; }
    void CalcCRC32Byte(unsigned char byte);
    // The finished value: the register inverted.
    std::uint32_t CRC32() const { return ~m_register; }
    // Stores the value in the register unchanged.
    void setCRC32(std::uint32_t value) { m_register = value; }
    std::uint32_t GetcrcTable(int index) const;
    // Resets, feeds every byte, then leaves the finished CRC in the register and
    // returns it (so a following CRC32() reads its inverse).
    std::uint32_t CalcCRC32File(const QByteArray& bytes);

private:
    std::uint32_t m_register = 0xFFFFFFFFu;
};

QString crcText(std::uint32_t crc);

} // namespace velmar
