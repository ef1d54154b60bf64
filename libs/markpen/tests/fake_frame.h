// A frame document of the tests' own, served to the renderer through the
// same interface as thermframe's.
#pragma once

#include "frame_source.h"

#include <QFile>

#include <cstring>

#include <map>
#include <string>
#include <vector>

namespace markpen::test {

struct FakeAna {
    AnaType type = ANA_POINT;
    std::string text;
    bool show = true;
    bool warning = false;
    uint32_t colour = 0x0000ff00;  // stored form: green
    uint32_t warning_colour = 0x000000ff;
    bool selected = false;
    bool cursor = false;
    bool cursor_temp = false;
    uint16_t cursor_x = 0, cursor_y = 0;
    float cursor_t = 0;
    bool show_max = false, show_min = false;
    uint16_t max_x = 0, max_y = 0, min_x = 0, min_y = 0;
    std::string alias;
    std::string temp_text;
    bool has_loc = true;
    int32_t ax = 0, ay = 0, side = 0, dx = 0, dy = 0;
};

struct FakeMark {
    uint16_t x, y;
    float t;
};

class FakeFrame : public detail::FrameSource {
public:
    std::vector<uint32_t> bits;
    std::vector<FakeAna> anas;
    uint32_t warning_count = 0;
    bool show_max = false, show_min = false;
    uint16_t max_x = 0, max_y = 0, min_x = 0, min_y = 0;
    float max_t = 0, min_t = 0;
    std::vector<FakeMark> marks;
    bool has_palette = true;
    PALETTE palette = PAL_IRON;
    bool has_range = true;
    uint16_t low_ad = 100, high_ad = 200;
    std::map<uint16_t, float> temps{{100, 21.34f}, {200, 105.8f}};
    float emiss = 0.95f, dist = 4.8f, env = 24.96f;
    bool append_ok = true;
    std::vector<std::string> appended;  // "temp:<path>", "temp_w:<path>", "sgcc:..."

    const FakeAna* find(const std::string& text) const
    {
        for (const FakeAna& a : anas) {
            if (a.text == text) return &a;
        }
        return nullptr;
    }

