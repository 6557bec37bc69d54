#include "resample/kernels.h"

#include <cmath>

namespace quilmo {

namespace {

// Pi to the precision the extended unit holds it.
constexpr long double kPi = 3.141592653589793238462643383279502884L;

}  // namespace

uint8_t ClampByte(long double v)
{
    if (!(v >= 0)) return 0;
    if (v > 255) return 255;
    return static_cast<uint8_t>(std::rint(v));
}

float SinC(float x)
{
    if (x == 0) return 1.0f;
    const auto a = static_cast<float>(kPi * x);
    return static_cast<float>(std::sin(static_cast<long double>(a)) / a);
}

float LanczosWeight(float distance)
{
    return SinC(distance) * SinC(distance / 3.0f);
}

}  // namespace quilmo
