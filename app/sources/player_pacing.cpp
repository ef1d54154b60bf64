#include "sources/player_pacing.h"

#include <cmath>

namespace player_pacing {

bool frame_interval_ms(const tagTimeVal& start, const tagTimeVal& end, uint32_t frames, float& interval)
{
    if (frames == 0) {
        return false;
    }
    int64_t duration = (static_cast<int64_t>(end.sec) - static_cast<int64_t>(start.sec)) * 1000 +
                       end.usec / 1000 - start.usec / 1000;
    if (duration < 0) {
        duration = 1;
    }
    float value = static_cast<float>(duration) / static_cast<float>(frames);
    if (value > kMaxIntervalMs) {
        value = kMaxIntervalMs;
    }
    if (value < kMinIntervalMs) {
        value = kMinIntervalMs;
    }
    interval = value;
    return true;
}

int64_t sleep_ms(float interval, float speed, int64_t elapsed_ms)
{
    if (speed > kNoPacingSpeed || speed <= 0.0f) {
        return 0;
    }
    if (speed < kSlowSpeed) {
        return elapsed_ms < 1000 ? 1000 - elapsed_ms : 0;
    }
    const float per_frame = interval / speed;
    if (static_cast<float>(elapsed_ms) >= per_frame) {
        return 0;
    }
    return static_cast<int64_t>(per_frame - static_cast<float>(elapsed_ms));
}

int frame_rate(float interval)
{
    if (std::fabs(interval) < 0.00001f) {
        return 1000;
    }
    return static_cast<int>(1000.0f / interval + 0.5f);
}

}  // namespace player_pacing
