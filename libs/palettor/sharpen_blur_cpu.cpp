// CPU path of the filter engine: the row functions the workers run and the
// engine's choice between OpenCL and the workers.
// Built with -ffp-contract=off so that the float sums round exactly as the
// kernels' do.
#include "sharpen_blur.h"

#include "filter_rows.h"
#include "shared_passes.h"

#include "kernel_path.h"
#include "logline.h"
#include "spin_wait.h"


#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace palettor::detail {

namespace {

const char kModule[] = "image_process";

// Repeated OpenCL failures switch the device off for the engine's life.
constexpr int kOpenClFailureLimit = 3;
// Strips of a filter pass per worker.
constexpr int kStripsPerWorker = 3;
// Workers of an engine whose count is not asked for.
constexpr int kMostWorkers = 4;

// A strip of the two-pass filter: its edge range and who made it in the
// first pass, and whether a worker has taken it for either pass. A cache
// line each: the workers write their own strips' slots at once.
struct alignas(64) StripSlot {
    int lo = 255;
    int hi = 0;
    int maker = -1;
    std::atomic<bool> made{false};
    std::atomic<bool> taken{false};
};

// The strips made so far, on a cache line of its own: the workers read the
// engine's state on the stack beside it while they wait on it. A worker
// that finds strips still being made spins a little, then sleeps until the
// last is made: on a busy machine the strip's maker may have lost its
// processor, and a spinning waiter would keep it from getting one.
struct alignas(64) StripCount {
    std::atomic<int> value{0};
    std::mutex lock;
    std::condition_variable all_made;

    void add_one(int strips)
    {
        if (value.fetch_add(1, std::memory_order_acq_rel) + 1 == strips) {
            // Under the lock, so a waiter about to sleep sees the count or the notification.
            std::lock_guard<std::mutex> guard(lock);
            all_made.notify_all();
        }
    }

