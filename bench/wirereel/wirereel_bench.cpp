// wirereel on loopback against the simulated camera, 640 x 480 at 50 frames a
// second. Every figure stands beside a baseline measured in the same run: a
// bare streamnet stream receiving the same frames on a link of its own.
//
// Latency: from the frame's arrival on the bare link to the end of painting
// it through wirereel (frame callback, capture into the document, painter
// update and copy of its picture), matched by the position of the pattern's
// moving spot. CPU: process time per frame, the camera included. The
// baseline receives on two bare links, the wirereel row on one bare link and
// wirereel's own, so the difference between the rows is what wirereel adds
// to receiving.
#include "live_camera.h"

#include <benchmark/benchmark.h>

namespace {

using namespace livecam;

constexpr int kFrames = 250;  // five seconds of the camera

void BM_receive_streamnet_baseline(benchmark::State& state)
{
    receive_on_two_bare_links(state, kFrames);
}

void BM_painted_frame_wirereel(benchmark::State& state)
{
    painted_frames_through_wirereel(state, kFrames);
}

}  // namespace

BENCHMARK(BM_receive_streamnet_baseline)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_painted_frame_wirereel)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
