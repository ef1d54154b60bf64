#include "registry.h"

#include "basekit.h"
#include "rotation.h"
#include "tf_log.h"

#include <algorithm>
#include <cstring>

namespace thermframe {
namespace detail {
namespace {

constexpr int kMaxAliasIndex = 254;

// Fresh alias of a kind: the first index text not yet in the alias map.
std::string next_alias(FrameDoc& doc, int32_t type)
{
    for (int n = 1; n <= kMaxAliasIndex; ++n) {
        char candidate[32];
        int length = sizeof(candidate);
        if (vy_format_ana_index(static_cast<AnaType>(type), n, candidate, &length) != VY_OK) {
            return std::string();
        }
        std::string alias(candidate, static_cast<size_t>(length));
        if (doc.aliases.find(alias) == doc.aliases.end()) {
            return alias;
        }
    }
    return std::string();
}

}  // namespace

bool type_of_text(const std::string& text, int32_t& type)
{
    AnaType parsed;
    if (text.empty() || vy_parse_ana_type_of_char(text[0], &parsed) != VY_OK) {
        return false;
    }
    type = parsed;
    return true;
}

bool parse_nodes(const char* text, std::vector<tagVYPoint>& nodes)
{
    tagVYPoint parsed[VY_ANA_MAX_POLY_NODES];
    int count = VY_ANA_MAX_POLY_NODES;
    if (vy_parse_nodes_of_ana_str(text, parsed, &count) != VY_OK || count < 1) {
        return false;
    }
    nodes.assign(parsed, parsed + count);
    return true;
}

bool check_ana(const std::string& text, CheckedAna& out)
{
    int32_t type;
    std::vector<tagVYPoint> nodes;
    if (text.size() >= static_cast<size_t>(kAnaTextCapacity) ||
        text.find('\0') != std::string::npos || !type_of_text(text, type) ||
        !parse_nodes(text.c_str(), nodes)) {
        return false;
    }
    out.text = text;
    out.type = type;
    return true;
}

bool split_anas(const std::string& anas, std::vector<CheckedAna>& out)
{
    if (anas.empty() || anas.find('\0') != std::string::npos) {
        return false;
    }
    std::vector<CheckedAna> pieces;
    int position = 0;
    for (bool first = true;; first = false) {
        char piece[VY_ANA_STR_CAPACITY];
        int length = sizeof(piece);
        int result = first ? vy_get_first_ana_from_anas_str(anas.c_str(), &position, piece, &length)
                           : vy_get_next_ana_from_anas_str(anas.c_str(), &position, piece, &length);
        if (result == VY_ERR_ARGUMENT && !first &&
            static_cast<size_t>(position) == anas.size()) {
            break;
        }
        CheckedAna checked;
        if (result != VY_OK || !check_ana(std::string(piece, static_cast<size_t>(length)), checked)) {
            return false;
        }
        pieces.push_back(std::move(checked));
    }
    out = std::move(pieces);
    return !out.empty();
}

AnaEntry* find_entry(FrameDoc& doc, int32_t type, const std::string& text)
{
    auto kind = doc.anas.find(type);
    if (kind == doc.anas.end()) {
        return nullptr;
    }
    for (AnaEntry* entry : kind->second) {
        if (text == entry->text) {
            return entry;
        }
    }
    return nullptr;
}

AnaEntry* find_entry_any(FrameDoc& doc, const std::string& text)
{
    for (auto& kind : doc.anas) {
        for (AnaEntry* entry : kind.second) {
            if (text == entry->text) {
                return entry;
            }
        }
    }
    return nullptr;
}

bool holds(const FrameDoc& doc, const void* ana)
{
    return ana != nullptr && doc.entries.count(static_cast<const AnaEntry*>(ana)) != 0;
}

void remove_entry(FrameDoc& doc, AnaEntry* entry)
{
    auto kind = doc.anas.find(entry->type);
    if (kind != doc.anas.end()) {
        auto& list = kind->second;
        list.erase(std::remove(list.begin(), list.end(), entry), list.end());
    }
    auto alias = doc.aliases.find(entry->alias);
    if (alias != doc.aliases.end() && alias->second == entry) {
        doc.aliases.erase(alias);
    }
    doc.entries.erase(entry);
    untrack_ana(entry);
    delete entry;
}

void clear_entries(FrameDoc& doc)
{
    for (auto& kind : doc.anas) {
        for (AnaEntry* entry : kind.second) {
            untrack_ana(entry);
            delete entry;
        }
    }
    doc.anas.clear();
    doc.aliases.clear();
    doc.entries.clear();
}

void rebuild_geometry(FrameDoc& doc, AnaEntry& entry)
{
    entry.image_nodes.clear();
    entry.window_nodes.clear();
    if (!parse_nodes(entry.text, entry.image_nodes)) {
        return;
    }
    const int32_t rotation = doc.rotation.load();
    const uint16_t width = doc.width.load();
    const uint16_t height = doc.height.load();
    for (tagVYPoint node : entry.image_nodes) {
        abs_to_direction(rotation, width, height, node.x, node.y);
        const double x = node.x * static_cast<double>(doc.scale_x) + 0.5;
        const double y = node.y * static_cast<double>(doc.scale_y) + 0.5;
        entry.window_nodes.push_back(tagVYPoint{static_cast<uint16_t>(std::min(x, 65535.0)),
                                                static_cast<uint16_t>(std::min(y, 65535.0))});
    }
}

AnaEntry* insert_entry(FrameDoc& doc, const CheckedAna& ana)
{
    if (AnaEntry* old = find_entry(doc, ana.type, ana.text)) {
        remove_entry(doc, old);
    }
    auto* entry = new AnaEntry();
    entry->type = ana.type;
    entry->owner = &doc;
    std::memcpy(entry->text, ana.text.data(), ana.text.size());
    const std::string alias = next_alias(doc, ana.type);
    if (!alias.empty()) {
        std::memcpy(entry->alias, alias.data(), alias.size());
        doc.aliases[alias] = entry;
    }
    rebuild_geometry(doc, *entry);
    doc.anas[ana.type].push_back(entry);
    doc.entries.insert(entry);
    track_ana(entry, &doc);
    return entry;
}

bool resolve_handle(void* ana, FrameDoc*& doc, std::string& text)
{
    FrameDoc* owner = nullptr;
    bool found = with_handle(ana, [&](AnaEntry& entry) {
        owner = entry.owner;
        text = entry.text;
        return owner != nullptr;
    });
    doc = owner;
    return found;
}

}  // namespace detail
}  // namespace thermframe
