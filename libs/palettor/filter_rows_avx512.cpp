// AVX-512 row kernels of the CPU filter path. Built with -ffp-contract=off
// like the rest of the filter engine.
#include "filter_rows.h"

#include "sharpen_blur.h"

#include "kernel_path.h"

#include <immintrin.h>

#include <algorithm>
#include <atomic>

namespace palettor::detail {

namespace {

const bool kRows = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
const bool kByteLookup = kRows && __builtin_cpu_supports("avx512vbmi");
const bool kHalves = kRows && __builtin_cpu_supports("avx512fp16");
std::atomic<bool> halves_allowed{true};

// The Gaussian weights times 10,000 are integers; grouped by weight (see
// gauss_row_avx512).
constexpr int kGaussScale = 10000;

}  // namespace

bool avx512_rows()
{
    return kRows && vybase::kernel_path() == vybase::KernelPath::avx512;
}

bool avx512_byte_lookup()
{
    return kByteLookup && avx512_rows();
}

bool blur_halves()
{
    return kHalves && halves_allowed.load(std::memory_order_relaxed);
}

void allow_blur_halves(bool allow)
{
    halves_allowed.store(allow, std::memory_order_relaxed);
}

uint8_t gauss_pixel(const uint8_t* const rows[5], int x)
{
    float sum = 0.0f;
    for (int dy = 0; dy < 5; ++dy) {
        for (int dx = 0; dx < 5; ++dx) {
            sum = sum + kGaussWeights[dy * 5 + dx] * static_cast<float>(rows[dy][x + dx - 2]);
        }
    }
    return static_cast<uint8_t>(std::min(static_cast<int>(sum), 255));
}

// GCC 12 warns about the intrinsics' own undefined registers.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"

namespace {

// 32 pixels as 16-bit lanes.
__attribute__((target("avx512f,avx512bw"), always_inline)) inline __m512i widen(const uint8_t* p)
{
    return _mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)));
}

__attribute__((target("avx512f,avx512bw"), always_inline)) inline __m512i load_words(const int16_t* p)
{
    return _mm512_loadu_si512(p);
}

// 32 words (0..255 each, or saturated) to bytes.
__attribute__((target("avx512f,avx512bw"), always_inline)) inline void store_bytes(uint8_t* p, __m512i words)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), _mm512_cvtusepi16_epi8(words));
}

// Words of a and b in turn, from the low (half 0) or high quarter of each
// 128-bit lane.
__attribute__((target("avx512f,avx512bw"), always_inline)) inline __m512i interleave(int half, __m512i a, __m512i b)
{
    return half ? _mm512_unpackhi_epi16(a, b) : _mm512_unpacklo_epi16(a, b);
}

__attribute__((target("avx512f,avx512bw"), always_inline)) inline __m256i half_of(int half, __m512i v)
{
    return half ? _mm512_extracti64x4_epi64(v, 1) : _mm512_castsi512_si256(v);
}

}  // namespace

__attribute__((target("avx512f,avx512bw"))) int sobel_row_avx512(const uint8_t* up, const uint8_t* in,
                                                                const uint8_t* down, int w, uint8_t* s)
{
    __m512i high = _mm512_setzero_si512();
    // The last step overlaps the one before rather than leaving a tail.
    for (int step = 1; step < w - 1; step += 32) {
        const int x = std::min(step, w - 1 - 32);
        const __m512i ul = widen(up + x - 1), uc = widen(up + x), ur = widen(up + x + 1);
        const __m512i il = widen(in + x - 1), ir = widen(in + x + 1);
        const __m512i dl = widen(down + x - 1), dc = widen(down + x), dr = widen(down + x + 1);
        const __m512i hs = _mm512_add_epi16(_mm512_add_epi16(_mm512_sub_epi16(ur, ul), _mm512_sub_epi16(dr, dl)),
                                            _mm512_slli_epi16(_mm512_sub_epi16(ir, il), 1));
        const __m512i vs = _mm512_sub_epi16(_mm512_add_epi16(_mm512_add_epi16(ul, ur), _mm512_slli_epi16(uc, 1)),
                                            _mm512_add_epi16(_mm512_add_epi16(dl, dr), _mm512_slli_epi16(dc, 1)));
        const __m512i v = _mm512_srli_epi16(_mm512_add_epi16(_mm512_abs_epi16(hs), _mm512_abs_epi16(vs)), 3);
        high = _mm512_max_epu16(high, v);
        store_bytes(s + x, v);
    }
    // Words to doublewords (all below 256), then the highest of them.
    return static_cast<int>(_mm512_reduce_max_epi32(_mm512_max_epi32(_mm512_cvtepu16_epi32(half_of(0, high)),
                                                                      _mm512_cvtepu16_epi32(half_of(1, high)))));
}

