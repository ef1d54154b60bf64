// A frame document over a small AD plane of our own, converted with the
// sample calibration data beside the tests ("ad_temp" in the program
// directory). Frees both when it goes.
#pragma once

#include "sensekern.h"
#include "thermframe.h"

#include <algorithm>
#include <cstdint>
#include <vector>

class SmallFrame {
public:
    // The ADs rise from first_ad by ad_step per pixel (0: a step that keeps
    // the picture within 20,000 AD values).
    SmallFrame(uint16_t width, uint16_t height, uint16_t first_ad = 15000, uint16_t ad_step = 0)
    {
        std::vector<uint16_t> plane(static_cast<size_t>(width) * height);
        if (ad_step == 0) ad_step = static_cast<uint16_t>(std::max<size_t>(1, std::min<size_t>(40, 20000 / plane.size())));
        for (size_t i = 0; i < plane.size(); ++i) plane[i] = static_cast<uint16_t>(first_ad + ad_step * i);
        if (sensekern_init(&m_kern) && sensekern_load_calibration_file(m_kern, "ad_temp") &&
            sensekern_set_ad_frame(m_kern, plane.data(), width, height)) {
            thermframe_doc_init(m_doc, m_kern);
        }
    }
    ~SmallFrame()
    {
        if (m_doc != nullptr) thermframe_doc_uninit(m_doc);
        if (m_kern != nullptr) sensekern_uninit(&m_kern);
    }
    SmallFrame(const SmallFrame&) = delete;
    SmallFrame& operator=(const SmallFrame&) = delete;

    void* doc() const { return m_doc; }
    std::vector<float> temps() const
    {
        uint16_t w = 0, h = 0;
        thermframe_get_resolution(m_doc, w, h);
        std::vector<float> all(static_cast<size_t>(w) * h);
        thermframe_get_all_temp(m_doc, all.data());
        return all;
    }

private:
    void* m_kern = nullptr;
    void* m_doc = nullptr;
};
