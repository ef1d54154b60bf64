// Several threads on one frame: every call returns, nothing is reported by
// the sanitizers, and the locks are never taken twice on one thread.
#include "frame_fixture.h"

#include <atomic>
#include <thread>

using fk_test::Frame;

TEST(Concurrency, frame_shared_by_feeder_painter_and_editor)
{
    Frame f;
    ASSERT_TRUE(f.ok());
    const int width = 64;
    const int height = 48;
    ASSERT_TRUE(vy_ad_set_resolution(f.h(), width, height));
    ASSERT_TRUE(vy_ad_enable_erase_nose(f.h(), 1));
    std::atomic<bool> stop{false};
    std::atomic<int> frames{0};

    std::thread feeder([&] {
        for (int i = 0; i < 60; ++i) {
            std::vector<uint8_t> bytes = fk_test::bytes_of(fk_test::gradient_plane(width, height, static_cast<uint16_t>(8000 + i)));
            EXPECT_TRUE(vy_ad_set_data_checked(f.h(), bytes.data(), static_cast<uint32_t>(bytes.size())));
            ++frames;
        }
        stop = true;
    });
    std::thread painter([&] {
        std::vector<uint32_t> pixels(width * height);
        std::vector<uint8_t> buffer(5 + 2 * width * height);
        while (!stop) {
            vy_ad_get_bits(f.h(), pixels.data());
            uint32_t length = static_cast<uint32_t>(buffer.size());
            vy_ad_save_data_to_buffer(f.h(), buffer.data(), &length);
            uint16_t record[3];
            vy_ad_get_max_ad(f.h(), record);
            vy_ad_reapply(f.h());
        }
    });
    std::thread editor([&] {
        tagVYAnaInfo info = fk_test::default_info();
        int round = 0;
        while (!stop) {
            std::string rect = "R:" + std::to_string(round % 20) + ",2;30,30;-";
            vy_ad_add_ana(f.h(), rect.c_str(), &info);
            vy_ad_add_anas(f.h(), "L:0,0;63,47;-E:5,5;40,20;-");
            int32_t code = 0;
            std::string hit;
            vy_ad_get_hit_ana(f.h(), 10, 10, &code, &hit);
            uint32_t length = 0;
            vy_ad_save_anas_to_buffer(f.h(), nullptr, &length);
            vy_ad_update_ana_size(f.h(), rect.c_str(), "R:1,1;2,2;-");
            vy_ad_delete_anas(f.h(), "R:1,1;2,2;-");
            ++round;
        }
    });
    feeder.join();
    painter.join();
    editor.join();
    EXPECT_EQ(60, frames.load());
}
