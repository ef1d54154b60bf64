#include "picture.h"

#include "markpen.h"
#include "palettor.h"
#include "sensekern.h"
#include "thermframe.h"

#include <algorithm>
#include <vector>


namespace picfold {
namespace detail {

// The frame, document and painter of the stack hold the log open while the
// picture lives.
Picture::Picture() : _VYBaseObject(kPictureTag) {}

Picture::~Picture() = default;

bool Picture::init()
{
    return stack_.init("picfold");
}

bool Picture::load(const std::string& path, bool with_view)
{
    void* frame = stack_.frame();
    SensekernFileKind kind = SENSEKERN_FILE_PLAIN;
    if (path.empty() || !sensekern_probe_file(frame, path.c_str(), &kind) || kind == SENSEKERN_FILE_PLAIN) {
        return false;
    }
    docstack::Parameters kept;
    const bool keep = !use_stored_ && loaded_ && stack_.read_parameters(&kept);
    const bool sgcc = kind == SENSEKERN_FILE_NATIONAL_GRID;
    const bool read = sgcc ? sensekern_load_national_grid_file(frame, path.c_str())
                           : sensekern_load_picture_file(frame, path.c_str());
    if (!read) {
        PF_LOG("Picture::load", "%s changed while it was read", path.c_str());
        return false;
    }
    // The frame core now holds the picture's objects, which the document has
    // not registered: they are read back with their attributes, dropped, and
    // added again through the document.
    read_stored_anas(frame, &stored_list_, &stored_anas_);
    void* doc = stack_.doc();
    thermframe_delete_all_ana(doc);
    sensekern_delete_all_ana(frame);
    stack_.sync_image_size();
    loaded_ = true;
    sgcc_ = sgcc;
    copy_attached_to_document();
    stack_.read_parameters(&stored_);
    if (keep && !stack_.apply_parameters(kept)) {
        // A picture without calibration data converts only at its own parameters.
        stack_.apply_parameters(stored_);
    }
    if (with_view) {
        apply_stored_view();
    }
    add_stored_anas();
    return true;
}

void Picture::apply_stored_view()
{
    PALETTE palette = PAL_IRON;
    int32_t imaging = 0;
    uint16_t low = 0;
    uint16_t high = 0;
    if (!sensekern_get_stored_view(stack_.frame(), &palette, &imaging, &low, &high)) {
        return;
    }
    void* doc = stack_.doc();
    thermframe_set_palette(doc, palette);
    // The document knows no fire-fighting type: that range is kept as a manual one.
    if (imaging == PALETTOR_IMAGING_AUTO) {
        thermframe_set_palette_type(doc, PALETTE_TYPE_AUTO_EVERY_FRAME);
    } else {
        thermframe_set_imaging_range(doc, low, high);
    }
}

// The voice note and user data stored with the picture belong to the
// document, which writes them back when the picture is saved: without this
// copy saving a picture in place would drop them.
void Picture::copy_attached_to_document()
{
    void* frame = stack_.frame();
    void* doc = stack_.doc();
    const struct {
        SensekernAttached which;
        bool (*set)(void*, unsigned char*, uint32_t);
    } parts[] = {{SENSEKERN_SOUND, thermframe_set_sound_data}, {SENSEKERN_USER, thermframe_set_user_data}};
    for (const auto& part : parts) {
        uint32_t length = 0;
        std::vector<uint8_t> bytes;
        if (sensekern_get_attached_data(frame, part.which, nullptr, &length) && length > 0) {
            bytes.resize(length);
            if (!sensekern_get_attached_data(frame, part.which, bytes.data(), &length)) {
                bytes.clear();
            }
            bytes.resize(std::min<size_t>(bytes.size(), length));
        }
        part.set(doc, bytes.empty() ? nullptr : bytes.data(), static_cast<uint32_t>(bytes.size()));
    }
}

bool Picture::set_use_stored_parameters(bool on)
{
    use_stored_ = on;
    return !(on && loaded_) || stack_.apply_parameters(stored_);
}

bool Picture::add_stored_anas()
{
    if (!loaded_) {
        return false;
    }
    bool all = true;
    for (const StoredAna& a : stored_anas_) {
        if (!add_stored_ana(stack_.doc(), a)) {
            PF_LOG("Picture::add_stored_anas", "stored analysis %s is refused", a.text.c_str());
            all = false;
        }
    }
    return all;
}

bool Picture::save(const std::wstring& path, const std::string& text, bool png, bool draw, bool append)
{
    if (!loaded_) {
        return false;
    }
    return png ? markpen_save_png_file_w(stack_.painter(), path, text, draw, append)
               : markpen_save_jpg_file_w(stack_.painter(), path, text, draw, append);
}

}  // namespace detail
}  // namespace picfold
