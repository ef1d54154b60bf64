#include "noise_pool.h"

#include <algorithm>
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

// Adds |neighbour - pixel| < threshold differences of one row into the
// per-column sums and counts of columns [first, last). Branch-free, so the
// loop runs across columns on vector lanes whatever the noise. A taken
// difference is below the threshold (at most 25), so a column's 32 terms of
// one row fit 16 bits; the distance itself is taken unsigned, so that no
// wrap can pass for a small difference. The sums are exact integers, so the
// order does not matter.
__attribute__((target_clones("avx2", "default"))) void column_row_terms(const uint16_t* __restrict row, int first,
                                                                          int last, int threshold,
                                                                          int32_t* __restrict sums,
                                                                          int32_t* __restrict counts)
{
    const uint16_t limit = static_cast<uint16_t>(threshold);
    for (int c = first; c < last; ++c) {
        const uint16_t pixel = row[c];
        int16_t sum = 0, count = 0;
#pragma GCC unroll 16
        for (int k = 1; k <= kHalfWindowX; ++k) {
            for (const uint16_t neighbour : {row[c - k], row[c + k]}) {
                const uint16_t distance = static_cast<uint16_t>(std::max(neighbour, pixel) - std::min(neighbour, pixel));
                const int16_t take = distance < limit ? 1 : 0;
                sum = static_cast<int16_t>(sum + (take ? static_cast<int16_t>(neighbour - pixel) : 0));
                count = static_cast<int16_t>(count + take);
            }
        }
        sums[c - first] += sum;
        counts[c - first] += count;
    }
}

// Corrections of columns [first, last) from the pixels' left and right neighbours.
void column_band(const uint16_t* plane, int width, int height, int first, int last, int8_t* out)
{
    if (first >= last) {
        return;
    }
    // A column's sum stays below 65536 rows x 32 terms x the threshold.
    std::vector<int32_t> sums(static_cast<std::size_t>(last - first), 0);
    std::vector<int32_t> counts(sums.size(), 0);
    const int threshold = column_threshold(width);
    for (int y = 0; y < height; ++y) {
        column_row_terms(plane + static_cast<std::size_t>(y) * width, first, last, threshold, sums.data(),
                         counts.data());
    }
    for (int c = first; c < last; ++c) {
        out[c] = mean_correction(sums[c - first], counts[c - first]);
    }
}

// Sum and count of the |neighbour - pixel| < threshold differences of row r
// to the rows k above and below, branch-free across the row.
__attribute__((target_clones("avx2", "default"))) void row_terms(const uint16_t* __restrict row,
                                                                   const uint16_t* __restrict up,
                                                                   const uint16_t* __restrict down, int width,
                                                                   int threshold, int64_t* sum, int64_t* count)
{
    int32_t s = 0, n = 0;  // a row of at most 65535 pixels keeps both within 32 bits
    for (int x = 0; x < width; ++x) {
        const int pixel = row[x];
        const int a = up[x] - pixel;
        const int b = down[x] - pixel;
        const int take_a = (a < threshold) & (a > -threshold);
        const int take_b = (b < threshold) & (b > -threshold);
        s += (take_a ? a : 0) + (take_b ? b : 0);
        n += take_a + take_b;
    }
    *sum += s;
    *count += n;
}

// Corrections of rows [first, last) from the pixels' upper and lower neighbours.
void row_band(const uint16_t* plane, int width, int first, int last, int8_t* out)
{
    const int threshold = row_threshold(width);
    for (int r = first; r < last; ++r) {
        int64_t sum = 0;
        int64_t count = 0;
        const uint16_t* row = plane + static_cast<std::size_t>(r) * width;
        for (int k = 1; k <= kHalfWindowY; ++k) {
            row_terms(row, row - static_cast<std::size_t>(k) * width, row + static_cast<std::size_t>(k) * width,
                      width, threshold, &sum, &count);
        }
        out[r] = mean_correction(sum, count);
    }
}

// Band `index` of `bands` over [first, last): equal shares, the last takes the rest.
void band_of(int first, int last, unsigned index, unsigned bands, int* begin, int* end)
{
    int share = (last - first) / static_cast<int>(bands);
    *begin = first + share * static_cast<int>(index);
    *end = index + 1 == bands ? last : *begin + share;
}

void run_band(const uint16_t* plane, int width, int height, int kind, unsigned index, unsigned bands,
              int8_t* out)
{
    int begin = 0;
    int end = 0;
    if (kind == 0) {
        band_of(kHalfWindowX, width - kHalfWindowX, index, bands, &begin, &end);
        column_band(plane, width, height, begin, end, out);
    } else {
        band_of(kHalfWindowY, height - kHalfWindowY, index, bands, &begin, &end);
        row_band(plane, width, begin, end, out);
    }
}

// Corrections are added with saturation: a wrap would turn hot pixels cold.
void apply(uint16_t* plane, int width, int height, const int8_t* columns, const int8_t* rows)
{
    for (int y = 0; y < height; ++y) {
        uint16_t* row = plane + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            int value = row[x] + columns[x] + rows[y];
            row[x] = static_cast<uint16_t>(std::min(65535, std::max(0, value)));
        }
    }
}

}  // namespace

NoisePool::NoisePool(unsigned workers)
{
    if (workers == 0) {
        workers = std::thread::hardware_concurrency();
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
        finished_ = 0;
        start_generation = generation_;
    }
    try {
        threads_.reserve(worker_count_);
        for (unsigned i = 0; i < worker_count_; ++i) {
            threads_.emplace_back(&NoisePool::worker_loop, this, i, start_generation);
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

void NoisePool::worker_loop(unsigned index, uint64_t seen)
{
    for (;;) {
        Pass pass;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            work_ready_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_) {
                return;
            }
            seen = generation_;
            pass = pass_;
        }
        run_band(pass.plane, pass.width, pass.height, pass.kind, index, worker_count_, pass.corrections);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++finished_;
        }
        work_done_.notify_one();
    }
}

void NoisePool::dispatch(const Pass& pass)
{
    std::unique_lock<std::mutex> lock(mutex_);
    pass_ = pass;
    finished_ = 0;
    ++generation_;
    work_ready_.notify_all();
    work_done_.wait(lock, [&] { return finished_ == worker_count_; });
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
    dispatch(Pass{plane, width, height, 0, column_corrections_.data()});
    dispatch(Pass{plane, width, height, 1, row_corrections_.data()});
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
    run_band(plane, width, height, 0, 0, 1, columns.data());
    run_band(plane, width, height, 1, 0, 1, rows.data());
    apply(plane, width, height, columns.data(), rows.data());
    return true;
}

}  // namespace detail
}  // namespace framekit
