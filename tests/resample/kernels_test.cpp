#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "resample/axis_taps.h"
#include "resample/kernels.h"

using namespace quilmo;

TEST(ClampByte, LimitsAndRoundsHalfToEven)
{
    EXPECT_EQ(ClampByte(-0.3L), 0);
    EXPECT_EQ(ClampByte(255.4L), 255);
    EXPECT_EQ(ClampByte(255.6L), 255);
    EXPECT_EQ(ClampByte(1e30L), 255);
    EXPECT_EQ(ClampByte(127.5L), 128);
    EXPECT_EQ(ClampByte(126.5L), 126);
    EXPECT_EQ(ClampByte(2.5L), 2);
    EXPECT_EQ(ClampByte(3.5L), 4);
    EXPECT_EQ(ClampByte(254.5L), 254);
    EXPECT_EQ(ClampByte(127.49999999L), 127);
    EXPECT_EQ(ClampByte(std::numeric_limits<long double>::quiet_NaN()), 0);
    EXPECT_EQ(ClampByte(-std::numeric_limits<long double>::infinity()), 0);
    EXPECT_EQ(ClampByte(std::numeric_limits<long double>::infinity()), 255);
}

TEST(SinC, IsExactlyOneAtZeroAndNearlyZeroAtWholeNumbers)
{
    EXPECT_EQ(SinC(0.0f), 1.0f);
    EXPECT_NE(SinC(1.0f), 0.0f);
    EXPECT_LT(std::fabs(SinC(1.0f)), 1e-6f);
    EXPECT_NEAR(SinC(0.5f), 2 / 3.14159265358979, 1e-7);
    EXPECT_EQ(SinC(-0.7f), SinC(0.7f));
    EXPECT_EQ(LanczosWeight(0.0f), 1.0f);
}

TEST(CubicWeights, MatchTheKernelsAtHalfAndSumToOne)
{
    const TCubicWeights bicubic = CubicWeights<long double>(ckBicubic, 0.5, kMinusSixth);
    EXPECT_EQ(bicubic.W[0], -0.125);
    EXPECT_EQ(bicubic.W[1], 0.625);
    EXPECT_EQ(bicubic.W[2], 0.625);
    EXPECT_EQ(bicubic.W[3], -0.125);
    const TCubicWeights lagrange = CubicWeights<long double>(ckLagrange, 0.5, kMinusSixth);
    EXPECT_EQ(lagrange.W[0], -0.0625);
    EXPECT_EQ(lagrange.W[1], 0.5625);
    EXPECT_EQ(lagrange.W[2], 0.5625);
    EXPECT_EQ(lagrange.W[3], -0.0625);
    // The decimal -1/6 only moves the outer weights, and only far below a visible step.
    const TCubicWeights decimal = CubicWeights<long double>(ckLagrange, 0.5, kDecimalMinusSixth);
    EXPECT_NE(decimal.W[0], -0.0625);
    EXPECT_NEAR(decimal.W[0], -0.0625, 1e-12);
    EXPECT_EQ(decimal.W[1], 0.5625);

    for (TCubicKernel kernel : {ckBicubic, ckLagrange}) {
        for (double t : {0.1, 0.25, 0.3, 0.77, 0.999}) {
            const TCubicWeights w = CubicWeights<long double>(kernel, t, kMinusSixth);
            EXPECT_NEAR(w.W[0] + w.W[1] + w.W[2] + w.W[3], 1.0, 1e-15) << kernel << " " << t;
        }
        const TCubicWeights exact = CubicWeights<double>(kernel, 0, kDecimalMinusSixth);
        EXPECT_EQ(exact.W[0], 0);
        EXPECT_EQ(exact.W[1], 1);
        EXPECT_EQ(exact.W[2], 0);
        EXPECT_EQ(exact.W[3], 0);
    }
    // The bicubic kernel is W(x) = |x|^3 - 2|x|^2 + 1 near, -|x|^3 + 5|x|^2 - 8|x| + 4 farther.
    const double t = 0.3;
    const TCubicWeights w = CubicWeights<long double>(ckBicubic, t, kMinusSixth);
    auto near = [](double x) { return x * x * x - 2 * x * x + 1; };
    auto far = [](double x) { return -x * x * x + 5 * x * x - 8 * x + 4; };
    // (The expanded polynomials cancel a little in doubles.)
    EXPECT_NEAR(w.W[0], far(1 + t), 1e-13);
    EXPECT_NEAR(w.W[1], near(t), 1e-13);
    EXPECT_NEAR(w.W[2], near(1 - t), 1e-13);
    EXPECT_NEAR(w.W[3], far(2 - t), 1e-13);
}

TEST(CubicWeights, MiddleOfARisingEdgeIsAnExactHalfBeforeRounding)
{
    const TCubicWeights w = CubicWeights<long double>(ckBicubic, 0.5, kMinusSixth);
    const long double sum = 0 * w.W[0] + 0 * w.W[1] + 255 * w.W[2] + 255 * w.W[3];
    EXPECT_EQ(sum, 127.5L);
    EXPECT_EQ(ClampByte(sum), 128);
}

TEST(Sampling, NoHalfPixelOffsetAndTapsOutsideReadTheBase)
{
    // Source 4, destination 8: index 7 lies at 3.5 and both right-hand taps read pixel 3.
    const std::vector<TCubicTaps> taps = CubicAxis<long double>(4, 8, 1, ckBicubic, kMinusSixth);
    EXPECT_EQ(SampleAt<long double>(7, AxisRatio<long double>(4, 8)).Base, 3);
    EXPECT_EQ(SampleAt<long double>(7, AxisRatio<long double>(4, 8)).Fraction, 0.5);
    EXPECT_EQ(std::vector<int32_t>(taps[7].Index, taps[7].Index + 4), (std::vector<int32_t>{2, 3, 3, 3}));
    // Index 6 lies on pixel 3 exactly; index 0 on pixel 0, whose left tap reads pixel 0.
    EXPECT_EQ(std::vector<int32_t>(taps[6].Index, taps[6].Index + 4), (std::vector<int32_t>{2, 3, 3, 3}));
    EXPECT_EQ(std::vector<int32_t>(taps[0].Index, taps[0].Index + 4), (std::vector<int32_t>{0, 0, 1, 2}));
    EXPECT_EQ(taps[0].W[1], 1);
    // Column tables hold byte offsets.
    const std::vector<TLinearTaps> columns = LinearAxis<long double>(4, 8, 3);
    EXPECT_EQ(columns[7].Index[0], 9);
    EXPECT_EQ(columns[7].Index[1], 9);
    EXPECT_EQ(columns[0].Complement, 1);
    EXPECT_EQ(columns[0].Fraction, 0);
}

TEST(Processor, ReportsSSE2OnEveryX86_64)
{
#if defined(__x86_64__)
    EXPECT_TRUE(HasSSE2());
#else
    GTEST_SKIP() << "no SSE2 to find here";
#endif
}