    bool get_bits(uint8_t* buffer, uint32_t& length) override
    {
        const uint32_t needed = static_cast<uint32_t>(bits.size() * 4);
        if (buffer != nullptr) {
            if (length < needed) return false;
            std::memcpy(buffer, bits.data(), needed);
        }
        length = needed;
        return needed != 0;
    }
    bool get_anas_count(AnaType type, int32_t& count) override
    {
        count = 0;
        for (const FakeAna& a : anas) count += a.type == type;
        return true;
    }
    bool get_ana(AnaType type, int32_t index, std::string& text) override
    {
        for (const FakeAna& a : anas) {
            if (a.type == type && index-- == 0) {
                text = a.text;
                return true;
            }
        }
        return false;
    }
#define FAKE_FLAG(name, field)                                      \
    bool name(const std::string& text, bool& out) override          \
    {                                                               \
        const FakeAna* a = find(text);                              \
        if (a == nullptr) return false;                             \
        out = a->field;                                             \
        return true;                                                \
    }
    FAKE_FLAG(ana_is_show, show)
    FAKE_FLAG(ana_get_warning, warning)
    FAKE_FLAG(ana_has_select, selected)
    FAKE_FLAG(ana_is_show_cursor, cursor)
    FAKE_FLAG(ana_is_show_cursor_temp, cursor_temp)
    FAKE_FLAG(ana_is_show_max, show_max)
    FAKE_FLAG(ana_is_show_min, show_min)
#undef FAKE_FLAG
    bool get_warning_count(uint32_t& count) override
    {
        count = warning_count;
        return true;
    }
    bool ana_get_warning_line_clr(const std::string& text, uint32_t& colour) override
    {
        const FakeAna* a = find(text);
        if (a == nullptr) return false;
        colour = a->warning_colour;
        return true;
    }
    bool ana_get_line_clr(const std::string& text, uint32_t& colour) override
    {
        const FakeAna* a = find(text);
        if (a == nullptr) return false;
        colour = a->colour;
        return true;
    }
    bool ana_get_temperature_of_cursor(const std::string& text, uint16_t& x, uint16_t& y,
                                       float& t) override
    {
        const FakeAna* a = find(text);
        if (a == nullptr) return false;
        x = a->cursor_x;
        y = a->cursor_y;
        t = a->cursor_t;
        return true;
    }
    bool ana_get_max_temp(const std::string& text, uint16_t& x, uint16_t& y, uint16_t& ad,
                          float& t) override
    {
        const FakeAna* a = find(text);
        return a != nullptr && extreme(a->max_x, a->max_y, 0, x, y, ad, t);
    }
    bool ana_get_min_temp(const std::string& text, uint16_t& x, uint16_t& y, uint16_t& ad,
                          float& t) override
    {
        const FakeAna* a = find(text);
        return a != nullptr && extreme(a->min_x, a->min_y, 0, x, y, ad, t);
    }
    bool ana_get_alias(const std::string& text, std::string& alias) override
    {
        const FakeAna* a = find(text);
        if (a == nullptr) return false;
        alias = a->alias;
        return true;
    }
    bool ana_get_temp_text(const std::string& text, std::string& label) override
    {
        const FakeAna* a = find(text);
        if (a == nullptr || a->temp_text.empty()) return false;
        label = a->temp_text;
        return true;
    }
    bool get_text_loc(const std::string& text, int32_t& ax, int32_t& ay, int32_t& side,
                      int32_t& dx, int32_t& dy) override
    {
        const FakeAna* a = find(text);
        if (a == nullptr || !a->has_loc) return false;
        ax = a->ax;
        ay = a->ay;
        side = a->side;
        dx = a->dx;
        dy = a->dy;
        return true;
    }
    bool is_show_max(bool& show) override
    {
        show = show_max;
        return true;
    }
    bool is_show_min(bool& show) override
    {
        show = show_min;
        return true;
    }
    bool get_max_temp(uint16_t& x, uint16_t& y, uint16_t& ad, float& t) override
    {
        return extreme(max_x, max_y, max_t, x, y, ad, t);
    }
    bool get_min_temp(uint16_t& x, uint16_t& y, uint16_t& ad, float& t) override
    {
        return extreme(min_x, min_y, min_t, x, y, ad, t);
    }
    bool get_temp_mark_count(int32_t& count) override
    {
        count = static_cast<int32_t>(marks.size());
        return true;
    }
    bool get_temp_mark_info(int32_t index, uint16_t& x, uint16_t& y, float& t) override
    {
        if (index < 0 || index >= static_cast<int32_t>(marks.size())) return false;
        x = marks[index].x;
        y = marks[index].y;
        t = marks[index].t;
        return true;
    }
    bool get_palette(PALETTE& out) override
    {
        out = palette;
        return has_palette;
    }
    bool get_imaging_range(uint16_t& low, uint16_t& high) override
    {
        low = low_ad;
        high = high_ad;
        return has_range;
    }
    bool get_temp_from_ad(uint16_t ad, float& t) override
    {
        auto found = temps.find(ad);
        if (found == temps.end()) return false;
        t = found->second;
        return true;
    }
    bool get_emiss(float& value) override
    {
        value = emiss;
        return true;
    }
    bool get_dist(float& value) override
    {
        value = dist;
        return true;
    }
    bool get_env_temp(float& value) override
    {
        value = env;
        return true;
    }
    bool append_temperature_to_file(const std::string& path) override
    {
        return append("temp", path);
    }
    bool append_temperature_to_file_w(const std::wstring& path) override
    {
        return append("temp_w", QString::fromStdWString(path).toStdString());
    }
    bool append_sgcc_to_file(const std::string& path) override { return append("sgcc", path); }
    bool append_sgcc_to_file_w(const std::wstring& path) override
    {
        return append("sgcc_w", QString::fromStdWString(path).toStdString());
    }

private:
    static bool extreme(uint16_t at_x, uint16_t at_y, float at_t, uint16_t& x, uint16_t& y,
                        uint16_t& ad, float& t)
    {
        x = at_x;
        y = at_y;
        ad = 0;
        t = at_t;
        return true;
    }
    // A failing append first writes part of its block, as a real one may.
    bool append(const char* kind, const std::string& path)
    {
        appended.push_back(std::string(kind) + ":" + path);
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::Append)) return false;
        file.write(append_ok ? "RADIOMETRIC-BLOCK" : "RADIO");
        return append_ok;
    }
};

}  // namespace markpen::test
