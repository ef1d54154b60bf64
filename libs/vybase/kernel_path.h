// The processor path the row kernels of palettor and framekit take. Each
// kernel is built once per path (plain x86-64, AVX2, AVX-512) and picks its
// variant at the call from the path in force: the widest this processor
// runs. Tests narrow it to compare every path's bytes with the plain ones.
//
// The variants are ordinary functions chosen here rather than target_clones,
// whose ifunc resolvers run before ThreadSanitizer's run time is ready.
#pragma once

#include <vector>

namespace vybase {

enum class KernelPath { plain = 0, avx2 = 1, avx512 = 2 };

// The path in force.
KernelPath kernel_path();

// For tests: makes the kernels take `path`, or the widest narrower one this
// processor runs; returns the path now in force.
KernelPath force_kernel_path(KernelPath path);

// The paths this processor runs, narrowest first.
std::vector<KernelPath> kernel_paths();

const char* kernel_path_name(KernelPath path);

// Picks the variant of a kernel for the path in force.
template <class Fn>
Fn pick_kernel(Fn avx512, Fn avx2, Fn plain)
{
    switch (kernel_path()) {
    case KernelPath::avx512: return avx512;
    case KernelPath::avx2: return avx2;
    default: return plain;
    }
}

}  // namespace vybase

// Defines `name` and its variants name_for_avx512, name_for_avx2 and
// name_for_plain, each `name##_body` (an always-inline function of the same
// arguments) compiled for its path. `params` and `args` are parenthesised
// lists.
#if defined(__x86_64__)
#define VY_ROW_KERNEL(ret, name, params, args)                                                               \
    __attribute__((target("arch=x86-64-v4"))) ret name##_for_avx512 params { return name##_body args; }   \
    __attribute__((target("avx2"))) ret name##_for_avx2 params { return name##_body args; }               \
    ret name##_for_plain params { return name##_body args; }                                              \
    ret name params                                                                                       \
    {                                                                                                     \
        return ::vybase::pick_kernel(name##_for_avx512, name##_for_avx2, name##_for_plain) args;          \
    }
// The same without an AVX-512 build: that path takes the AVX2 variant.
#define VY_ROW_KERNEL_AVX2(ret, name, params, args)                                                       \
    __attribute__((target("avx2"))) ret name##_for_avx2 params { return name##_body args; }               \
    ret name##_for_plain params { return name##_body args; }                                              \
    ret name params                                                                                       \
    {                                                                                                     \
        return ::vybase::pick_kernel(name##_for_avx2, name##_for_avx2, name##_for_plain) args;            \
    }
#else
#define VY_ROW_KERNEL(ret, name, params, args) \
    ret name params { return name##_body args; }
#define VY_ROW_KERNEL_AVX2(ret, name, params, args) VY_ROW_KERNEL(ret, name, params, args)
#endif
