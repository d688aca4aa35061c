// SHA-1 with the processor's SHA extensions: four rounds per instruction,
// the message schedule by SHA1MSG1/SHA1MSG2. Written for the eight XMM
// registers of 32-bit mode.
#include "hash_kernels.h"

#if defined(__i386__) || defined(__x86_64__)

#include <immintrin.h>

#include <utility>

namespace kv::detail {
namespace {

#define KV_SHA_TARGET __attribute__((target("sha,sse4.1,ssse3")))

struct Sha1Lanes {
    __m128i abcd;
    __m128i e[2];    // E0 and E1 alternate between groups of four rounds
    __m128i msg[4];  // the schedule, four words per register
};

// Rounds 4g .. 4g+3, with the schedule work that overlaps them.
template <int G>
KV_SHA_TARGET inline void Group(Sha1Lanes& s) {
    __m128i& current = s.e[G % 2];
    __m128i& next = s.e[(G + 1) % 2];
    if constexpr (G == 0) {
        current = _mm_add_epi32(current, s.msg[0]);
    } else {
        current = _mm_sha1nexte_epu32(current, s.msg[G % 4]);
    }
    next = s.abcd;
    if constexpr (G >= 3 && G <= 18) {
        s.msg[(G + 1) % 4] = _mm_sha1msg2_epu32(s.msg[(G + 1) % 4], s.msg[G % 4]);
    }
    s.abcd = _mm_sha1rnds4_epu32(s.abcd, current, G / 5);
    if constexpr (G >= 1 && G <= 16) {
        s.msg[(G + 3) % 4] = _mm_sha1msg1_epu32(s.msg[(G + 3) % 4], s.msg[G % 4]);
    }
    if constexpr (G >= 2 && G <= 17) {
        s.msg[(G + 2) % 4] = _mm_xor_si128(s.msg[(G + 2) % 4], s.msg[G % 4]);
    }
}

template <int... G>
KV_SHA_TARGET inline void AllGroups(Sha1Lanes& s, std::integer_sequence<int, G...>) {
    (Group<G>(s), ...);
}

}  // namespace

KV_SHA_TARGET void Sha1BlocksShaNi(uint32_t* state, const uint8_t* block, size_t count) {
    const __m128i byteSwap = _mm_set_epi64x(0x0001020304050607LL, 0x08090A0B0C0D0E0FLL);
    __m128i abcd =
        _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state)), 0x1B);
    __m128i e0 = _mm_set_epi32(static_cast<int>(state[4]), 0, 0, 0);
    for (; count > 0; --count, block += 64) {
        Sha1Lanes s;
        s.abcd = abcd;
        s.e[0] = e0;
        s.e[1] = _mm_setzero_si128();
        for (int i = 0; i < 4; ++i) {
            s.msg[i] = _mm_shuffle_epi8(
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i)), byteSwap);
        }
        AllGroups(s, std::make_integer_sequence<int, 20>{});
        // After group 19 the next E sits in e[0]; add the saved E to it.
        e0 = _mm_sha1nexte_epu32(s.e[0], e0);
        abcd = _mm_add_epi32(s.abcd, abcd);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state), _mm_shuffle_epi32(abcd, 0x1B));
    state[4] = static_cast<uint32_t>(_mm_extract_epi32(e0, 3));
}

}  // namespace kv::detail

#else

namespace kv::detail {
void Sha1BlocksShaNi(uint32_t* state, const uint8_t* block, size_t count) {
    Sha1BlocksScalar(state, block, count);
}
}  // namespace kv::detail

#endif
