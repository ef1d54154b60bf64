#include "frame_assembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace sockmesh::detail;

namespace {

std::string frame(const std::string& payload)
{
    std::vector<char> bytes = build_frame(payload.data(), payload.size());
    return std::string(bytes.begin(), bytes.end());
}

std::string header(uint32_t length)
{
    std::string text = "VYSTART";
    text += static_cast<char>(length >> 24);
    text += static_cast<char>(length >> 16);
    text += static_cast<char>(length >> 8);
    text += static_cast<char>(length);
    return text;
}

// Feeds the stream in pieces of `chunk` bytes (0: all at once) and collects
// every delivered payload.
std::vector<std::string> feed(const std::string& stream, std::size_t chunk, std::size_t capacity = 64)
{
    FrameAssembler assembler(capacity);
    std::vector<std::string> delivered;
    std::size_t step = chunk == 0 ? stream.size() : chunk;
    for (std::size_t pos = 0; pos < stream.size(); pos += step) {
        std::size_t n = std::min(step, stream.size() - pos);
        EXPECT_TRUE(assembler.append(stream.data() + pos, n));
        const char* payload = nullptr;
        uint32_t length = 0;
        while (assembler.next(&payload, &length)) {
            delivered.emplace_back(payload, length);
        }
    }
    return delivered;
}

struct FramingCase {
    const char* name;
    std::string stream;
    std::size_t chunk;
    std::vector<std::string> expected;
};

}  // namespace

TEST(framing, build_layout)
{
    std::string bytes = frame("abc");
    ASSERT_EQ(bytes.size(), 19u);
    EXPECT_EQ(bytes.substr(0, 7), "VYSTART");
    EXPECT_EQ(bytes.substr(7, 4), std::string("\0\0\0\3", 4));
    EXPECT_EQ(bytes.substr(11, 3), "abc");
    EXPECT_EQ(bytes.substr(14), "VYEND");
    EXPECT_EQ(frame(""), std::string("VYSTART\0\0\0\0VYEND", 16));
}

TEST(framing, case_table)
{
    std::string big(300, 'x');
    std::string damaged = frame("hello");
    damaged[damaged.size() - 1] = 'X';
    std::vector<FramingCase> cases = {
        {"empty payload", frame(""), 0, {""}},
        {"three frames in one read", frame("a") + frame("bb") + frame("ccc"), 0, {"a", "bb", "ccc"}},
        {"byte at a time", frame("slow"), 1, {"slow"}},
        {"three frames byte at a time", frame("a") + frame("") + frame("c"), 1, {"a", "", "c"}},
        {"garbage before a frame", "junkVYSTARjunk" + frame("ok"), 0, {"ok"}},
        {"garbage before a frame, split reads", "VYSTAR" + std::string("zz") + frame("ok"), 3, {"ok"}},
        {"damaged end marker, good frame behind", damaged + frame("next"), 0, {"next"}},
        {"damaged end marker, byte at a time", damaged + frame("next"), 1, {"next"}},
        {"over-cap length is a false start", header(0x7fffffff) + frame("after"), 0, {"after"}},
        {"cap plus one is a false start", header(64u * 1024 * 1024 + 1) + frame("after"), 5, {"after"}},
        {"inner start marker read as its own frame", frame(frame("inner")), 0, {frame("inner")}},
        {"frame larger than the initial area", frame(big) + frame("tail"), 7, {big, "tail"}},
        {"only a header", header(4) + "ab", 0, {}},
        {"no marker at all", std::string(1000, 'V'), 100, {}},
    };
    for (const FramingCase& c : cases) {
        EXPECT_EQ(feed(c.stream, c.chunk), c.expected) << c.name;
    }
}

TEST(framing, short_read_waits_for_more)
{
    std::string bytes = frame("payload");
    FrameAssembler assembler(32);
    const char* payload = nullptr;
    uint32_t length = 0;
    assembler.append(bytes.data(), 10);
    EXPECT_FALSE(assembler.next(&payload, &length));
    EXPECT_EQ(assembler.buffered(), 10u);
    assembler.append(bytes.data() + 10, bytes.size() - 10);
    ASSERT_TRUE(assembler.next(&payload, &length));
    EXPECT_EQ(std::string(payload, length), "payload");
    EXPECT_EQ(assembler.buffered(), 0u);
}

TEST(framing, split_marker_is_kept)
{
    // A marker cut after each possible byte still starts a frame.
    std::string bytes = "noise" + frame("kept");
    for (std::size_t cut = 5; cut < 12; ++cut) {
        FrameAssembler assembler(16);
        const char* payload = nullptr;
        uint32_t length = 0;
        assembler.append(bytes.data(), cut);
        EXPECT_FALSE(assembler.next(&payload, &length));
        assembler.append(bytes.data() + cut, bytes.size() - cut);
        ASSERT_TRUE(assembler.next(&payload, &length)) << cut;
        EXPECT_EQ(std::string(payload, length), "kept");
    }
}

TEST(framing, large_frame_grows_geometrically)
{
    std::string payload(4 * 1024 * 1024, '\0');
    for (std::size_t i = 0; i < payload.size(); ++i) {
        payload[i] = static_cast<char>(i * 7);
    }
    std::string bytes = frame(payload);
    FrameAssembler assembler;
    std::size_t growths = 0;
    std::size_t capacity = assembler.capacity();
    const char* out = nullptr;
    uint32_t length = 0;
    int delivered = 0;
    for (std::size_t pos = 0; pos < bytes.size(); pos += 65536) {
        assembler.append(bytes.data() + pos, std::min<std::size_t>(65536, bytes.size() - pos));
        if (assembler.capacity() != capacity) {
            ++growths;
            capacity = assembler.capacity();
        }
        while (assembler.next(&out, &length)) {
            ++delivered;
            EXPECT_EQ(std::string(out, length), payload);
        }
    }
    EXPECT_EQ(delivered, 1);
    EXPECT_LE(growths, 2u);
}
