#include "kernel_path.h"

#include <atomic>

namespace vybase {

namespace {

KernelPath widest_path()
{
#if defined(__x86_64__)
    __builtin_cpu_init();
#if defined(__clang__)
    // Clang names no architecture levels here; these are the features of
    // x86-64-v4 that its code can use beyond AVX2's.
    const bool v4 = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                    __builtin_cpu_supports("avx512cd") && __builtin_cpu_supports("avx512dq") &&
                    __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx2") &&
                    __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("fma");
#else
    const bool v4 = __builtin_cpu_supports("x86-64-v4");
#endif
    if (v4) {
        return KernelPath::avx512;
    }
    if (__builtin_cpu_supports("avx2")) {
        return KernelPath::avx2;
    }
#endif
    return KernelPath::plain;
}

const KernelPath kWidest = widest_path();
std::atomic<int> g_path{static_cast<int>(kWidest)};

}  // namespace

KernelPath kernel_path()
{
    return static_cast<KernelPath>(g_path.load(std::memory_order_relaxed));
}

KernelPath force_kernel_path(KernelPath path)
{
    const KernelPath in_force = static_cast<int>(path) < static_cast<int>(kWidest) ? path : kWidest;
    g_path.store(static_cast<int>(in_force), std::memory_order_relaxed);
    return in_force;
}

std::vector<KernelPath> kernel_paths()
{
    std::vector<KernelPath> paths;
    for (int p = 0; p <= static_cast<int>(kWidest); ++p) {
        paths.push_back(static_cast<KernelPath>(p));
    }
    return paths;
}

const char* kernel_path_name(KernelPath path)
{
    switch (path) {
    case KernelPath::avx512: return "avx512";
    case KernelPath::avx2: return "avx2";
    default: return "plain";
    }
}

}  // namespace vybase
