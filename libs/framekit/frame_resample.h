// Bilinear resampling of AD planes (zoom and super resolution); its row
// kernel is built for each processor path (kernel_path.h).
#pragma once

#include <cstddef>
#include <cstdint>

namespace framekit {
namespace detail {

// Bilinear resampling; the source has at least one pixel.
void resample_bilinear(const uint16_t* source, std::size_t source_width, std::size_t source_height,
                       uint16_t* target, std::size_t target_width, std::size_t target_height);

}  // namespace detail
}  // namespace framekit
