// Large buffers kept across objects. A picture or plane that is dropped gives
// its memory back here and the next one of the same size takes it, so a
// picture opened after another writes into pages already mapped instead of
// faulting in fresh ones (and a freed heap top is not handed back to the
// system only to be asked for again). Small sizes go straight to the heap.
// Each library links its own stock.
#pragma once

#include <stddef.h>

namespace vybase {

// At least `bytes` bytes, 64-byte aligned, contents undefined; null when out
// of memory.
void* stock_take(size_t bytes);
// Gives back a block from stock_take with the same size; null is ignored.
void stock_give_back(void* block, size_t bytes);

}  // namespace vybase
