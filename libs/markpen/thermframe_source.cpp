// The frame source of the library: the thermframe document behind a frame
// handle.
#include "frame_source.h"
#include "logline.h"

#ifdef MARKPEN_HAVE_THERMFRAME
#include "thermframe.h"
#endif

namespace markpen::detail {

#ifdef MARKPEN_HAVE_THERMFRAME
namespace {

class ThermframeSource final : public FrameSource {
public:
    explicit ThermframeSource(void* doc) : doc_(doc) {}

    bool get_bits(uint8_t* buffer, uint32_t& length) override
    {
        return thermframe_get_bits(doc_, buffer, length);
    }
    bool get_anas_count(AnaType type, int32_t& count) override
    {
        return thermframe_get_anas_count(doc_, type, count);
    }
    bool get_ana(AnaType type, int32_t index, std::string& text) override
    {
        return thermframe_get_ana(doc_, type, index, text);
    }
    bool ana_is_show(const std::string& text, bool& show) override
    {
        return thermframe_ana_is_show(doc_, text, show);
    }
    bool ana_get_warning(const std::string& text, bool& warning) override
    {
        return thermframe_ana_get_warning(doc_, text, warning);
    }
    bool get_warning_count(uint32_t& count) override
    {
        return thermframe_ana_get_warning_count(doc_, count);
    }
    bool ana_get_warning_line_clr(const std::string& text, uint32_t& colour) override
    {
        return thermframe_ana_get_warning_line_clr(doc_, text, colour);
    }
    bool ana_get_line_clr(const std::string& text, uint32_t& colour) override
    {
        return thermframe_ana_get_line_clr(doc_, text, colour);
    }
    bool ana_has_select(const std::string& text, bool& selected) override
    {
        return thermframe_ana_has_select(doc_, text, selected);
    }
    bool ana_is_show_cursor(const std::string& text, bool& show) override
    {
        return thermframe_ana_is_show_cursor(doc_, text, show);
    }
    bool ana_is_show_cursor_temp(const std::string& text, bool& show) override
    {
        return thermframe_ana_is_show_cursor_temp(doc_, text, show);
    }
    bool ana_get_temperature_of_cursor(const std::string& text, uint16_t& x, uint16_t& y,
                                       float& t) override
    {
        return thermframe_ana_get_temperature_of_cursor(doc_, text, x, y, t);
    }
    bool ana_is_show_max(const std::string& text, bool& show) override
    {
        return thermframe_ana_is_show_max(doc_, text, show);
    }
    bool ana_is_show_min(const std::string& text, bool& show) override
    {
        return thermframe_ana_is_show_min(doc_, text, show);
    }
    bool ana_get_max_temp(const std::string& text, uint16_t& x, uint16_t& y, uint16_t& ad,
                          float& t) override
    {
        return thermframe_ana_get_max_temp(doc_, text, x, y, ad, t);
    }
    bool ana_get_min_temp(const std::string& text, uint16_t& x, uint16_t& y, uint16_t& ad,
                          float& t) override
    {
        return thermframe_ana_get_min_temp(doc_, text, x, y, ad, t);
    }
    bool ana_get_alias(const std::string& text, std::string& alias) override
    {
        return thermframe_ana_get_alias(doc_, text, alias);
    }
    bool ana_get_temp_text(const std::string& text, std::string& label) override
    {
        return thermframe_ana_get_temp_text(doc_, text, label);
    }
    bool get_text_loc(const std::string& text, int32_t& ax, int32_t& ay, int32_t& side,
                      int32_t& dx, int32_t& dy) override
    {
        return thermframe_get_text_loc(doc_, text, false, ax, ay, side, dx, dy);
    }
    bool is_show_max(bool& show) override { return thermframe_is_show_max(doc_, show); }
    bool is_show_min(bool& show) override { return thermframe_is_show_min(doc_, show); }
    bool get_max_temp(uint16_t& x, uint16_t& y, uint16_t& ad, float& t) override
    {
        return thermframe_get_max_temp(doc_, x, y, ad, t);
    }
    bool get_min_temp(uint16_t& x, uint16_t& y, uint16_t& ad, float& t) override
    {
        return thermframe_get_min_temp(doc_, x, y, ad, t);
    }
    bool get_temp_mark_count(int32_t& count) override
    {
        return thermframe_get_temp_mark_count(doc_, count);
    }
    bool get_temp_mark_info(int32_t index, uint16_t& x, uint16_t& y, float& t) override
    {
        return thermframe_get_temp_mark_info(doc_, index, x, y, t);
    }
    bool get_palette(PALETTE& palette) override { return thermframe_get_palette(doc_, palette); }
    bool get_imaging_range(uint16_t& low, uint16_t& high) override
    {
        return thermframe_get_imaging_range(doc_, low, high);
    }
    bool get_temp_from_ad(uint16_t ad, float& t) override
    {
        return thermframe_get_temp_from_ad(doc_, ad, t);
    }
    bool get_emiss(float& value) override { return thermframe_get_emiss(doc_, value); }
    bool get_dist(float& value) override { return thermframe_get_dist(doc_, value); }
    bool get_env_temp(float& value) override { return thermframe_get_env_temp(doc_, value); }
    bool append_temperature_to_file(const std::string& path) override
    {
        return thermframe_append_temperature_to_file(doc_, path);
    }
    bool append_temperature_to_file_w(const std::wstring& path) override
    {
        return thermframe_append_temperature_to_file_w(doc_, path);
    }
    bool append_sgcc_to_file(const std::string& path) override
    {
        return thermframe_append_sgcc_to_file(doc_, path);
    }
    bool append_sgcc_to_file_w(const std::wstring& path) override
    {
        return thermframe_append_sgcc_to_file_w(doc_, path);
    }
    bool add_ana(const std::string& text) override { return thermframe_add_ana(doc_, text); }
    bool get_hit_ana(int32_t x, int32_t y, AnaType& code, std::string& text) override
    {
        return thermframe_get_hit_ana_str(doc_, x, y, code, text);
    }
    bool ana_set_select(const std::string& text) override
    {
        return thermframe_ana_set_select(doc_, text);
    }
    bool update_ana_size(const std::string& old_text, const std::string& new_text) override
    {
        return thermframe_update_ana_size(doc_, old_text, new_text);
    }
    bool ana_set_cursor_pos(const std::string& text, int32_t x, int32_t y) override
    {
        return thermframe_ana_set_cursor_pos(doc_, text, x, y);
    }

private:
    void* const doc_;
};

}  // namespace

std::unique_ptr<FrameSource> make_thermframe_source(void* frame)
{
    if (frame == nullptr) {
        return nullptr;
    }
    return std::make_unique<ThermframeSource>(frame);
}

#else

std::unique_ptr<FrameSource> make_thermframe_source(void*)
{
    logline_print(4, "markpen", __FILE__, __LINE__, "make_thermframe_source", "%s",
                  "built without thermframe: the paint handle draws no frame");
    return nullptr;
}

#endif

}  // namespace markpen::detail