    void wait_for(int strips)
    {
        auto made = [&] { return value.load(std::memory_order_acquire) == strips; };
        if (!vybase::spin_until(made, std::chrono::microseconds(50))) {
            std::unique_lock<std::mutex> guard(lock);
            all_made.wait(guard, made);
        }
    }
};

// True for the first to claim a flag; a look first, so that claims of
// strips already taken do not pull the line away from the others.
inline bool claim(std::atomic<bool>& flag)
{
    return !flag.load(std::memory_order_relaxed) && !flag.exchange(true, std::memory_order_relaxed);
}

inline uint8_t shake_pixel(int pixel, bool first_frame, uint16_t* last, const ShakeTables& shake)
{
    if (first_frame) {
        *last = static_cast<uint16_t>(pixel * 16);
        return static_cast<uint8_t>(pixel);
    }
    const int remembered = *last;
    const int e = pixel - remembered / 16;
    const int out = (remembered + shake.step[e + 255]) / 16;
    const int next = remembered + shake.remember[e + 255];
    *last = static_cast<uint16_t>(std::clamp(next, 0, 65535));
    return static_cast<uint8_t>(std::clamp(out, 0, 255));
}

// num / den for 0 <= num <= 255 * den, 0 < den < 2^24: a float estimate is
// within one of the quotient and the two integer steps make it exact, so
// the loop around it vectorizes where an integer division would not.
inline int exact_quotient(int num, int den)
{
    int q = static_cast<int>(static_cast<float>(num) / static_cast<float>(den));
    q -= q * den > num ? 1 : 0;
    q += (q + 1) * den <= num ? 1 : 0;
    return q;
}

// The inner pixels of one row of the edge-preserving blur. Integer sums:
// the order does not change the result, and n * weight equals the kernels'
// product-table entry. Neighbours 25 or more away weigh nothing, so with the
// sum taken as value * den + sum((n - value) * weight) and no weight shifts
// (stabilization off) every term stays within 16 bits: Int = int16_t runs on
// twice as many lanes as 32-bit sums, with the same quotient.
template <class Int, bool Shifted>
__attribute__((always_inline)) inline void blur_row(const uint8_t* centre, int w, int first, const int32_t* shifts,
                                                    uint8_t* out)
{
    const uint8_t* rows[5] = {centre - 2 * w, centre - w, centre, centre + w, centre + 2 * w};
    for (int x = first; x < w - 2; ++x) {
        const Int value = centre[x];
        Int den = 0, lean = 0;
#pragma GCC unroll 5
        for (int dy = 0; dy < 5; ++dy) {
#pragma GCC unroll 5
            for (int dx = 0; dx < 5; ++dx) {
                const Int diff = static_cast<Int>(rows[dy][x + dx - 2] - value);
                Int weight = range_weight_of(static_cast<Int>(diff < 0 ? -diff : diff));
                if (Shifted) {
                    weight = static_cast<Int>(weight << shifts[dy * 5 + dx]);
                }
                den = static_cast<Int>(den + weight);
                lean = static_cast<Int>(lean + diff * weight);
            }
        }
        out[x] = static_cast<uint8_t>(exact_quotient(value * den + lean, den));
    }
}

// Both built for each processor path (kernel_path.h).
__attribute__((always_inline)) inline void blur_row_plain_body(const uint8_t* centre, int w, int first, uint8_t* out)
{
    blur_row<int16_t, false>(centre, w, first, nullptr, out);
}
VY_ROW_KERNEL(void, blur_row_plain, (const uint8_t* centre, int w, int first, uint8_t* out), (centre, w, first, out))

__attribute__((always_inline)) inline void blur_row_shifted_body(const uint8_t* centre, int w, const int32_t* shifts,
                                                                 uint8_t* out)
{
    blur_row<int32_t, true>(centre, w, 2, shifts, out);
}
VY_ROW_KERNEL(void, blur_row_shifted, (const uint8_t* centre, int w, const int32_t* shifts, uint8_t* out),
              (centre, w, shifts, out))

// The sharpen of pixels [begin, end), none the first or last of the picture;
// sobel_range > 0. Branch-free so that the loop vectorizes; the arithmetic is
// the kernel's, step for step.
__attribute__((always_inline)) inline void sharpen_span_body(const uint8_t* a, const uint8_t* sobel,
                                                              const uint8_t* gauss, size_t begin, size_t end,
                                                              int sobel_min, int sobel_range, int k, uint8_t* out)
{
    for (size_t i = begin; i < end; ++i) {
        const int p = a[i];
        const int s = exact_quotient((sobel[i] - sobel_min) * 255, sobel_range);
        const float depth = static_cast<float>(s) / 64.0f;  // the depth table's entry
        const int value = static_cast<int>(depth * static_cast<float>(gauss[i]));
        const float tf = (depth + 1.0f) * static_cast<float>(p) - static_cast<float>(value);
        const int tv = tf > 0.0f ? static_cast<int>(tf) : 0;
        const int sharp = std::clamp((tv * k + p * (128 - k)) >> 7, 0, 255);
        // A lone spike (hot or dead pixel) is left alone rather than amplified.
        // Signed index: the span may start at a's first element, whose left
        // neighbour lies before the pointer.
        const ptrdiff_t at = static_cast<ptrdiff_t>(i);
        const int left = p - a[at - 1], right = p - a[at + 1];
        const bool spike = (left > 3 || left < -3) && (right > 3 || right < -3);
        out[i] = static_cast<uint8_t>(spike ? p : sharp);
    }
}
VY_ROW_KERNEL(void, sharpen_span,
              (const uint8_t* a, const uint8_t* sobel, const uint8_t* gauss, size_t begin, size_t end, int sobel_min,
               int sobel_range, int k, uint8_t* out),
              (a, sobel, gauss, begin, end, sobel_min, sobel_range, k, out))

// The inner pixels of one row of the 5 x 5 Gaussian, from the five rows as
// floats. Each pixel sums its 25 products in the kernel's order; the loop
// runs across pixels, so it vectorizes without reordering a sum.
__attribute__((always_inline)) inline void gauss_row_inner(const float* const* __restrict rows, int w,
                                                            uint8_t* __restrict g)
{
    for (int x = 2; x < w - 2; ++x) {
        float sum = 0.0f;
#pragma GCC unroll 5
        for (int dy = 0; dy < 5; ++dy) {
#pragma GCC unroll 5
            for (int dx = 0; dx < 5; ++dx) {
                sum = sum + kGaussWeights[dy * 5 + dx] * rows[dy][x + dx - 2];
            }
        }
        g[x] = static_cast<uint8_t>(std::min(static_cast<int>(sum), 255));
    }
}

// The Sobel magnitude of pixel x of a row with rows above and below it.
__attribute__((always_inline)) inline uint8_t sobel_pixel(const uint8_t* in, int w, int x)
{
    const uint8_t* up = in - w;
    const uint8_t* down = in + w;
    const int hs = -up[x - 1] + up[x + 1] - 2 * in[x - 1] + 2 * in[x + 1] - down[x - 1] + down[x + 1];
    const int vs = up[x - 1] + 2 * up[x] + up[x + 1] - down[x - 1] - 2 * down[x] - down[x + 1];
    return static_cast<uint8_t>((std::abs(hs) + std::abs(vs)) >> 3);
}

// Built for each processor path, like the row helpers above.
__attribute__((always_inline)) inline void sobel_gauss_rows_plain_body(const uint8_t* a, int w, int h, int row_begin,
                                                                       int row_end, uint8_t* sobel, uint8_t* gauss,
                                                                       int* sobel_min, int* sobel_max)
{
    int lo = 255, hi = 0;
    std::vector<float> ring(5 * static_cast<size_t>(w));
    auto float_row = [&](int r) { return ring.data() + static_cast<size_t>(r % 5) * w; };
    int converted = -1;  // rows up to this one are in the ring
    for (int y = row_begin; y < row_end; ++y) {
        const uint8_t* in = a + static_cast<size_t>(y) * w;
        uint8_t* s = sobel + static_cast<size_t>(y) * w;
        uint8_t* g = gauss + static_cast<size_t>(y) * w;
        // Outer ring: no Sobel, Gaussian = pixel; second ring: Gaussian = pixel.
        std::copy(in, in + w, g);
        std::fill(s, s + w, 0);
        if (y > 0 && y < h - 1) {
            for (int x = 1; x < w - 1; ++x) {
                s[x] = sobel_pixel(in, w, x);
            }
        }
        if (y >= 2 && y < h - 2) {
            // Rows turn into floats once, not once per tap.
            for (int r = std::max(converted, y - 3) + 1; r <= y + 2; ++r) {
                const uint8_t* from = a + static_cast<size_t>(r) * w;
                std::copy(from, from + w, float_row(r));
            }
            converted = y + 2;
            const float* rows[5] = {float_row(y - 2), float_row(y - 1), float_row(y), float_row(y + 1),
                                    float_row(y + 2)};
            gauss_row_inner(rows, w, g);
        }
        for (int x = 0; x < w; ++x) {
            lo = std::min<int>(lo, s[x]);
            hi = std::max<int>(hi, s[x]);
        }
    }
    *sobel_min = lo;
    *sobel_max = hi;
}
VY_ROW_KERNEL(void, sobel_gauss_rows_plain,
              (const uint8_t* a, int w, int h, int row_begin, int row_end, uint8_t* sobel, uint8_t* gauss,
               int* sobel_min, int* sobel_max),
              (a, w, h, row_begin, row_end, sobel, gauss, sobel_min, sobel_max))

// A row, or where inner only its two first and two last pixels (w >= 4).
void copy_outer(const uint8_t* in, int w, bool inner, uint8_t* out)
{
    if (inner) {
        out[0] = in[0];
        out[1] = in[1];
        out[w - 2] = in[w - 2];
        out[w - 1] = in[w - 1];
    } else {
        std::copy(in, in + w, out);
    }
}

// sobel_gauss_rows with the AVX-512 rows (w >= 36). The Gaussian reads the
// pair sums of each row, made once per row rather than once per output row.
void sobel_gauss_rows_avx512(const uint8_t* a, int w, int h, int row_begin, int row_end, uint8_t* sobel,
                             uint8_t* gauss, int* sobel_min, int* sobel_max)
{
    int hi = 0;
    const size_t width = static_cast<size_t>(w);
    // Each array with its pixel 2, where the steps of 32 start, on a cache
    // line: the rows' vectors are then read without line splits.
    const size_t stride = (width + 31) / 32 * 32;
    std::vector<int16_t> store(20 * stride + 32);
    int16_t* first = store.data();
    while ((reinterpret_cast<uintptr_t>(first + 2) & 63) != 0) {
        ++first;
    }
    auto sums_of = [&](int r) {
        int16_t* base = first + static_cast<size_t>(r % 5) * 4 * stride;
        return GaussSums{base, base + stride, base + 2 * stride, base + 3 * stride};
    };
    int summed = -1;  // rows up to this one have their sums in the store
    for (int y = row_begin; y < row_end; ++y) {
        const uint8_t* in = a + static_cast<size_t>(y) * width;
        uint8_t* s = sobel + static_cast<size_t>(y) * width;
        uint8_t* g = gauss + static_cast<size_t>(y) * width;
        // Outside the Gaussian's rows and columns it is the pixel itself.
        const bool inner = y >= 2 && y < h - 2;
        copy_outer(in, w, inner, g);
        if (inner) {
            for (int r = std::max(summed, y - 3) + 1; r <= y + 2; ++r) {
                gauss_sums_avx512(a + static_cast<size_t>(r) * width, w, sums_of(r));
            }
            summed = y + 2;
            const GaussSums sums[5] = {sums_of(y - 2), sums_of(y - 1), sums_of(y), sums_of(y + 1), sums_of(y + 2)};
            // The Sobel reads the sums of its three rows; its first and last
            // pixels lie outside them.
            s[0] = s[w - 1] = 0;
            s[1] = sobel_pixel(in, w, 1);
            s[w - 2] = sobel_pixel(in, w, w - 2);
            hi = std::max({hi, static_cast<int>(s[1]), static_cast<int>(s[w - 2]),
                           sobel_from_sums_avx512(sums[1], sums[2], sums[3], w, s)});
            const uint8_t* rows[5] = {in - 2 * width, in - width, in, in + width, in + 2 * width};
            gauss_row_avx512(sums, rows, w, g);
        } else if (y > 0 && y < h - 1) {
            s[0] = s[w - 1] = 0;
            hi = std::max(hi, sobel_row_avx512(in - w, in, in + w, w, s));
        } else {
            std::fill(s, s + w, 0);
        }
    }
    // Every row holds a 0: the outer column, or all of an outer row.
    *sobel_min = row_begin < row_end ? 0 : 255;
    *sobel_max = hi;
}

}  // namespace

