#include "noise_pool.h"

#include "kernel_path.h"
#include "spare_processors.h"
#include "spin_wait.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <cstddef>
#include <chrono>
#include <cstdlib>
#include <system_error>
#include <vector>

namespace framekit {
namespace detail {

namespace {

constexpr int kHalfWindowX = 16;
constexpr int kHalfWindowY = 4;

int column_threshold(int row_length)
{
    return row_length == 640 ? 10 : 20;
}

int row_threshold(int row_length)
{
    return row_length == 640 ? 15 : 25;
}

bool filter_size_ok(uint16_t width, uint16_t height)
{
    return width >= 2 * kHalfWindowX + 1 && height >= 2 * kHalfWindowY + 1;
}

int8_t mean_correction(int64_t sum, int64_t count)
{
    // Every counted difference is below the threshold, so the mean fits.
    return count == 0 ? 0 : static_cast<int8_t>(sum / count);
}

// A difference d = neighbour - pixel is taken when |d| < threshold. With
// pixel - (threshold - 1) subtracted instead of the pixel, the biased
// difference, as an unsigned 16-bit value, is below 2 * threshold - 1
// exactly for the taken ones, whatever wraps: one subtraction and one
// compare per neighbour, branch-free on 16-bit lanes, so the time does not
// depend on the noise. The bias comes off once per sum; the sums are exact
// integers, so their order does not matter.
struct Take {
    explicit Take(int threshold)
        : bias(static_cast<uint16_t>(threshold - 1)), span(static_cast<uint16_t>(2 * threshold - 1))
    {
    }
    uint16_t bias;
    uint16_t span;
};

// Adds the biased taken differences of one row to the per-column sums and
// counts of columns [first, last). One row gives a column at most 32 terms
// below 2 * 25, which fits 16 bits.
__attribute__((always_inline)) inline void column_row_terms_body(const uint16_t* __restrict row, int first, int last,
                                                                 Take take, int32_t* __restrict sums,
                                                                 int32_t* __restrict counts)
{
    for (int c = first; c < last; ++c) {
        const uint16_t base = static_cast<uint16_t>(row[c] - take.bias);
        uint16_t sum = 0, count = 0;
#pragma GCC unroll 16
        for (int k = 1; k <= kHalfWindowX; ++k) {
            for (const uint16_t neighbour : {row[c - k], row[c + k]}) {
                const uint16_t d = static_cast<uint16_t>(neighbour - base);
                const bool taken = d < take.span;
                sum = static_cast<uint16_t>(sum + (taken ? d : 0));
                count = static_cast<uint16_t>(count + taken);
            }
        }
        sums[c - first] += sum;
        counts[c - first] += count;
    }
}
VY_ROW_KERNEL(void, column_row_terms,
              (const uint16_t* __restrict row, int first, int last, Take take, int32_t* __restrict sums,
               int32_t* __restrict counts),
              (row, first, last, take, sums, counts))

#if defined(__x86_64__)
const bool kWordLanes = __builtin_cpu_supports("avx512bw");

// The AVX-512 rows below run only on the AVX-512 path (kernel_path.h).
bool word_lanes()
{
    return kWordLanes && vybase::kernel_path() == vybase::KernelPath::avx512;
}

// GCC 12 warns about the intrinsics' own undefined registers.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

// column_row_terms over rows [y_begin, y_end), at most 16 of them, 32 columns
// a step where AVX-512BW is present: per neighbour one subtraction, one
// compare into a mask and two masked additions, and the 16-bit sums of up to
// 16 rows (16 x 32 x 48 at most) are widened once. Returns the first column
// left.
__attribute__((target("avx512f,avx512bw"))) int column_rows_terms_wide(const uint16_t* plane, int width,
                                                                      int y_begin, int y_end, int first, int last,
                                                                      Take take, int32_t* sums, int32_t* counts)
{
    const __m512i bias = _mm512_set1_epi16(static_cast<int16_t>(take.bias));
    const __m512i span = _mm512_set1_epi16(static_cast<int16_t>(take.span));
    const __m512i minus_one = _mm512_set1_epi16(-1);
    int c = first;
    for (; c + 32 <= last; c += 32) {
        // Left and right neighbours in separate sums: two shorter chains.
        __m512i sum_left = _mm512_setzero_si512(), sum_right = sum_left;
        __m512i count_left = sum_left, count_right = sum_left;
        for (int y = y_begin; y < y_end; ++y) {
            const uint16_t* row = plane + static_cast<std::size_t>(y) * width + c;
            const __m512i base = _mm512_sub_epi16(_mm512_loadu_si512(row), bias);
#pragma GCC unroll 16
            for (int k = 1; k <= kHalfWindowX; ++k) {
                const __m512i left = _mm512_sub_epi16(_mm512_loadu_si512(row - k), base);
                const __mmask32 take_left = _mm512_cmplt_epu16_mask(left, span);
                sum_left = _mm512_mask_add_epi16(sum_left, take_left, sum_left, left);
                count_left = _mm512_mask_sub_epi16(count_left, take_left, count_left, minus_one);
                const __m512i right = _mm512_sub_epi16(_mm512_loadu_si512(row + k), base);
                const __mmask32 take_right = _mm512_cmplt_epu16_mask(right, span);
                sum_right = _mm512_mask_add_epi16(sum_right, take_right, sum_right, right);
                count_right = _mm512_mask_sub_epi16(count_right, take_right, count_right, minus_one);
            }
        }
        const __m512i sum = _mm512_add_epi16(sum_left, sum_right);
        const __m512i count = _mm512_add_epi16(count_left, count_right);
        for (int half = 0; half < 2; ++half) {
            int32_t* s = sums + (c - first) + 16 * half;
            int32_t* n = counts + (c - first) + 16 * half;
            const __m256i sum_half = half ? _mm512_extracti64x4_epi64(sum, 1) : _mm512_castsi512_si256(sum);
            const __m256i count_half = half ? _mm512_extracti64x4_epi64(count, 1) : _mm512_castsi512_si256(count);
            _mm512_storeu_si512(s, _mm512_add_epi32(_mm512_loadu_si512(s), _mm512_cvtepu16_epi32(sum_half)));
            _mm512_storeu_si512(n, _mm512_add_epi32(_mm512_loadu_si512(n), _mm512_cvtepu16_epi32(count_half)));
        }
    }
    return c;
}

#pragma GCC diagnostic pop
#else
bool word_lanes()
{
    return false;
}
int column_rows_terms_wide(const uint16_t*, int, int, int, int first, int, Take, int32_t*, int32_t*)
{
    return first;
}
#endif

// Corrections of columns [first, last) from the pixels' left and right neighbours.
void column_band(const uint16_t* plane, int width, int height, int first, int last, int8_t* out)
{
    if (first >= last) {
        return;
    }
    // A column's sum stays below 65536 rows x 32 terms x 2 x the threshold.
    std::vector<int32_t> sums(static_cast<std::size_t>(last - first), 0);
    std::vector<int32_t> counts(sums.size(), 0);
    const Take take(column_threshold(width));
    int done = first;  // columns before this one are summed over all rows
    if (word_lanes()) {
        for (int y = 0; y < height; y += 16) {
            done = column_rows_terms_wide(plane, width, y, std::min(height, y + 16), first, last, take, sums.data(),
                                          counts.data());
        }
    }
    for (int y = 0; y < height && done < last; ++y) {
        column_row_terms(plane + static_cast<std::size_t>(y) * width, done, last, take, sums.data() + (done - first),
                         counts.data() + (done - first));
    }
    for (int c = first; c < last; ++c) {
        const int64_t count = counts[c - first];
        out[c] = mean_correction(sums[c - first] - take.bias * count, count);
    }
}

// Sum and count of the taken differences of one row to the rows 1 to 4
// above and below, branch-free across the row.
__attribute__((always_inline)) inline void row_terms_body(const uint16_t* __restrict row, int width, Take take,
                                                          int64_t* sum, int64_t* count)
{
    int32_t s = 0, n = 0;  // a row of at most 65535 pixels keeps both within 32 bits
    for (int x = 0; x < width; ++x) {
        const uint16_t base = static_cast<uint16_t>(row[x] - take.bias);
        uint16_t lane_sum = 0, lane_count = 0;
#pragma GCC unroll 4
        for (int k = 1; k <= kHalfWindowY; ++k) {
            // Signed: the rows above lie before the row's pointer.
            const std::ptrdiff_t offset = static_cast<std::ptrdiff_t>(k) * width;
            for (const uint16_t neighbour : {row[x - offset], row[x + offset]}) {
                const uint16_t d = static_cast<uint16_t>(neighbour - base);
                const bool taken = d < take.span;
                lane_sum = static_cast<uint16_t>(lane_sum + (taken ? d : 0));
                lane_count = static_cast<uint16_t>(lane_count + taken);
            }
        }
        s += lane_sum;
        n += lane_count;
    }
    *sum += s - static_cast<int32_t>(take.bias) * n;
    *count += n;
}
VY_ROW_KERNEL(void, row_terms, (const uint16_t* __restrict row, int width, Take take, int64_t* sum, int64_t* count),
              (row, width, take, sum, count))

// Corrections of rows [first, last) from the pixels' upper and lower neighbours.
void row_band(const uint16_t* plane, int width, int first, int last, int8_t* out)
{
    const Take take(row_threshold(width));
    for (int r = first; r < last; ++r) {
        int64_t sum = 0;
        int64_t count = 0;
        row_terms(plane + static_cast<std::size_t>(r) * width, width, take, &sum, &count);
        out[r] = mean_correction(sum, count);
    }
}

// Band `index` of `bands` over [first, last): equal shares rounded up to a
// multiple of `step`, the last takes the rest (bands past the end are empty).
void band_of(int first, int last, unsigned index, unsigned bands, int step, int* begin, int* end)
{
    int share = (last - first + static_cast<int>(bands) - 1) / static_cast<int>(bands);
    share = (share + step - 1) / step * step;
    *begin = std::min(last, first + share * static_cast<int>(index));
    *end = index + 1 == bands ? last : std::min(last, *begin + share);
}

// Columns go to the bands in whole vectors of 16-bit lanes: a band's odd
// columns at the end run one by one, at many times the cost.
constexpr int kColumnStep = 32;

// Share `index` of `bands`: its band of columns and its band of rows. Both
// read the unchanged plane, so one pass computes all corrections.
void run_share(const uint16_t* plane, int width, int height, unsigned index, unsigned bands, int8_t* columns,
               int8_t* rows)
{
    int begin = 0;
    int end = 0;
    band_of(kHalfWindowX, width - kHalfWindowX, index, bands, kColumnStep, &begin, &end);
    column_band(plane, width, height, begin, end, columns);
    band_of(kHalfWindowY, height - kHalfWindowY, index, bands, 1, &begin, &end);
    row_band(plane, width, begin, end, rows);
}

// Corrections are added with saturation: a wrap would turn hot pixels cold.
__attribute__((always_inline)) inline void apply_body(uint16_t* __restrict plane, int width, int height,
                                                      const int8_t* __restrict columns, const int8_t* __restrict rows)
{
    for (int y = 0; y < height; ++y) {
        uint16_t* row = plane + static_cast<std::size_t>(y) * width;
        const int row_correction = rows[y];
        for (int x = 0; x < width; ++x) {
            const int value = row[x] + columns[x] + row_correction;
            row[x] = static_cast<uint16_t>(std::min(65535, std::max(0, value)));
        }
    }
}
VY_ROW_KERNEL(void, apply,
              (uint16_t* __restrict plane, int width, int height, const int8_t* __restrict columns,
               const int8_t* __restrict rows),
              (plane, width, height, columns, rows))

// How long the caller, done with its shares, spins while the workers end
// theirs before it sleeps on them.
constexpr auto kSpin = std::chrono::microseconds(50);
// A frame's pass is shared by one member per this many pixels, at most by
// every worker: fewer pixels do not pay for a wake-up.
constexpr std::size_t kPixelsPerMember = 80000;
// Shares of a pass per member: a member that comes late finds the others
// took its share instead of holding the pass up.
constexpr unsigned kSharesPerMember = 2;
// Workers of a pool whose count is not asked for: one frame's filter takes
// a few cores, not all of them.
constexpr unsigned kMostWorkers = 4;

// The claim word of a pass: its generation (low 32 bits) above, the next
// share below.
uint64_t claim_word(uint64_t generation, unsigned share)
{
    return (generation & 0xFFFFFFFFu) << 32 | share;
}

}  // namespace

NoisePool::NoisePool(unsigned workers)
{
    if (workers == 0) {
        // Asked once: every frame makes a pool, and the count is read from /sys.
        static const unsigned processors = std::thread::hardware_concurrency();
        workers = std::min(processors, kMostWorkers);
    }
    worker_count_ = std::min(255u, std::max(1u, workers));
}

NoisePool::~NoisePool()
{
    stop();
}

bool NoisePool::start()
{
    std::lock_guard<std::mutex> filter_lock(filter_mutex_);
    uint64_t start_generation = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (started_) {
            return true;
        }
        stopping_ = false;
        start_generation = generation_;
    }
    try {
        // Share 0 is the caller's own.
        threads_.reserve(worker_count_ - 1);
        for (unsigned i = 1; i < worker_count_; ++i) {
            threads_.emplace_back(&NoisePool::worker_loop, this, start_generation);
        }
    } catch (const std::system_error&) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        work_ready_.notify_all();
        for (std::thread& t : threads_) {
            t.join();
        }
        threads_.clear();
        return false;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    started_ = true;
    return true;
}

void NoisePool::stop()
{
    std::lock_guard<std::mutex> filter_lock(filter_mutex_);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!started_) {
            return;
        }
        stopping_ = true;
        started_ = false;
    }
    work_ready_.notify_all();
    for (std::thread& t : threads_) {
        t.join();
    }
    threads_.clear();
}

