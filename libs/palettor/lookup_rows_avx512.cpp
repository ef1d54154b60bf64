// AVX-512 row lookup of the colouring.
#include "lookup_rows.h"

#include <immintrin.h>

namespace palettor::detail {

// GCC 12 warns about the intrinsics' own undefined registers.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

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
