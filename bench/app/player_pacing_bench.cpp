// Recording playback as the user sees it: the mean frame period of the
// player at speed 1 over 500 frames (the sample recording played in a loop)
// beside the same paced loop doing no work; and frames per second at the
// fastest speed beside reelplay seeking the same frames alone.
#include "reelplay.h"
#include "sources/ir_player.h"
#include "sources/player_pacing.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMutex>
#include <QTimer>
#include <QWaitCondition>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kFrames = 500;

QString sample_path() { return QCoreApplication::applicationDirPath() + "/samples/sample.irv"; }

// Plays until `frames` frames were shown; the times at which the playback
// thread announced them, in milliseconds.
bool play_frames(IRPlayer& player, int frames, std::vector<double>& times)
{
    times.clear();
    times.reserve(static_cast<size_t>(frames));
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QObject::connect(&player, &IRPlayer::sig_update_ctrl_with_frame, &loop,
                     [&](int) {
                         times.push_back(clock.nsecsElapsed() / 1e6);
                         if (static_cast<int>(times.size()) >= frames) loop.quit();
                     });
    QTimer::singleShot(120000, &loop, [&] { loop.exit(1); });
    player.seek_frame(0);
    if (!player.check_frame()) return false;
    const bool done = loop.exec() == 0;
    player.save_frame();
    return done;
}

double mean_period(const std::vector<double>& times)
{
    return times.size() < 2 ? 0.0 : (times.back() - times.front()) / static_cast<double>(times.size() - 1);
}

void BM_player_period_at_speed_1(benchmark::State& state)
{
    IRPlayer player(nullptr);
    if (!player.open_file(sample_path())) {
        state.SkipWithError("samples were not generated");
        return;
    }
    player.add_file(sample_path());
    player.set_player_mode(IRPlayer::kModeSingleLoop);
    std::vector<double> times;
    for (auto _ : state) {
        if (!play_frames(player, kFrames, times)) {
            state.SkipWithError("playback stalled");
            return;
        }
    }
    state.counters["interval_ms"] = player.frame_interval();
    state.counters["mean_period_ms"] = mean_period(times);
}
BENCHMARK(BM_player_period_at_speed_1)->Iterations(1)->Unit(benchmark::kMillisecond);

// The same pacing (the rest of the frame time waited on a condition) with
// no work in the cycle.
void BM_paced_loop_without_work(benchmark::State& state)
{
    IRPlayer player(nullptr);
    if (!player.open_file(sample_path())) {
        state.SkipWithError("samples were not generated");
        return;
    }
    const float interval = player.frame_interval();
    QMutex mutex;
    QWaitCondition never;
    std::vector<double> times;
    for (auto _ : state) {
        times.clear();
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < kFrames; ++i) {
            QElapsedTimer tick;
            tick.start();
            times.push_back(clock.nsecsElapsed() / 1e6);
            const int64_t rest = player_pacing::sleep_ms(interval, 1.0f, tick.elapsed());
            QMutexLocker lock(&mutex);
            never.wait(&mutex, static_cast<unsigned long>(rest));
        }
    }
    state.counters["interval_ms"] = interval;
    state.counters["mean_period_ms"] = mean_period(times);
}
BENCHMARK(BM_paced_loop_without_work)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_player_fastest(benchmark::State& state)
{
    IRPlayer player(nullptr);
    if (!player.open_file(sample_path())) {
        state.SkipWithError("samples were not generated");
        return;
    }
    player.set_player_mode(IRPlayer::kModeSingleLoop);
    player.add_file(sample_path());
    player.set_speed(100.0f);
    std::vector<double> times;
    for (auto _ : state) {
        if (!play_frames(player, kFrames, times)) {
            state.SkipWithError("playback stalled");
            return;
        }
    }
    state.counters["frames_per_s"] = 1000.0 / mean_period(times);
}
BENCHMARK(BM_player_fastest)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_reelplay_seek_alone(benchmark::State& state)
{
    void* h = nullptr;
    reelplay_init(h);
    uint32_t count = 0;
    if (!reelplay_load_file_w(h, sample_path().toStdWString()) || !reelplay_get_total_frames(h, count) || count == 0) {
        reelplay_uninit(h);
        state.SkipWithError("samples were not generated");
        return;
    }
    QElapsedTimer clock;
    qint64 total = 0;
    for (auto _ : state) {
        clock.start();
        for (int i = 0; i < kFrames; ++i) {
            reelplay_seek_frame(h, static_cast<uint32_t>(i) % count);
        }
        total += clock.nsecsElapsed();
    }
    state.counters["frames_per_s"] =
        static_cast<double>(kFrames) * static_cast<double>(state.iterations()) / (static_cast<double>(total) / 1e9);
    reelplay_uninit(h);
}
BENCHMARK(BM_reelplay_seek_alone)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
