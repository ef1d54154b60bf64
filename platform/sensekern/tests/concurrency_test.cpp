// Two frames used from two threads at once.
#include "fixture.h"

#include <thread>

namespace {

TEST(frame_threads, two_frames_on_two_threads)
{
    sktest::TempDir dir;
    sktest::Frame one(samples::make_scene(64, 48, 1));
    sktest::Frame two(samples::make_scene(64, 48, 2));
    auto work = [&](void* frame, int id, bool* ok) {
        std::string path = dir.file("t" + std::to_string(id) + ".png");
        *ok = sktest::save_picture(frame, path, "PNG");
        for (int i = 0; *ok && i < 20; ++i) {
            std::vector<float> t(64 * 48);
            *ok = sensekern_get_all_pixel_temperature(frame, t.data()) && sensekern_add_anas(frame, "R:1,1;30,30;-") &&
                  sensekern_append_temperature_to_file(frame, path.c_str(), nullptr, 0, nullptr, 0, nullptr, 0) &&
                  sensekern_load_picture_file(frame, path.c_str()) && sensekern_delete_all_ana(frame);
        }
    };
    bool ok1 = false;
    bool ok2 = false;
    std::thread a(work, one.h(), 1, &ok1);
    std::thread b(work, two.h(), 2, &ok2);
    a.join();
    b.join();
    EXPECT_TRUE(ok1);
    EXPECT_TRUE(ok2);
}

}  // namespace
