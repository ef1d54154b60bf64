// Timing of recording playback: the frame interval a recording asks for,
// the speeds a player accepts and how long a playback cycle sleeps.
#pragma once

#include "vytypes.h"

#include <cstdint>

namespace player_pacing {

constexpr float kMinIntervalMs = 3.0f;
constexpr float kMaxIntervalMs = 1000.0f;
constexpr float kMinSpeed = 0.001f;
constexpr float kMaxSpeed = 100.0f;
// Above this speed frames follow each other without sleeping.
constexpr float kNoPacingSpeed = 99.0f;
// Below this speed ("frame by frame") one frame is shown per second.
constexpr float kSlowSpeed = 0.002f;

inline int64_t to_ms(const tagTimeVal& time)
{
    return static_cast<int64_t>(time.sec) * 1000 + time.usec / 1000;
}

// Milliseconds between two frames at speed 1: the recording's duration over
// its frames, limited to 3..1000. false for a recording without frames.
bool frame_interval_ms(const tagTimeVal& start, const tagTimeVal& end, uint32_t frames, float& interval);

inline bool is_speed_accepted(float speed) { return speed >= kMinSpeed && speed <= kMaxSpeed; }

// Milliseconds a cycle that took `elapsed_ms` still sleeps (0: none).
int64_t sleep_ms(float interval, float speed, int64_t elapsed_ms);

// Whole frames per second of an interval.
int frame_rate(float interval);

}  // namespace player_pacing
