// The frame document behind a thermframe frame handle, and the records it
// owns: analysis-object entries, isotherms and temperature marks.
#pragma once

#include "vy_base_object.h"
#include "vy_lock.h"
#include "vytypes.h"

#include <QFontMetrics>
#include <QRegion>

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace thermframe {
namespace detail {

constexpr const char* kDocTag = "thermframe.frame_doc";
constexpr int kAnaTextCapacity = VY_ANA_STR_CAPACITY;
constexpr int kAliasCapacity = 100;

class FrameDoc;

struct AnaEntry {
    int32_t show_text_type = SHOW_TEXT_MAX;
    // Label placement, all zero until the first layout.
    int32_t label_side = 0;
    int32_t label_dx = 0;
    int32_t label_dy = 0;
    int32_t anchor_x = 0;
    int32_t anchor_y = 0;
    int32_t type = ANA_POINT;
    bool selected = false;
    FrameDoc* owner = nullptr;
    int32_t palette_type = PALETTE_TYPE_AUTO_ONCE;
    int32_t warning = 0;
    // Stored colour form: red in bits 0-7.
    uint32_t warning_line_color = 255;
    std::vector<tagVYPoint> image_nodes;
    std::vector<tagVYPoint> window_nodes;
    char text[kAnaTextCapacity] = {};
    char alias[kAliasCapacity] = {};
};

struct IsothermEntry {
    void* sensekern_isotherm = nullptr;
    float low = 0.0f;
    float high = 0.0f;
    uint32_t color = 0;
    bool flag = false;
};

struct TempMark {
    uint16_t x;
    uint16_t y;
    float temperature;
};

// A byte block that grows but never shrinks its allocation.
struct ByteBuffer {
    std::unique_ptr<uint8_t[]> data;
    uint32_t capacity = 0;
    uint32_t length = 0;
};

// Makers derive from FrameDoc and implement the five operations, declared
// here in their fixed slot order. Everything else is read and written by the
// exports; the maker initialises the size, window and scale fields.
class FrameDoc : public _VYBaseObject {
public:
    FrameDoc();
    ~FrameDoc() override;

    virtual void* sensekern_handle() = 0;
    virtual bool set_auto_imaging(bool on) = 0;
    virtual bool set_zoom_factor(ImageZoomFactor factor) = 0;
    virtual bool set_rotation_angle(RotationAngle angle) = 0;
    virtual bool set_wnd_show_resolution(uint16_t width, uint16_t height) = 0;

    // Lock order: registry, then sensekern. The lists and buffers locks are
    // leaves: nothing else is taken while one of them is held.
    VyLock registry_lock{"thermframe registry"};
    VyLock sensekern_lock{"thermframe sensekern"};
    VyLock lists_lock{"thermframe lists"};
    VyLock buffers_lock{"thermframe buffers"};

    // Guarded by the registry lock.
    std::map<int32_t, std::vector<AnaEntry*>> anas;
    std::map<std::string, AnaEntry*> aliases;
    std::unordered_set<const AnaEntry*> entries;
    std::vector<QRegion> occupied;
    uint16_t wnd_width = 0;
    uint16_t wnd_height = 0;
    float scale_y = 1.0f;
    float scale_x = 1.0f;
    std::unique_ptr<QFontMetrics> label_metrics;
    // The font of label_metrics, whose label widths are shared by every document.
    QString label_font_key;
    // Batches that defer label layout (LayoutHold).
    std::atomic<int> layout_holds{0};
    // A change asked for a layout that no reader has needed yet.
    std::atomic<bool> layout_stale{false};

    // Guarded by the buffers lock.
    ByteBuffer sound;
    ByteBuffer user;
    ByteBuffer extra;

    // Guarded by the lists lock.
    std::vector<IsothermEntry*> isotherms;
    std::vector<TempMark> marks;

    std::atomic<int32_t> rotation{ROTATION_NONE};
    std::atomic<uint16_t> width{0};
    std::atomic<uint16_t> height{0};
    std::atomic<uint32_t> warning_count{0};
    std::atomic<bool> show_max{false};
    std::atomic<bool> show_min{false};
    std::atomic<bool> use_default_imaging{false};
    std::atomic<int32_t> palette_type{PALETTE_TYPE_AUTO_EVERY_FRAME};
};

// The document of a frame handle, or null for a null, foreign or freed one.
FrameDoc* doc_of(void* handle);

// The document that owns an analysis-object handle, or null when no live
// entry has that address. The entry itself may only be read under the
// owner's registry lock after checking owner->entries.
FrameDoc* owner_of_ana(const void* ana);
void track_ana(const AnaEntry* entry, FrameDoc* owner);
void untrack_ana(const AnaEntry* entry);

}  // namespace detail
}  // namespace thermframe
