// The temperature half of an analysis-object label.
#pragma once

#include <string>

namespace thermframe {
namespace detail {

struct LabelTemps {
    float max = 0.0f;
    float min = 0.0f;
    float avg = 0.0f;
};

// `mask` is a ShowTextType bit mask (non-zero). A point shows only its one
// temperature, carried in `max`.
std::string format_temp_text(bool point, int mask, const LabelTemps& temps);

}  // namespace detail
}  // namespace thermframe
