// Handles driven from several threads at once, as the view, the camera's
// alarm snapshots and the batch worker do, while the process-wide logo
// changes: the shared caches, strips and logo must hold.
#include "fake_frame.h"
#include "markpen.h"
#include "paint_handle.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace markpen::detail;
using namespace markpen::test;

namespace {

std::unique_ptr<FakeFrame> busy_frame(int seed)
{
    auto frame = std::make_unique<FakeFrame>();
    frame->bits.assign(160 * 120, 0x00204060u + seed);
    for (int i = 0; i < 6; ++i) {
        FakeAna a;
        a.type = i % 2 ? ANA_ELLIPSE : ANA_LINE;
        a.text = (i % 2 ? "E:" : "L:") + std::to_string(5 + i * 10 + seed) + ",10;" +
                 std::to_string(40 + i * 10) + ",100;-";
        a.alias = "o" + std::to_string(i);
        a.temp_text = " 20.5";
        a.ax = 10 * i;
        a.ay = 20;
        a.show_max = true;
        frame->anas.push_back(a);
    }
    frame->show_max = frame->show_min = true;
    return frame;
}

TEST(concurrency, handles_on_several_threads)
{
    QTemporaryDir dir;
    QImage logo_picture(20, 10, QImage::Format_RGB32);
    logo_picture.fill(Qt::green);
    ASSERT_TRUE(logo_picture.save(dir.filePath("logo.png")));

    constexpr int kHandles = 3;
    void* handles[kHandles] = {};
    for (int i = 0; i < kHandles; ++i) {
        ASSERT_TRUE(create_paint_handle(handles[i], nullptr, busy_frame(i)));
        ASSERT_TRUE(markpen_set_image_size(handles[i], 160, 120));
        ASSERT_TRUE(markpen_set_wnd_size(handles[i], 320, 240));
    }
    std::atomic<int> failures{0};
    std::atomic<bool> drawing{true};
    std::vector<std::thread> threads;
    for (int i = 0; i < kHandles; ++i) {
        threads.emplace_back([&, i] {
            std::vector<unsigned char> bits(320 * 240 * 4), out(160 * 120 * 4);
            for (int round = 0; round < 25; ++round) {
                unsigned int length = static_cast<unsigned int>(bits.size());
                unsigned int out_length = static_cast<unsigned int>(out.size());
                failures += !markpen_update(handles[i], true, true);
                // The window may be turned meanwhile; a short buffer is refused.
                markpen_get_bits(handles[i], bits.data(), length);
                markpen_get_org_bits(handles[i], out.data(), out_length);
                if (round % 8 == 0) {
                    const std::string path =
                        dir.filePath("h" + QString::number(i) + ".png").toStdString();
                    failures += !markpen_save_png_file(handles[i], path, std::string("c"), true, true);
                }
            }
        });
    }
    threads.emplace_back([&] {
        for (int round = 0; drawing && round < 200; ++round) {
            if (round % 2) {
                markpen_clear_logo();
            } else {
                failures += !markpen_set_logo(dir.filePath("logo.png").toStdString());
            }
        }
    });
    threads.emplace_back([&] {
        for (int round = 0; round < 20; ++round) {
            failures += !markpen_set_rotation_angle(handles[0], round % 2 ? ROTATION_90 : ROTATION_NONE);
            failures += !markpen_set_wnd_size(handles[0], round % 2 ? 240 : 320, round % 2 ? 320 : 240);
        }
    });
    threads.emplace_back([&] {
        // The view's mouse on a handle that another thread updates.
        for (int round = 0; round < 50; ++round) {
            failures += !markpen_add_rect_ana(handles[1]);
            failures += !markpen_mouse_move(handles[1], 10 + round, 10);
            failures += !markpen_mouse_down(handles[1], 10 + round, 10);
            failures += !markpen_mouse_move(handles[1], 200, 150 + round);
            failures += !markpen_mouse_up(handles[1], 200, 150 + round);
        }
    });
    for (int i = 0; i < kHandles; ++i) threads[i].join();
    drawing = false;
    for (size_t i = kHandles; i < threads.size(); ++i) threads[i].join();
    EXPECT_EQ(failures.load(), 0);
    for (void*& handle : handles) EXPECT_TRUE(markpen_uninit(handle));
    markpen_clear_logo();
}

}  // namespace
