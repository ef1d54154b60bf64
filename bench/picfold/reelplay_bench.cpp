// reelplay on the sample recording, beside a baseline of the same run:
// seeking a random frame and painting it against reading the same number
// of bytes of the file with pread.
#include "markpen.h"
#include "reelplay.h"

#include <QString>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string kRecording = std::string(PYRAVUE_BENCH_SAMPLES) + "/sample.irv";

void BM_reelplay_seek_and_paint(benchmark::State& state)
{
    void* h = nullptr;
    reelplay_init(h);
    void* painter = nullptr;
    reelplay_get_ir_paint(h, painter);
    uint32_t frames = 0;
    if (!reelplay_load_file_w(h, QString::fromStdString(kRecording).toStdWString()) ||
        !reelplay_get_total_frames(h, frames)) {
        state.SkipWithError("the sample recording does not load");
    }
    std::mt19937 random(7);
    std::vector<unsigned char> bits(1 << 20);
    for (auto _ : state) {
        unsigned int length = static_cast<unsigned int>(bits.size());
        if (!reelplay_seek_frame(h, random() % frames) || !markpen_update(painter, true, true) ||
            !markpen_get_bits(painter, bits.data(), length)) {
            state.SkipWithError("seek failed");
            break;
        }
        benchmark::DoNotOptimize(bits.data());
    }
    reelplay_uninit(h);
}
BENCHMARK(BM_reelplay_seek_and_paint)->Unit(benchmark::kMicrosecond);

void BM_baseline_pread_of_a_frame(benchmark::State& state)
{
    const int fd = ::open(kRecording.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        state.SkipWithError("the sample recording does not open");
        return;
    }
    // A frame record of the 160x120 recording: its plane and its head.
    const std::size_t frame_bytes = 160 * 120 * 2 + 60;
    const uint64_t span = static_cast<uint64_t>(st.st_size) - frame_bytes;
    std::mt19937 random(7);
    std::vector<char> buffer(frame_bytes);
    for (auto _ : state) {
        const off_t at = static_cast<off_t>(random() % span);
        benchmark::DoNotOptimize(::pread(fd, buffer.data(), buffer.size(), at));
    }
    ::close(fd);
}
BENCHMARK(BM_baseline_pread_of_a_frame)->Unit(benchmark::kMicrosecond);

}  // namespace
