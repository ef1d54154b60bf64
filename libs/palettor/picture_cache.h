// Memory of what the last picture was made from, so that work is only redone
// when one of its inputs changed. Inputs are compared by content rather than
// tracked by version numbers: every setter of the map, the tables and the
// frame stays free to change them without telling anyone.
#pragma once

#include "imaging.h"
#include "scratch_vector.h"
#include "worker_pool.h"

#include <stdint.h>

#include <vector>

namespace palettor::detail {

// Output row y of a window: packed from bits[0] when compact, else at its
// place in a frame-wide picture.
template <class Pixel>
Pixel* window_row(Pixel* bits, int width, const Window& w, bool compact, int y)
{
    const size_t columns = static_cast<size_t>(w.right - w.left + 1);
    return compact ? bits + static_cast<size_t>(y - w.top) * columns
                   : bits + static_cast<size_t>(y) * static_cast<size_t>(width) + w.left;
}

// One 32-bit colour per AD: the colour table entry the index map gives that
// AD, opaque. Rebuilt only when the map or the colour table changed, so that
// colouring a plane is a single lookup per pixel.
class ColourLookup {
public:
    // The lookup for this map (kMapSize entries) and table; entries of the map
    // past the end of the table take its last entry.
    const uint32_t* refresh(const uint16_t* map, const uint32_t* table, int table_size);

private:
    ScratchVector<uint16_t> map_;
    ScratchVector<uint32_t> table_;
    ScratchVector<uint32_t> colours_;
};

// An index-to-colour table (256 entries used, made opaque) laid out to
// colour whole rows 64 pixels at a time where the processor can look bytes
// up in registers (AVX-512 VBMI); elsewhere a row is coloured pixel by pixel.
// Both give the same pixels.
class IndexColours {
public:
    explicit IndexColours(const uint32_t* table);
    void row(const uint8_t* in, int count, uint32_t* out) const;

private:
    const uint32_t* table_;
    bool wide_;
    alignas(64) uint8_t planes_[3][256];  // blue, green, red byte of each entry
};

// Colours the window of a filtered index plane through the index table,
// in strips shared among the members of the pool where there is one.
void colour_window(const uint8_t* index, int width, const Window& w, bool compact, const uint32_t* table,
                   uint32_t* bits, WorkerPool* pool = nullptr);

// The last filtered picture with everything that decided its pixels: the AD
// plane, the index map, the colour table and the filter switch. A still frame
// repainted again is answered with a compare and its colours instead of the
// filters. It keeps the filtered index plane itself, taken over from the
// caller; the AD plane and the map are copied in by the caller while it
// reads them anyway, so a new frame costs next to nothing.
class FilteredPictureCache {
public:
    struct Key {
        const uint16_t* ad;
        int width;
        int height;
        const uint16_t* map;     // kMapSize entries
        const uint32_t* table;   // kIndexTableSize entries
        bool filtered;           // sharpen and blur ran (else only the border repair)
        Window window;
        bool compact;
    };

    // On a match, writes the remembered window into bits as the key's layout
    // asks and returns true.
    bool answer(const Key& key, uint32_t* bits) const;
    // Forgets the last picture and gives the places that remember() keeps
    // the key's AD plane (width x height) and map (kMapSize) in, for the
    // caller to copy them into.
    void prepare(const Key& key, uint16_t** ad, uint16_t** map);
    // After prepare() and the copies: remembers the filtered index plane the
    // key's picture was coloured from, swapping it with the buffer given
    // back: the plane is the cache's now and the caller gets the one it had
    // (any size, contents undefined).
    void remember(const Key& key, ScratchVector<uint8_t>* index);
    void forget() { valid_ = false; }

private:
    bool matches(const Key& key) const;

    bool valid_ = false;
    int width_ = 0;
    int height_ = 0;
    bool filtered_ = false;
    Window window_{};
    ScratchVector<uint16_t> ad_;
    ScratchVector<uint16_t> map_;
    ScratchVector<uint32_t> table_;
    ScratchVector<uint8_t> index_;  // the whole filtered plane
};

}  // namespace palettor::detail
