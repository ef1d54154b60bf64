// The analysis collection of a frame: analyses keyed by their canonical
// analysis string and listed by type in order of addition.
#pragma once

#include "ana.h"
#include "vy_lock.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace framekit {
namespace detail {

using AnaPtr = std::shared_ptr<Ana>;

// Type and nodes of one analysis string, and its canonical form.
struct ParsedAnaString {
    AnaType type = ANA_POINT;
    std::vector<tagVYPoint> nodes;
    std::string canonical;
    std::string alias;
};

bool parse_ana_string(const char* text, ParsedAnaString* out);
bool canonical_string(AnaType type, const std::vector<tagVYPoint>& nodes, std::string* out);
// Splits a list string into its analysis strings; false when it is malformed.
bool split_anas_string(const char* text, std::vector<std::string>* items, const char* function);

class Anas {
public:
    Anas() = default;
    Anas(const Anas&) = delete;
    Anas& operator=(const Anas&) = delete;

    // The analysis for the string: the one already registered under the same
    // type, nodes and alias, or a new one. Null when the string is refused or
    // collides with an analysis of other alias. *created tells which.
    AnaPtr add(const char* text, bool* created);
    // Any string with the analysis's type and nodes finds it.
    AnaPtr find(const char* text) const;
    bool key_of(const Ana* ana, std::string* key) const;
    bool remove(const char* text);
    void clear();

    uint32_t count(int type) const;
    bool strings(int type, std::string* out) const;
    void set_hit_range(int type, uint8_t range);
    // The first visible, movable analysis that answers a code other than 100,
    // nearest anchor first; *code holds the last code asked.
    AnaPtr hit_test(int x, int y, int32_t* code, std::string* key);

    bool update_by_string(const char* old_text, const char* new_text, AnaPtr* out);
    bool update_by_nodes(const char* text, const tagVYPoint* nodes, std::size_t count, AnaPtr* out);

    // Every analysis, in key order.
    std::vector<AnaPtr> all() const;
    void recompute_all(const PlaneView& plane);
    void recolour_all(const PlaneView& plane, uint32_t* pixels);
    // u32 count, then per analysis its key (u16 length, text) and record.
    void save(std::vector<uint8_t>* out) const;

private:
    // Under the lock.
    std::map<std::string, AnaPtr>::const_iterator locate(const char* text) const;
    // Gives the analysis at `it` new nodes and the key they make, unless
    // another analysis holds that key.
    bool renode_locked(std::map<std::string, AnaPtr>::const_iterator it, const tagVYPoint* nodes, std::size_t count,
                       const std::string& new_key, AnaPtr* out);

    mutable VyLock lock_{"anas lock"};
    AnaPtr current_;
    std::map<int, std::vector<AnaPtr>> by_type_;
    std::map<std::string, AnaPtr> by_key_;
};

}  // namespace detail
}  // namespace framekit