__attribute__((target("avx512f,avx512bw"))) void gauss_sums_avx512(const uint8_t* row, int w, const GaussSums& out)
{
    for (int step = 2; step < w - 2; step += 32) {
        const int x = std::min(step, w - 2 - 32);
        _mm512_storeu_si512(out.outer + x, _mm512_add_epi16(widen(row + x - 2), widen(row + x + 2)));
        _mm512_storeu_si512(out.inner + x, _mm512_add_epi16(widen(row + x - 1), widen(row + x + 1)));
        _mm512_storeu_si512(out.centre + x, widen(row + x));
        _mm512_storeu_si512(out.across + x, _mm512_sub_epi16(widen(row + x + 1), widen(row + x - 1)));
    }
}

__attribute__((target("avx512f,avx512bw"))) int sobel_from_sums_avx512(const GaussSums& up, const GaussSums& in,
                                                                      const GaussSums& down, int w, uint8_t* s)
{
    __m512i high = _mm512_setzero_si512();
    for (int step = 2; step < w - 2; step += 32) {
        const int x = std::min(step, w - 2 - 32);
        // hs = (ur - ul) + 2 (ir - il) + (dr - dl); vs = (ul + 2 uc + ur) - (dl + 2 dc + dr).
        const __m512i hs = _mm512_add_epi16(_mm512_add_epi16(load_words(up.across + x), load_words(down.across + x)),
                                            _mm512_slli_epi16(load_words(in.across + x), 1));
        const __m512i vs = _mm512_sub_epi16(
            _mm512_add_epi16(load_words(up.inner + x), _mm512_slli_epi16(load_words(up.centre + x), 1)),
            _mm512_add_epi16(load_words(down.inner + x), _mm512_slli_epi16(load_words(down.centre + x), 1)));
        const __m512i v = _mm512_srli_epi16(_mm512_add_epi16(_mm512_abs_epi16(hs), _mm512_abs_epi16(vs)), 3);
        high = _mm512_max_epu16(high, v);
        store_bytes(s + x, v);
    }
    return static_cast<int>(_mm512_reduce_max_epi32(_mm512_max_epi32(_mm512_cvtepu16_epi32(half_of(0, high)),
                                                                      _mm512_cvtepu16_epi32(half_of(1, high)))));
}