void sobel_gauss_rows(const uint8_t* a, int w, int h, int row_begin, int row_end, uint8_t* sobel, uint8_t* gauss,
                      int* sobel_min, int* sobel_max)
{
    if (avx512_rows() && w >= 36) {
        sobel_gauss_rows_avx512(a, w, h, row_begin, row_end, sobel, gauss, sobel_min, sobel_max);
    } else {
        sobel_gauss_rows_plain(a, w, h, row_begin, row_end, sobel, gauss, sobel_min, sobel_max);
    }
}

namespace {

// sharpen_rows, written to out_rows, which holds row row_begin onwards.
void sharpen_rows_to(const uint8_t* a, const uint8_t* sobel, const uint8_t* gauss, int w, int h, int row_begin,
                     int row_end, int sobel_min, int sobel_max, int strength, uint8_t* out_rows)
{
    const size_t n = static_cast<size_t>(w) * static_cast<size_t>(h);
    const size_t origin = static_cast<size_t>(row_begin) * static_cast<size_t>(w);
    size_t begin = origin;
    size_t end = static_cast<size_t>(row_end) * static_cast<size_t>(w);
    if (sobel_max == sobel_min) {
        std::copy(a + begin, a + end, out_rows);
        return;
    }
    // The first and last pixel of the picture have only one neighbour.
    if (begin == 0 && begin < end) {
        out_rows[0] = a[0];
        ++begin;
    }
    if (end == n && begin < end) {
        out_rows[n - 1 - origin] = a[n - 1];
        --end;
    }
    if (begin < end) {
        // Offset pointers: a[i - 1] and a[i + 1] stay inside the picture.
        const int k = strength * 128 / 100;
        size_t done = 0;
        if (avx512_byte_lookup() && k >= 0 && k <= 128) {
            // The scaled edge strength of every Sobel value the picture holds.
            uint8_t s_of_sobel[256];
            for (int v = 0; v < 256; ++v) {
                const int inside = std::clamp(v, sobel_min, sobel_max) - sobel_min;
                s_of_sobel[v] = static_cast<uint8_t>(exact_quotient(inside * 255, sobel_max - sobel_min));
            }
            done = sharpen_span_avx512(a + begin, sobel + begin, gauss + begin, end - begin, s_of_sobel, k,
                                       out_rows + (begin - origin));
        }
        sharpen_span(a + begin, sobel + begin, gauss + begin, done, end - begin, sobel_min, sobel_max - sobel_min, k,
                     out_rows + (begin - origin));
    }
}

// blur_rows from s_rows, which holds row s_first onwards of the sharpened
// picture (at least rows row_begin - 2 .. row_end + 1 inside the picture).
void blur_rows_from(const uint8_t* s_rows, int s_first, int w, int h, int row_begin, int row_end,
                    const int32_t shifts[25], bool stabilize, bool first_frame, uint16_t* last,
                    const ShakeTables& shake, uint8_t* out)
{
    const bool plain = std::all_of(shifts, shifts + 25, [](int32_t shift) { return shift == 0; });
    const size_t width = static_cast<size_t>(w);
    // The AVX-512 blur reads rows biased to signed bytes, each row once.
    const bool wide = plain && avx512_byte_lookup() && w >= 68;
    std::vector<uint8_t> biased(wide ? 5 * width : 0);
    auto biased_of = [&](int r) { return biased.data() + static_cast<size_t>(r % 5) * width; };
    int done = -1;  // rows up to this one are biased
    for (int y = row_begin; y < row_end; ++y) {
        const size_t row = static_cast<size_t>(y) * width;
        const uint8_t* centre = s_rows + static_cast<size_t>(y - s_first) * width;
        // The two outer rings keep their values.
        const bool inner = y >= 2 && y < h - 2 && w > 4;
        if (wide) {
            copy_outer(centre, w, inner, out + row);
        } else {
            std::copy(centre, centre + w, out + row);
        }
        if (inner) {
            if (wide) {
                for (int r = std::max(done, y - 3) + 1; r <= y + 2; ++r) {
                    bias_row_avx512(s_rows + static_cast<size_t>(r - s_first) * width, w, biased_of(r));
                }
                done = y + 2;
                const uint8_t* rows[5] = {biased_of(y - 2), biased_of(y - 1), biased_of(y), biased_of(y + 1),
                                          biased_of(y + 2)};
                blur_row_avx512(rows, w, out + row);
            } else if (plain) {
                blur_row_plain(centre, w, 2, out + row);
            } else {
                blur_row_shifted(centre, w, shifts, out + row);
            }
        }
        if (stabilize) {
            shake_rows(out + row, w, 0, 1, first_frame, last + row, shake, out + row);
        }
    }
}

}  // namespace

