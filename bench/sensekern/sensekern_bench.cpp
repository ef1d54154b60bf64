// sensekern at 640x512, each figure beside a baseline of the same run:
// loading a radiometric picture against decoding the bare JPEG, get_bits and
// get_all_pixel_temperature against memcpy of the same bytes, recording 500
// frames against a plain sequential write of the same bytes, and the live
// rows: a camera's frames at 25 fps with the enhancement on against the
// same frames with it off, with the CPU time each costs.
#include "scene.h"
#include "sensekern.h"
#include "side_by_side.h"

#include <QBuffer>
#include <QImage>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 512;
constexpr std::size_t kPixels = kWidth * kHeight;
constexpr int kRecordedFrames = 500;

// The sample scene with a little fixed texture, as a detector delivers it.
struct Source {
    Source()
    {
        samples::Scene scene = samples::make_scene(kWidth, kHeight);
        if (!samples::make_scene_frame(SENSEKERN_BENCH_CALIBRATION, scene, &frame)) {
            std::fprintf(stderr, "bench_sensekern: no frame (calibration %s)\n", SENSEKERN_BENCH_CALIBRATION);
            std::exit(1);
        }
        samples::scene_plane(frame, scene, &plane);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                plane[y * kWidth + x] = static_cast<uint16_t>(plane[y * kWidth + x] + ((x * 31 + y * 17) & 15));
            }
        }
        sensekern_set_ad_frame(frame, plane.data(), kWidth, kHeight);
        sensekern_add_anas(frame, "R:80,80;240,250;-P:448,179;-L:10,300;600,320;-");
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        uint32_t length = static_cast<uint32_t>(image.sizeInBytes());
        sensekern_get_bits(frame, image.bits(), &length);
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG", 90);
        buffer.close();
        char name[] = "/tmp/sensekern-bench-XXXXXX";
        int fd = mkstemp(name);
        if (fd >= 0) {
            ::write(fd, jpeg.constData(), static_cast<std::size_t>(jpeg.size()));
            ::close(fd);
            std::string user = "{\"VYPalette\":0}";
            sensekern_append_temperature_to_file(frame, name, nullptr, 0, nullptr, 0,
                                                 reinterpret_cast<const unsigned char*>(user.data()),
                                                 static_cast<uint32_t>(user.size()));
            std::ifstream in(name, std::ios::binary);
            picture.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            unlink(name);
        }
    }
    ~Source() { sensekern_uninit(&frame); }

    void* frame = nullptr;
    std::vector<uint16_t> plane;
    QByteArray jpeg;
    std::vector<uint8_t> picture;
};

Source& source()
{
    static Source s;
    return s;
}

void BM_decode_bare_jpeg(benchmark::State& state)
{
    const QByteArray& jpeg = source().jpeg;
    for (auto _ : state) {
        QImage image = QImage::fromData(jpeg, "JPG");
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_decode_bare_jpeg)->Unit(benchmark::kMillisecond);

void BM_load_radiometric_picture(benchmark::State& state)
{
    const std::vector<uint8_t>& picture = source().picture;
    void* frame = nullptr;
    sensekern_init(&frame);
    for (auto _ : state) {
        if (!sensekern_load_picture_buffer(frame, picture.data(), picture.size())) {
            state.SkipWithError("load failed");
            break;
        }
    }
    sensekern_uninit(&frame);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * picture.size()));
}
BENCHMARK(BM_load_radiometric_picture)->Unit(benchmark::kMillisecond);

void BM_memcpy_frame_bytes(benchmark::State& state)
{
    std::vector<uint8_t> from(kPixels * 4, 7);
    std::vector<uint8_t> to(kPixels * 4);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * to.size()));
}
BENCHMARK(BM_memcpy_frame_bytes)->Unit(benchmark::kMicrosecond);

void BM_get_bits(benchmark::State& state)
{
    std::vector<uint32_t> bits(kPixels);
    for (auto _ : state) {
        uint32_t length = static_cast<uint32_t>(bits.size() * 4);
        sensekern_get_bits(source().frame, reinterpret_cast<unsigned char*>(bits.data()), &length);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kPixels * 4));
}
BENCHMARK(BM_get_bits)->Unit(benchmark::kMicrosecond);

void BM_get_all_pixel_temperature(benchmark::State& state)
{
    std::vector<float> temperatures(kPixels);
    for (auto _ : state) {
        sensekern_get_all_pixel_temperature(source().frame, temperatures.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kPixels * 4));
}
BENCHMARK(BM_get_all_pixel_temperature)->Unit(benchmark::kMicrosecond);

std::string temp_path()
{
    char name[] = "/tmp/sensekern-bench-XXXXXX";
    int fd = mkstemp(name);
    if (fd >= 0) {
        ::close(fd);
        unlink(name);
    }
    return name;
}