// The kernel sums its 25 float products in a fixed order; the result is that
// sum truncated. Here the same products are summed exactly as integers, with
// the weights times 10,000 (37, 147, 256, 262, 586, 952, 1502), pixels of
// equal weight added first. All products are positive, so every partial sum
// of the kernel lies below the total T: its 24 rounded additions are off by
// at most 24 T 2^-24, the products by T 2^-24, the float weights themselves
// by T 2^-24, and the estimate t of E / 10,000 taken here by 2 T 2^-24; in
// all less than 2e-6 t. Where t is further than that from a whole number,
// the kernel's sum truncates to the same; the rare pixels closer than that
// are summed as the kernel sums them.
__attribute__((target("avx512f,avx512bw"))) void gauss_row_avx512(const GaussSums sums[5],
                                                                 const uint8_t* const rows[5], int w, uint8_t* g)
{
    const __m512i w12 = _mm512_set1_epi32(37 | (147 << 16));
    const __m512i w34 = _mm512_set1_epi32(256 | (262 << 16));
    const __m512i w56 = _mm512_set1_epi32(586 | (952 << 16));
    const __m512i w7 = _mm512_set1_epi32(1502);
    const __m512i zero = _mm512_setzero_si512();
    const __m512 inverse = _mm512_set1_ps(1.0f / static_cast<float>(kGaussScale));
    const __m512 slack = _mm512_set1_ps(2e-6f);
    for (int step = 2; step < w - 2; step += 32) {
        const int x = std::min(step, w - 2 - 32);
        const __m512i g1 = _mm512_add_epi16(load_words(sums[0].outer + x), load_words(sums[4].outer + x));
        const __m512i g2 = _mm512_add_epi16(_mm512_add_epi16(load_words(sums[0].inner + x), load_words(sums[4].inner + x)),
                                            _mm512_add_epi16(load_words(sums[1].outer + x), load_words(sums[3].outer + x)));
        const __m512i g3 = _mm512_add_epi16(load_words(sums[0].centre + x), load_words(sums[2].outer + x));
        const __m512i g4 = load_words(sums[4].centre + x);
        const __m512i g5 = _mm512_add_epi16(load_words(sums[1].inner + x), load_words(sums[3].inner + x));
        const __m512i g6 = _mm512_add_epi16(_mm512_add_epi16(load_words(sums[1].centre + x), load_words(sums[3].centre + x)),
                                            load_words(sums[2].inner + x));
        const __m512i g7 = load_words(sums[2].centre + x);
        __m512i quotient[2];
        uint32_t unsure = 0;  // lanes of the low half, then of the high half
        for (int half = 0; half < 2; ++half) {
            // Interleaved pairs: the halves hold pixels 0-3, 8-11, ... and
            // 4-7, 12-15, ...; the pack below puts them back in order.
            const __m512i e = _mm512_add_epi32(
                _mm512_add_epi32(_mm512_madd_epi16(interleave(half, g1, g2), w12), _mm512_madd_epi16(interleave(half, g3, g4), w34)),
                _mm512_add_epi32(_mm512_madd_epi16(interleave(half, g5, g6), w56), _mm512_madd_epi16(interleave(half, g7, zero), w7)));
            const __m512 t = _mm512_mul_ps(_mm512_cvtepi32_ps(e), inverse);
            // Unsure where a whole number lies within the margin of t: there
            // the ends truncate differently (below 1 both give 0, as the
            // kernel's positive sum does). The ends themselves round by at
            // most t 2^-24, far inside the margin.
            const __m512 margin = _mm512_mul_ps(t, slack);
            const __m512i below = _mm512_cvttps_epi32(_mm512_sub_ps(t, margin));
            const __m512i above = _mm512_cvttps_epi32(_mm512_add_ps(t, margin));
            unsure |= static_cast<uint32_t>(_mm512_cmpneq_epi32_mask(below, above)) << (16 * half);
            quotient[half] = below;
        }
        store_bytes(g + x, _mm512_packs_epi32(quotient[0], quotient[1]));
        for (; unsure != 0; unsure &= unsure - 1) {
            const int bit = __builtin_ctz(unsure);
            const int lane = bit & 15;
            const int at = x + 8 * (lane >> 2) + 4 * (bit >> 4) + (lane & 3);
            g[at] = gauss_pixel(rows, at);
        }
    }
}

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) size_t sharpen_span_avx512(const uint8_t* a,
                                                                                  const uint8_t* sobel,
                                                                                  const uint8_t* gauss, size_t count,
                                                                                  const uint8_t s_of_sobel[256],
                                                                                  int k, uint8_t* out)
{
    const __m512i t0 = _mm512_loadu_si512(s_of_sobel);
    const __m512i t1 = _mm512_loadu_si512(s_of_sobel + 64);
    const __m512i t2 = _mm512_loadu_si512(s_of_sobel + 128);
    const __m512i t3 = _mm512_loadu_si512(s_of_sobel + 192);
    const __m512i mix = _mm512_set1_epi32(k | ((128 - k) << 16));
    const __m512i zero = _mm512_setzero_si512();
    const __m512i three = _mm512_set1_epi8(3);
    size_t i = 0;
    for (; i + 64 <= count; i += 64) {
        const __m512i p8 = _mm512_loadu_si512(a + i);
        const __m512i left = _mm512_loadu_si512(a + i - 1);
        const __m512i right = _mm512_loadu_si512(a + i + 1);
        const __m512i sob = _mm512_loadu_si512(sobel + i);
        const __m512i g8 = _mm512_loadu_si512(gauss + i);
        const __m512i s8 = _mm512_mask_blend_epi8(_mm512_movepi8_mask(sob), _mm512_permutex2var_epi8(t0, sob, t1),
                                                  _mm512_permutex2var_epi8(t2, sob, t3));
        // Words in the unpacked order of the bytes, which the pack restores.
        __m512i sharp[2];
        for (int half = 0; half < 2; ++half) {
            const __m512i p = half ? _mm512_unpackhi_epi8(p8, zero) : _mm512_unpacklo_epi8(p8, zero);
            const __m512i s = half ? _mm512_unpackhi_epi8(s8, zero) : _mm512_unpacklo_epi8(s8, zero);
            const __m512i g = half ? _mm512_unpackhi_epi8(g8, zero) : _mm512_unpacklo_epi8(g8, zero);
            // sharpen_span's float steps are exact here: with depth = s / 64,
            // value = s * g >> 6 and tv = max(0, (s * p >> 6) + p - value).
            const __m512i value = _mm512_srli_epi16(_mm512_mullo_epi16(s, g), 6);
            const __m512i lifted = _mm512_add_epi16(_mm512_srli_epi16(_mm512_mullo_epi16(s, p), 6), p);
            const __m512i tv = _mm512_max_epi16(_mm512_sub_epi16(lifted, value), zero);
            if (k == 64) {
                // The usual strength: (tv * 64 + p * 64) >> 7 is their mean.
                sharp[half] = _mm512_srli_epi16(_mm512_add_epi16(tv, p), 1);
            } else {
                const __m512i lo = _mm512_srai_epi32(_mm512_madd_epi16(_mm512_unpacklo_epi16(tv, p), mix), 7);
                const __m512i hi = _mm512_srai_epi32(_mm512_madd_epi16(_mm512_unpackhi_epi16(tv, p), mix), 7);
                sharp[half] = _mm512_packs_epi32(lo, hi);
            }
        }
        // All words lie in 0 .. 2^15: the signed pack saturates as the kernel clamps.
        const __m512i sharpened = _mm512_packus_epi16(sharp[0], sharp[1]);
        const __m512i to_left = _mm512_or_si512(_mm512_subs_epu8(p8, left), _mm512_subs_epu8(left, p8));
        const __m512i to_right = _mm512_or_si512(_mm512_subs_epu8(p8, right), _mm512_subs_epu8(right, p8));
        const __mmask64 spike = _mm512_cmpgt_epu8_mask(to_left, three) & _mm512_cmpgt_epu8_mask(to_right, three);
        _mm512_storeu_si512(out + i, _mm512_mask_blend_epi8(spike, sharpened, p8));
    }
    return i;
}