void sharpen_rows(const uint8_t* a, const uint8_t* sobel, const uint8_t* gauss, int w, int h, int row_begin,
                  int row_end, int sobel_min, int sobel_max, int strength, uint8_t* out)
{
    sharpen_rows_to(a, sobel, gauss, w, h, row_begin, row_end, sobel_min, sobel_max, strength,
                    out + static_cast<size_t>(row_begin) * static_cast<size_t>(w));
}

void blur_rows(const uint8_t* s, int w, int h, int row_begin, int row_end, const int32_t shifts[25], bool stabilize,
               bool first_frame, uint16_t* last, const ShakeTables& shake, uint8_t* out)
{
    blur_rows_from(s, 0, w, h, row_begin, row_end, shifts, stabilize, first_frame, last, shake, out);
}

void shake_rows(const uint8_t* in, int w, int row_begin, int row_end, bool first_frame, uint16_t* last,
                const ShakeTables& shake, uint8_t* out)
{
    for (int i = row_begin * w; i < row_end * w; ++i) {
        out[i] = shake_pixel(in[i], first_frame, &last[i], shake);
    }
}

// --- engine -------------------------------------------------------------------

ImageSharpenBlur::ImageSharpenBlur() = default;

ImageSharpenBlur::~ImageSharpenBlur() = default;

