// The analysis-object registry of a document: entries by kind in insertion
// order, the alias map, and the handle checks of the exports.
#pragma once

#include "frame_doc.h"
#include "vy_lock.h"

#include <string>
#include <vector>

namespace thermframe {
namespace detail {

// One analysis string that passed every check thermframe makes before
// handing it to sensekern.
struct CheckedAna {
    std::string text;
    int32_t type = 0;
};

// Type letter, node list and length (at most 1023 characters).
bool check_ana(const std::string& text, CheckedAna& out);
// Splits a list string into checked pieces; false when a piece is refused or
// the list is empty.
bool split_anas(const std::string& anas, std::vector<CheckedAna>& out);
bool type_of_text(const std::string& text, int32_t& type);
bool parse_nodes(const char* text, std::vector<tagVYPoint>& nodes);

// The functions below run with the registry lock held.
AnaEntry* find_entry(FrameDoc& doc, int32_t type, const std::string& text);
// Kinds in ascending order, then insertion order.
AnaEntry* find_entry_any(FrameDoc& doc, const std::string& text);
bool holds(const FrameDoc& doc, const void* ana);
void remove_entry(FrameDoc& doc, AnaEntry* entry);
void clear_entries(FrameDoc& doc);
void rebuild_geometry(FrameDoc& doc, AnaEntry& entry);
// Replaces an entry with the same text, gives the new one a fresh alias and
// its geometry, and appends it to its kind's list.
AnaEntry* insert_entry(FrameDoc& doc, const CheckedAna& ana);

// The label temperature text of an object; the caller holds the sensekern
// lock. False when sensekern gives no non-zero mask or no temperature.
bool read_temp_text(FrameDoc& doc, const std::string& text, std::string& out);

// Marks every label for layout after a change. The layout itself waits for
// the first reader (ensure_layout), so a batch of additions, each of which
// would place every label again, is laid out once.
void relayout(FrameDoc& doc);

// Rebuilds the occupied regions and lays out every label if a change asked
// for it. Takes the registry lock (and the sensekern lock inside it); the
// caller holds neither. Does nothing while a LayoutHold is held.
void ensure_layout(FrameDoc& doc);

// Defers label layout during a batch of changes; the holder lays out once
// after releasing it.
class LayoutHold {
public:
    explicit LayoutHold(FrameDoc& doc) : doc_(doc) { ++doc_.layout_holds; }
    ~LayoutHold() { release(); }
    LayoutHold(const LayoutHold&) = delete;
    LayoutHold& operator=(const LayoutHold&) = delete;
    void release()
    {
        if (held_) {
            held_ = false;
            --doc_.layout_holds;
        }
    }

private:
    FrameDoc& doc_;
    bool held_ = true;
};

// The owning document and text of an analysis-object handle; false for a
// handle that no document holds.
bool resolve_handle(void* ana, FrameDoc*& doc, std::string& text);

// Runs body(entry) under the registry lock on the entry with that text (of
// the kind its type letter gives); false when there is none.
template <class Body>
bool with_entry(FrameDoc& doc, const std::string& text, Body body)
{
    int32_t type;
    if (!type_of_text(text, type)) {
        return false;
    }
    VyLockGuard guard(doc.registry_lock);
    if (!guard) {
        return false;
    }
    AnaEntry* entry = find_entry(doc, type, text);
    return entry != nullptr && body(*entry);
}

// The same for a handle: the entry is used only while its document holds it.
template <class Body>
bool with_handle(void* ana, Body body)
{
    FrameDoc* doc = owner_of_ana(ana);
    if (doc == nullptr) {
        return false;
    }
    VyLockGuard guard(doc->registry_lock);
    if (!guard || !holds(*doc, ana)) {
        return false;
    }
    return body(*static_cast<AnaEntry*>(ana));
}

}  // namespace detail
}  // namespace thermframe
