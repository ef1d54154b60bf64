// What the renderer reads from (and asks of) the frame document it draws.
// The library's own implementation forwards to thermframe; tests give the
// renderer a document of their own through the same interface.
#pragma once

#include "vytypes.h"

#include <cstdint>
#include <memory>
#include <string>

namespace markpen::detail {

class FrameSource {
public:
    virtual ~FrameSource() = default;

    // length: capacity in bytes on entry (ignored with a null buffer), size on return.
    virtual bool get_bits(uint8_t* buffer, uint32_t& length) = 0;

    virtual bool get_anas_count(AnaType type, int32_t& count) = 0;
    virtual bool get_ana(AnaType type, int32_t index, std::string& text) = 0;
    virtual bool ana_is_show(const std::string& text, bool& show) = 0;
    virtual bool ana_get_warning(const std::string& text, bool& warning) = 0;
    virtual bool get_warning_count(uint32_t& count) = 0;
    virtual bool ana_get_warning_line_clr(const std::string& text, uint32_t& colour) = 0;
    virtual bool ana_get_line_clr(const std::string& text, uint32_t& colour) = 0;
    virtual bool ana_has_select(const std::string& text, bool& selected) = 0;
    virtual bool ana_is_show_cursor(const std::string& text, bool& show) = 0;
    virtual bool ana_is_show_cursor_temp(const std::string& text, bool& show) = 0;
    virtual bool ana_get_temperature_of_cursor(const std::string& text, uint16_t& x, uint16_t& y,
                                               float& t) = 0;
    virtual bool ana_is_show_max(const std::string& text, bool& show) = 0;
    virtual bool ana_is_show_min(const std::string& text, bool& show) = 0;
    virtual bool ana_get_max_temp(const std::string& text, uint16_t& x, uint16_t& y, uint16_t& ad,
                                  float& t) = 0;
    virtual bool ana_get_min_temp(const std::string& text, uint16_t& x, uint16_t& y, uint16_t& ad,
                                  float& t) = 0;
    virtual bool ana_get_alias(const std::string& text, std::string& alias) = 0;
    virtual bool ana_get_temp_text(const std::string& text, std::string& label) = 0;
    virtual bool get_text_loc(const std::string& text, int32_t& ax, int32_t& ay, int32_t& side,
                              int32_t& dx, int32_t& dy) = 0;

    virtual bool is_show_max(bool& show) = 0;
    virtual bool is_show_min(bool& show) = 0;
    virtual bool get_max_temp(uint16_t& x, uint16_t& y, uint16_t& ad, float& t) = 0;
    virtual bool get_min_temp(uint16_t& x, uint16_t& y, uint16_t& ad, float& t) = 0;
    virtual bool get_temp_mark_count(int32_t& count) = 0;
    virtual bool get_temp_mark_info(int32_t index, uint16_t& x, uint16_t& y, float& t) = 0;

    virtual bool get_palette(PALETTE& palette) = 0;
    virtual bool get_imaging_range(uint16_t& low, uint16_t& high) = 0;
    virtual bool get_temp_from_ad(uint16_t ad, float& t) = 0;
    virtual bool get_emiss(float& value) = 0;
    virtual bool get_dist(float& value) = 0;
    virtual bool get_env_temp(float& value) = 0;

    // Paths are UTF-8; the wide form is what the wide-path savers pass on.
    virtual bool append_temperature_to_file(const std::string& path) = 0;
    virtual bool append_temperature_to_file_w(const std::wstring& path) = 0;
    virtual bool append_sgcc_to_file(const std::string& path) = 0;
    virtual bool append_sgcc_to_file_w(const std::wstring& path) = 0;

    // What the mouse editor writes into the document; a source that only
    // draws refuses them.
    virtual bool add_ana(const std::string&) { return false; }
    // code: the hit code (type plus the part hit); false when nothing is hit.
    virtual bool get_hit_ana(int32_t, int32_t, AnaType&, std::string&) { return false; }
    virtual bool ana_set_select(const std::string&) { return false; }
    virtual bool update_ana_size(const std::string&, const std::string&) { return false; }
    virtual bool ana_set_cursor_pos(const std::string&, int32_t, int32_t) { return false; }
};

// The thermframe document behind a frame handle; null when this build has
// no thermframe or the handle is null.
std::unique_ptr<FrameSource> make_thermframe_source(void* frame);

}  // namespace markpen::detail
