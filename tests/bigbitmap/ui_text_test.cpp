#include <gtest/gtest.h>

#include "bigbitmap/ui_text.h"

using namespace quilmo;

TEST(UiText, ValuesTakeTheirPlacesInTheOrderTheTextGivesAndStayWhole)
{
    // A translation may name the values in another order.
    EXPECT_EQ(FillIn("%2 組のうち %1 組", {"1", "5"}), "5 組のうち 1 組");
    EXPECT_EQ(FillIn("%1 of %2", {"1", "5"}), "1 of 5");
    // A value that looks like a place is not filled in again.
    EXPECT_EQ(FillIn("%1: %2", {"a%2b", "c"}), "a%2b: c");
    // Places without a value, and percent signs that are no place, are kept.
    EXPECT_EQ(FillIn("%1 %3 100% %", {"x"}), "x %3 100% %");
    EXPECT_EQ(FillIn("%1 と %1", "x"), "x と x");
}
