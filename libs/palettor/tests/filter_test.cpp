// The filter engine: CPU workers and the OpenCL kernels give the same bytes,
// and the filters' documented properties hold.
#include "filter_rows.h"
#include "kernel_path_guard.h"
#include "sharpen_blur.h"
#include "spare_processors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

using namespace palettor::detail;

namespace {

struct Plane {
    const char* name;
    int width;
    int height;
    std::vector<uint8_t> data;
};

// Synthetic index pictures, nonsense included: flat, extremes, spikes, noise.
std::vector<Plane> planes()
{
    std::mt19937 random(1234);
    std::vector<Plane> out;
    auto noise = [&](const char* name, int w, int h, int lo, int hi) {
        std::uniform_int_distribution<int> value(lo, hi);
        Plane p{name, w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h)};
        for (uint8_t& v : p.data) {
            v = static_cast<uint8_t>(value(random));
        }
        out.push_back(p);
    };
    noise("noise_640x512", 640, 512, 0, 255);
    noise("gentle_noise_97x61", 97, 61, 100, 130);
    noise("tiny_3x3", 3, 3, 0, 255);
    noise("single_row_33x1", 33, 1, 0, 255);
    noise("odd_5x7", 5, 7, 0, 255);
    // Near 0 the Gaussian sums lie close to whole numbers, and 35 to 37
    // columns sit at the edge of the vector rows.
    noise("dark_noise_70x40", 70, 40, 0, 2);
    noise("narrow_35x9", 35, 9, 0, 255);
    noise("narrow_36x9", 36, 9, 0, 255);
    noise("narrow_37x9", 37, 9, 90, 140);
    out.push_back({"flat_ones", 40, 12, std::vector<uint8_t>(40 * 12, 1)});
    out.push_back({"flat", 64, 48, std::vector<uint8_t>(64 * 48, 77)});
    Plane extremes{"extremes", 40, 30, std::vector<uint8_t>(40 * 30)};
    for (size_t i = 0; i < extremes.data.size(); ++i) {
        extremes.data[i] = (i / 7) % 2 ? 255 : 0;
    }
    out.push_back(extremes);
    Plane spikes{"spikes", 50, 40, std::vector<uint8_t>(50 * 40, 90)};
    spikes.data[20 * 50 + 25] = 255;
    spikes.data[5 * 50 + 5] = 0;
    out.push_back(spikes);
    Plane ramp{"ramp", 200, 20, std::vector<uint8_t>(200 * 20)};
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 200; ++x) {
            ramp.data[y * 200 + x] = static_cast<uint8_t>(x + y);
        }
    }
    out.push_back(ramp);
    return out;
}

// Frames through one engine: sharpen-and-blur at the usual strength and at
// others, then stabilization on with three more frames, then stabilization
// alone.
std::vector<std::vector<uint8_t>> run_sequence(ImageSharpenBlur& engine, const Plane& p)
{
    std::vector<std::vector<uint8_t>> results;
    std::vector<uint8_t> frame;
    engine.set_stabilization(false);
    for (int strength : {50, 0, 80, 100}) {
        frame = p.data;
        EXPECT_TRUE(engine.sharpen_and_blur(frame.data(), p.width, p.height, strength, true));
        results.push_back(frame);
    }
    engine.set_stabilization(true);
    for (int i = 0; i < 3; ++i) {
        frame = p.data;
        for (size_t k = 0; k < frame.size(); k += 3) {
            frame[k] = static_cast<uint8_t>(frame[k] + i);  // small flicker
        }
        EXPECT_TRUE(engine.sharpen_and_blur(frame.data(), p.width, p.height, 50, i == 0));
        results.push_back(frame);
    }
    for (int i = 0; i < 2; ++i) {
        frame = p.data;
        frame[0] = static_cast<uint8_t>(frame[0] + 40 * i);
        EXPECT_TRUE(engine.stabilize(frame.data(), p.width, p.height, false));
        results.push_back(frame);
    }
    return results;
}

// Opts in to CPU OpenCL devices (PoCL) and starts the engine on the device.
bool start_on_device(ImageSharpenBlur& engine)
{
    setenv("PYRAVUE_OPENCL_DEVICE", "any", 1);
    return engine.init(true) && engine.on_opencl();
}

const char kNoDevice[] = "no OpenCL device (GPU, or any device with PYRAVUE_OPENCL_DEVICE=any); CPU path only";

}  // namespace

