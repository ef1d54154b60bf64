// Export macros of the Pyravue libraries. Libraries build with
// -fvisibility=hidden, so only functions marked VY_API are visible to callers.
//
// Exports have C linkage: their dynamic symbols are their plain names, as a C
// caller, another language's foreign-function interface or dlsym expect. A
// header wraps its declarations in VY_EXTERN_C_BEGIN / VY_EXTERN_C_END. The
// few exports whose interface is a typed C++ signature (they name C++ enum
// types, or share their name with an overload) are marked VY_API_CXX and keep
// their mangled C++ names.
#pragma once

#define VY_API __attribute__((visibility("default")))

#ifdef __cplusplus
#define VY_EXTERN_C_BEGIN extern "C" {
#define VY_EXTERN_C_END }
#define VY_API_CXX extern "C++" VY_API
#else
#define VY_EXTERN_C_BEGIN
#define VY_EXTERN_C_END
#endif
