// Tables shared by every filter engine of the process.
#include "sharpen_blur.h"

#include <cstdlib>
#include <mutex>

namespace palettor::detail {

namespace {

std::mutex g_shake_mutex;
ShakeTables g_shake;
bool g_shake_built = false;

void build_shake(int small_step, int mid_step, float factor, ShakeTables* t)
{
    for (int d = -255; d <= 255; ++d) {
        const int a = std::abs(d);
        int16_t step, remember;
        if (a <= small_step) {
            step = remember = static_cast<int16_t>(static_cast<int>(16.0f * static_cast<float>(d) * factor));
        } else if (a <= mid_step) {
            step = static_cast<int16_t>(8 * d);
            remember = static_cast<int16_t>(16 * d);
        } else {
            step = remember = static_cast<int16_t>(16 * d);
        }
        t->step[d + 255] = step;
        t->remember[d + 255] = remember;
    }
}

}  // namespace

const FilterTables& filter_tables()
{
    static const FilterTables tables = [] {
        FilterTables t;
        for (int s = 0; s < 256; ++s) {
            t.depth[s] = static_cast<float>(s) / 64.0f;
        }
        for (int d = -255; d <= 255; ++d) {
            const float w = 1.0f - static_cast<float>(std::abs(d)) / 25.0f;
            t.range_weight[d + 255] = static_cast<int32_t>((w > 0.0f ? w : 0.0f) * 100.0f);
        }
        t.product.resize(256 * kDiffCount);
        for (int v = 0; v < 256; ++v) {
            for (int i = 0; i < kDiffCount; ++i) {
                t.product[v * kDiffCount + i] = v * t.range_weight[i];
            }
        }
        return t;
    }();
    return tables;
}

void set_stabilization_tables(int small_step, int mid_step, float factor)
{
    std::lock_guard<std::mutex> guard(g_shake_mutex);
    const uint32_t version = g_shake.version;
    build_shake(small_step, mid_step, factor, &g_shake);
    g_shake.version = version + 1;
    g_shake_built = true;
}

ShakeTables stabilization_tables()
{
    std::lock_guard<std::mutex> guard(g_shake_mutex);
    if (!g_shake_built) {
        build_shake(2, 2, 0.3f, &g_shake);
        g_shake.version = 1;
        g_shake_built = true;
    }
    return g_shake;
}

void blur_shifts(bool stabilization_on, int32_t shifts[25])
{
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const int ax = std::abs(dx), ay = std::abs(dy);
            int ring;  // index into the dist coefficients 0..5
            if (ax == 0 && ay == 0) {
                ring = 5;
            } else if (ax + ay == 1) {
                ring = 4;
            } else if (ax == 1 && ay == 1) {
                ring = 3;
            } else if (ax + ay == 2) {
                ring = 2;
            } else if (ax + ay == 3) {
                ring = 1;
            } else {
                ring = 0;
            }
            shifts[(dy + 2) * 5 + dx + 2] = stabilization_on ? ring : 0;
        }
    }
}

}  // namespace palettor::detail
