// The newest-frame buffer: frames above its first size grow it up to the cap.
#include "net_video_stream.h"

#include "log_watch.h"
#include "stream_ir.h"

#include <gtest/gtest.h>

#include <vector>

using namespace streamnet::detail;

namespace {

struct Seen {
    std::size_t length = 0;
    int calls = 0;
    static void on_frame(const void*, int32_t length, void* user)
    {
        auto* self = static_cast<Seen*>(user);
        self->length = static_cast<std::size_t>(length);
        ++self->calls;
    }
};

}  // namespace

TEST(frame_buffer, large_frames_grow_the_buffer_up_to_the_cap)
{
    NetVideoStreamIR stream;
    Seen seen;
    stream.frame_callback.set(Seen::on_frame, &seen);
    streamnet_test::LogWatch log;
    struct Case {
        std::size_t length;
        bool taken;
    };
    const Case cases[] = {
        {1, true}, {kFrameBufferInitial, true}, {kFrameBufferInitial + 1, true}, {kFrameBufferCap, true},
        {kFrameBufferCap + 1, false}, {0, false},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> frame(c.length, 0x5A);
        int calls = seen.calls;
        EXPECT_EQ(stream.on_recv_video_data(2, c.length > 0 ? frame.data() : nullptr, c.length), c.taken)
            << c.length;
        EXPECT_EQ(seen.calls, calls + (c.taken ? 1 : 0)) << c.length;
        if (c.taken) {
            EXPECT_EQ(seen.length, c.length);
        }
    }
    EXPECT_TRUE(log.saw("is above the 8388608-byte cap"));
    EXPECT_TRUE(log.saw("data's ptr is null, or data len is 0"));
}