__attribute__((target("avx512f,avx512bw"))) void bias_row_avx512(const uint8_t* row, int w, uint8_t* out)
{
    const __m512i bias = _mm512_set1_epi8(static_cast<char>(0x80));
    int x = 0;
    for (; x + 64 <= w; x += 64) {
        _mm512_storeu_si512(out + x, _mm512_xor_si512(_mm512_loadu_si512(row + x), bias));
    }
    for (; x < w; ++x) {
        out[x] = static_cast<uint8_t>(row[x] ^ 0x80);
    }
}

namespace {

// blur_row's quotient (value * den + lean) / den for 32 pixels in words is
// value plus lean / den rounded down. An estimate of it at most one off
// (|lean / den| <= 24: a mean of differences that weigh nothing from 25 on)
// is set right by the remainder lean - q * den, which then lies in [-den,
// 2 den) and so fits a word (100 <= den <= 2,500: the centre weighs 100).

// The estimate from single-precision reciprocals (error below 0.01). The
// halves hold bytes 0-7 and 8-15 of each 128-bit lane; the pack puts them
// back in order.
__attribute__((target("avx512f,avx512bw"), always_inline)) inline __m512i estimate_in_singles(__m512i den,
                                                                                               __m512i lean)
{
    const __m512i zero = _mm512_setzero_si512();
    const __m512i sign = _mm512_srai_epi16(lean, 15);
    __m512i part[2];
    for (int half = 0; half < 2; ++half) {
        const __m512 l = _mm512_cvtepi32_ps(interleave(half, lean, sign));
        const __m512 d = _mm512_cvtepi32_ps(interleave(half, den, zero));
        part[half] = _mm512_cvt_roundps_epi32(_mm512_mul_ps(l, _mm512_rcp14_ps(d)),
                                              _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC);
    }
    return _mm512_packs_epi32(part[0], part[1]);
}

// The same in half precision, 32 words at once: the conversions, the
// reciprocal and the product are each off by under 2^-10 relative, in all
// below 0.003 of the quotient, so below 0.1.
__attribute__((target("avx512f,avx512bw,avx512fp16"), always_inline)) inline __m512i estimate_in_halves(
    __m512i den, __m512i lean)
{
    const __m512h ratio = _mm512_mul_ph(_mm512_cvtepi16_ph(lean), _mm512_rcp_ph(_mm512_cvtepu16_ph(den)));
    return _mm512_cvt_roundph_epi16(ratio, _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC);
}

__attribute__((target("avx512f,avx512bw"), always_inline)) inline __m512i set_right(__m512i value, __m512i q,
                                                                                     __m512i den, __m512i lean)
{
    const __m512i one = _mm512_set1_epi16(1);
    const __m512i rest = _mm512_sub_epi16(lean, _mm512_mullo_epi16(q, den));
    q = _mm512_mask_sub_epi16(q, _mm512_cmplt_epi16_mask(rest, _mm512_setzero_si512()), q, one);
    q = _mm512_mask_add_epi16(q, _mm512_cmpge_epi16_mask(rest, den), q, one);
    return _mm512_add_epi16(value, q);
}

// The sums of 64 pixels from x on, kept for the quotients.
struct BlurSums {
    __m512i den[2];
    __m512i lean[2];
};

// The 64 pixels of a step from their sums and their estimates: half 0 holds
// the even pixels and half 1 the odd ones, a word each.
__attribute__((target("avx512f,avx512bw"), always_inline)) inline void blur_pixels(const uint8_t* centre,
                                                                                    const BlurSums& sums,
                                                                                    const __m512i q[2], uint8_t* out)
{
    const __m512i value = _mm512_xor_si512(_mm512_loadu_si512(centre), _mm512_set1_epi8(static_cast<char>(0x80)));
    const __m512i even = set_right(_mm512_and_si512(value, _mm512_set1_epi16(0xFF)), q[0], sums.den[0], sums.lean[0]);
    const __m512i odd = set_right(_mm512_srli_epi16(value, 8), q[1], sums.den[1], sums.lean[1]);
    // Both lie in 0..255: the odd ones go to the high bytes.
    _mm512_storeu_si512(out, _mm512_or_si512(even, _mm512_slli_epi16(odd, 8)));
}

using BlurQuotients = void (*)(const uint8_t* centre, const BlurSums* sums, const int* xs, int count, uint8_t* out);

__attribute__((target("avx512f,avx512bw"))) void quotients_in_singles(const uint8_t* centre, const BlurSums* sums,
                                                                     const int* xs, int count, uint8_t* out)
{
    for (int i = 0; i < count; ++i) {
        const __m512i q[2] = {estimate_in_singles(sums[i].den[0], sums[i].lean[0]),
                              estimate_in_singles(sums[i].den[1], sums[i].lean[1])};
        blur_pixels(centre + xs[i], sums[i], q, out + xs[i]);
    }
}

__attribute__((target("avx512f,avx512bw,avx512fp16"))) void quotients_in_halves(const uint8_t* centre,
                                                                               const BlurSums* sums, const int* xs,
                                                                               int count, uint8_t* out)
{
    for (int i = 0; i < count; ++i) {
        const __m512i q[2] = {estimate_in_halves(sums[i].den[0], sums[i].lean[0]),
                              estimate_in_halves(sums[i].den[1], sums[i].lean[1])};
        blur_pixels(centre + xs[i], sums[i], q, out + xs[i]);
    }
}

}  // namespace

