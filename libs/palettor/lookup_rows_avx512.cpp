// AVX-512 row lookups of the colouring.
#include "lookup_rows.h"

#include <immintrin.h>

namespace palettor::detail {

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

}  // namespace

// GCC 12 warns about the intrinsics' own undefined registers.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

// The table is held as three byte planes (red, green, blue), each looked up
// 64 pixels at a time with two 128-byte permutes; the bytes are then woven
// into pixels. Weaving works inside 128-bit lanes, so four pixel vectors come
// out with their lanes crossed and a 4 x 4 block transpose puts them in
// order.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void colour_row_avx512(const uint8_t* index, size_t count,
                                                                              const uint32_t table[256],
                                                                              uint32_t* out)
{
    alignas(64) uint8_t planes[3][256];
    for (int i = 0; i < 256; ++i) {
        for (int k = 0; k < 3; ++k) {
            planes[k][i] = static_cast<uint8_t>(table[i] >> (8 * k));
        }
    }
    __m512i low[3], high[3], low2[3], high2[3];
    for (int k = 0; k < 3; ++k) {
        low[k] = _mm512_load_si512(planes[k]);
        high[k] = _mm512_load_si512(planes[k] + 64);
        low2[k] = _mm512_load_si512(planes[k] + 128);
        high2[k] = _mm512_load_si512(planes[k] + 192);
    }
    const __m512i alpha = _mm512_set1_epi8(static_cast<char>(0xFF));
    size_t i = 0;
    for (; i + 64 <= count; i += 64) {
        const __m512i idx = _mm512_loadu_si512(index + i);
        const __mmask64 upper = _mm512_movepi8_mask(idx);
        __m512i c[3];
        for (int k = 0; k < 3; ++k) {
            c[k] = _mm512_mask_blend_epi8(upper, _mm512_permutex2var_epi8(low[k], idx, high[k]),
                                          _mm512_permutex2var_epi8(low2[k], idx, high2[k]));
        }
        const __m512i rg_lo = _mm512_unpacklo_epi8(c[0], c[1]);
        const __m512i rg_hi = _mm512_unpackhi_epi8(c[0], c[1]);
        const __m512i ba_lo = _mm512_unpacklo_epi8(c[2], alpha);
        const __m512i ba_hi = _mm512_unpackhi_epi8(c[2], alpha);
        // Pixels 0-3, 4-7, 8-11 and 12-15 of each 16-pixel lane.
        const __m512i p0 = _mm512_unpacklo_epi16(rg_lo, ba_lo);
        const __m512i p1 = _mm512_unpackhi_epi16(rg_lo, ba_lo);
        const __m512i p2 = _mm512_unpacklo_epi16(rg_hi, ba_hi);
        const __m512i p3 = _mm512_unpackhi_epi16(rg_hi, ba_hi);
        // Transpose the 4 x 4 blocks of 128 bits.
        const __m512i t0 = _mm512_shuffle_i64x2(p0, p1, 0x44);  // p0.l0 p0.l1 p1.l0 p1.l1
        const __m512i t1 = _mm512_shuffle_i64x2(p2, p3, 0x44);  // p2.l0 p2.l1 p3.l0 p3.l1
        const __m512i t2 = _mm512_shuffle_i64x2(p0, p1, 0xEE);  // p0.l2 p0.l3 p1.l2 p1.l3
        const __m512i t3 = _mm512_shuffle_i64x2(p2, p3, 0xEE);  // p2.l2 p2.l3 p3.l2 p3.l3
        _mm512_storeu_si512(out + i, _mm512_shuffle_i64x2(t0, t1, 0x88));       // p0.l0 p1.l0 p2.l0 p3.l0
        _mm512_storeu_si512(out + i + 16, _mm512_shuffle_i64x2(t0, t1, 0xDD));  // p0.l1 p1.l1 p2.l1 p3.l1
        _mm512_storeu_si512(out + i + 32, _mm512_shuffle_i64x2(t2, t3, 0x88));
        _mm512_storeu_si512(out + i + 48, _mm512_shuffle_i64x2(t2, t3, 0xDD));
    }
    for (; i < count; ++i) {
        out[i] = table[index[i]] | kOpaque;
    }
}

// A gather reads four bytes at each entry, two past the last one for AD
// 65535: those lanes take the last entry from a register instead.
__attribute__((target("avx512f,avx512bw"))) void index_row_avx512(const uint16_t* ad, size_t count,
                                                                 const uint16_t* map, uint8_t* out)
{
    const __m512i top_ad = _mm512_set1_epi32(65535);
    const __m512i top_entry = _mm512_set1_epi32(map[65535]);
    size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m512i at = _mm512_cvtepu16_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(ad + i)));
        const __mmask16 inside = _mm512_cmpneq_epi32_mask(at, top_ad);
        const __m512i entries = _mm512_mask_i32gather_epi32(top_entry, inside, at, map, 2);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm512_cvtepi32_epi8(entries));
    }
    for (; i < count; ++i) {
        out[i] = static_cast<uint8_t>(map[ad[i]] & 0xFF);
    }
}

#pragma GCC diagnostic pop

}  // namespace palettor::detail
