// Row kernels of the CPU filter path for AVX-512 machines, 32 or 64 pixels a
// step. Each gives exactly the bytes of the plain row code in
// sharpen_blur_cpu.cpp; callers use them only where avx512_rows() (and, for
// the sharpen and the blur, avx512_byte_lookup()) is true.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace palettor::detail {

// 5 x 5 Gaussian weights, row-major; the kernels carry the same literals.
inline constexpr float kGaussWeights[25] = {0.0037f, 0.0147f, 0.0256f, 0.0147f, 0.0037f,  //
                                            0.0147f, 0.0586f, 0.0952f, 0.0586f, 0.0147f,  //
                                            0.0256f, 0.0952f, 0.1502f, 0.0952f, 0.0256f,  //
                                            0.0147f, 0.0586f, 0.0952f, 0.0586f, 0.0147f,  //
                                            0.0037f, 0.0147f, 0.0262f, 0.0147f, 0.0037f};

// Whether the AVX-512 kernels below run: the processor has AVX-512F and BW
// (and VBMI), and the AVX-512 path is in force (kernel_path.h).
bool avx512_rows();
bool avx512_byte_lookup();

// Whether the AVX-512 blur estimates its quotients in half precision (where
// the processor has AVX-512 FP16); tests turn it off to compare both ways.
bool blur_halves();
void allow_blur_halves(bool allow);

// Sobel magnitude of pixels 1 .. w - 2 of a row (w >= 34); returns the
// highest.
int sobel_row_avx512(const uint8_t* up, const uint8_t* in, const uint8_t* down, int w, uint8_t* s);

// The horizontal pair sums of a row that the 5 x 5 Gaussian weighs alike, for
// x = 2 .. w - 3 (w >= 36): outer = p[x - 2] + p[x + 2], inner = p[x - 1] +
// p[x + 1], centre = p[x]; and the difference across, p[x + 1] - p[x - 1],
// which with inner and centre gives the Sobel of the rows next to it.
struct GaussSums {
    int16_t* outer;
    int16_t* inner;
    int16_t* centre;
    int16_t* across;
};
void gauss_sums_avx512(const uint8_t* row, int w, const GaussSums& out);

// sobel_row_avx512 from the sums of the rows above and below and of the row
// itself: pixels 2 .. w - 3 only (w >= 36); returns their highest.
int sobel_from_sums_avx512(const GaussSums& up, const GaussSums& in, const GaussSums& down, int w, uint8_t* s);

// Pixels 2 .. w - 3 of one Gaussian row from the sums of its five rows (and
// the rows themselves, for the few pixels the exact sum cannot settle).
void gauss_row_avx512(const GaussSums sums[5], const uint8_t* const rows[5], int w, uint8_t* g);

// The Gaussian of pixel x from its five rows, summed as the kernel sums it.
uint8_t gauss_pixel(const uint8_t* const rows[5], int x);

// The sharpen of pixels [0, count) of a span (see sharpen_span), 64 at a time;
// returns how many it did, the rest is the caller's. s_of_sobel maps a Sobel
// value to the scaled edge strength; 0 <= k <= 128.
size_t sharpen_span_avx512(const uint8_t* a, const uint8_t* sobel, const uint8_t* gauss, size_t count,
                           const uint8_t s_of_sobel[256], int k, uint8_t* out);

// A row with the top bit of every byte flipped (as signed bytes, the value
// less 128).
void bias_row_avx512(const uint8_t* row, int w, uint8_t* out);

// The inner pixels 2 .. w - 3 of one row of the plain edge-preserving blur
// (stabilization off) from its five rows, biased; w >= 68. Needs
// avx512_byte_lookup().
void blur_row_avx512(const uint8_t* const rows[5], int w, uint8_t* out);

}  // namespace palettor::detail
