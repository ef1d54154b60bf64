// AVX-512 row kernels of the CPU filter path. Built with -ffp-contract=off
// like the rest of the filter engine.
#include "filter_rows.h"

#include "sharpen_blur.h"

#include <immintrin.h>

#include <algorithm>

namespace palettor::detail {

namespace {

const bool kRows = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
const bool kByteLookup = kRows && __builtin_cpu_supports("avx512vbmi");

// The Gaussian weights times 10,000 are integers; grouped by weight (see
// gauss_row_avx512).
constexpr int kGaussScale = 10000;

}  // namespace

bool avx512_rows()
{
    return kRows;
}

bool avx512_byte_lookup()
{
    return kByteLookup;
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
    }
}

// The kernel sums its 25 float products in a fixed order; the result is that
// sum truncated. Here the same products are summed exactly as integers, with
// the weights times 10,000 (37, 147, 256, 262, 586, 952, 1502), pixels of
// equal weight added first. The float sum lies within 4e-4 of the exact one
// E / 10,000: the weights' own rounding adds up to 255 * 1.0008 * 2^-24, the
// products' as much again, and 24 rounded additions of partial sums below
// 256 at most 24 * 256 * 2^-24 = 3.7e-4. So where E / 10,000 is more than
// 1e-3 from an integer both truncate alike; the rare pixels closer than that
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
    const __m512 near = _mm512_set1_ps(1e-3f);
    const __m512 far = _mm512_set1_ps(1.0f - 1e-3f);
    const __m512 one = _mm512_set1_ps(1.0f);
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
        __mmask16 unsure[2];
        for (int half = 0; half < 2; ++half) {
            // Interleaved pairs: the halves hold pixels 0-3, 8-11, ... and
            // 4-7, 12-15, ...; the pack below puts them back in order.
            const __m512i e = _mm512_add_epi32(
                _mm512_add_epi32(_mm512_madd_epi16(interleave(half, g1, g2), w12), _mm512_madd_epi16(interleave(half, g3, g4), w34)),
                _mm512_add_epi32(_mm512_madd_epi16(interleave(half, g5, g6), w56), _mm512_madd_epi16(interleave(half, g7, zero), w7)));
            const __m512 t = _mm512_mul_ps(_mm512_cvtepi32_ps(e), inverse);
            const __m512 whole = _mm512_roundscale_ps(t, _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC);
            const __m512 fraction = _mm512_sub_ps(t, whole);
            unsure[half] = static_cast<__mmask16>(
                (_mm512_cmp_ps_mask(fraction, near, _CMP_LT_OQ) & _mm512_cmp_ps_mask(whole, one, _CMP_GE_OQ)) |
                _mm512_cmp_ps_mask(fraction, far, _CMP_GT_OQ));
            quotient[half] = _mm512_cvttps_epi32(whole);
        }
        store_bytes(g + x, _mm512_packs_epi32(quotient[0], quotient[1]));
        for (int half = 0; half < 2; ++half) {
            for (unsigned m = unsure[half]; m != 0; m &= m - 1) {
                const int lane = __builtin_ctz(m);
                const int at = x + 8 * (lane >> 2) + 4 * half + (lane & 3);
                g[at] = gauss_pixel(rows, at);
            }
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
        __m256i sharp[2];
        for (int half = 0; half < 2; ++half) {
            const __m512i p = _mm512_cvtepu8_epi16(half_of(half, p8));
            const __m512i s = _mm512_cvtepu8_epi16(half_of(half, s8));
            const __m512i g = _mm512_cvtepu8_epi16(half_of(half, g8));
            // sharpen_span's float steps are exact here: with depth = s / 64,
            // value = s * g >> 6 and tv = max(0, (s * p >> 6) + p - value).
            const __m512i value = _mm512_srli_epi16(_mm512_mullo_epi16(s, g), 6);
            const __m512i lifted = _mm512_add_epi16(_mm512_srli_epi16(_mm512_mullo_epi16(s, p), 6), p);
            const __m512i tv = _mm512_max_epi16(_mm512_sub_epi16(lifted, value), zero);
            const __m512i lo = _mm512_srai_epi32(_mm512_madd_epi16(_mm512_unpacklo_epi16(tv, p), mix), 7);
            const __m512i hi = _mm512_srai_epi32(_mm512_madd_epi16(_mm512_unpackhi_epi16(tv, p), mix), 7);
            sharp[half] = _mm512_cvtusepi16_epi8(_mm512_packs_epi32(lo, hi));
        }
        const __m512i sharpened = _mm512_inserti64x4(_mm512_castsi256_si512(sharp[0]), sharp[1], 1);
        const __m512i to_left = _mm512_or_si512(_mm512_subs_epu8(p8, left), _mm512_subs_epu8(left, p8));
        const __m512i to_right = _mm512_or_si512(_mm512_subs_epu8(p8, right), _mm512_subs_epu8(right, p8));
        const __mmask64 spike = _mm512_cmpgt_epu8_mask(to_left, three) & _mm512_cmpgt_epu8_mask(to_right, three);
        _mm512_storeu_si512(out + i, _mm512_mask_blend_epi8(spike, sharpened, p8));
    }
    return i;
}