bool ImageSharpenBlur::init(bool try_opencl, int workers)
{
    std::lock_guard<std::mutex> guard(lock_);
    filter_tables();
    stabilization_tables();
    requested_workers_ = workers;
    if (try_opencl) {
        opencl_ = OpenClEngine::create();
        if (opencl_) {
            return true;
        }
    }
    return ensure_workers();
}

bool ImageSharpenBlur::ensure_workers()
{
    if (workers_ > 0) {
        return true;
    }
    // One picture's filter takes a few cores, not all of them: the other
    // pictures and the program's own threads keep theirs.
    int count = requested_workers_ > 0 ? requested_workers_ : std::min(opencl_cpu_compute_units(), kMostWorkers);
    workers_ = std::clamp(count, 1, 64);
    logline_print(1, kModule, __FILE__, __LINE__, "ImageSharpenBlur::init", "filtering on %d CPU workers", workers_);
    return true;
}

void ImageSharpenBlur::set_stabilization(bool on)
{
    std::lock_guard<std::mutex> guard(lock_);
    stabilization_ = on;
    last_valid_ = false;
}

void ImageSharpenBlur::resize(int width, int height)
{
    if (width == width_ && height == height_) {
        return;
    }
    const size_t n = static_cast<size_t>(width) * static_cast<size_t>(height);
    // Release first so a larger picture never holds both sizes at once.
    ScratchVector<uint8_t>().swap(sobel_);
    ScratchVector<uint8_t>().swap(gauss_);
    ScratchVector<uint8_t>().swap(input_);
    bands_.clear();
    ScratchVector<uint16_t>().swap(last_);
    sobel_.resize(n);
    gauss_.resize(n);
    input_.resize(n);
    last_.resize(n);
    width_ = width;
    height_ = height;
    last_valid_ = false;
}