// 64 pixels a step, the even and the odd ones apart, so that each word of a
// vector holds two neighbours of one pixel: the two left of it, the two
// right of it (a load shifted by one or two), or those above and below it
// in the middle column (two loads blended). A neighbour's difference from the
// centre, saturated to a signed byte (exact wherever the weight is not 0),
// gives the range weight through a 64-byte table indexed by its size
// (clamped to 63, where the weight is 0 as from 25 on). One multiply-add of
// bytes then gives both products of a pixel, and for every second vector
// another the four weights of two vectors (added as bytes first), summed in
// words as blur_row sums them (the order does not change an integer sum).
// The centre adds weight 100 and difference 0.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void blur_row_avx512(const uint8_t* const rows[5],
                                                                            int w, uint8_t* out)
{
    alignas(64) uint8_t weights[64];
    for (int i = 0; i < 64; ++i) {
        weights[i] = static_cast<uint8_t>(range_weight_of<int>(i));
    }
    const __m512i table = _mm512_load_si512(weights);
    const __m512i last_index = _mm512_set1_epi8(63);
    const __m512i ones = _mm512_set1_epi8(1);
    const __m512i zero = _mm512_setzero_si512();
    const __m512i low_bytes = _mm512_set1_epi16(0xFF);
    const __m512i centre_weight = _mm512_set1_epi16(100);
    constexpr __mmask64 kHighBytes = 0xAAAAAAAAAAAAAAAAull;
    // The sums of a few steps, then their quotients in a function built for
    // the processor's arithmetic.
    const BlurQuotients quotients = blur_halves() ? quotients_in_halves : quotients_in_singles;
    constexpr int kSteps = 8;
    BlurSums kept[kSteps];
    int xs[kSteps];
    int held_steps = 0;
    for (int step = 2; step < w - 2; step += 64) {
        const int x = std::min(step, w - 2 - 64);
        const __m512i centre = _mm512_loadu_si512(rows[2] + x);
        // Each pixel's centre in both bytes of its word.
        const __m512i even = _mm512_and_si512(centre, low_bytes);
        const __m512i odd = _mm512_srli_epi16(centre, 8);
        const __m512i centres[2] = {_mm512_or_si512(even, _mm512_slli_epi16(even, 8)),
                                    _mm512_or_si512(odd, _mm512_slli_epi16(odd, 8))};
        __m512i den[2] = {centre_weight, centre_weight};
        __m512i lean[2] = {zero, zero};
        for (int half = 0; half < 2; ++half) {
            const int at = x + half;
            __m512i pairs[12];
            for (int dy = 0; dy < 5; ++dy) {
                pairs[2 * dy] = _mm512_loadu_si512(rows[dy] + at - 2);
                pairs[2 * dy + 1] = _mm512_loadu_si512(rows[dy] + at + 1);
            }
            pairs[10] = _mm512_mask_blend_epi8(kHighBytes, _mm512_loadu_si512(rows[0] + at),
                                               _mm512_loadu_si512(rows[1] + at - 1));
            pairs[11] = _mm512_mask_blend_epi8(kHighBytes, _mm512_loadu_si512(rows[3] + at),
                                               _mm512_loadu_si512(rows[4] + at - 1));
            __m512i held = zero;
#pragma GCC unroll 12
            for (int k = 0; k < 12; ++k) {
                const __m512i diff = _mm512_subs_epi8(pairs[k], centres[half]);
                const __m512i weight =
                    _mm512_permutexvar_epi8(_mm512_min_epu8(_mm512_abs_epi8(diff), last_index), table);
                lean[half] = _mm512_add_epi16(lean[half], _mm512_maddubs_epi16(weight, diff));
                // Weights are 100 at most: two vectors add up in bytes.
                if (k % 2 == 0) {
                    held = weight;
                } else {
                    den[half] = _mm512_add_epi16(den[half], _mm512_maddubs_epi16(_mm512_add_epi8(held, weight), ones));
                }
            }
        }
        kept[held_steps] = {{den[0], den[1]}, {lean[0], lean[1]}};
        xs[held_steps] = x;
        if (++held_steps == kSteps) {
            quotients(rows[2], kept, xs, held_steps, out);
            held_steps = 0;
        }
    }
    quotients(rows[2], kept, xs, held_steps, out);
}

#pragma GCC diagnostic pop

}  // namespace palettor::detail
