// The exports as the program and the source libraries reach them in
// libmarkpen.so.
#include "markpen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(exports, refuse_handles_that_are_not_paint_handles)
{
    int foreign = 0;
    for (void* handle : {static_cast<void*>(nullptr), static_cast<void*>(&foreign)}) {
        uint16_t w = 7, h = 7;
        RotationAngle angle = ROTATION_NONE;
        ImageZoomFactor zoom = ZOOM_FACTOR_MIN;
        unsigned int length = 0;
        std::string s;
        std::wstring ws = L"x.jpg";
        EXPECT_FALSE(markpen_set_all_ana_show(handle, true));
        EXPECT_FALSE(markpen_set_image_size(handle, 10, 10));
        EXPECT_FALSE(markpen_set_wnd_size(handle, 10, 10));
        EXPECT_FALSE(markpen_get_wnd_size(handle, w, h));
        EXPECT_EQ(w, 7);
        EXPECT_FALSE(markpen_set_rotation_angle(handle, ROTATION_90));
        EXPECT_FALSE(markpen_get_rotation_angle(handle, angle));
        EXPECT_FALSE(markpen_set_zoom_factor(handle, ZOOM_FACTOR_MAX));
        EXPECT_FALSE(markpen_get_zoom_factor(handle, zoom));
        EXPECT_FALSE(markpen_update(handle, true, true));
        EXPECT_FALSE(markpen_get_bits(handle, nullptr, length));
        EXPECT_FALSE(markpen_get_org_bits(handle, nullptr, length));
        EXPECT_FALSE(markpen_save_jpg_file(handle, s, s, true, true));
        EXPECT_FALSE(markpen_save_png_file(handle, s, s, true, true));
        EXPECT_FALSE(markpen_save_jpg_file_w(handle, ws, s, true, true));
        EXPECT_FALSE(markpen_save_png_file_w(handle, ws, s, true, true));
        EXPECT_FALSE(markpen_save_sgcc_file(handle, s, s, s));
        EXPECT_FALSE(markpen_save_sgcc_file_w(handle, ws, s, s));
        EXPECT_FALSE(markpen_save_sgcc_file_ex(handle, s, s, s, false, false));
        EXPECT_FALSE(markpen_save_sgcc_file_ex_w(handle, ws, s, s, false, false));
        for (auto mode : {markpen_add_null_ana, markpen_add_point_ana, markpen_add_line_ana,
                          markpen_add_ellipse_ana, markpen_add_rect_ana, markpen_add_poly_ana,
                          markpen_add_polyline_ana, markpen_set_delete_ana}) {
            EXPECT_FALSE(mode(handle));
        }
        for (auto mouse : {markpen_mouse_down, markpen_mouse_move, markpen_mouse_up,
                           markpen_mouse_double_clicked}) {
            EXPECT_FALSE(mouse(handle, 1, 1));
        }
        bool on = true;
        EXPECT_FALSE(markpen_is_delete_ana(handle, on));
        EXPECT_FALSE(markpen_has_added_ana(handle, on));
        EXPECT_TRUE(on);
        s = "kept";
        EXPECT_FALSE(markpen_get_added_ana(handle, s));
        AnaType code = ANA_LINE;
        EXPECT_FALSE(markpen_get_mouse_down_ana_str(handle, code, s));
        EXPECT_EQ(code, ANA_LINE);
        EXPECT_EQ(s, "kept");
        s.clear();
        void* copy = handle;
        EXPECT_FALSE(markpen_uninit(copy));
        EXPECT_EQ(copy, handle);
    }
}

TEST(exports, handle_lifecycle_and_sizes)
{
    void* h = nullptr;
    ASSERT_TRUE(markpen_init(h, nullptr));
    ASSERT_NE(h, nullptr);
    uint16_t w = 1, ht = 1;
    ASSERT_TRUE(markpen_get_wnd_size(h, w, ht));
    EXPECT_EQ(w, 0);
    EXPECT_EQ(ht, 0);
    RotationAngle angle = ROTATION_NONE;
    ASSERT_TRUE(markpen_get_rotation_angle(h, angle));
    EXPECT_EQ(angle, ROTATION_UNSET);
    bool on = true;
    ASSERT_TRUE(markpen_has_added_ana(h, on));
    EXPECT_FALSE(on);
    on = true;
    ASSERT_TRUE(markpen_is_delete_ana(h, on));
    EXPECT_FALSE(on);
    std::string added = "?";
    ASSERT_TRUE(markpen_get_added_ana(h, added));
    EXPECT_EQ(added, "");
    AnaType code = ANA_POINT;
    ASSERT_TRUE(markpen_get_mouse_down_ana_str(h, code, added));
    EXPECT_EQ(code, ANA_ALL);
    EXPECT_EQ(added, "");
    // Without a document the gestures draw but add nothing.
    ASSERT_TRUE(markpen_add_rect_ana(h));
    ASSERT_TRUE(markpen_has_added_ana(h, on));
    EXPECT_TRUE(on);
    EXPECT_TRUE(markpen_mouse_down(h, 1, 1));
    EXPECT_TRUE(markpen_mouse_move(h, 40, 40));
    EXPECT_TRUE(markpen_mouse_up(h, 40, 40));
    ASSERT_TRUE(markpen_get_added_ana(h, added));
    EXPECT_EQ(added, "");

    ASSERT_TRUE(markpen_set_image_size(h, 384, 288));
    ASSERT_TRUE(markpen_get_wnd_size(h, w, ht));
    EXPECT_EQ(w, 384);
    EXPECT_EQ(ht, 288);
    ASSERT_TRUE(markpen_set_wnd_size(h, 800, 600));
    ASSERT_TRUE(markpen_set_image_size(h, 640, 480));
    ASSERT_TRUE(markpen_get_wnd_size(h, w, ht));
    EXPECT_EQ(w, 800);
    EXPECT_EQ(ht, 600);
    EXPECT_FALSE(markpen_set_wnd_size(h, 0, 600));
    ASSERT_TRUE(markpen_get_wnd_size(h, w, ht));
    EXPECT_EQ(w, 800);

    EXPECT_FALSE(markpen_set_rotation_angle(h, static_cast<RotationAngle>(5)));
    EXPECT_TRUE(markpen_set_zoom_factor(h, static_cast<ImageZoomFactor>(16)));
    ImageZoomFactor zoom = ZOOM_FACTOR_MIN;
    ASSERT_TRUE(markpen_get_zoom_factor(h, zoom));
    EXPECT_EQ(zoom, 16);

    // The program's repaint: update, then the bits in two calls.
    ASSERT_TRUE(markpen_update(h, true, true));
    unsigned int length = 0;
    ASSERT_TRUE(markpen_get_bits(h, nullptr, length));
    EXPECT_EQ(length, 800u * 600u * 4u);
    std::vector<unsigned char> bits(length);
    EXPECT_TRUE(markpen_get_bits(h, bits.data(), length));
    // No frame document: nothing to save, and no file appears.
    EXPECT_FALSE(markpen_save_jpg_file(h, std::string("/tmp/markpen-never.jpg"), std::string(), true,
                                       false));
    EXPECT_TRUE(markpen_set_all_ana_show(h, false));

    ASSERT_TRUE(markpen_uninit(h));
    EXPECT_EQ(h, nullptr);
    void* stale = h;
    EXPECT_FALSE(markpen_uninit(stale));
}

TEST(exports, logo_set_and_clear)
{
    EXPECT_FALSE(markpen_set_logo(std::string("/nonexistent/logo.png")));
    EXPECT_TRUE(markpen_clear_logo());
}

}  // namespace