void BM_record_500_frames(benchmark::State& state)
{
    void* frame = source().frame;
    uint64_t bytes = 0;
    for (auto _ : state) {
        std::string path = temp_path();
        void* record = nullptr;
        bool ok = sensekern_start_record(frame, path.c_str(), &record);
        for (int i = 0; ok && i < kRecordedFrames; ++i) {
            ok = sensekern_record_one_frame(frame, record, 0, nullptr);
        }
        uint32_t length = 0;
        ok = ok && sensekern_get_record_file_length(frame, record, &length);
        ok = sensekern_stop_record(frame, &record, 0, nullptr) && ok;
        bytes = length;
        unlink(path.c_str());
        if (!ok) {
            state.SkipWithError("recording failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_record_500_frames)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same number of bytes as the recording, written frame by frame and
// synced once at the end, as the recorder does.
void BM_sequential_write_500_frames(benchmark::State& state)
{
    void* frame = source().frame;
    std::string probe = temp_path();
    void* record = nullptr;
    sensekern_start_record(frame, probe.c_str(), &record);
    sensekern_record_one_frame(frame, record, 0, nullptr);
    uint32_t one = 0;
    sensekern_get_record_file_length(frame, record, &one);
    sensekern_stop_record(frame, &record, 0, nullptr);
    unlink(probe.c_str());
    std::vector<uint8_t> chunk(one, 0x5A);
    for (auto _ : state) {
        std::string path = temp_path();
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        for (int i = 0; i < kRecordedFrames; ++i) {
            benchmark::DoNotOptimize(::write(fd, chunk.data(), chunk.size()));
        }
        ::fsync(fd);
        ::close(fd);
        unlink(path.c_str());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * chunk.size() * kRecordedFrames));
}
BENCHMARK(BM_sequential_write_500_frames)->Unit(benchmark::kMillisecond)->Iterations(3);

// A live camera's frame handle: the sample calibration, fed frames of a
// scene whose hot spot moves.
struct LiveCamera {
    explicit LiveCamera(bool enhance)
    {
        const samples::Scene scene = samples::make_scene(kWidth, kHeight);
        if (!samples::make_scene_frame(SENSEKERN_BENCH_CALIBRATION, scene, &frame)) {
            return;
        }
        sensekern_enable_image_process(frame, enhance);
        for (int i = 0; i < kLiveFrames; ++i) {
            std::vector<uint16_t> plane;
            samples::scene_plane(frame, samples::make_scene(kWidth, kHeight, 3 * i), &plane);
            planes.push_back(std::move(plane));
        }
    }
    ~LiveCamera() { sensekern_uninit(&frame); }

    // The next frame as the program takes it: set (statistics, automatic
    // imaging), then coloured for the view.
    bool show_next(std::vector<uint32_t>* bits)
    {
        const std::vector<uint16_t>& plane = planes[next++ % planes.size()];
        uint32_t length = static_cast<uint32_t>(bits->size() * 4);
        return sensekern_set_ad_frame(frame, plane.data(), kWidth, kHeight) &&
               sensekern_get_bits(frame, reinterpret_cast<unsigned char*>(bits->data()), &length);
    }

    static constexpr int kLiveFrames = 8;
    void* frame = nullptr;
    std::vector<std::vector<uint16_t>> planes;
    size_t next = 0;
};

// The live rows: the imaging menu's enhancement on beside it off, frames
// coming every 40 ms (/0) or every 20 to 40 ms at random (/1) with real
// sleeps between them, the sides taking turns in blocks of ten frames (so
// what one side's threads spend waiting is rarely counted to the other).
// case_cpu_us and baseline_cpu_us are the process CPU time per frame of
// each side, the wait for the next frame included; case_us and baseline_us
// the median time a frame takes.
void BM_row_live_frame(benchmark::State& state)
{
    LiveCamera enhanced(true), plain(false);
    if (enhanced.frame == nullptr || plain.frame == nullptr) {
        state.SkipWithError("no frame (calibration missing)");
        return;
    }
    const bool jitter = state.range(0) != 0;
    constexpr int kBlock = 10;
    std::mt19937 random(29);
    std::uniform_int_distribution<int> gap_us(20000, 40000);
    std::vector<uint32_t> bits(kPixels);
    bench::SideBySide runs;
    bool ok = true;
    int frame = 0;
    for (auto _ : state) {
        if (frame++ / kBlock % 2 == 0) {
            runs.time_case([&] { ok = enhanced.show_next(&bits) && ok; });
        } else {
            runs.time_baseline([&] { ok = plain.show_next(&bits) && ok; });
        }
        std::this_thread::sleep_for(std::chrono::microseconds(jitter ? gap_us(random) : 40000));
    }
    if (!ok) {
        state.SkipWithError("a frame was refused");
    }
    runs.report(state);
}
BENCHMARK(BM_row_live_frame)->Arg(0)->Arg(1)->Iterations(200)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
