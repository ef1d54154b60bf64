// The process-wide pools of free picture numbers 0 ... 999, one for IR and
// one for visible-light picture components. GUI thread only.
#pragma once

namespace picture_number_pool {

enum Pool { kIR = 0, kVI = 1 };
constexpr int kCount = 1000;

// Puts 0 ... 999 into both pools (numbers present stay).
void refill();
// Removes and answers the smallest free number, -1 when the pool is empty.
int take_lowest(Pool pool);
// Removes and answers n when it is free, else -1.
int take(Pool pool, int n);
// Puts n back (numbers outside 0 ... 999 are ignored).
void give_back(Pool pool, int n);
bool is_free(Pool pool, int n);

}  // namespace picture_number_pool