bool NoisePool::started() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return started_;
}

void NoisePool::worker_loop(uint64_t seen)
{
    auto woken = [&] {
        return stopping_.load(std::memory_order_acquire) || generation_.load(std::memory_order_acquire) != seen;
    };
    for (;;) {
        {
            // Frames come tens of milliseconds apart: nothing to spin for.
            std::unique_lock<std::mutex> lock(mutex_);
            work_ready_.wait(lock, woken);
        }
        if (stopping_.load(std::memory_order_acquire)) {
            return;
        }
        seen = generation_.load(std::memory_order_acquire);
        run_shares(seen);
    }
}

bool NoisePool::claim(uint64_t generation, unsigned* share)
{
    uint64_t word = claim_.load(std::memory_order_acquire);
    const unsigned shares = shares_.load(std::memory_order_relaxed);
    while (word >> 32 == (generation & 0xFFFFFFFFu) && (word & 0xFFFFFFFFu) < shares) {
        if (claim_.compare_exchange_weak(word, word + 1, std::memory_order_acq_rel, std::memory_order_acquire)) {
            *share = static_cast<unsigned>(word & 0xFFFFFFFFu);
            return true;
        }
    }
    return false;
}

void NoisePool::run_shares(uint64_t generation)
{
    unsigned share = 0;
    while (claim(generation, &share)) {
        // The pass stays as it is until every claimed share is done.
        const Pass pass = pass_;
        run_share(pass.plane, pass.width, pass.height, share, shares_.load(std::memory_order_relaxed), pass.columns,
                  pass.rows);
        if (pending_.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            // Under the lock, so a caller about to sleep sees the count or the notification.
            std::lock_guard<std::mutex> lock(mutex_);
            work_done_.notify_one();
        }
    }
}

