// The live camera in the program, each figure beside a baseline measured in
// the same run:
// - a frame of the simulated camera (640 x 480, 50 frames a second) shown in
//   the camera window's view, from its arrival on a bare link to the end of
//   the window's render, beside the bare wirereel road (frame callback,
//   capture, painter update and copy of the picture), with the process's
//   CPU time per frame (the camera included) and the GUI thread's alone;
// - AVI recording (AviWriter) beside write(2) of the same bytes;
// - H.264 recording (H264FileWriter) beside clipenc fed the same frames.
#include "live_camera.h"

#include "clipenc.h"
#include "sources/avi_writer.h"
#include "sources/camera_streams.h"
#include "sources/h264_file_writer.h"
#include "sources/ir_base.h"
#include "stream_tools.h"
#include "views/wnd_ir_show.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <ctime>
#include <thread>

namespace {

using namespace livecam;

constexpr int kFrames = 250;  // five seconds of the camera
constexpr int kFileFrames = 50;
constexpr int kDistinctFrames = 16;
constexpr int kAviHeaderBytes = 2048;

// CPU time of the calling thread (here the GUI thread: repaint and render).
double thread_cpu_ms()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The view of the camera window, noting the spot of the frame it paints.
class SpotView : public WndIRShow {
public:
    int painted_spot = -1;

    void paint(QPainter* painter) override
    {
        painted_spot = current_spot();
        WndIRShow::paint(painter);
    }

private:
    int current_spot() const
    {
        void* doc = source() != nullptr ? source()->get_ir_data() : nullptr;
        uint16_t max_x = 0, max_y = 0, max_ad = 0, min_x = 0, min_y = 0, min_ad = 0, avg_ad = 0;
        float max = 0.0f, min = 0.0f, avg = 0.0f;
        if (doc == nullptr || !thermframe_get_line_temperature_ex(doc, 0, kSpotRow, kWidth - 1, kSpotRow, &max_x,
                                                                  &max_y, &max_ad, &max, &min_x, &min_y, &min_ad,
                                                                  &min, &avg_ad, &avg)) {
            return -1;
        }
        return max_x + 7;
    }
};

void BM_receive_streamnet_baseline(benchmark::State& state)
{
    receive_on_two_bare_links(state, kFrames);
}
BENCHMARK(BM_receive_streamnet_baseline)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_painted_frame_wirereel(benchmark::State& state)
{
    painted_frames_through_wirereel(state, kFrames);
}
BENCHMARK(BM_painted_frame_wirereel)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

// The camera window's road: the source's frame thread captures, the view is
// asked to repaint, the window renders it (software scene graph).
void BM_rendered_frame_camera_view(benchmark::State& state)
{
    camsim::CameraSim camera;
    if (!start_camera(camera, state)) {
        return;
    }
    BareLink bare;
    void* reel = nullptr;
    if (!bare.open(camera.address()) || !wirereel_init(&reel) || !wirereel_connect(reel, camera.address().c_str())) {
        state.SkipWithError("connect failed");
        if (reel != nullptr) {
            wirereel_uninit(&reel);
        }
        return;
    }
    const int stream_id = camera_streams().add(reel);
    QQuickWindow window;
    window.resize(kWidth, kHeight);
    auto* view = new SpotView;
    view->setParentItem(window.contentItem());
    view->setSize(QSizeF(kWidth, kHeight));
    if (!view->init_wnd(3) ||
        !view->open_net_device("camsim", QString::fromStdString(camera.address()), QString(), stream_id)) {
        state.SkipWithError("the view did not open the camera");
        release_camera_stream(stream_id);
        delete view;
        return;
    }
    window.show();

    Latencies latencies;
    int rendered = 0;
    int last_spot = -1;
    double start = 0.0;
    double gui_start = 0.0;
    QEventLoop loop;
    QObject::connect(&window, &QQuickWindow::frameSwapped, &loop, [&] {
        const Clock::time_point done = Clock::now();
        const int spot = view->painted_spot;
        if (spot < 0 || spot == last_spot) {
            return;
        }
        last_spot = spot;
        if (++rendered == 10) {
            start = process_cpu_ms();
            gui_start = thread_cpu_ms();
        }
        if (rendered > 10) {
            latencies.add(bare, spot, done);
        }
        if (rendered >= kFrames + 10) {
            loop.quit();
        }
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    for (auto _ : state) {
        guard.start(60000);
        loop.exec();
        state.counters["cpu_ms_per_frame"] = (process_cpu_ms() - start) / kFrames;
        state.counters["gui_cpu_ms_per_frame"] = (thread_cpu_ms() - gui_start) / kFrames;
    }
    if (rendered < kFrames + 10) {
        state.SkipWithError("frames stopped arriving");
    }
    state.counters["rendered_frames"] = rendered;
    latencies.report(state);
    state.SetLabel("camera, bare receiver, camera view rendered");
    delete view;
}
BENCHMARK(BM_rendered_frame_camera_view)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

const std::vector<std::vector<uint8_t>>& rgb_frames()
{
    static const std::vector<std::vector<uint8_t>> frames =
        clipenc_test::moving_patterns(kWidth, kHeight, kDistinctFrames);
    return frames;
}

void set_file_counters(benchmark::State& state)
{
    const int64_t frames = int64_t(state.iterations()) * kFileFrames;
    state.SetBytesProcessed(frames * int64_t(rgb_frames()[0].size()));
    state.counters["fps"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
}

// One new file of kFileFrames frames per iteration, as a recording makes.
void BM_avi_writer(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.avi");
    const auto& frames = rgb_frames();
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path);
        state.ResumeTiming();
        AviOutput* avi = avi_open_output_file(path);
        if (avi == nullptr) {
            state.SkipWithError("AVI file not opened");
            return;
        }
        avi_set_video(avi, kWidth, -kHeight, 25.0, nullptr);
        for (int i = 0; i < kFileFrames; ++i) {
            const auto& frame = frames[std::size_t(i) % frames.size()];
            avi_write_frame(avi, frame.data(), int64_t(frame.size()));
        }
        if (avi_close_output_file(avi) != 0) {
            state.SkipWithError("AVI file not closed");
            return;
        }
    }
    set_file_counters(state);
}
BENCHMARK(BM_avi_writer)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same bytes in the same order with write(2): header, chunks, index.
void BM_write_same_bytes(benchmark::State& state)
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("bench.raw"));
    const auto& frames = rgb_frames();
    const std::vector<char> header(kAviHeaderBytes, 0);
    const std::vector<char> index(std::size_t(kFileFrames) * 16 + 8, 0);
    char chunk_head[8] = {'0', '0', 'd', 'b', 0, 0, 0, 0};
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(dir.filePath("bench.raw"));
        state.ResumeTiming();
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) {
            state.SkipWithError("file not opened");
            return;
        }
        bool ok = ::write(fd, header.data(), header.size()) == ssize_t(header.size());
        for (int i = 0; i < kFileFrames && ok; ++i) {
            const auto& frame = frames[std::size_t(i) % frames.size()];
            ok = ::write(fd, chunk_head, sizeof chunk_head) == ssize_t(sizeof chunk_head) &&
                 ::write(fd, frame.data(), frame.size()) == ssize_t(frame.size());
        }
        ok = ok && ::write(fd, index.data(), index.size()) == ssize_t(index.size()) &&
             ::pwrite(fd, header.data(), header.size(), 0) == ssize_t(header.size());
        if (::close(fd) != 0 || !ok) {
            state.SkipWithError("write failed");
            return;
        }
    }
    set_file_counters(state);
}
BENCHMARK(BM_write_same_bytes)->Unit(benchmark::kMillisecond)->UseRealTime();

