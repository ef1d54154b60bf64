// CPU path of the filter engine: the row functions the workers run, the
// worker pool and the engine's choice between OpenCL and the workers.
// Built with -ffp-contract=off so that the float sums round exactly as the
// kernels' do.
#include "sharpen_blur.h"

#include "logline.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace palettor::detail {

namespace {

const char kModule[] = "image_process";

// 5 x 5 Gaussian weights, row-major; the kernels carry the same literals.
const float kGauss[25] = {0.0037f, 0.0147f, 0.0256f, 0.0147f, 0.0037f,  //
                          0.0147f, 0.0586f, 0.0952f, 0.0586f, 0.0147f,  //
                          0.0256f, 0.0952f, 0.1502f, 0.0952f, 0.0256f,  //
                          0.0147f, 0.0586f, 0.0952f, 0.0586f, 0.0147f,  //
                          0.0037f, 0.0147f, 0.0262f, 0.0147f, 0.0037f};

// Repeated OpenCL failures switch the device off for the engine's life.
constexpr int kOpenClFailureLimit = 3;

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

}  // namespace

void sobel_gauss_rows(const uint8_t* a, int w, int h, int row_begin, int row_end, uint8_t* sobel,
                      uint8_t* gauss, int* sobel_min, int* sobel_max)
{
    int lo = 255, hi = 0;
    for (int y = row_begin; y < row_end; ++y) {
        const uint8_t* in = a + static_cast<size_t>(y) * w;
        uint8_t* s = sobel + static_cast<size_t>(y) * w;
        uint8_t* g = gauss + static_cast<size_t>(y) * w;
        // Outer ring: no Sobel, Gaussian = pixel; second ring: Gaussian = pixel.
        std::copy(in, in + w, g);
        std::fill(s, s + w, 0);
        if (y > 0 && y < h - 1) {
            const uint8_t* up = in - w;
            const uint8_t* down = in + w;
            for (int x = 1; x < w - 1; ++x) {
                const int hs = -up[x - 1] + up[x + 1] - 2 * in[x - 1] + 2 * in[x + 1] - down[x - 1] + down[x + 1];
                const int vs = up[x - 1] + 2 * up[x] + up[x + 1] - down[x - 1] - 2 * down[x] - down[x + 1];
                s[x] = static_cast<uint8_t>((std::abs(hs) + std::abs(vs)) >> 3);
            }
        }
        if (y >= 2 && y < h - 2) {
            // Each pixel sums its 25 products in the kernel's order; the loop
            // runs across pixels, so it vectorizes without reordering a sum.
            for (int x = 2; x < w - 2; ++x) {
                float sum = 0.0f;
                for (int dy = -2; dy <= 2; ++dy) {
                    const uint8_t* line = in + dy * w + x;
                    for (int dx = -2; dx <= 2; ++dx) {
                        sum = sum + kGauss[(dy + 2) * 5 + dx + 2] * static_cast<float>(line[dx]);
                    }
                }
                g[x] = static_cast<uint8_t>(std::min(static_cast<int>(sum), 255));
            }
        }
        for (int x = 0; x < w; ++x) {
            lo = std::min<int>(lo, s[x]);
            hi = std::max<int>(hi, s[x]);
        }
    }
    *sobel_min = lo;
    *sobel_max = hi;
}

void sharpen_rows(const uint8_t* a, const uint8_t* sobel, const uint8_t* gauss, int w, int h, int row_begin,
                  int row_end, int sobel_min, int sobel_max, int strength, uint8_t* out)
{
    const FilterTables& t = filter_tables();
    const int n = w * h;
    const int k = strength * 128 / 100;
    for (int i = row_begin * w; i < row_end * w; ++i) {
        const int p = a[i];
        if (i == 0 || i == n - 1 || sobel_max == sobel_min) {
            out[i] = static_cast<uint8_t>(p);
            continue;
        }
        // A lone spike (hot or dead pixel) is left alone rather than amplified.
        if (std::abs(p - a[i - 1]) > 3 && std::abs(p - a[i + 1]) > 3) {
            out[i] = static_cast<uint8_t>(p);
            continue;
        }
        const int s = (sobel[i] - sobel_min) * 255 / (sobel_max - sobel_min);
        const float depth = t.depth[s];
        const int value = static_cast<int>(depth * static_cast<float>(gauss[i]));
        const float tf = (depth + 1.0f) * static_cast<float>(p) - static_cast<float>(value);
        const int tv = tf > 0.0f ? static_cast<int>(tf) : 0;
        out[i] = static_cast<uint8_t>(std::clamp((tv * k + p * (128 - k)) >> 7, 0, 255));
    }
}

