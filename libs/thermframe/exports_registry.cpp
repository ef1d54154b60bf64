// Analysis-object registry exports: adding, deleting, reshaping, looking up,
// selection, aliases, nodes and label placement.
#include "thermframe.h"

#include "basekit.h"
#include "export_guard.h"
#include "registry.h"
#include "sensekern.h"

#include <cstring>

using namespace thermframe::detail;

namespace {

constexpr uint32_t kHitTextCapacity = 1024;

void give_alias(FrameDoc& doc, const std::string& text, const std::string& alias)
{
    if (alias.empty()) {
        return;
    }
    const bool done = with_sensekern(
        doc, [&](void* sk) { return sensekern_ana_set_alias(sk, text.c_str(), alias.c_str()); });
    if (!done) {
        TF_ERROR("thermframe_add_ana", "sensekern refused alias %s of %s", alias.c_str(),
                 text.c_str());
    }
}

// Registers pieces that sensekern has accepted and hands their aliases to
// sensekern. Returns the entry of the last piece (null when it vanished).
AnaEntry* register_pieces(FrameDoc& doc, const std::vector<CheckedAna>& pieces)
{
    std::vector<std::pair<std::string, std::string>> aliases;
    AnaEntry* last = nullptr;
    {
        VyLockGuard guard(doc.registry_lock);
        if (!guard) {
            return nullptr;
        }
        for (const CheckedAna& piece : pieces) {
            last = insert_entry(doc, piece);
            aliases.emplace_back(piece.text, last->alias);
        }
    }
    for (const auto& item : aliases) {
        give_alias(doc, item.first, item.second);
    }
    relayout(doc);
    return last;
}

bool add_checked(FrameDoc& doc, const std::vector<CheckedAna>& pieces, const std::string& list,
                 AnaEntry** added)
{
    const bool accepted =
        with_sensekern(doc, [&](void* sk) { return sensekern_add_anas(sk, list.c_str()); });
    if (!accepted) {
        return false;
    }
    AnaEntry* last = register_pieces(doc, pieces);
    if (added != nullptr) {
        *added = last;
    }
    return last != nullptr;
}

bool add_one(void* handle, const std::string& str, void** ana)
{
    return with_doc(handle, "thermframe_add_ana", [&](FrameDoc& doc) {
        CheckedAna checked;
        if (!check_ana(str, checked)) {
            TF_ERROR("thermframe_add_ana", "refused analysis string of %zu characters", str.size());
            return false;
        }
        AnaEntry* added = nullptr;
        if (!add_checked(doc, {checked}, str, &added)) {
            return false;
        }
        if (ana != nullptr) {
            *ana = added;
        }
        return true;
    });
}

}  // namespace

bool thermframe_add_ana(void* handle, const std::string& str)
{
    return add_one(handle, str, nullptr);
}

bool thermframe_add_ana(void* handle, const std::string& str, void*& ana)
{
    ana = nullptr;
    return add_one(handle, str, &ana);
}

bool thermframe_add_anas(void* handle, const std::string& anas)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        std::vector<CheckedAna> pieces;
        if (!split_anas(anas, pieces)) {
            TF_ERROR("thermframe_add_anas", "refused list of %zu characters", anas.size());
            return false;
        }
        return add_checked(doc, pieces, anas, nullptr);
    });
}

bool thermframe_load_anas(void* handle, const std::string& anas)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        std::vector<CheckedAna> pieces;
        if (!split_anas(anas, pieces)) {
            TF_ERROR("thermframe_load_anas", "refused list of %zu characters", anas.size());
            return false;
        }
        {
            VyLockGuard guard(doc.registry_lock);
            if (!guard) {
                return false;
            }
            clear_entries(doc);
        }
        with_sensekern(doc, [](void* sk) { return sensekern_delete_all_ana(sk); });
        return add_checked(doc, pieces, anas, nullptr);
    });
}

bool thermframe_delete_ana(void* handle, const std::string& str)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        if (str.empty() ||
            !with_sensekern(doc, [&](void* sk) { return sensekern_delete_anas(sk, str.c_str()); })) {
            return false;
        }
        {
            VyLockGuard guard(doc.registry_lock);
            if (!guard) {
                return false;
            }
            if (AnaEntry* entry = find_entry_any(doc, str)) {
                remove_entry(doc, entry);
            }
        }
        relayout(doc);
        return true;
    });
}

