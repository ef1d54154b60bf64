#include "anas.h"

#include "ana_shapes.h"
#include "basekit.h"
#include "byte_writer.h"
#include "frame_log.h"

#include <algorithm>
#include <cstring>

namespace framekit {
namespace detail {

namespace {

std::string text_of(const char* text)
{
    return std::string(text, strnlen(text, VY_ANA_STR_CAPACITY));
}

}  // namespace

bool canonical_string(AnaType type, const std::vector<tagVYPoint>& nodes, std::string* out)
{
    int length = 0;
    int count = static_cast<int>(nodes.size());
    if (vy_format_ana_str(type, nodes.data(), count, nullptr, &length) != VY_OK || length <= 0) {
        return false;
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    int capacity = static_cast<int>(buffer.size());
    if (vy_format_ana_str(type, nodes.data(), count, buffer.data(), &capacity) != VY_OK) {
        return false;
    }
    out->assign(buffer.data(), static_cast<std::size_t>(capacity));
    return true;
}

bool parse_ana_string(const char* text, ParsedAnaString* out)
{
    if (text == nullptr || text[0] == '\0') {
        return false;
    }
    if (vy_parse_ana_type_of_char(text[0], &out->type) != VY_OK) {
        return false;
    }
    int count = 0;
    if (vy_parse_pts_from_ana_str(text, nullptr, &count) != VY_OK || count <= 0) {
        return false;
    }
    out->nodes.resize(static_cast<std::size_t>(count));
    if (vy_parse_pts_from_ana_str(text, out->nodes.data(), &count) != VY_OK) {
        return false;
    }
    out->alias.clear();
    int length = 0;
    if (vy_parse_alias_of_ana_str(text, nullptr, &length) == VY_OK && length > 0) {
        std::vector<char> alias(static_cast<std::size_t>(length) + 1);
        int capacity = static_cast<int>(alias.size());
        if (vy_parse_alias_of_ana_str(text, alias.data(), &capacity) == VY_OK) {
            out->alias.assign(alias.data(), static_cast<std::size_t>(capacity));
        }
    }
    return canonical_string(out->type, out->nodes, &out->canonical);
}

bool split_anas_string(const char* text, std::vector<std::string>* items, const char* function)
{
    items->clear();
    int expected = 0;
    if (text == nullptr || vy_parse_anas_count_of_anas_str(text, &expected) != VY_OK) {
        return false;
    }
    int position = 0;
    std::vector<char> buffer(VY_ANA_STR_CAPACITY);
    for (int i = 0; i < expected; ++i) {
        int length = static_cast<int>(buffer.size());
        int result = i == 0 ? vy_get_first_ana_from_anas_str(text, &position, buffer.data(), &length)
                            : vy_get_next_ana_from_anas_str(text, &position, buffer.data(), &length);
        if (result != VY_OK) {
            FK_ERROR(function, "analyse %s error", text);
            return false;
        }
        items->emplace_back(buffer.data(), static_cast<std::size_t>(length));
    }
    return true;
}

std::map<std::string, AnaPtr>::const_iterator Anas::locate(const char* text) const
{
    if (text == nullptr) {
        return by_key_.end();
    }
    auto it = by_key_.find(text_of(text));
    if (it != by_key_.end()) {
        return it;
    }
    ParsedAnaString parsed;
    if (!parse_ana_string(text, &parsed)) {
        return by_key_.end();
    }
    return by_key_.find(parsed.canonical);
}

AnaPtr Anas::add(const char* text, bool* created)
{
    *created = false;
    if (text == nullptr || text[0] == '\0') {
        return nullptr;
    }
    ParsedAnaString parsed;
    bool parsed_ok = parse_ana_string(text, &parsed);
    VyLockGuard guard(lock_);
    if (!guard) {
        return nullptr;
    }
    auto exact = by_key_.find(text_of(text));
    if (exact != by_key_.end()) {
        current_ = exact->second;
        return exact->second;
    }
    if (!parsed_ok) {
        return nullptr;
    }
    auto same = by_key_.find(parsed.canonical);
    if (same != by_key_.end()) {
        if (same->second->alias() == parsed.alias) {
            current_ = same->second;
            return same->second;
        }
        FK_LOG(LOGLINE_ERROR, kModuleAna, "Anas::add_ana", "analyse %s collides with %s%s", text,
               same->first.c_str(), same->second->alias().c_str());
        return nullptr;
    }
    std::unique_ptr<Ana> shape = make_ana(parsed.type);
    if (!shape || !shape->set_nodes(parsed.nodes.data(), parsed.nodes.size())) {
        return nullptr;
    }
    AnaPtr ana(shape.release());
    if (!parsed.alias.empty()) {
        ana->set_alias(parsed.alias);
        FK_LOG(LOGLINE_INFO, kModuleAna, "Anas::add_ana", "count = %d, alias = %s",
               static_cast<int>(parsed.alias.size()), parsed.alias.c_str());
    }
    by_type_[parsed.type].push_back(ana);
    by_key_.emplace(parsed.canonical, ana);
    current_ = ana;
    *created = true;
    return ana;
}

AnaPtr Anas::find(const char* text) const
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return nullptr;
    }
    auto it = locate(text);
    return it == by_key_.end() ? nullptr : it->second;
}

bool Anas::key_of(const Ana* ana, std::string* key) const
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    for (const auto& entry : by_key_) {
        if (entry.second.get() == ana) {
            *key = entry.first;
            return true;
        }
    }
    return false;
}

