#pragma once

// Signatures and fixed values of the archive formats that are listed.

#include <QtGlobal>

namespace velmar::archives::constants {

// Two first bytes read as one little-endian word, chosen by the dispatcher.
inline constexpr quint16 WORD_ZIP = 0x4B50;  // "PK"
inline constexpr quint16 WORD_CAB = 0x534D;  // "MS"
inline constexpr quint16 WORD_RAR = 0x6152;  // "Ra"
inline constexpr quint16 WORD_GZIP = 0x8B1F; // 1F 8B
inline constexpr quint16 WORD_ARJ = 0xEA60;  // 60 EA
inline constexpr quint8 ARC_MARKER = 0x1A;

inline constexpr quint32 ZIP_END_OF_CENTRAL_DIR = 0x06054B50;
inline constexpr quint32 ZIP_CENTRAL_HEADER = 0x02014B50;
inline constexpr quint32 ZIP_LOCAL_HEADER = 0x04034B50;
inline constexpr quint32 ZIP_DATA_DESCRIPTOR = 0x08074B50;

inline constexpr quint16 ARJ_HEADER_ID = 0xEA60;
inline constexpr quint32 CAB_SIGNATURE = 0x4643534D; // "MSCF"
inline constexpr char RAR_MARKER[7] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};

inline constexpr quint8 GZIP_DEFLATE = 8;
inline constexpr quint8 GZIP_UNKNOWN_METHOD = 99;

inline constexpr int TAR_BLOCK = 512;
inline constexpr int LZH_MIN_HEADER_SIZE = 24;

} // namespace velmar::archives::constants