bool ImageSharpenBlur::sharpen_and_blur(uint8_t* plane, int width, int height, int strength, bool first_frame)
{
    if (plane == nullptr || width <= 0 || height <= 0) {
        return false;
    }
    std::lock_guard<std::mutex> guard(lock_);
    if (opencl_ && run_opencl(plane, width, height, strength, first_frame, true)) {
        return true;
    }
    return run_cpu(plane, width, height, strength, first_frame, true);
}

bool ImageSharpenBlur::stabilize(uint8_t* plane, int width, int height, bool first_frame)
{
    if (plane == nullptr || width <= 0 || height <= 0) {
        return false;
    }
    std::lock_guard<std::mutex> guard(lock_);
    if (opencl_ && run_opencl(plane, width, height, 0, first_frame, false)) {
        return true;
    }
    return run_cpu(plane, width, height, 0, first_frame, false);
}

bool ImageSharpenBlur::run_opencl(uint8_t* plane, int width, int height, int strength, bool first_frame, bool blur)
{
    const bool first = first_frame || !opencl_->has_history(width, height);
    if (opencl_->run(plane, width, height, strength, stabilization_, first, blur)) {
        opencl_failures_ = 0;
        return true;
    }
    if (++opencl_failures_ >= kOpenClFailureLimit) {
        logline_print(4, kModule, __FILE__, __LINE__, "ImageSharpenBlur::sharpen_data_opencl",
                      "OpenCL failed %d times, filtering on CPU workers from now on", opencl_failures_);
        opencl_.reset();
    }
    return false;
}

