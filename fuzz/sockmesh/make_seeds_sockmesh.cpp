// Writes the seed corpora of the sockmesh fuzz targets with the library's
// own message writers.
#include "discovery_messages.h"
#include "frame_assembler.h"
#include "seed_writer.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace sockmesh::detail;

namespace {

bool write_seed(const std::string& root, const std::string& target, const std::string& name,
                const std::vector<char>& bytes)
{
    return seeds::write_seed(root + "/" + target, name, bytes);
}

std::vector<char> join(std::initializer_list<std::vector<char>> parts)
{
    std::vector<char> out;
    for (const auto& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

std::vector<char> frame(const std::string& payload)
{
    return build_frame(payload.data(), payload.size());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds_sockmesh <folder>\n");
        return 2;
    }
    std::string root = argv[1];
    mkdir(root.c_str(), 0755);
    bool ok = true;

    // Frames: the first byte picks the read size.
    const std::string frames = "fuzz_sockmesh_frames";
    std::vector<char> damaged = frame("broken");
    damaged.back() = 'X';
    ok &= write_seed(root, frames, "three", join({{0}, frame("a"), frame(""), frame("ccc")}));
    ok &= write_seed(root, frames, "byte_at_a_time", join({{0}, frame("slow")}));
    ok &= write_seed(root, frames, "garbage_then_frame", join({{5}, {'x', 'V', 'Y', 'S'}, frame("ok")}));
    ok &= write_seed(root, frames, "damaged_then_good", join({{3}, damaged, frame("good")}));
    ok &= write_seed(root, frames, "nested", join({{11}, frame(std::string(frame("inner").data(), 21))}));
    ok &= write_seed(root, frames, "big", join({{96}, frame(std::string(3000, 'p'))}));

    // Discovery answers, broadcast and multicast.
    const std::string replies = "fuzz_sockmesh_discovery_reply";
    NetworkBlock block{0xFFFFFF00u, 0xC0A80101u, 0x08080808u, 0x08080404u};
    ok &= write_seed(root, replies, "normal", build_discovery_response(0, "SN1;software ver:1.0;sys ver:2", block));
    ok &= write_seed(root, replies, "direct", build_discovery_response(1, "", block));
    std::vector<char> bare = build_discovery_response(0, "hello", block);
    bare.resize(bare.size() - 17);
    bare[3] = static_cast<char>(bare.size());
    ok &= write_seed(root, replies, "no_block", bare);
    MulticastResponse multicast;
    multicast.text = "camera";
    multicast.version = 1;
    multicast.ip = 0xC0A8010Au;
    multicast.block = block;
    ok &= write_seed(root, replies, "multicast", build_multicast_response(multicast));

    // Datagrams reaching the device side.
    const std::string device = "fuzz_sockmesh_set_address";
    SetAddress address;
    address.ip = 0xC0A80114u;
    address.netmask = 0xFFFFFF00u;
    ok &= write_seed(root, device, "set_address", build_set_address(address, true));
    ok &= write_seed(root, device, "multicast_set_address", build_multicast_set_address(0xC0A8010Au, address, false));
    ok &= write_seed(root, device, "request", std::vector<char>(kDiscoveryId, kDiscoveryId + kDiscoveryIdSize));
    ok &= write_seed(root, device, "direct_request",
                     std::vector<char>(kDirectLinkId, kDirectLinkId + kDirectLinkIdSize));
    return ok ? 0 : 1;
}