bool Anas::remove(const char* text)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    auto it = locate(text);
    if (it == by_key_.end()) {
        return false;
    }
    AnaPtr ana = it->second;
    by_key_.erase(it);
    std::vector<AnaPtr>& list = by_type_[ana->type()];
    list.erase(std::remove(list.begin(), list.end(), ana), list.end());
    current_.reset();
    return true;
}

void Anas::clear()
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return;
    }
    current_.reset();
    by_type_.clear();
    by_key_.clear();
}

uint32_t Anas::count(int type) const
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return 0;
    }
    if (type == ANA_ALL) {
        return static_cast<uint32_t>(by_key_.size());
    }
    auto it = by_type_.find(type);
    return it == by_type_.end() ? 0 : static_cast<uint32_t>(it->second.size());
}

bool Anas::strings(int type, std::string* out) const
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    out->clear();
    if (type == ANA_ALL) {
        for (const auto& entry : by_key_) {
            *out += entry.first;
        }
        return true;
    }
    auto it = by_type_.find(type);
    if (it == by_type_.end()) {
        return true;
    }
    for (const AnaPtr& ana : it->second) {
        std::vector<tagVYPoint> nodes;
        std::string text;
        if (ana->get_nodes(&nodes) && canonical_string(ana->type(), nodes, &text)) {
            *out += text;
        }
    }
    return true;
}

void Anas::set_hit_range(int type, uint8_t range)
{
    uint16_t stored = range < 1 ? 1 : range;
    VyLockGuard guard(lock_);
    if (!guard) {
        return;
    }
    for (const auto& entry : by_type_) {
        if (type != ANA_ALL && entry.first != type) {
            continue;
        }
        for (const AnaPtr& ana : entry.second) {
            ana->hit_range.store(stored);
        }
    }
}

