// The analysis objects a loaded picture stored, with the attributes the
// frame core read back from the file, so that they can be added to the
// frame document (which gives new objects default attributes) as saved.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace picfold {
namespace detail {

struct StoredAna {
    std::string text;
    std::string alias;
    uint32_t colour = 0;
    int32_t text_type = 1;
    bool show_max = false;
    bool show_min = false;
    bool visible = true;
    bool can_move = true;
    bool show_cursor = false;
    bool show_cursor_temp = false;
    float cursor_scale = 0.0f;
    bool own_palette = false;
    int32_t palette = 0;
    uint16_t low = 0;
    uint16_t high = 0;
    bool own_para = false;
    float emissivity = 0.0f;
    float distance = 0.0f;
};

// Reads every analysis object of a sensekern frame with its attributes.
bool read_stored_anas(void* frame, std::string* list, std::vector<StoredAna>* out);
// Adds one object to a thermframe document and gives it its attributes.
bool add_stored_ana(void* doc, const StoredAna& ana);

}  // namespace detail
}  // namespace picfold
