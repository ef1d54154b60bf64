#include "reports/picture_number_pool.h"

#include <set>

namespace picture_number_pool {

namespace {

std::set<int>& pool_of(Pool pool)
{
    static std::set<int> pools[2];
    return pools[pool == kVI ? 1 : 0];
}

}  // namespace

void refill()
{
    for (Pool pool : {kIR, kVI}) {
        std::set<int>& numbers = pool_of(pool);
        for (int n = 0; n < kCount; ++n) numbers.insert(numbers.end(), n);
    }
}

int take_lowest(Pool pool)
{
    std::set<int>& numbers = pool_of(pool);
    if (numbers.empty()) return -1;
    const int n = *numbers.begin();
    numbers.erase(numbers.begin());
    return n;
}

int take(Pool pool, int n) { return pool_of(pool).erase(n) == 1 ? n : -1; }

void give_back(Pool pool, int n)
{
    if (n >= 0 && n < kCount) pool_of(pool).insert(n);
}

bool is_free(Pool pool, int n) { return pool_of(pool).count(n) == 1; }

}  // namespace picture_number_pool