TEST(filter, cpu_and_opencl_give_identical_bytes)
{
    ImageSharpenBlur device;
    if (!start_on_device(device)) {
        GTEST_SKIP() << kNoDevice;
    }
    for (const Plane& p : planes()) {
        SCOPED_TRACE(p.name);
        ImageSharpenBlur cpu;
        ASSERT_TRUE(cpu.init(false, 3));
        ImageSharpenBlur gpu;
        ASSERT_TRUE(gpu.init(true));
        ASSERT_TRUE(gpu.on_opencl());
        const auto a = run_sequence(cpu, p);
        const auto b = run_sequence(gpu, p);
        ASSERT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i], b[i]) << "frame " << i;
        }
    }
}

TEST(filter, rebuilt_stabilization_tables_reach_the_device)
{
    ImageSharpenBlur gpu;
    if (!start_on_device(gpu)) {
        GTEST_SKIP() << kNoDevice;
    }
    ImageSharpenBlur cpu;
    ASSERT_TRUE(cpu.init(false, 2));
    const std::vector<Plane> all = planes();
    const Plane& p = all[1];
    run_sequence(cpu, p);
    run_sequence(gpu, p);
    set_stabilization_tables(4, 9, 0.5f);
    EXPECT_EQ(run_sequence(cpu, p), run_sequence(gpu, p));
    set_stabilization_tables(2, 2, 0.3f);
}

TEST(filter, worker_counts_give_identical_bytes)
{
    vybase::assume_spare_processors();  // the workers share frames however busy the machine
    // 640 x 512 is filtered alone; a frame this large by three or four members.
    std::vector<Plane> all = planes();
    std::mt19937 random(77);
    Plane large{"noise_2048x800", 2048, 800, std::vector<uint8_t>(2048 * 800)};
    for (uint8_t& v : large.data) {
        v = static_cast<uint8_t>(random());
    }
    all.push_back(large);
    for (const Plane& p : all) {
        SCOPED_TRACE(p.name);
        ImageSharpenBlur one, three, eight;
        ASSERT_TRUE(one.init(false, 1));
        ASSERT_TRUE(three.init(false, 3));
        ASSERT_TRUE(eight.init(false, 8));
        EXPECT_EQ(one.worker_count(), 1);
        EXPECT_EQ(eight.worker_count(), 8);
        const auto a = run_sequence(one, p);
        EXPECT_EQ(a, run_sequence(three, p));
        EXPECT_EQ(a, run_sequence(eight, p));
    }
}

// The CPU filters on each processor path this machine runs (plain, AVX2,
// AVX-512) give the plain path's bytes, with and without stabilization.
TEST(filter, every_processor_path_gives_the_plain_bytes)
{
    vytest::KernelPathGuard guard;
    for (const Plane& p : planes()) {
        SCOPED_TRACE(p.name);
        ASSERT_EQ(vybase::force_kernel_path(vybase::KernelPath::plain), vybase::KernelPath::plain);
        ImageSharpenBlur plain_engine;
        ASSERT_TRUE(plain_engine.init(false, 3));
        const auto plain = run_sequence(plain_engine, p);
        for (vybase::KernelPath path : vybase::kernel_paths()) {
            ASSERT_EQ(vybase::force_kernel_path(path), path);
            // The blur's quotients in half precision where the processor
            // has it, and in single precision.
            for (bool halves : {true, false}) {
                SCOPED_TRACE(testing::Message() << vybase::kernel_path_name(path) << (halves ? "" : ", singles"));
                allow_blur_halves(halves);
                ImageSharpenBlur engine;
                ASSERT_TRUE(engine.init(false, 3));
                EXPECT_EQ(run_sequence(engine, p), plain);
            }
            allow_blur_halves(true);
        }
    }
}

namespace {

// The kernels' Gaussian weights, as their sources write them.
const float kWeights[25] = {0.0037f, 0.0147f, 0.0256f, 0.0147f, 0.0037f, 0.0147f, 0.0586f, 0.0952f, 0.0586f,
                            0.0147f, 0.0256f, 0.0952f, 0.1502f, 0.0952f, 0.0256f, 0.0147f, 0.0586f, 0.0952f,
                            0.0586f, 0.0147f, 0.0037f, 0.0147f, 0.0262f, 0.0147f, 0.0037f};

// The kernels' arithmetic pixel by pixel, straight from their sources.
struct Reference {
    int w, h;
    const std::vector<uint8_t>& a;
    std::vector<uint8_t> sobel, gauss;
    int lo = 255, hi = 0;

