// CRC-32 by carry-less multiplication: four 128-bit lanes are folded
// forward 64 bytes at a time, then into one lane, then reduced to 32 bits
// with a Barrett step. The constants are powers of x modulo the polynomial,
// bit-reflected, for the distances named beside them.
#include "hash_kernels.h"

#if defined(__i386__) || defined(__x86_64__)

#include <immintrin.h>

namespace kv::detail {
namespace {

#define KV_CLMUL_TARGET __attribute__((target("pclmul,sse4.1")))

KV_CLMUL_TARGET inline __m128i Fold(__m128i lane, __m128i constants, __m128i next) {
    const __m128i low = _mm_clmulepi64_si128(lane, constants, 0x00);
    const __m128i high = _mm_clmulepi64_si128(lane, constants, 0x11);
    return _mm_xor_si128(_mm_xor_si128(low, high), next);
}

KV_CLMUL_TARGET inline __m128i Load(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

}  // namespace

KV_CLMUL_TARGET uint32_t Crc32Pclmul(uint32_t crc, const uint8_t* data, size_t size) {
    if (size < 64) return Crc32Slicing8(crc, data, size);

    const __m128i by512 = _mm_set_epi64x(0x1C6E41596, 0x154442BD4);  // x^(512+-32), x^(576+-32)
    const __m128i by128 = _mm_set_epi64x(0x0CCAA009E, 0x1751997D0);  // x^(128+-32), x^(192+-32)
    const __m128i by64 = _mm_set_epi64x(0, 0x163CD6124);
    const __m128i poly = _mm_set_epi64x(0x1F7011641, 0x1DB710641);  // u', P'
    const __m128i mask32 = _mm_set_epi32(0, 0, 0, -1);

    __m128i x0 = _mm_xor_si128(Load(data), _mm_cvtsi32_si128(static_cast<int>(crc)));
    __m128i x1 = Load(data + 16);
    __m128i x2 = Load(data + 32);
    __m128i x3 = Load(data + 48);
    data += 64;
    size -= 64;
    while (size >= 64) {
        x0 = Fold(x0, by512, Load(data));
        x1 = Fold(x1, by512, Load(data + 16));
        x2 = Fold(x2, by512, Load(data + 32));
        x3 = Fold(x3, by512, Load(data + 48));
        data += 64;
        size -= 64;
    }
    x0 = Fold(x0, by128, x1);
    x0 = Fold(x0, by128, x2);
    x0 = Fold(x0, by128, x3);
    while (size >= 16) {
        x0 = Fold(x0, by128, Load(data));
        data += 16;
        size -= 16;
    }

    // 128 -> 64 bits, appending 32 zero bits.
    __m128i t = _mm_clmulepi64_si128(by128, x0, 0x01);
    x0 = _mm_xor_si128(_mm_srli_si128(x0, 8), t);
    // 64 -> 32 bits.
    t = _mm_srli_si128(x0, 4);
    x0 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x0, mask32), by64, 0x00), t);
    // Barrett reduction.
    t = x0;
    x0 = _mm_clmulepi64_si128(_mm_and_si128(x0, mask32), poly, 0x10);
    x0 = _mm_clmulepi64_si128(_mm_and_si128(x0, mask32), poly, 0x00);
    x0 = _mm_xor_si128(x0, t);
    const auto folded = static_cast<uint32_t>(_mm_extract_epi32(x0, 1));
    return Crc32Slicing8(folded, data, size);
}

}  // namespace kv::detail

#else

namespace kv::detail {
uint32_t Crc32Pclmul(uint32_t crc, const uint8_t* data, size_t size) {
    return Crc32Slicing8(crc, data, size);
}
}  // namespace kv::detail

#endif