void blur_rows(const uint8_t* s, int w, int h, int row_begin, int row_end, const int32_t shifts[25], bool stabilize,
               bool first_frame, uint16_t* last, const ShakeTables& shake, uint8_t* out)
{
    const FilterTables& t = filter_tables();
    for (int y = row_begin; y < row_end; ++y) {
        for (int x = 0; x < w; ++x) {
            const int i = y * w + x;
            int value = s[i];
            if (x >= 2 && y >= 2 && x < w - 2 && y < h - 2) {
                // Integer sums: the order does not change the result, and
                // n * weight equals the kernels' product-table entry.
                int num = 0, den = 0;
                const int32_t* weight = t.range_weight + 255 - value;
                for (int dy = -2; dy <= 2; ++dy) {
                    const uint8_t* line = s + i + dy * w;
                    const int32_t* shift = shifts + (dy + 2) * 5 + 2;
                    for (int dx = -2; dx <= 2; ++dx) {
                        const int n = line[dx];
                        const int wd = weight[n] << shift[dx];
                        num += n * wd;
                        den += wd;
                    }
                }
                value = num / den;
            }
            out[i] = stabilize ? shake_pixel(value, first_frame, &last[i], shake) : static_cast<uint8_t>(value);
        }
    }
}

void shake_rows(const uint8_t* in, int w, int row_begin, int row_end, bool first_frame, uint16_t* last,
                const ShakeTables& shake, uint8_t* out)
{
    for (int i = row_begin * w; i < row_end * w; ++i) {
        out[i] = shake_pixel(in[i], first_frame, &last[i], shake);
    }
}

// --- worker pool --------------------------------------------------------------

WorkerPool::WorkerPool(int count)
{
    for (int i = 0; i < count; ++i) {
        threads_.emplace_back(&WorkerPool::loop, this, i);
    }
}

WorkerPool::~WorkerPool()
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        stop_ = true;
    }
    start_.notify_all();
    for (std::thread& t : threads_) {
        t.join();
    }
}

void WorkerPool::run(const std::function<void(int)>& job)
{
    std::unique_lock<std::mutex> guard(mutex_);
    job_ = &job;
    pending_ = count();
    ++generation_;
    start_.notify_all();
    done_.wait(guard, [this] { return pending_ == 0; });
    job_ = nullptr;
}

void WorkerPool::loop(int index)
{
    uint64_t seen = 0;
    std::unique_lock<std::mutex> guard(mutex_);
    for (;;) {
        start_.wait(guard, [&] { return stop_ || generation_ != seen; });
        if (stop_) {
            return;
        }
        seen = generation_;
        const std::function<void(int)>* job = job_;
        guard.unlock();
        (*job)(index);
        guard.lock();
        if (--pending_ == 0) {
            done_.notify_all();
        }
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
    if (pool_) {
        return true;
    }
    int count = requested_workers_ > 0 ? requested_workers_ : opencl_cpu_compute_units();
    count = std::clamp(count, 1, 64);
    pool_ = std::make_unique<WorkerPool>(count);
    logline_print(1, kModule, __FILE__, __LINE__, "ImageSharpenBlur::init", "filtering on %d CPU workers", count);
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
    std::vector<uint8_t>().swap(sobel_);
    std::vector<uint8_t>().swap(gauss_);
    std::vector<uint8_t>().swap(sharp_);
    std::vector<uint8_t>().swap(out_);
    std::vector<uint16_t>().swap(last_);
    sobel_.resize(n);
    gauss_.resize(n);
    sharp_.resize(n);
    out_.resize(n);
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
    resize(width, height);
    const bool first = first_frame || !last_valid_;
    const ShakeTables shake = stabilization_tables();
    int32_t shifts[25];
    blur_shifts(stabilization_, shifts);
    const int workers = pool_->count();
    const int rows = height / workers;
    auto strip = [&](int worker, int* begin, int* end) {
        *begin = worker * rows;
        *end = worker == workers - 1 ? height : *begin + rows;
    };
    if (!blur) {
        pool_->run([&](int worker) {
            int b, e;
            strip(worker, &b, &e);
            shake_rows(plane, width, b, e, first, last_.data(), shake, out_.data());
        });
    } else {
        std::vector<int> mins(workers, 255), maxs(workers, 0);
        pool_->run([&](int worker) {
            int b, e;
            strip(worker, &b, &e);
            if (b < e) {
                sobel_gauss_rows(plane, width, height, b, e, sobel_.data(), gauss_.data(), &mins[worker], &maxs[worker]);
            }
        });
        const int lo = *std::min_element(mins.begin(), mins.end());
        const int hi = *std::max_element(maxs.begin(), maxs.end());
        pool_->run([&](int worker) {
            int b, e;
            strip(worker, &b, &e);
            sharpen_rows(plane, sobel_.data(), gauss_.data(), width, height, b, e, lo, hi, strength, sharp_.data());
        });
        pool_->run([&](int worker) {
            int b, e;
            strip(worker, &b, &e);
            blur_rows(sharp_.data(), width, height, b, e, shifts, stabilization_, first, last_.data(), shake,
                      out_.data());
        });
    }
    if (stabilization_) {
        last_valid_ = true;
    }
    std::memcpy(plane, out_.data(), static_cast<size_t>(width) * static_cast<size_t>(height));
    return true;
}

}  // namespace palettor::detail