__attribute__((target("avx512f,avx512bw"))) void widen_row_avx512(const uint8_t* row, int w, int16_t* out)
{
    int x = 0;
    for (; x + 32 <= w; x += 32) {
        _mm512_storeu_si512(out + x, widen(row + x));
    }
    for (; x < w; ++x) {
        out[x] = row[x];
    }
}

// A neighbour's difference d from the centre, plus 32 and clamped to 0..63
// (a value that wraps below 0 clamps too), indexes two 64-word tables: its
// range weight and d times that weight. Both are 0 from |d| = 25 on, so the
// clamp loses nothing. The sums and the quotient are blur_row's.
__attribute__((target("avx512f,avx512bw"))) void blur_row_avx512(const int16_t* const rows[5], int w, uint8_t* out)
{
    alignas(64) int16_t weights[64], products[64];
    for (int i = 0; i < 64; ++i) {
        const int16_t d = static_cast<int16_t>(i - 32);
        weights[i] = range_weight_of<int16_t>(static_cast<int16_t>(d < 0 ? -d : d));
        products[i] = static_cast<int16_t>(d * weights[i]);
    }
    const __m512i weight_lo = _mm512_load_si512(weights), weight_hi = _mm512_load_si512(weights + 32);
    const __m512i product_lo = _mm512_load_si512(products), product_hi = _mm512_load_si512(products + 32);
    const __m512i bias = _mm512_set1_epi16(32);
    const __m512i last_index = _mm512_set1_epi16(63);
    const __m512i zero = _mm512_setzero_si512();
    const __m512 zero_f = _mm512_setzero_ps();
    const __m512 one_f = _mm512_set1_ps(1.0f);
    for (int step = 2; step < w - 2; step += 32) {
        const int x = std::min(step, w - 2 - 32);
        const __m512i value = load_words(rows[2] + x);
        const __m512i base = _mm512_sub_epi16(value, bias);
        __m512i den = _mm512_setzero_si512();
        __m512i lean = _mm512_setzero_si512();
#pragma GCC unroll 5
        for (int dy = 0; dy < 5; ++dy) {
#pragma GCC unroll 5
            for (int dx = 0; dx < 5; ++dx) {
                const __m512i index =
                    _mm512_min_epu16(_mm512_sub_epi16(load_words(rows[dy] + x + dx - 2), base), last_index);
                den = _mm512_add_epi16(den, _mm512_permutex2var_epi16(weight_lo, index, weight_hi));
                lean = _mm512_add_epi16(lean, _mm512_permutex2var_epi16(product_lo, index, product_hi));
            }
        }
        // blur_row's quotient (value * den + lean) / den is value plus
        // lean / den rounded down, taken here from a reciprocal estimate
        // that is at most one off and then set right with exact float
        // products (all below 2^24). den >= 100: the centre weighs 100.
        const __m512i sign = _mm512_srai_epi16(lean, 15);
        __m512i part[2];
        for (int half = 0; half < 2; ++half) {
            const __m512 l = _mm512_cvtepi32_ps(interleave(half, lean, sign));
            const __m512 d = _mm512_cvtepi32_ps(interleave(half, den, zero));
            __m512 t = _mm512_roundscale_ps(_mm512_mul_ps(l, _mm512_rcp14_ps(d)), _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC);
            const __m512 rest = _mm512_sub_ps(l, _mm512_mul_ps(t, d));
            const __mmask16 over = _mm512_cmp_ps_mask(rest, zero_f, _CMP_LT_OQ);
            const __mmask16 under = _mm512_cmp_ps_mask(rest, d, _CMP_GE_OQ);
            t = _mm512_mask_sub_ps(t, over, t, one_f);
            t = _mm512_mask_add_ps(t, under, t, one_f);
            part[half] = _mm512_cvttps_epi32(t);
        }
        store_bytes(out + x, _mm512_add_epi16(value, _mm512_packs_epi32(part[0], part[1])));
    }
}

#pragma GCC diagnostic pop

}  // namespace palettor::detail