AnaPtr Anas::hit_test(int x, int y, int32_t* code, std::string* key)
{
    struct Candidate {
        uint64_t distance;
        const std::string* key;
        AnaPtr ana;
    };
    VyLockGuard guard(lock_);
    if (!guard) {
        return nullptr;
    }
    std::vector<Candidate> candidates;
    for (const auto& entry : by_key_) {
        const AnaPtr& ana = entry.second;
        if (ana->visible.load() == 0 || ana->can_move.load() == 0) {
            continue;
        }
        tagVYPoint anchor = ana->anchor();
        int64_t dx = static_cast<int64_t>(x) - anchor.x;
        int64_t dy = static_cast<int64_t>(y) - anchor.y;
        candidates.push_back(Candidate{static_cast<uint64_t>(dx * dx + dy * dy), &entry.first, ana});
    }
    // Key order is the map's order, so a stable sort keeps it among ties.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& l, const Candidate& r) { return l.distance < r.distance; });
    for (const Candidate& c : candidates) {
        int answer = c.ana->hit_test(x, y);
        *code = answer;
        if (answer != VY_HIT_NONE) {
            current_ = c.ana;
            *key = *c.key;
            return c.ana;
        }
    }
    current_.reset();
    return nullptr;
}

bool Anas::renode_locked(std::map<std::string, AnaPtr>::const_iterator it, const tagVYPoint* nodes,
                         std::size_t count, const std::string& new_key, AnaPtr* out)
{
    AnaPtr ana = it->second;
    const std::string old_key = it->first;
    auto taken = by_key_.find(new_key);
    if (taken != by_key_.end() && taken->second != ana) {
        return false;
    }
    if (!ana->set_nodes(nodes, count)) {
        return false;
    }
    *out = ana;
    if (old_key != new_key) {
        by_key_.erase(old_key);
        by_key_.emplace(new_key, ana);
    }
    return true;
}

bool Anas::update_by_string(const char* old_text, const char* new_text, AnaPtr* out)
{
    ParsedAnaString parsed;
    if (!parse_ana_string(new_text, &parsed)) {
        return false;
    }
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    auto it = locate(old_text);
    if (it == by_key_.end() || parsed.type != it->second->type()) {
        return false;
    }
    return renode_locked(it, parsed.nodes.data(), parsed.nodes.size(), parsed.canonical, out);
}

bool Anas::update_by_nodes(const char* text, const tagVYPoint* nodes, std::size_t count, AnaPtr* out)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    auto it = locate(text);
    if (it == by_key_.end()) {
        return false;
    }
    std::string new_key;
    std::vector<tagVYPoint> list(nodes, nodes + count);
    if (!canonical_string(it->second->type(), list, &new_key)) {
        return false;
    }
    return renode_locked(it, nodes, count, new_key, out);
}

std::vector<AnaPtr> Anas::all() const
{
    std::vector<AnaPtr> list;
    VyLockGuard guard(lock_);
    if (guard) {
        for (const auto& entry : by_key_) {
            list.push_back(entry.second);
        }
    }
    return list;
}

void Anas::recompute_all(const PlaneView& plane)
{
    // An analysis outside the frame measures nothing; the others still do.
    for (const AnaPtr& ana : all()) {
        ana->recompute(plane);
    }
}

void Anas::recolour_all(const PlaneView& plane, uint32_t* pixels)
{
    for (const AnaPtr& ana : all()) {
        if (ana->use_own_palette.load() != 0) {
            ana->recolour_own_pixels(plane, pixels);
        }
    }
}

void Anas::save(std::vector<uint8_t>* out) const
{
    std::vector<uint8_t> entries;
    uint32_t written = 0;
    {
        VyLockGuard guard(lock_);
        if (!guard) {
            return;
        }
        std::map<const Ana*, const std::string*> keys;
        for (const auto& entry : by_key_) {
            keys[entry.second.get()] = &entry.first;
        }
        ByteWriter w(&entries);
        for (const auto& type : by_type_) {
            for (const AnaPtr& ana : type.second) {
                auto key = keys.find(ana.get());
                if (key == keys.end() || key->second->size() > 0xFFFF) {
                    continue;
                }
                w.u16(static_cast<uint16_t>(key->second->size()));
                w.bytes(key->second->data(), key->second->size());
                ana->save_record(&entries);
                ++written;
            }
        }
    }
    ByteWriter w(out);
    w.u32(written);
    w.bytes(entries.data(), entries.size());
}

}  // namespace detail
}  // namespace framekit
