#include "stored_anas.h"

#include "basekit.h"
#include "sensekern.h"
#include "thermframe.h"

namespace picfold {
namespace detail {
namespace {

bool read_one(void* frame, const std::string& text, StoredAna* a)
{
    const char* key = text.c_str();
    a->text = text;
    char alias[4096];
    uint32_t length = sizeof(alias) - 1;
    if (sensekern_ana_get_alias(frame, key, alias, &length) && length < sizeof(alias)) {
        a->alias.assign(alias, length);
    }
    ShowTextType type = SHOW_TEXT_MAX;
    PALETTE palette = PAL_IRON;
    bool ok = sensekern_ana_get_line_color(frame, key, &a->colour) &&
              sensekern_ana_get_show_text_type(frame, key, &type) &&
              sensekern_ana_is_show_max_point(frame, key, &a->show_max) &&
              sensekern_ana_is_show_min_point(frame, key, &a->show_min) &&
              sensekern_ana_is_visible(frame, key, &a->visible) &&
              sensekern_ana_is_can_move(frame, key, &a->can_move) &&
              sensekern_ana_is_use_self_palette(frame, key, &a->own_palette) &&
              sensekern_ana_get_self_para(frame, key, &a->own_para, &a->emissivity, &a->distance);
    a->text_type = static_cast<int32_t>(type);
    if (ok && a->own_palette) {
        ok = sensekern_ana_get_palette(frame, key, &palette) &&
             sensekern_ana_get_imaging_range(frame, key, &a->low, &a->high);
        a->palette = static_cast<int32_t>(palette);
    }
    // Only lines carry a cursor; the query fails for the other kinds.
    sensekern_get_cursor_info(frame, key, &a->show_cursor, &a->show_cursor_temp, &a->cursor_scale, nullptr,
                              nullptr, nullptr);
    return ok;
}

}  // namespace

bool read_stored_anas(void* frame, std::string* list, std::vector<StoredAna>* out)
{
    out->clear();
    list->clear();
    uint32_t length = 0;
    if (!sensekern_get_anas(frame, nullptr, &length)) {
        return false;
    }
    if (length == 0) {
        return true;
    }
    std::string text(length + 1, '\0');
    uint32_t capacity = length + 1;
    if (!sensekern_get_anas(frame, &text[0], &capacity)) {
        return false;
    }
    text.resize(capacity);
    std::vector<StoredAna> read;
    int position = 0;
    for (bool first = true;; first = false) {
        char piece[VY_ANA_STR_CAPACITY];
        int piece_length = sizeof(piece);
        int result = first ? vy_get_first_ana_from_anas_str(text.c_str(), &position, piece, &piece_length)
                           : vy_get_next_ana_from_anas_str(text.c_str(), &position, piece, &piece_length);
        if (result != VY_OK) {
            break;
        }
        StoredAna a;
        if (read_one(frame, std::string(piece, static_cast<std::size_t>(piece_length)), &a)) {
            read.push_back(std::move(a));
        }
    }
    *list = text;
    *out = std::move(read);
    return true;
}

bool add_stored_ana(void* doc, const StoredAna& a)
{
    void* ana = nullptr;
    if (!thermframe_add_ana(doc, a.text, ana) || ana == nullptr) {
        return false;
    }
    // The alias of the file wins over the fresh one the document gave; it is
    // refused only when another object of the document already holds it.
    if (!a.alias.empty()) {
        thermframe_ana_set_alias(ana, a.alias);
    }
    bool ok = thermframe_ana_set_line_clr(ana, a.colour) &&
              thermframe_ana_set_text_type(ana, static_cast<ShowTextType>(a.text_type)) &&
              thermframe_ana_show_max(ana, a.show_max) && thermframe_ana_show_min(ana, a.show_min) &&
              thermframe_ana_show(ana, a.visible) && thermframe_ana_set_can_move(ana, a.can_move) &&
              thermframe_ana_set_self_para(ana, a.own_para, a.emissivity, a.distance);
    if (a.own_palette) {
        ok = thermframe_ana_set_self_palette(ana, true) &&
             thermframe_ana_set_palette(ana, static_cast<PALETTE>(a.palette)) &&
             thermframe_ana_set_palette_param(ana, a.low, a.high) && ok;
    }
    if (a.show_cursor || a.show_cursor_temp || a.cursor_scale != 0.0f) {
        thermframe_ana_show_cursor(ana, a.show_cursor);
        thermframe_ana_show_cursor_temp(ana, a.show_cursor_temp);
        thermframe_ana_set_scale_of_cursor(doc, a.text, a.cursor_scale);
    }
    return ok;
}

}  // namespace detail
}  // namespace picfold
