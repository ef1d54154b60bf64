// A frame document over a calibrated sensekern frame whose left half is hot
// and right half cold, so that analysis objects have known temperatures.
#pragma once

#include <string>

class AlarmFrame {
public:
    static constexpr int kWidth = 160;
    static constexpr int kHeight = 120;

    AlarmFrame();
    ~AlarmFrame();
    AlarmFrame(const AlarmFrame&) = delete;
    AlarmFrame& operator=(const AlarmFrame&) = delete;

    // Feeds a plane whose left half reads `left` and right half `right`
    // degrees (as near as the calibration's AD steps go). False when the
    // calibration data did not load or cannot reach the temperatures.
    bool set_temperatures(float left, float right);
    void* doc() const { return m_doc; }
    // Adds an analysis object (analysis string) under an alias; null when
    // refused.
    void* add(const std::string& ana, const std::string& alias);
    static float max_of(void* ana);

private:
    void* m_sensekern = nullptr;
    void* m_doc = nullptr;
    bool m_calibrated = false;
};
