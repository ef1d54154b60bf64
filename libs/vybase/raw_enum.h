// Enumeration arguments as the caller passed them.
#pragma once

#include <cstdint>
#include <cstring>

namespace vy {

// Callers may pass numbers outside an enumeration's values (a byte from a
// file, a number from QML). Loading such a value as the enumeration is
// undefined, so exports read the argument's bytes and check the number before
// they use it as the enumeration.
template <class Enum>
int32_t raw_enum(const Enum& value)
{
    static_assert(sizeof(Enum) == sizeof(int32_t), "enumerations cross the boundary as 32 bits");
    int32_t raw;
    std::memcpy(&raw, &value, sizeof(raw));
    return raw;
}

// The caller's value handed on to another export, which checks it, without
// loading it as the enumeration on the way.
template <class Enum>
Enum pass_enum(const Enum& value)
{
    return static_cast<Enum>(raw_enum(value));
}

}  // namespace vy
