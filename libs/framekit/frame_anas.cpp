// The frame's operations on its analyses, the anas buffer and the imaging
// parameter block.
#include "ad_data.h"

#include "byte_writer.h"
#include "frame_locks.h"
#include "frame_log.h"
#include "palettor.h"

#include <cstring>

namespace framekit {
namespace detail {

namespace {

constexpr uint32_t kImagingParaBytes = 32;

std::string function_name(const char* class_name, const char* operation)
{
    return std::string(class_name) + "::" + operation;
}

// Copies a finished buffer out under the capacity rule.
bool copy_out(const std::vector<uint8_t>& bytes, uint8_t* buffer, uint32_t* length, const char* function)
{
    uint32_t capacity = *length;
    *length = static_cast<uint32_t>(bytes.size());
    if (buffer == nullptr) {
        return true;
    }
    if (capacity < bytes.size()) {
        FK_ERROR(function, "buffer bytes %u below %zu", capacity, bytes.size());
        return false;
    }
    std::memcpy(buffer, bytes.data(), bytes.size());
    return true;
}

// Splits an anas string; a refused string is logged under `function`.
bool split_anas(const char* class_name, const char* function, const char* text, std::vector<std::string>* items)
{
    if (!split_anas_string(text, items, function_name(class_name, "get_anas_from_str").c_str())) {
        FK_ERROR(function, "get anas from str = %s failed", text);
        return false;
    }
    return true;
}

}  // namespace

void ADData::measure_edited_ana(const AnaPtr& ana)
{
    if (!measures_on_edit()) {
        return;
    }
    FrameLocks locks(data_lock_);
    if (!locks || pixels_ == 0 || !refresh_ad_locked()) {
        return;
    }
    ana->recompute(view_locked());
}

bool ADData::add_ana(const char* text, const tagVYAnaInfo& info)
{
    const std::string function = function_name(class_name(), "add_ana");
    bool created = false;
    AnaPtr ana = anas_.add(text, &created);
    if (!ana || !ana->set_info(info)) {
        if (ana && created) {
            anas_.remove(text);
        }
        FK_ERROR(function.c_str(), "add ana = %s failed", text);
        return false;
    }
    measure_edited_ana(ana);
    return true;
}

bool ADData::add_anas(const char* text)
{
    const std::string function = function_name(class_name(), "add_anas");
    std::vector<std::string> items;
    if (!split_anas(class_name(), function.c_str(), text, &items)) {
        return false;
    }
    for (const std::string& item : items) {
        bool created = false;
        AnaPtr ana = anas_.add(item.c_str(), &created);
        if (ana) {
            measure_edited_ana(ana);
        }
    }
    return true;
}

bool ADData::delete_anas(const char* text)
{
    const std::string function = function_name(class_name(), "delete_anas");
    std::vector<std::string> items;
    if (!split_anas(class_name(), function.c_str(), text, &items)) {
        return false;
    }
    for (const std::string& item : items) {
        if (!anas_.remove(item.c_str())) {
            FK_ERROR(function.c_str(), "delete analyse %s failed", item.c_str());
            return false;
        }
    }
    return true;
}

void ADData::delete_all_anas()
{
    anas_.clear();
}

bool ADData::update_ana_size(const char* old_text, const char* new_text)
{
    AnaPtr ana;
    if (!anas_.update_by_string(old_text, new_text, &ana)) {
        FK_ERROR(function_name(class_name(), "update_ana_size").c_str(),
                 "new analyse %s update old analyse %s failed", new_text, old_text);
        return false;
    }
    measure_edited_ana(ana);
    return true;
}

bool ADData::update_ana_size(const char* text, const tagVYPoint* nodes, std::size_t count)
{
    const std::string function = function_name(class_name(), "update_ana_size");
    if (!anas_.find(text)) {
        FK_ERROR(function.c_str(), "analyse %s is not exist", text);
        return false;
    }
    AnaPtr ana;
    if (!anas_.update_by_nodes(text, nodes, count, &ana)) {
        FK_ERROR(function.c_str(), "update analyse %s failed", text);
        return false;
    }
    measure_edited_ana(ana);
    return true;
}

bool ADData::apply_self_palette_of_ana(const char* text, bool on)
{
    AnaPtr ana = anas_.find(text);
    if (!ana) {
        FK_ERROR("ADData::apply_self_palette_of_ana", "analyse %s is not exist", text);
        return false;
    }
    if (!ana->switch_own_palette(on)) {
        return false;
    }
    if (!on) {
        return true;
    }
    FrameLocks locks(data_lock_);
    if (!locks || pixels_ == 0 || !refresh_ad_locked()) {
        return false;
    }
    return ana->recompute(view_locked());
}

bool ADData::get_ad_of_ana(const char* text, uint16_t* out)
{
    FrameLocks locks(data_lock_);
    if (!locks) {
        return false;
    }
    if (out == nullptr || pixels_ == 0 || !refresh_ad_locked()) {
        FK_ERROR("ADData::get_ad_of_ana", "addr of src ad data = %p, addr of dst ad data = %p",
                 static_cast<const void*>(ad_.data()), static_cast<void*>(out));
        return false;
    }
    AnaPtr ana = anas_.find(text);
    PixelSet set;
    PlaneView view = view_locked();
    if (!ana || !ana->pixels(view.width, view.height, &set)) {
        FK_ERROR("ADData::get_ad_of_ana", "analyse %s error", text);
        return false;
    }
    std::size_t i = 0;
    set.for_each([&](uint16_t x, uint16_t y) { out[i++] = view.ad[static_cast<std::size_t>(y) * view.width + x]; });
    return true;
}

bool ADData::get_pos_of_ana(const char* text, tagVYPoint* out)
{
    FrameLocks locks(data_lock_);
    if (!locks) {
        return false;
    }
    if (out == nullptr || pixels_ == 0) {
        FK_ERROR("ADData::get_pos_of_ana", "addr of src ad data = %p, addr of dst ad data = %p",
                 static_cast<const void*>(ad_.data()), static_cast<void*>(out));
        return false;
    }
    AnaPtr ana = anas_.find(text);
    PixelSet set;
    PlaneView view = view_locked();
    if (!ana || !ana->pixels(view.width, view.height, &set)) {
        FK_ERROR("ADData::get_pos_of_ana", "analyse %s error", text);
        return false;
    }
    std::size_t i = 0;
    set.for_each([&](uint16_t x, uint16_t y) { out[i++] = tagVYPoint{x, y}; });
    return true;
}

bool ADData::pixel_count_of_ana(const char* text, uint32_t* count)
{
    AnaPtr ana = anas_.find(text);
    if (!ana) {
        return false;
    }
    FrameLocks locks(data_lock_);
    if (!locks) {
        return false;
    }
    PlaneView view = view_locked();
    PixelSet set;
    if (!ana->pixels(view.width, view.height, &set)) {
        return false;
    }
    *count = static_cast<uint32_t>(set.size());
    return true;
}

bool ADData::save_anas(uint8_t* buffer, uint32_t* length)
{
    std::vector<uint8_t> bytes;
    ByteWriter w(&bytes);
    uint8_t count = 0;
    if (!palettor_get_isotherm_count(imaging_, &count)) {
        count = 0;
    }
    std::vector<uint8_t> isotherms;
    ByteWriter iw(&isotherms);
    uint8_t written = 0;
    for (uint8_t i = 0; i < count; ++i) {
        int32_t id = 0;
        IsothermRecord record{};
        if (!palettor_get_isotherm(imaging_, i, &id, &record)) {
            continue;
        }
        iw.u16(record.low);
        iw.u16(record.high);
        iw.u32(record.colour);
        iw.u8(record.mode != 0 ? 1 : 0);
        ++written;
    }
    w.u8(written);
    w.bytes(isotherms.data(), isotherms.size());
    anas_.save(&bytes);
    return copy_out(bytes, buffer, length, "ADData::save_anas_to_buffer");
}

bool ADData::save_imaging_para(uint8_t* buffer, uint32_t* length)
{
    int32_t mode = 0;
    int32_t palette = 0;
    uint16_t low = 0;
    uint16_t high = 0;
    if (!palettor_get_algorithm_mode(imaging_, &mode) || !palettor_get_palette(imaging_, &palette) ||
        !palettor_get_range(imaging_, &low, &high)) {
        return false;
    }
    int32_t imaging_type = 0;
    palettor_get_imaging_type(imaging_, &imaging_type);
    std::vector<uint8_t> bytes;
    ByteWriter w(&bytes);
    w.u8(static_cast<uint8_t>(zoom_.load()));
    w.u8(static_cast<uint8_t>(rotation_.load()));
    w.u8(static_cast<uint8_t>(mode));
    w.u8(static_cast<uint8_t>(palette));
    w.u16(low);
    w.u16(high);
    w.u8(static_cast<uint8_t>(imaging_type));
    bytes.resize(kImagingParaBytes, 0xFF);
    return copy_out(bytes, buffer, length, "ADData::save_imaging_para_to_buffer");
}

}  // namespace detail
}  // namespace framekit