void NoisePool::dispatch(const Pass& pass)
{
    const std::size_t pixels = static_cast<std::size_t>(pass.width) * pass.height;
    // No more members than help a frame of this size, and none but the
    // caller while the machine has no processors to spare.
    const unsigned members =
        vybase::spare_processors()
            ? static_cast<unsigned>(std::clamp<std::size_t>(pixels / kPixelsPerMember, 1, threads_.size() + 1))
            : 1;
    if (members == 1) {
        run_share(pass.plane, pass.width, pass.height, 0, 1, pass.columns, pass.rows);
        return;
    }
    pass_ = pass;
    shares_.store(members * kSharesPerMember, std::memory_order_relaxed);
    pending_.store(members * kSharesPerMember, std::memory_order_relaxed);
    uint64_t generation = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        generation = generation_.load(std::memory_order_relaxed) + 1;
        claim_.store(claim_word(generation, 0), std::memory_order_release);
        generation_.store(generation, std::memory_order_release);
    }
    // Only as many helpers as the frame needs are woken.
    for (unsigned i = 1; i < members; ++i) {
        work_ready_.notify_one();
    }
    run_shares(generation);
    auto all_done = [this] { return pending_.load(std::memory_order_acquire) == 0; };
    if (!vybase::spin_until(all_done, kSpin)) {
        std::unique_lock<std::mutex> lock(mutex_);
        work_done_.wait(lock, all_done);
    }
}

bool NoisePool::filter(uint16_t* plane, uint16_t width, uint16_t height)
{
    if (plane == nullptr || !filter_size_ok(width, height)) {
        return false;
    }
    std::lock_guard<std::mutex> filter_lock(filter_mutex_);
    if (!started()) {
        return false;
    }
    column_corrections_.assign(width, 0);
    row_corrections_.assign(height, 0);
    dispatch(Pass{plane, width, height, column_corrections_.data(), row_corrections_.data()});
    apply(plane, width, height, column_corrections_.data(), row_corrections_.data());
    return true;
}

bool NoisePool::filter_single(uint16_t* plane, uint16_t width, uint16_t height)
{
    if (plane == nullptr || !filter_size_ok(width, height)) {
        return false;
    }
    std::vector<int8_t> columns(width, 0);
    std::vector<int8_t> rows(height, 0);
    run_share(plane, width, height, 0, 1, columns.data(), rows.data());
    apply(plane, width, height, columns.data(), rows.data());
    return true;
}

}  // namespace detail
}  // namespace framekit
