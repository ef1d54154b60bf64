// The filter engine of an imaging object: edge-weighted sharpen,
// edge-preserving blur and temporal stabilization of 8-bit palette-index
// pictures, on an OpenCL device when one is usable, else on CPU workers.
#pragma once

#include "scratch_vector.h"
#include "worker_pool.h"

#include <stdint.h>

#include <memory>
#include <mutex>
#include <vector>

namespace palettor::detail {

// --- process-wide tables ----------------------------------------------------

constexpr int kDiffCount = 511;  // differences -255..255, indexed by difference + 255

struct FilterTables {
    float depth[256];               // s / 64
    int32_t range_weight[kDiffCount];  // max(0, 1 - |d| / 25) * 100
    std::vector<int32_t> product;   // value * range_weight, 256 x 511
};

// Built once on first use, never changed afterwards.
const FilterTables& filter_tables();

// range_weight for a difference of d (0..255) as integer arithmetic that
// vectorizes: 100 - 4d, except where (1 - d / 25) * 100 in float falls just
// below the integer and truncates one lower. Int may be 16 bits wide.
template <class Int>
inline Int range_weight_of(Int d)
{
    const Int w = static_cast<Int>(100 - 4 * d - (d == 15) - (d == 18) - (d == 20) - (d == 23));
    return w > 0 ? w : Int(0);
}

struct ShakeTables {
    int16_t step[kDiffCount];       // D: added to the remembered value for the output
    int16_t remember[kDiffCount];   // DL: added to the remembered value
    uint32_t version;               // grows with every rebuild
};

void set_stabilization_tables(int small_step, int mid_step, float factor);
ShakeTables stabilization_tables();

// Shift of the blur weight per position of the 5 x 5 neighbourhood (row-major),
// from the dist coefficients: all 0 with stabilization off.
void blur_shifts(bool stabilization_on, int32_t shifts[25]);

// --- the computation itself, by rows [row_begin, row_end) --------------------
// The CPU workers run these on their strips; the kernels do the same sums in
// the same order, so both paths give the same bytes.

void sobel_gauss_rows(const uint8_t* in, int width, int height, int row_begin, int row_end,
                      uint8_t* sobel, uint8_t* gauss, int* sobel_min, int* sobel_max);
void sharpen_rows(const uint8_t* in, const uint8_t* sobel, const uint8_t* gauss, int width, int height,
                  int row_begin, int row_end, int sobel_min, int sobel_max, int strength, uint8_t* out);
void blur_rows(const uint8_t* in, int width, int height, int row_begin, int row_end, const int32_t shifts[25],
               bool stabilize, bool first_frame, uint16_t* last, const ShakeTables& shake, uint8_t* out);
void shake_rows(const uint8_t* in, int width, int row_begin, int row_end, bool first_frame, uint16_t* last,
                const ShakeTables& shake, uint8_t* out);

// One engine's share of the OpenCL device: its queue, kernels and buffers.
// The context, program and constant tables are shared by all engines.
class OpenClEngine {
public:
    // Null when no usable device (or the set-up failed; logged).
    static std::unique_ptr<OpenClEngine> create();
    ~OpenClEngine();
    OpenClEngine(const OpenClEngine&) = delete;
    OpenClEngine& operator=(const OpenClEngine&) = delete;

    // True when the remembered previous frame matches this picture size.
    bool has_history(int width, int height) const;
    // Sharpen and blur (blur true) or stabilization alone. False leaves the
    // plane untouched.
    bool run(uint8_t* plane, int width, int height, int strength, bool stabilization, bool first_frame, bool blur);

private:
    struct State;
    explicit OpenClEngine(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

class ImageSharpenBlur {
public:
    ImageSharpenBlur();
    ~ImageSharpenBlur();
    ImageSharpenBlur(const ImageSharpenBlur&) = delete;
    ImageSharpenBlur& operator=(const ImageSharpenBlur&) = delete;

    // try_opencl: use an OpenCL device when one is usable. workers: the most
    // CPU workers a filter call uses, 0 for the compute units of the first
    // OpenCL CPU device (4 when that is unknown) up to 4. A call uses no
    // more of them than help a picture of its size. True on either path.
    bool init(bool try_opencl = true, int workers = 0);

    // Filter the plane in place. False leaves it as it was.
    bool sharpen_and_blur(uint8_t* plane, int width, int height, int strength, bool first_frame);
    bool stabilize(uint8_t* plane, int width, int height, bool first_frame);
    void set_stabilization(bool on);

    bool on_opencl() const { return opencl_ != nullptr; }
    int worker_count() const { return workers_; }

private:
    bool run_cpu(uint8_t* plane, int width, int height, int strength, bool first_frame, bool blur);
    bool run_opencl(uint8_t* plane, int width, int height, int strength, bool first_frame, bool blur);
    bool ensure_workers();
    void resize(int width, int height);

    std::mutex lock_;
    std::unique_ptr<OpenClEngine> opencl_;
    int workers_ = 0;  // 0 until the CPU path is chosen; pools are borrowed per call
    int requested_workers_ = 0;
    int opencl_failures_ = 0;
    bool stabilization_ = false;
    int width_ = 0;
    int height_ = 0;
    ScratchVector<uint8_t> sobel_, gauss_, input_;
    std::vector<ScratchVector<uint8_t>> bands_;  // each worker's sharpened band
    ScratchVector<uint16_t> last_;  // written by every first frame
    bool last_valid_ = false;
};

// Compute units of the first CPU device OpenCL reports, 4 when unknown.
int opencl_cpu_compute_units();

}  // namespace palettor::detail
