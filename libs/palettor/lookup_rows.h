// Whole-row table lookups of the colouring for AVX-512 machines with VBMI,
// the same bytes as the plain loops; use only where avx512_byte_lookup() is
// true (filter_rows.h).
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace palettor::detail {

// out[i] = table[index[i]] | 0xFF000000 for i < count.
void colour_row_avx512(const uint8_t* index, size_t count, const uint32_t table[256], uint32_t* out);

// out[i] = low byte of map[ad[i]] for i < count; map has 65,536 entries.
void index_row_avx512(const uint16_t* ad, size_t count, const uint16_t* map, uint8_t* out);

}  // namespace palettor::detail