bool thermframe_delete_all_ana(void* handle)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        if (!with_sensekern(doc, [](void* sk) { return sensekern_delete_all_ana(sk); })) {
            return false;
        }
        VyLockGuard guard(doc.registry_lock);
        if (!guard) {
            return false;
        }
        clear_entries(doc);
        doc.occupied.clear();
        return true;
    });
}

namespace {

// Gives the entry that still holds `old_text` the new text; false when it
// was deleted or changed meanwhile.
bool retext(FrameDoc& doc, int32_t type, const std::string& old_text, const std::string& new_text)
{
    VyLockGuard guard(doc.registry_lock);
    if (!guard) {
        return false;
    }
    AnaEntry* entry = find_entry(doc, type, old_text);
    if (entry == nullptr) {
        return false;
    }
    std::memset(entry->text, 0, sizeof(entry->text));
    std::memcpy(entry->text, new_text.data(), new_text.size());
    rebuild_geometry(doc, *entry);
    return true;
}

}  // namespace

bool thermframe_update_ana_size(void* handle, const std::string& old_str, const std::string& new_str)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        int32_t type;
        CheckedAna checked;
        if (!type_of_text(old_str, type) || !check_ana(new_str, checked) || checked.type != type) {
            return false;
        }
        {
            VyLockGuard guard(doc.registry_lock);
            if (!guard || find_entry(doc, type, old_str) == nullptr) {
                return false;
            }
        }
        if (!with_sensekern(doc, [&](void* sk) {
                return sensekern_update_ana_size(sk, old_str.c_str(), new_str.c_str());
            })) {
            return false;
        }
        const bool done = retext(doc, type, old_str, new_str);
        relayout(doc);
        return done;
    });
}

bool thermframe_ana_move_position(void* ana, int32_t dx, int32_t dy)
{
    FrameDoc* doc = nullptr;
    std::string old_text;
    std::string new_text;
    int32_t type = 0;
    const bool prepared = with_handle(ana, [&](AnaEntry& entry) {
        doc = entry.owner;
        type = entry.type;
        old_text = entry.text;
        std::vector<tagVYPoint> moved = entry.image_nodes;
        const uint16_t width = doc->width.load();
        const uint16_t height = doc->height.load();
        for (tagVYPoint& node : moved) {
            // u16 arithmetic: a move past 0 wraps to a large value and is refused.
            node.x = static_cast<uint16_t>(node.x + dx);
            node.y = static_cast<uint16_t>(node.y + dy);
            if (node.x >= width || node.y >= height) {
                return false;
            }
        }
        char buffer[kAnaTextCapacity];
        int length = sizeof(buffer);
        if (moved.empty() || vy_format_ana_str(static_cast<AnaType>(type), moved.data(),
                                               static_cast<int>(moved.size()), buffer,
                                               &length) != VY_OK) {
            return false;
        }
        new_text.assign(buffer, static_cast<size_t>(length));
        return true;
    });
    if (!prepared || doc == nullptr) {
        return false;
    }
    if (!with_sensekern(*doc, [&](void* sk) {
            return sensekern_update_ana_size(sk, old_text.c_str(), new_text.c_str());
        })) {
        return false;
    }
    const bool done = retext(*doc, type, old_text, new_text);
    relayout(*doc);
    return done;
}

bool thermframe_get_anas_count(void* handle, AnaType type, int32_t& count)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.registry_lock);
        if (!guard) {
            return false;
        }
        const int32_t wanted = raw_enum(type);
        size_t total = 0;
        for (const auto& kind : doc.anas) {
            if (wanted == ANA_ALL || kind.first == wanted) {
                total += kind.second.size();
            }
        }
        count = static_cast<int32_t>(total);
        return true;
    });
}

