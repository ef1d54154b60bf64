#include "block_stock.h"
#include "handle_registry.h"
#include "vy_base_object.h"
#include "vy_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

class Sample : public _VYBaseObject {
public:
    explicit Sample(int* destroyed) : _VYBaseObject("ad_temp"), destroyed_(destroyed) {}
    ~Sample() override { ++*destroyed_; }

private:
    int* destroyed_;
};

class Other : public _VYBaseObject {
public:
    Other() : _VYBaseObject("imaging") {}
};

}  // namespace

TEST(HandleRegistry, lifecycle_and_foreign_handles)
{
    int destroyed = 0;
    void* handle = nullptr;
    ASSERT_TRUE(vy::create_handle<Sample>(&handle, &destroyed));
    ASSERT_NE(nullptr, handle);
    EXPECT_TRUE(_VYBaseObject::is_valid_handle(handle, "ad_temp"));
    EXPECT_FALSE(_VYBaseObject::is_valid_handle(handle, "imaging"));
    EXPECT_FALSE(_VYBaseObject::is_valid_handle(nullptr, "ad_temp"));

    void* other = nullptr;
    ASSERT_TRUE(vy::create_handle<Other>(&other));
    EXPECT_FALSE(vy::destroy_handle(&other, "ad_temp"));
    EXPECT_NE(nullptr, other);

    // A pointer that was never a handle is refused without being read.
    int plain = 0;
    EXPECT_FALSE(_VYBaseObject::is_valid_handle(&plain, "ad_temp"));

    void* copy = handle;
    EXPECT_TRUE(vy::destroy_handle(&handle, "ad_temp"));
    EXPECT_EQ(nullptr, handle);
    EXPECT_EQ(1, destroyed);
    EXPECT_FALSE(_VYBaseObject::is_valid_handle(copy, "ad_temp"));
    EXPECT_FALSE(vy::destroy_handle(&copy, "ad_temp"));
    EXPECT_FALSE(vy::destroy_handle(&handle, "ad_temp"));
    EXPECT_EQ(1, destroyed);
    EXPECT_TRUE(vy::destroy_handle(&other, "imaging"));
}

TEST(BaseObject, tag_is_cut_at_64_characters)
{
    std::string long_tag(80, 't');
    _VYBaseObject object(long_tag.c_str());
    EXPECT_EQ(64u, std::string(object.type_tag()).size());
    EXPECT_EQ(&object, object.get_handle());
}

TEST(VyLock, same_thread_relock_is_refused)
{
    VyLock lock("test lock");
    ASSERT_TRUE(lock.lock());
    EXPECT_TRUE(lock.held_by_current_thread());
    EXPECT_FALSE(lock.lock());
    {
        VyLockGuard nested(lock);
        EXPECT_FALSE(nested.owns());
    }
    EXPECT_TRUE(lock.held_by_current_thread());
    lock.unlock();
    EXPECT_FALSE(lock.held_by_current_thread());
    VyLockGuard guard(lock);
    EXPECT_TRUE(guard.owns());
}

TEST(VyLock, excludes_other_threads)
{
    VyLock lock;
    long counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 10000; ++i) {
                VyLockGuard guard(lock);
                ASSERT_TRUE(guard.owns());
                ++counter;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(40000, counter);
}

TEST(BlockStock, a_large_block_given_back_serves_the_next_of_its_size)
{
    constexpr size_t kLarge = 1280 * 960 * 4;
    void* first = vybase::stock_take(kLarge);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(first) % 64);
    std::memset(first, 0x5A, kLarge);  // the whole size is usable
    vybase::stock_give_back(first, kLarge);
    void* other_size = vybase::stock_take(kLarge / 2);
    void* again = vybase::stock_take(kLarge);
    EXPECT_EQ(first, again);
    EXPECT_NE(first, other_size);
    vybase::stock_give_back(again, kLarge);
    vybase::stock_give_back(other_size, kLarge / 2);
    for (size_t bytes : {size_t{0}, size_t{1}, size_t{100}, size_t{64 * 1024 - 1}}) {
        void* small = vybase::stock_take(bytes);
        ASSERT_NE(nullptr, small);
        EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(small) % 64);
        std::memset(small, 1, bytes);
        vybase::stock_give_back(small, bytes);
    }
    vybase::stock_give_back(nullptr, kLarge);
}
