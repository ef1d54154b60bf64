// A sample radiometric picture (tools/make-samples) opened as the picture
// source layer does it: a sensekern frame, a thermframe document over it and
// a paint handle at the picture's size.
#pragma once

#include "markpen.h"
#include "sensekern.h"
#include "thermframe.h"

#include <string>

namespace markpen::test {

constexpr const char* kSamplePicture = "samples/sample.jpg";

struct Opened {
    void* frame = nullptr;
    void* doc = nullptr;
    void* paint = nullptr;
    uint16_t width = 0, height = 0;

    ~Opened()
    {
        if (paint != nullptr) markpen_uninit(paint);
        if (doc != nullptr) thermframe_doc_uninit(doc);
        if (frame != nullptr) sensekern_uninit(&frame);
    }

    // The first step that failed, empty when the picture is open.
    std::string open(const char* path)
    {
        if (!sensekern_init(&frame)) return "sensekern_init";
        if (!sensekern_load_picture_file(frame, path)) return "sensekern_load_picture_file";
        return open_document();
    }

    // The same over a frame the caller made (and hands over).
    std::string adopt(void* made)
    {
        frame = made;
        return frame == nullptr ? "no frame" : open_document();
    }

private:
    std::string open_document()
    {
        if (!thermframe_doc_init(doc, frame)) return "thermframe_doc_init";
        if (!thermframe_get_resolution(doc, width, height)) return "thermframe_get_resolution";
        if (!markpen_init(paint, doc)) return "markpen_init";
        if (!markpen_set_image_size(paint, width, height)) return "markpen_set_image_size";
        if (!markpen_set_wnd_size(paint, width, height)) return "markpen_set_wnd_size";
        return std::string();
    }
};

}  // namespace markpen::test
