// One frame as the picture and recording layers hand it out: a sensekern
// frame, the thermframe document over it and the markpen painter over the
// document. The document's rotation, zoom and window size reach the painter
// through thermframe's view hook.
#pragma once

#include <cstdint>
#include <string>

namespace docstack {

// Temperature parameters of a document (the five environment values and
// the correction temperature).
struct Parameters {
    float emissivity = 0.0f;
    float distance = 0.0f;
    float ambient = 0.0f;
    float humidity = 0.0f;
    float reference = 0.0f;
    float modify = 0.0f;
    bool operator==(const Parameters& o) const
    {
        return emissivity == o.emissivity && distance == o.distance && ambient == o.ambient &&
               humidity == o.humidity && reference == o.reference && modify == o.modify;
    }
};

class DocStack {
public:
    DocStack() = default;
    ~DocStack();
    DocStack(const DocStack&) = delete;
    DocStack& operator=(const DocStack&) = delete;

    // Makes the three objects; false (and nothing kept) when one fails.
    bool init(const char* module);

    void* frame() const { return frame_; }
    void* doc() const { return doc_; }
    void* painter() const { return painter_; }

    // Tells the painter the size of the frame now in the sensekern frame
    // (after a picture or a recording frame was loaded into it).
    bool sync_image_size();

    bool read_parameters(Parameters* out);
    // False when the frame refuses one (a frame stored with its final table
    // only converts at its own parameters).
    bool apply_parameters(const Parameters& p);

private:
    static void on_view_change(void* user, int change, int32_t a, int32_t b);

    void* frame_ = nullptr;
    void* doc_ = nullptr;
    void* painter_ = nullptr;
    uint16_t width_ = 0;
    uint16_t height_ = 0;
};

// UTF-8 form of a wide path (the wide entry points of the layers); empty
// for a text with a NUL in it.
std::string utf8_of(const std::wstring& text);

// Whether the file is a recording with at least one frame (one that was cut
// off before its end is recovered by the reader).
bool is_recording(const std::string& path);

// Local time "yyyyMMddhhmmss" of seconds since the epoch.
std::string storage_time_text(uint32_t seconds);

}  // namespace docstack
