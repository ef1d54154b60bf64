#include "block_stock.h"

#include <stdlib.h>

#include <mutex>
#include <vector>

namespace vybase {

namespace {

// Below this a block comes from the heap and goes back to it.
constexpr size_t kSmallest = 64 * 1024;
// Idle memory kept at most; beyond it the oldest idle blocks are freed.
constexpr size_t kKeptBytes = 96u * 1024 * 1024;
constexpr size_t kPage = 4096;

size_t rounded(size_t bytes)
{
    return (bytes + kPage - 1) / kPage * kPage;
}

struct Idle {
    void* block;
    size_t bytes;
};

class Stock {
public:
    void* take(size_t bytes)
    {
        {
            std::lock_guard<std::mutex> guard(mutex_);
            // The newest block of the size: its pages are the warmest.
            for (size_t i = idle_.size(); i-- > 0;) {
                if (idle_[i].bytes == bytes) {
                    void* block = idle_[i].block;
                    idle_.erase(idle_.begin() + static_cast<std::ptrdiff_t>(i));
                    kept_ -= bytes;
                    return block;
                }
            }
        }
        return aligned_alloc(64, bytes);
    }

    void give_back(void* block, size_t bytes)
    {
        std::vector<void*> surplus;
        {
            std::lock_guard<std::mutex> guard(mutex_);
            idle_.push_back({block, bytes});
            kept_ += bytes;
            size_t drop = 0;
            while (kept_ > kKeptBytes && drop < idle_.size()) {
                kept_ -= idle_[drop].bytes;
                surplus.push_back(idle_[drop].block);
                ++drop;
            }
            idle_.erase(idle_.begin(), idle_.begin() + static_cast<std::ptrdiff_t>(drop));
        }
        for (void* b : surplus) {
            free(b);
        }
    }

private:
    std::mutex mutex_;
    std::vector<Idle> idle_;
    size_t kept_ = 0;
};

// Never destroyed: a picture released by another library's or the
// program's exit handlers still finds its stock.
Stock& stock()
{
    static Stock* instance = new Stock;
    return *instance;
}

}  // namespace

void* stock_take(size_t bytes)
{
    if (bytes < kSmallest) {
        return aligned_alloc(64, (bytes + 63) / 64 * 64 + (bytes == 0 ? 64 : 0));
    }
    return stock().take(rounded(bytes));
}

void stock_give_back(void* block, size_t bytes)
{
    if (block == nullptr) {
        return;
    }
    if (bytes < kSmallest) {
        free(block);
        return;
    }
    stock().give_back(block, rounded(bytes));
}

}  // namespace vybase
