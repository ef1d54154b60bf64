// The object behind a picfold handle.
#pragma once

#include "doc_stack.h"
#include "logline.h"
#include "stored_anas.h"
#include "vy_base_object.h"
#include "vy_lock.h"

#include <string>
#include <vector>

#define PF_LOG(function, ...) logline_print(LOGLINE_ERROR, "picfold", __FILE__, __LINE__, function, __VA_ARGS__)

namespace picfold {
namespace detail {

constexpr const char* kPictureTag = "picfold.picture";

class Picture : public _VYBaseObject {
public:
    Picture();
    ~Picture() override;

    bool init();
    VyLock& lock() { return lock_; }

    // --- all below expect lock() to be held
    docstack::DocStack& stack() { return stack_; }
    bool load(const std::string& path, bool with_view);
    bool loaded() const { return loaded_; }
    bool sgcc() const { return sgcc_; }
    bool set_use_stored_parameters(bool on);
    bool add_stored_anas();
    const std::string& stored_list() const { return stored_list_; }
    bool save(const std::wstring& path, const std::string& text, bool png, bool draw, bool append);

private:
    // The palette and imaging range the picture was saved with.
    void apply_stored_view();
    void copy_attached_to_document();

    VyLock lock_{"picfold picture"};
    docstack::DocStack stack_;
    bool loaded_ = false;
    bool sgcc_ = false;
    bool use_stored_ = true;
    docstack::Parameters stored_;
    std::string stored_list_;
    std::vector<StoredAna> stored_anas_;
};

// Runs body(picture) under the picture's lock; false for a bad handle.
template <class Body>
bool with_picture(void* handle, Body body)
{
    if (!_VYBaseObject::is_valid_handle(handle, kPictureTag)) {
        return false;
    }
    auto* picture = static_cast<Picture*>(static_cast<_VYBaseObject*>(handle));
    VyLockGuard guard(picture->lock());
    if (!guard) {
        return false;
    }
    return body(*picture);
}

}  // namespace detail
}  // namespace picfold
