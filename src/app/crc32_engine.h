#pragma once

// CRC-32 of the ISO-HDLC / IEEE 802.3 kind (ZIP, gzip): reflected polynomial
// 0xEDB88320. These functions work on the raw register (preset 0xFFFFFFFF by the
// caller, inverted by the caller at the end), so that chunks chain freely.

#include <array>
#include <cstddef>
#include <cstdint>

namespace velmar::crc32 {

constexpr std::uint32_t kPolynomial = 0xEDB88320u;

// The standard byte table of the polynomial.
const std::array<std::uint32_t, 256>& byteTable();

// One byte at a time through the table: the reference every faster path matches.
std::uint32_t updateBytewise(std::uint32_t reg, const unsigned char* data, std::size_t size);

// The fastest path this processor offers (carry-less multiply folding when
// present, slicing by eight otherwise); identical results to updateBytewise.
std::uint32_t update(std::uint32_t reg, const unsigned char* data, std::size_t size);

// Finished CRC of a buffer.
inline std::uint32_t of(const void* data, std::size_t size) {
    return ~update(0xFFFFFFFFu, static_cast<const unsigned char*>(data), size);
}

} // namespace velmar::crc32
