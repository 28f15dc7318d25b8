#include "app/crc32_engine.h"

#include "app/byte_order.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VELMAR_CRC_CLMUL 1
#endif

namespace velmar::crc32 {

namespace {

using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Tables makeTables() {
    Tables t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1u) ? (c >> 1) ^ kPolynomial : c >> 1;
        t[0][n] = c;
    }
    for (std::size_t k = 1; k < 8; ++k)
        for (std::uint32_t n = 0; n < 256; ++n)
            t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFFu];
    return t;
}

constexpr Tables kTables = makeTables();

// Eight bytes a step; the little-endian load holds on any host (its bounds
// check is on a constant span and folds away).
std::uint32_t updateSlicing8(std::uint32_t reg, const unsigned char* p, std::size_t size) {
    while (size >= 8) {
        const std::uint32_t lo = reg ^ bytes::le32(QByteArrayView(p, 4));
        reg = kTables[7][lo & 0xFF] ^ kTables[6][(lo >> 8) & 0xFF] ^ kTables[5][(lo >> 16) & 0xFF] ^
              kTables[4][lo >> 24] ^ kTables[3][p[4]] ^ kTables[2][p[5]] ^ kTables[1][p[6]] ^
              kTables[0][p[7]];
        p += 8;
        size -= 8;
    }
    return updateBytewise(reg, p, size);
}

#ifdef VELMAR_CRC_CLMUL

#define VELMAR_CLMUL_TARGET __attribute__((target("pclmul,sse4.1")))

VELMAR_CLMUL_TARGET inline __m128i load(const unsigned char* q) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
}

// acc * k folded onto the next 128 bits.
VELMAR_CLMUL_TARGET inline __m128i fold(__m128i acc, __m128i k, __m128i next) {
    const __m128i low = _mm_clmulepi64_si128(acc, k, 0x00);
    const __m128i high = _mm_clmulepi64_si128(acc, k, 0x11);
    return _mm_xor_si128(_mm_xor_si128(high, low), next);
}

#define VELMAR_WIDE_TARGET __attribute__((target("avx512f,avx512vl,vpclmulqdq,pclmul,sse4.1")))

constexpr std::size_t kWideMinimum = 512;

bool processorHasWideClmul() {
    static const bool has = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
                            __builtin_cpu_supports("vpclmulqdq");
    return has;
}

VELMAR_WIDE_TARGET inline __m512i load512(const unsigned char* q) {
    return _mm512_loadu_si512(q);
}

VELMAR_WIDE_TARGET inline __m512i foldWideLane(__m512i acc, __m512i k, __m512i next) {
    const __m512i low = _mm512_clmulepi64_epi128(acc, k, 0x00);
    const __m512i high = _mm512_clmulepi64_epi128(acc, k, 0x11);
    return _mm512_ternarylogic_epi64(low, high, next, 0x96); // low ^ high ^ next
}

// The same folding with 512-bit registers: sixteen 128-bit lanes, 256 bytes a
// step. Leaves the four 128-bit lanes the narrow code continues from, as if it
// had folded the consumed bytes itself. Needs size >= kWideMinimum.
VELMAR_WIDE_TARGET void foldWide(const unsigned char*& p, std::size_t& size, std::uint32_t reg, __m128i& x1,
                                 __m128i& x2, __m128i& x3, __m128i& x4) {
    // {low, high} constants repeated in each 128-bit lane.
    const __m512i k16 = _mm512_set_epi64(0x01322d1430, 0x011542778a, 0x01322d1430, 0x011542778a, 0x01322d1430,
                                         0x011542778a, 0x01322d1430, 0x011542778a);
    const __m512i k4 = _mm512_set_epi64(0x01c6e41596, 0x0154442bd4, 0x01c6e41596, 0x0154442bd4, 0x01c6e41596,
                                        0x0154442bd4, 0x01c6e41596, 0x0154442bd4);
    __m512i z0 =
        _mm512_xor_si512(load512(p), _mm512_zextsi128_si512(_mm_cvtsi32_si128(static_cast<int>(reg))));
    __m512i z1 = load512(p + 64);
    __m512i z2 = load512(p + 128);
    __m512i z3 = load512(p + 192);
    p += 256;
    size -= 256;
    while (size >= 256) {
        z0 = foldWideLane(z0, k16, load512(p));
        z1 = foldWideLane(z1, k16, load512(p + 64));
        z2 = foldWideLane(z2, k16, load512(p + 128));
        z3 = foldWideLane(z3, k16, load512(p + 192));
        p += 256;
        size -= 256;
    }
    z1 = foldWideLane(z0, k4, z1);
    z2 = foldWideLane(z1, k4, z2);
    z3 = foldWideLane(z2, k4, z3);
    alignas(64) unsigned char lanes[64];
    _mm512_store_si512(lanes, z3);
    x1 = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes));
    x2 = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes + 16));
    x3 = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes + 32));
    x4 = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes + 48));
}

#define VELMAR_YMM_TARGET __attribute__((target("avx2,vpclmulqdq,pclmul,sse4.1")))

// Processors with VPCLMULQDQ but no AVX-512 (AMD Zen 3, Intel Alder Lake) fold
// with 256-bit registers, twice the narrow code's width.
bool processorHasYmmClmul() {
    static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("vpclmulqdq");
    return has;
}

VELMAR_YMM_TARGET inline __m256i load256(const unsigned char* q) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(q));
}

VELMAR_YMM_TARGET inline __m256i foldYmmLane(__m256i acc, __m256i k, __m256i next) {
    const __m256i low = _mm256_clmulepi64_epi128(acc, k, 0x00);
    const __m256i high = _mm256_clmulepi64_epi128(acc, k, 0x11);
    return _mm256_xor_si256(_mm256_xor_si256(low, high), next);
}

