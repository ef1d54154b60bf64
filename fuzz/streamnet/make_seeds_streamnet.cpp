// Writes the seed corpora of the streamnet fuzz targets with the camera
// simulator's writers.
#include "camera_packets.h"
#include "nvs_packet.h"
#include "seed_writer.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> selected(uint8_t which, const std::vector<uint8_t>& payload)
{
    std::vector<uint8_t> out{which};
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds_streamnet <folder>\n");
        return 2;
    }
    const std::string root = argv[1];
    bool ok = true;
    auto seed = [&](const std::string& target, const std::string& name, const std::vector<uint8_t>& bytes) {
        ok &= seeds::write_seed(root + "/" + target, name, bytes);
    };
    using streamnet::detail::build_packet;
    using streamnet::detail::build_request;

    const std::string packets = "fuzz_streamnet_packet";
    seed(packets, "request", build_request(173, 128, 1));
    seed(packets, "answer", build_packet(1, 169, 149, 0, 7, "127.0.0.1", 9));
    std::vector<uint8_t> cut = build_packet(2, 161, 134, 0, 0, "abcdefgh", 8);
    cut.resize(cut.size() - 3);
    seed(packets, "cut", cut);

    camsim::DeviceModel model;
    model.lenses = {{0, {{0, -20, 150}, {1, 100, 650}}}, {1, {{0, -20, 150}}}};
    const std::string responses = "fuzz_streamnet_responses";
    seed(responses, "description", selected(0, camsim::device_description(model)));
    seed(responses, "presets", selected(1, camsim::preset_list(1, {{1, {1, 2, 3, 4}, "gate"}, {2, {}, ""}})));
    seed(responses, "alarms", selected(2, camsim::alarm_list({{1, "max>80"}})));
    seed(responses, "files", selected(3, camsim::record_file_list({{"rec_0001.ps", "1765000000", "200000"}})));
    seed(responses, "text", selected(4, camsim::counted_text("127.0.0.9")));
    const std::string version = "1.1.39";
    seed(responses, "version", selected(5, std::vector<uint8_t>(version.begin(), version.end())));

    const std::string packages = "fuzz_streamnet_packages";
    const uint8_t video[8] = {0, 0, 1, 0xBA, 1, 2, 3, 4};
    const float temperatures[3] = {20.0f, 36.6f, -5.0f};
    const uint8_t chunk[5] = {1, 2, 3, 4, 5};
    seed(packages, "ps", selected(0, camsim::ps_package(2, video, sizeof(video))));
    seed(packages, "visible", selected(1, camsim::visible_video(3, video, sizeof(video))));
    seed(packages, "temperatures", selected(2, camsim::temperature_frame(temperatures, 3, true)));
    seed(packages, "imaging", selected(3, camsim::imaging_info(1, 20.0f, 80.0f)));
    seed(packages, "rules", selected(4, camsim::rule_temperatures(7, 3, 2, 1)));
    seed(packages, "alarms", selected(5, camsim::rule_alarms(7, 3, 2, 1)));
    seed(packages, "diff_alarms", selected(6, camsim::rule_diff_alarms(7, 3, 2, 1)));
    seed(packages, "preset_change", selected(7, {1, 0, 2, 0, 3}));
    seed(packages, "chunk", selected(8, camsim::download_chunk(chunk, 5, 12)));
    return ok ? 0 : 1;
}