// Frames are offered as fast as the encoder takes them; a refused frame
// (queue full) is offered again.
void BM_h264_file_writer(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.h264");
    const auto& frames = rgb_frames();
    H264FileWriter writer;
    if (!writer.init(kWidth, kHeight, 25)) {
        state.SkipWithError("encoder init failed");
        return;
    }
    for (auto _ : state) {
        if (!writer.open_file(path)) {
            state.SkipWithError("file not opened");
            return;
        }
        for (int i = 0; i < kFileFrames; ++i) {
            const auto& frame = frames[std::size_t(i) % frames.size()];
            while (!writer.encode(frame.data(), int(frame.size()))) {
                std::this_thread::yield();
            }
        }
        writer.close_file();
    }
    writer.deinit();
    set_file_counters(state);
}
BENCHMARK(BM_h264_file_writer)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_h264_clipenc_alone(benchmark::State& state)
{
    void* encoder = nullptr;
    const VyVideoEncodeParam param{kWidth, kHeight, 0, 0, 3584000, 0, 25, 0};
    if (!vy_video_encode_init(
            &encoder, [](const unsigned char*, int, int, void*) {}, param, nullptr, nullptr)) {
        state.SkipWithError("encoder init failed");
        return;
    }
    const auto& frames = rgb_frames();
    for (auto _ : state) {
        vy_video_encode_force_key_frame(encoder);
        for (int i = 0; i < kFileFrames; ++i) {
            const auto& frame = frames[std::size_t(i) % frames.size()];
            while (!vy_video_encode_data(encoder, frame.data(), int(frame.size()))) {
                std::this_thread::yield();
            }
        }
        vy_video_encode_flush(encoder);
    }
    vy_video_encode_deinit(&encoder);
    set_file_counters(state);
}
BENCHMARK(BM_h264_clipenc_alone)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    // The encoder logs every frame it refuses while it is behind; the figures
    // are of the work, not of the log.
    QLoggingCategory::setFilterRules(QStringLiteral("pyravue.*.info=false\npyravue.*.debug=false"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