// foldWide's work with eight 256-bit registers: the same 256 bytes a step and
// the same constants, then the registers folded pairwise down to four lanes.
VELMAR_YMM_TARGET void foldYmm(const unsigned char*& p, std::size_t& size, std::uint32_t reg, __m128i& x1,
                               __m128i& x2, __m128i& x3, __m128i& x4) {
    const __m256i k16 = _mm256_set_epi64x(0x01322d1430, 0x011542778a, 0x01322d1430, 0x011542778a);
    const __m256i k4 = _mm256_set_epi64x(0x01c6e41596, 0x0154442bd4, 0x01c6e41596, 0x0154442bd4);
    __m256i y[8];
    for (int i = 0; i < 8; ++i)
        y[i] = load256(p + 32 * i);
    y[0] = _mm256_xor_si256(y[0], _mm256_zextsi128_si256(_mm_cvtsi32_si128(static_cast<int>(reg))));
    p += 256;
    size -= 256;
    while (size >= 256) {
        for (int i = 0; i < 8; ++i)
            y[i] = foldYmmLane(y[i], k16, load256(p + 32 * i));
        p += 256;
        size -= 256;
    }
    for (int i = 2; i < 8; ++i)
        y[i] = foldYmmLane(y[i - 2], k4, y[i]);
    x1 = _mm256_castsi256_si128(y[6]);
    x2 = _mm256_extracti128_si256(y[6], 1);
    x3 = _mm256_castsi256_si128(y[7]);
    x4 = _mm256_extracti128_si256(y[7], 1);
}

// Folding by carry-less multiplication, four 128-bit lanes at a time, then a
// Barrett reduction (Intel, "Fast CRC Computation for Generic Polynomials Using
// PCLMULQDQ", with the constants of the reflected polynomial 0x1DB710641:
// each is x^n mod P, bit-reflected and shifted left by one, for the fold distance).
// Needs size >= 64 and a multiple of 16.
VELMAR_CLMUL_TARGET std::uint32_t foldClmul(std::uint32_t reg, const unsigned char* p, std::size_t size) {
    alignas(16) static const std::uint64_t k1k2[2] = {0x0154442bd4ull, 0x01c6e41596ull};
    alignas(16) static const std::uint64_t k3k4[2] = {0x01751997d0ull, 0x00ccaa009eull};
    alignas(16) static const std::uint64_t k5k0[2] = {0x0163cd6124ull, 0ull};
    alignas(16) static const std::uint64_t poly[2] = {0x01db710641ull, 0x01f7011641ull};
    __m128i x1, x2, x3, x4;
    __m128i k = _mm_load_si128(reinterpret_cast<const __m128i*>(k1k2));
    if (size >= kWideMinimum && processorHasWideClmul()) {
        foldWide(p, size, reg, x1, x2, x3, x4);
    } else if (size >= kWideMinimum && processorHasYmmClmul()) {
        foldYmm(p, size, reg, x1, x2, x3, x4);
    } else {
        x1 = _mm_xor_si128(load(p), _mm_cvtsi32_si128(static_cast<int>(reg)));
        x2 = load(p + 16);
        x3 = load(p + 32);
        x4 = load(p + 48);
        p += 64;
        size -= 64;
    }

    while (size >= 64) {
        x1 = fold(x1, k, load(p));
        x2 = fold(x2, k, load(p + 16));
        x3 = fold(x3, k, load(p + 32));
        x4 = fold(x4, k, load(p + 48));
        p += 64;
        size -= 64;
    }

    k = _mm_load_si128(reinterpret_cast<const __m128i*>(k3k4));
    x1 = fold(x1, k, x2);
    x1 = fold(x1, k, x3);
    x1 = fold(x1, k, x4);
    while (size >= 16) {
        x1 = fold(x1, k, load(p));
        p += 16;
        size -= 16;
    }

    // 128 bits down to 64.
    __m128i x2b = _mm_clmulepi64_si128(x1, k, 0x10);
    const __m128i mask32 = _mm_setr_epi32(~0, 0, ~0, 0);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), x2b);
    k = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(k5k0));
    x2b = _mm_srli_si128(x1, 4);
    x1 = _mm_and_si128(x1, mask32);
    x1 = _mm_clmulepi64_si128(x1, k, 0x00);
    x1 = _mm_xor_si128(x1, x2b);

    // Barrett reduction to 32 bits.
    k = _mm_load_si128(reinterpret_cast<const __m128i*>(poly));
    x2b = _mm_and_si128(x1, mask32);
    x2b = _mm_clmulepi64_si128(x2b, k, 0x10);
    x2b = _mm_and_si128(x2b, mask32);
    x2b = _mm_clmulepi64_si128(x2b, k, 0x00);
    x1 = _mm_xor_si128(x1, x2b);
    return static_cast<std::uint32_t>(_mm_extract_epi32(x1, 1));
}

bool processorHasClmul() {
    static const bool has = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return has;
}

#endif

} // namespace

const std::array<std::uint32_t, 256>& byteTable() {
    return kTables[0];
}

std::uint32_t updateBytewise(std::uint32_t reg, const unsigned char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        reg = kTables[0][(reg ^ data[i]) & 0xFFu] ^ (reg >> 8);
    return reg;
}

std::uint32_t update(std::uint32_t reg, const unsigned char* data, std::size_t size) {
#ifdef VELMAR_CRC_CLMUL
    if (size >= 64 && processorHasClmul()) {
        const std::size_t folded = size & ~std::size_t(15);
        reg = foldClmul(reg, data, folded);
        data += folded;
        size -= folded;
    }
#endif
    return updateSlicing8(reg, data, size);
}

} // namespace velmar::crc32
