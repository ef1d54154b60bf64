#include "alarm_frame.h"

#include "sensekern.h"
#include "thermframe.h"

#include <QCoreApplication>

#include <vector>

AlarmFrame::AlarmFrame()
{
    if (!sensekern_init(&m_sensekern)) {
        return;
    }
    const std::string calibration = (QCoreApplication::applicationDirPath() + "/ad_temp").toStdString();
    m_calibrated = sensekern_load_calibration_file(m_sensekern, calibration.c_str());
    std::vector<uint16_t> flat(static_cast<size_t>(kWidth) * kHeight, 12000);
    if (sensekern_set_ad_frame(m_sensekern, flat.data(), kWidth, kHeight)) {
        thermframe_doc_init(m_doc, m_sensekern);
    }
}

AlarmFrame::~AlarmFrame()
{
    if (m_doc != nullptr) {
        thermframe_doc_uninit(m_doc);
    }
    if (m_sensekern != nullptr) {
        sensekern_uninit(&m_sensekern);
    }
}

bool AlarmFrame::set_temperatures(float left, float right)
{
    uint16_t hot = 0;
    uint16_t cold = 0;
    if (!m_calibrated || m_doc == nullptr || !thermframe_get_ad_from_temp(m_doc, left, hot) ||
        !thermframe_get_ad_from_temp(m_doc, right, cold)) {
        return false;
    }
    std::vector<uint16_t> plane(static_cast<size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            plane[static_cast<size_t>(y) * kWidth + x] = x < kWidth / 2 ? hot : cold;
        }
    }
    return sensekern_set_ad_frame(m_sensekern, plane.data(), kWidth, kHeight);
}

void* AlarmFrame::add(const std::string& ana, const std::string& alias)
{
    void* handle = nullptr;
    if (!thermframe_add_ana(m_doc, ana, handle) || handle == nullptr ||
        !thermframe_ana_set_alias(handle, alias)) {
        return nullptr;
    }
    return handle;
}

float AlarmFrame::max_of(void* ana)
{
    uint16_t x = 0, y = 0, ad = 0;
    float t = 0.0f;
    thermframe_ana_get_max_temp(ana, x, y, ad, t);
    return t;
}