    Reference(int width, int height, const std::vector<uint8_t>& in)
        : w(width), h(height), a(in), sobel(in.size()), gauss(in.size())
    {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int i = y * w + x;
                int s = 0;
                gauss[i] = a[i];
                if (x > 0 && y > 0 && x < w - 1 && y < h - 1) {
                    const int hs = -a[i - w - 1] + a[i - w + 1] - 2 * a[i - 1] + 2 * a[i + 1] - a[i + w - 1] + a[i + w + 1];
                    const int vs = a[i - w - 1] + 2 * a[i - w] + a[i - w + 1] - a[i + w - 1] - 2 * a[i + w] - a[i + w + 1];
                    s = (std::abs(hs) + std::abs(vs)) >> 3;
                    if (x > 1 && y > 1 && x < w - 2 && y < h - 2) {
                        float sum = 0.0f;
                        for (int dy = -2; dy <= 2; ++dy) {
                            for (int dx = -2; dx <= 2; ++dx) {
                                sum = sum + kWeights[(dy + 2) * 5 + dx + 2] * static_cast<float>(a[i + dy * w + dx]);
                            }
                        }
                        gauss[i] = static_cast<uint8_t>(std::min(static_cast<int>(sum), 255));
                    }
                }
                sobel[i] = static_cast<uint8_t>(s);
                lo = std::min(lo, s);
                hi = std::max(hi, s);
            }
        }
    }

    std::vector<uint8_t> sharpen(int strength) const
    {
        const int n = w * h;
        std::vector<uint8_t> out(a);
        for (int i = 1; i < n - 1 && hi > lo; ++i) {
            const int p = a[i];
            if (std::abs(p - a[i - 1]) > 3 && std::abs(p - a[i + 1]) > 3) {
                continue;
            }
            const int k = strength * 128 / 100;
            const int s = (sobel[i] - lo) * 255 / (hi - lo);
            const float depth = filter_tables().depth[s];
            const int value = static_cast<int>(depth * static_cast<float>(gauss[i]));
            const float tf = (depth + 1.0f) * static_cast<float>(p) - static_cast<float>(value);
            const int tv = tf > 0.0f ? static_cast<int>(tf) : 0;
            out[i] = static_cast<uint8_t>(std::clamp((tv * k + p * (128 - k)) >> 7, 0, 255));
        }
        return out;
    }

    static std::vector<uint8_t> blur(const std::vector<uint8_t>& s, int w, int h)
    {
        const FilterTables& t = filter_tables();
        std::vector<uint8_t> out(s);
        for (int y = 2; y < h - 2; ++y) {
            for (int x = 2; x < w - 2; ++x) {
                const int i = y * w + x;
                int num = 0, den = 0;
                for (int dy = -2; dy <= 2; ++dy) {
                    for (int dx = -2; dx <= 2; ++dx) {
                        const int n = s[i + dy * w + dx];
                        const int d = n - s[i] + 255;
                        num += t.product[n * kDiffCount + d];
                        den += t.range_weight[d];
                    }
                }
                out[i] = static_cast<uint8_t>(num / den);
            }
        }
        return out;
    }
};

}  // namespace

TEST(filter, row_functions_match_the_kernels_pixel_by_pixel)
{
    int32_t shifts[25];
    blur_shifts(false, shifts);
    const ShakeTables shake = stabilization_tables();
    for (const Plane& p : planes()) {
        SCOPED_TRACE(p.name);
        const Reference ref(p.width, p.height, p.data);
        const size_t n = p.data.size();
        std::vector<uint8_t> sobel(n), gauss(n), sharp(n), out(n);
        std::vector<uint16_t> last(n);
        int lo = -1, hi = -1;
        sobel_gauss_rows(p.data.data(), p.width, p.height, 0, p.height, sobel.data(), gauss.data(), &lo, &hi);
        EXPECT_EQ(sobel, ref.sobel);
        EXPECT_EQ(gauss, ref.gauss);
        EXPECT_EQ(lo, ref.lo);
        EXPECT_EQ(hi, ref.hi);
        for (int strength : {0, 50, 100}) {
            sharpen_rows(p.data.data(), sobel.data(), gauss.data(), p.width, p.height, 0, p.height, lo, hi, strength,
                         sharp.data());
            EXPECT_EQ(sharp, ref.sharpen(strength)) << "strength " << strength;
        }
        blur_rows(sharp.data(), p.width, p.height, 0, p.height, shifts, false, true, last.data(), shake, out.data());
        EXPECT_EQ(out, Reference::blur(sharp, p.width, p.height));
    }
}