namespace {

bool is_kind(int32_t type)
{
    switch (type) {
    case ANA_POINT:
    case ANA_LINE:
    case ANA_ELLIPSE:
    case ANA_RECT:
    case ANA_POLYGON:
    case ANA_POLYLINE:
        return true;
    default:
        return false;
    }
}

// body(entry or null) for the index-th entry of a kind; false for an
// unknown kind without calling body.
template <class Body>
bool with_indexed(void* handle, const char* function, AnaType type, int32_t index, Body body)
{
    return with_doc(handle, function, [&](FrameDoc& doc) {
        const int32_t kind_wanted = raw_enum(type);
        if (!is_kind(kind_wanted)) {
            return false;
        }
        VyLockGuard guard(doc.registry_lock);
        if (!guard) {
            return false;
        }
        AnaEntry* entry = nullptr;
        auto kind = doc.anas.find(kind_wanted);
        if (kind != doc.anas.end() && index >= 0 &&
            static_cast<size_t>(index) < kind->second.size()) {
            entry = kind->second[static_cast<size_t>(index)];
        }
        return body(entry);
    });
}

}  // namespace

bool thermframe_get_ana(void* handle, AnaType type, int32_t index, void*& ana)
{
    return with_indexed(handle, __func__, type, index, [&](AnaEntry* entry) {
        ana = entry;
        return entry != nullptr;
    });
}

bool thermframe_get_ana(void* handle, AnaType type, int32_t index, std::string& str)
{
    return with_indexed(handle, __func__, type, index, [&](AnaEntry* entry) {
        if (entry == nullptr) {
            str.clear();
            return false;
        }
        str = entry->text;
        return true;
    });
}

bool thermframe_get_ana_handle_from_str(void* handle, const std::string& str, void*& ana)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.registry_lock);
        if (!guard) {
            return false;
        }
        AnaEntry* entry = find_entry_any(doc, str);
        if (entry == nullptr) {
            return false;
        }
        ana = entry;
        return true;
    });
}

bool thermframe_get_ana_handle_from_alias(void* handle, const std::string& alias, void*& ana)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.registry_lock);
        if (!guard) {
            return false;
        }
        auto it = doc.aliases.find(alias);
        if (it == doc.aliases.end()) {
            return false;
        }
        ana = it->second;
        return true;
    });
}

bool thermframe_get_ana_str_from_handle(void* handle, void* ana, std::string& str)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.registry_lock);
        if (!guard || !holds(doc, ana)) {
            return false;
        }
        str = static_cast<AnaEntry*>(ana)->text;
        return true;
    });
}

bool thermframe_ana_is_valid(void* handle, void* ana)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.registry_lock);
        return guard && holds(doc, ana);
    });
}

bool thermframe_get_hit_ana_str(void* handle, int32_t x, int32_t y, AnaType& type, std::string& str)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        char buffer[kHitTextCapacity] = {};
        uint32_t length = kHitTextCapacity;
        AnaType hit = type;
        if (!sensekern_get_hit_ana(doc.sensekern_handle(), x, y, &hit, buffer, &length) ||
            length >= kHitTextCapacity) {
            return false;
        }
        type = hit;
        str.assign(buffer, length);
        return true;
    });
}

bool thermframe_get_hit_ana(void* handle, int32_t x, int32_t y, AnaType& type, void*& ana)
{
    std::string str;
    return thermframe_get_hit_ana_str(handle, x, y, type, str) &&
           thermframe_get_ana_handle_from_str(handle, str, ana);
}

bool thermframe_ana_set_select(void* handle, const std::string& str)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.registry_lock);
        if (!guard) {
            return false;
        }
        for (auto& kind : doc.anas) {
            for (AnaEntry* entry : kind.second) {
                entry->selected = str == entry->text;
            }
        }
        return true;
    });
}

bool thermframe_ana_has_select(void* handle, const std::string& str, bool& selected)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        return with_entry(doc, str, [&](AnaEntry& entry) {
            selected = entry.selected;
            return true;
        });
    });
}

bool thermframe_get_select_ana(void* handle, void*& ana)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.registry_lock);
        if (!guard) {
            return false;
        }
        for (auto& kind : doc.anas) {
            for (AnaEntry* entry : kind.second) {
                if (entry->selected) {
                    ana = entry;
                    return true;
                }
            }
        }
        ana = nullptr;
        return false;
    });
}

bool thermframe_ana_get_type(void* ana, AnaType& type)
{
    return with_handle(ana, [&](AnaEntry& entry) {
        type = static_cast<AnaType>(entry.type);
        return true;
    });
}