bool ImageSharpenBlur::run_cpu(uint8_t* plane, int width, int height, int strength, bool first_frame, bool blur)
{
    ensure_workers();
    const int workers = workers_for(workers_, static_cast<int64_t>(width) * height);
    const BorrowedPool pool(workers);
    resize(width, height);
    const bool first = first_frame || !last_valid_;
    const ShakeTables shake = stabilization_tables();
    int32_t shifts[25];
    blur_shifts(stabilization_, shifts);
    // The rows are cut into a few strips per worker and dealt out one at a
    // time: a worker that wakes late from its sleep between frames finds its
    // share taken by the others instead of holding up the frame.
    const int strips = workers == 1 ? 1 : std::min(height, workers * kStripsPerWorker);
    const int rows = height / strips;
    auto strip = [&](int index, int* begin, int* end) {
        *begin = index * rows;
        *end = index == strips - 1 ? height : *begin + rows;
    };
    if (!blur) {
        deal_strips(pool.operator->(), strips, [&](int, int index) {
            int b, e;
            strip(index, &b, &e);
            // Each pixel reads only itself: stabilized in place.
            shake_rows(plane, width, b, e, first, last_.data(), shake, plane);
        });
    } else {
        // Two passes in one run: the edges and the Gaussian (with a copy of
        // the input, which the second pass reads while the blur overwrites
        // the plane), then, once every strip is done and the edge range
        // known, sharpen and blur strip by strip. A strip sharpens the two
        // rows above and below it as well, into its worker's buffer, so no
        // strip waits on a neighbour's sharpen. A worker first takes the
        // strips whose rows it made in the first pass (still in its cache),
        // then whatever the others left.
        std::vector<StripSlot> slots(static_cast<size_t>(strips));
        StripCount done;
        bands_.resize(static_cast<size_t>(workers));
        // One strip is sharpened whole before the blur writes a row, so it
        // reads the plane itself rather than a copy.
        const uint8_t* unfiltered = strips == 1 ? plane : input_.data();
        auto second = [&](int worker, int index, int lo, int hi) {
            if (!claim(slots[static_cast<size_t>(index)].taken)) {
                return;
            }
            int b, e;
            strip(index, &b, &e);
            if (b >= e) {
                return;
            }
            const int top = std::max(0, b - 2), bottom = std::min(height, e + 2);
            ScratchVector<uint8_t>& band = bands_[static_cast<size_t>(worker)];
            band.resize(static_cast<size_t>(bottom - top) * width);
            sharpen_rows_to(unfiltered, sobel_.data(), gauss_.data(), width, height, top, bottom, lo, hi, strength,
                            band.data());
            blur_rows_from(band.data(), top, width, height, b, e, shifts, stabilization_, first, last_.data(), shake,
                           plane);
        };
        pool->run([&](int worker) {
            // The rows this worker made in the last frame first: their
            // buffers are likely still in its cache.
            for (int step = 0; step < strips; ++step) {
                const int index = (worker * kStripsPerWorker + step) % strips;
                StripSlot& slot = slots[static_cast<size_t>(index)];
                if (!claim(slot.made)) {
                    continue;
                }
                int b, e;
                strip(index, &b, &e);
                if (b < e) {
                    const size_t from = static_cast<size_t>(b) * width, to = static_cast<size_t>(e) * width;
                    if (strips > 1) {
                        std::copy(plane + from, plane + to, input_.data() + from);
                    }
                    sobel_gauss_rows(plane, width, height, b, e, sobel_.data(), gauss_.data(), &slot.lo, &slot.hi);
                }
                slot.maker = worker;
                done.add_one(strips);
            }
            // Every strip not yet made is being made by a worker inside the
            // run, a strip's time at most unless it was preempted.
            done.wait_for(strips);
            int lo = 255, hi = 0;
            for (const StripSlot& slot : slots) {
                lo = std::min(lo, slot.lo);
                hi = std::max(hi, slot.hi);
            }
            for (int index = 0; index < strips; ++index) {
                if (slots[static_cast<size_t>(index)].maker == worker) {
                    second(worker, index, lo, hi);
                }
            }
            for (int step = 0; step < strips; ++step) {
                second(worker, (worker * kStripsPerWorker + step) % strips, lo, hi);
            }
        });
    }
    if (stabilization_) {
        last_valid_ = true;
    }
    return true;
}

}  // namespace palettor::detail