TEST(filter, gaussian_truncates_as_the_kernel_where_its_float_sum_falls_short)
{
    // 5 x 5 neighbourhoods whose float sum in the kernel's order truncates
    // otherwise than the exact sum of the same products, found among random
    // ones (about one in 30,000) and laid side by side so that each is the
    // neighbourhood of one pixel.
    const int scaled[25] = {37, 147, 256, 147, 37, 147, 586, 952, 586, 147, 256, 952, 1502,
                            952, 256, 147, 586, 952, 586, 147, 37, 147, 262, 147, 37};
    const int blocks = 16, w = 5 * blocks, h = 5;
    std::vector<uint8_t> plane(w * h);
    std::mt19937 random(3);
    int found = 0;
    for (int tries = 0; found < blocks && tries < 4000000; ++tries) {
        uint8_t a[25];
        float sum = 0.0f;
        int exact = 0;
        for (int k = 0; k < 25; ++k) {
            a[k] = static_cast<uint8_t>(random() % 256);
            sum = sum + kWeights[k] * static_cast<float>(a[k]);
            exact += scaled[k] * a[k];
        }
        if (static_cast<int>(sum) != exact / 10000) {
            for (int k = 0; k < 25; ++k) {
                plane[(k / 5) * w + 5 * found + k % 5] = a[k];
            }
            ++found;
        }
    }
    ASSERT_EQ(found, blocks);
    const Reference ref(w, h, plane);
    std::vector<uint8_t> sobel(plane.size()), gauss(plane.size());
    int lo = 0, hi = 0;
    sobel_gauss_rows(plane.data(), w, h, 0, h, sobel.data(), gauss.data(), &lo, &hi);
    EXPECT_EQ(gauss, ref.gauss);
}

TEST(filter, flat_picture_is_left_as_it_is)
{
    ImageSharpenBlur engine;
    ASSERT_TRUE(engine.init(false, 2));
    std::vector<uint8_t> flat(32 * 24, 123);
    EXPECT_TRUE(engine.sharpen_and_blur(flat.data(), 32, 24, 50, true));
    EXPECT_EQ(flat, std::vector<uint8_t>(32 * 24, 123));
}

TEST(filter, sharpen_keeps_lone_spikes_and_reads_unsharpened_neighbours)
{
    // A row where every pixel differs from both neighbours by more than 3:
    // all are kept, whatever order the pixels are processed in.
    const int w = 15, h = 5;
    std::vector<uint8_t> in(w * h);
    for (int i = 0; i < w * h; ++i) {
        in[i] = static_cast<uint8_t>((i % 2 ? 200 : 20) + (i * 7) % 13);
    }
    std::vector<uint8_t> sobel(w * h), gauss(w * h), out(w * h);
    int lo = 0, hi = 0;
    sobel_gauss_rows(in.data(), w, h, 0, h, sobel.data(), gauss.data(), &lo, &hi);
    ASSERT_LT(lo, hi);
    sharpen_rows(in.data(), sobel.data(), gauss.data(), w, h, 0, h, lo, hi, 50, out.data());
    EXPECT_EQ(out, in);
}

TEST(filter, blur_ignores_neighbours_25_or_more_away)
{
    const int w = 5, h = 5;
    std::vector<uint8_t> in(w * h, 100);
    in[0] = 125;  // corner of the centre's neighbourhood, 25 away
    in[1] = 200;
    std::vector<uint8_t> out(w * h);
    std::vector<uint16_t> last(w * h);
    int32_t shifts[25];
    blur_shifts(false, shifts);
    for (int s : shifts) {
        EXPECT_EQ(s, 0);  // stabilization off: a plain range-weighted mean
    }
    const ShakeTables shake = stabilization_tables();
    blur_rows(in.data(), w, h, 0, h, shifts, false, true, last.data(), shake, out.data());
    EXPECT_EQ(out[2 * w + 2], 100);
    EXPECT_EQ(filter_tables().range_weight[255], 100);
    EXPECT_EQ(filter_tables().range_weight[255 + 25], 0);
    EXPECT_EQ(filter_tables().range_weight[255 - 24], 4);
}

TEST(filter, blur_weight_arithmetic_matches_the_weight_table)
{
    // The CPU blur computes the weights the kernels read from the table.
    for (int d = -255; d <= 255; ++d) {
        const int a = d < 0 ? -d : d;
        EXPECT_EQ(range_weight_of(a), filter_tables().range_weight[d + 255]) << d;
        EXPECT_EQ(range_weight_of(static_cast<int16_t>(a)), filter_tables().range_weight[d + 255]) << d;
    }
}

TEST(filter, stabilization_damps_small_changes_and_passes_large_ones)
{
    set_stabilization_tables(2, 2, 0.3f);
    const ShakeTables shake = stabilization_tables();
    std::vector<uint8_t> in(1, 100), out(1);
    std::vector<uint16_t> last(1);
    shake_rows(in.data(), 1, 0, 1, true, last.data(), shake, out.data());
    EXPECT_EQ(out[0], 100);
    in[0] = 102;
    shake_rows(in.data(), 1, 0, 1, false, last.data(), shake, out.data());
    EXPECT_EQ(out[0], 100);  // 30 % of 2 levels does not reach the next level yet
    in[0] = 150;
    shake_rows(in.data(), 1, 0, 1, false, last.data(), shake, out.data());
    EXPECT_EQ(out[0], 150);
}
