// Puts back the widest processor path at the end of a test that narrowed it.
#pragma once

#include "kernel_path.h"

namespace vytest {

class KernelPathGuard {
public:
    KernelPathGuard() = default;
    KernelPathGuard(const KernelPathGuard&) = delete;
    KernelPathGuard& operator=(const KernelPathGuard&) = delete;
    ~KernelPathGuard() { vybase::force_kernel_path(vybase::KernelPath::avx512); }
};

}  // namespace vytest
