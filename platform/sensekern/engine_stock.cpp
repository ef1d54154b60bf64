// The stock of calibration engines, keyed by everything that made them.
#include "engine_stock.h"

#include "tempcore.h"

#include <cstring>
#include <deque>
#include <mutex>

namespace sensekern {
namespace detail {
namespace {

// An engine holds its tables (about 0.7 MB) beside the calibration data of
// the key (at most kMaxCalibrationBytes): a few cover the pictures of the
// cameras in use.
constexpr std::size_t kKeptEngines = 4;

struct Kept {
    void* engine;
    Model model;
    Params params;
};

// Compared bit for bit: a parameter that equals another as a number but not
// in its bits (-0 and 0) could still give other temperatures.
template <class T>
bool same_bits(const T& a, const T& b)
{
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

bool same_params(const Params& a, const Params& b)
{
    return same_bits(a.emissivity, b.emissivity) && same_bits(a.distance, b.distance) &&
           same_bits(a.ambient, b.ambient) && same_bits(a.humidity, b.humidity) && same_bits(a.modify, b.modify) &&
           same_bits(a.reference, b.reference) && a.unit == b.unit;
}

bool same_model(const Model& a, const Model& b)
{
    return a.lens == b.lens && a.range == b.range && std::memcmp(a.sensors, b.sensors, sizeof(a.sensors)) == 0 &&
           a.calibration == b.calibration;
}

class EngineStock {
public:
    void* take(const Model& model, const Params& params)
    {
        std::lock_guard<std::mutex> guard(mutex_);
        for (auto it = kept_.begin(); it != kept_.end(); ++it) {
            if (same_params(it->params, params) && same_model(it->model, model)) {
                void* engine = it->engine;
                kept_.erase(it);
                return engine;
            }
        }
        return nullptr;
    }

    void give_back(void* engine, Model&& model, const Params& params)
    {
        void* surplus = nullptr;
        {
            std::lock_guard<std::mutex> guard(mutex_);
            if (kept_.size() == kKeptEngines) {
                surplus = kept_.front().engine;
                kept_.pop_front();
            }
            kept_.push_back({engine, std::move(model), params});
        }
        if (surplus != nullptr) {
            vy_at_uninit(&surplus);
        }
    }

private:
    std::mutex mutex_;
    std::deque<Kept> kept_;
};

// Never destroyed: frames released by exit handlers still find it.
EngineStock& stock()
{
    static EngineStock* instance = new EngineStock;
    return *instance;
}

}  // namespace

void* take_engine(const Model& model, const Params& params)
{
    return stock().take(model, params);
}

void give_back_engine(void* engine, Model&& model, const Params& params)
{
    if (engine != nullptr) {
        stock().give_back(engine, std::move(model), params);
    }
}

}  // namespace detail
}  // namespace sensekern
