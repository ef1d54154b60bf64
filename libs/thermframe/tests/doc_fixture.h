// A frame document over a sensekern frame with the sample calibration and
// a synthetic AD plane: a gradient background with one hot pixel.
#pragma once

#include "basekit.h"
#include "gui_app.h"
#include "label_font.h"
#include "sensekern.h"
#include "thermframe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class DocTest : public ::testing::Test {
protected:
    static constexpr uint16_t kWidth = 384;
    static constexpr uint16_t kHeight = 288;
    static constexpr uint16_t kHotX = 10;
    static constexpr uint16_t kHotY = 20;

    static void SetUpTestSuite() { test_gui_app(); }

    void SetUp() override
    {
        sensekern_ = make_frame(kWidth, kHeight);
        ASSERT_NE(sensekern_, nullptr);
        ASSERT_TRUE(thermframe_doc_init(doc_, sensekern_));
    }

    void TearDown() override
    {
        if (doc_ != nullptr) {
            EXPECT_TRUE(thermframe_doc_uninit(doc_));
        }
        for (void* frame : frames_) {
            sensekern_uninit(&frame);
        }
    }

    static std::string program_file(const char* name)
    {
        char directory[4096];
        int length = sizeof(directory);
        if (vy_get_exe_path(directory, &length) != VY_OK) {
            return name;
        }
        return std::string(directory) + "/" + name;
    }

    static std::vector<uint16_t> plane(uint16_t width, uint16_t height)
    {
        std::vector<uint16_t> ad(static_cast<size_t>(width) * height);
        for (uint16_t y = 0; y < height; ++y) {
            for (uint16_t x = 0; x < width; ++x) {
                ad[static_cast<size_t>(y) * width + x] = static_cast<uint16_t>(12000 + x * 4 + y * 2);
            }
        }
        ad[static_cast<size_t>(kHotY) * width + kHotX] = 29000;
        return ad;
    }

    // A calibrated sensekern frame owned by the fixture.
    void* make_frame(uint16_t width, uint16_t height)
    {
        void* frame = nullptr;
        if (!sensekern_init(&frame)) {
            return nullptr;
        }
        frames_.push_back(frame);
        calibrated_ = sensekern_load_calibration_file(frame, program_file("ad_temp").c_str());
        const std::vector<uint16_t> ad = plane(width, height);
        if (!sensekern_set_ad_frame(frame, ad.data(), width, height)) {
            return nullptr;
        }
        return frame;
    }

    // Labels are measured with the font markpen draws them with.
    static int line_height() { return QFontMetrics(vy::label_font()).height(); }

    void* doc_ = nullptr;
    void* sensekern_ = nullptr;
    bool calibrated_ = false;
    std::vector<void*> frames_;
};
