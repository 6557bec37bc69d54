#pragma once
// 32-bit arithmetic that raises EIntOverflow instead of wrapping, for picture sizes and
// coordinates that must never silently turn negative.

#include <cstdint>
#include <stdexcept>

#include "bigbitmap/errors.h"

namespace quilmo {

inline int32_t CheckedAdd(int32_t a, int32_t b)
{
    int32_t result;
    if (__builtin_add_overflow(a, b, &result)) throw EIntOverflow();
    return result;
}

inline int32_t CheckedMul(int32_t a, int32_t b)
{
    int32_t result;
    if (__builtin_mul_overflow(a, b, &result)) throw EIntOverflow();
    return result;
}

// Raised instead of dividing by zero.
class EDivByZero : public std::runtime_error {
public:
    EDivByZero() : std::runtime_error("Division by zero") {}
};

// Truncating toward zero, like every size division of the joining code.
inline int32_t CheckedDiv(int32_t a, int32_t b)
{
    if (b == 0) throw EDivByZero();
    if (a == INT32_MIN && b == -1) throw EIntOverflow();
    return a / b;
}

}  // namespace quilmo