bool thermframe_ana_get_name(void* ana, std::string& name)
{
    return with_handle(ana, [&](AnaEntry& entry) {
        const auto& list = entry.owner->anas[entry.type];
        auto it = std::find(list.begin(), list.end(), &entry);
        if (it == list.end()) {
            return false;
        }
        char buffer[100];
        int length = sizeof(buffer);
        const int position = static_cast<int>(it - list.begin()) + 1;
        if (vy_format_ana_index(static_cast<AnaType>(entry.type), position, buffer, &length) != VY_OK) {
            return false;
        }
        name.assign(buffer, static_cast<size_t>(length));
        return true;
    });
}

bool thermframe_ana_get_alias(void* handle, const std::string& str, std::string& alias)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        char buffer[1024] = {};
        uint32_t length = sizeof(buffer);
        if (!sensekern_ana_get_alias(doc.sensekern_handle(), str.c_str(), buffer, &length) ||
            length == 0 || length >= sizeof(buffer)) {
            return false;
        }
        alias.assign(buffer, length);
        return true;
    });
}

bool thermframe_ana_get_alias(void* ana, std::string& alias)
{
    FrameDoc* doc = nullptr;
    std::string text;
    return resolve_handle(ana, doc, text) && thermframe_ana_get_alias(doc, text, alias);
}

bool thermframe_ana_set_alias(void* handle, const std::string& str, const std::string& alias)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        if (alias.empty() || alias.size() >= static_cast<size_t>(kAliasCapacity) ||
            alias.find('\0') != std::string::npos) {
            return false;
        }
        int32_t type;
        if (!type_of_text(str, type)) {
            return false;
        }
        {
            VyLockGuard guard(doc.registry_lock);
            if (!guard) {
                return false;
            }
            AnaEntry* entry = find_entry(doc, type, str);
            if (entry == nullptr) {
                return false;
            }
            auto taken = doc.aliases.find(alias);
            if (taken != doc.aliases.end()) {
                return taken->second == entry;
            }
        }
        if (!with_sensekern(doc, [&](void* sk) {
                return sensekern_ana_set_alias(sk, str.c_str(), alias.c_str());
            })) {
            return false;
        }
        // The map changes only now that sensekern holds the alias; the entry
        // and the alias are checked again since the lock was let go.
        bool changed = false;
        {
            VyLockGuard guard(doc.registry_lock);
            if (!guard) {
                return false;
            }
            AnaEntry* entry = find_entry(doc, type, str);
            if (entry == nullptr || doc.aliases.count(alias) != 0) {
                return false;
            }
            auto old = doc.aliases.find(entry->alias);
            if (old != doc.aliases.end() && old->second == entry) {
                doc.aliases.erase(old);
            }
            std::memset(entry->alias, 0, sizeof(entry->alias));
            std::memcpy(entry->alias, alias.data(), alias.size());
            doc.aliases[alias] = entry;
            changed = true;
        }
        relayout(doc);
        return changed;
    });
}

bool thermframe_ana_set_alias(void* ana, std::string alias)
{
    FrameDoc* doc = nullptr;
    std::string text;
    return resolve_handle(ana, doc, text) && thermframe_ana_set_alias(doc, text, alias);
}

bool thermframe_ana_get_node(void* handle, const std::string& str, std::vector<tagVYPoint>& nodes)
{
    return with_doc(handle, __func__, [&](FrameDoc&) {
        std::vector<tagVYPoint> parsed;
        if (str.size() >= static_cast<size_t>(kAnaTextCapacity) || !parse_nodes(str.c_str(), parsed)) {
            return false;
        }
        nodes = std::move(parsed);
        return true;
    });
}

bool thermframe_ana_get_node(void* ana, std::vector<tagVYPoint>& nodes)
{
    return with_handle(ana, [&](AnaEntry& entry) {
        std::vector<tagVYPoint> parsed;
        if (!parse_nodes(entry.text, parsed)) {
            return false;
        }
        nodes = std::move(parsed);
        return true;
    });
}

bool thermframe_get_text_loc(void* handle, const std::string& str, bool, int32_t& anchor_x,
                             int32_t& anchor_y, int32_t& side, int32_t& dx, int32_t& dy)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        ensure_layout(doc);
        return with_entry(doc, str, [&](AnaEntry& entry) {
            anchor_x = entry.anchor_x;
            anchor_y = entry.anchor_y;
            side = entry.label_side;
            dx = entry.label_dx;
            dy = entry.label_dy;
            return true;
        });
    });
}
