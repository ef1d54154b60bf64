// Buffers that are always written before they are read (see stock_vector.h).
#pragma once

#include "stock_vector.h"

namespace palettor::detail {

template <class T>
using ScratchVector = vybase::StockVector<T>;

}  // namespace palettor::detail
