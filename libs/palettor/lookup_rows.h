// Whole-row map lookup of the colouring for AVX-512 machines, the same bytes
// as the plain loop; use only where avx512_rows() is true (filter_rows.h).
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace palettor::detail {

// out[i] = low byte of map[ad[i]] for i < count; map has 65,536 entries.
void index_row_avx512(const uint16_t* ad, size_t count, const uint16_t* map, uint8_t* out);

}  // namespace palettor::detail
