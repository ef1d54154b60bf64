// Export macro of the Pyravue libraries. Libraries build with -fvisibility=hidden,
// so only functions marked VY_API are visible to callers.
#pragma once

#define VY_API __attribute__((visibility("default")))
