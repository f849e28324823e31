#include "core/vbnumeric.h"

#include <gtest/gtest.h>

using namespace core;

TEST(VbNumeric, Val)
{
    const struct {
        const char *text;
        double value;
    } cases[] = {
        {"", 0},        {"abc", 0},    {"12 ab", 12}, {" 1 2 3", 123}, {"-1.5", -1.5}, {"+.5", 0.5},
        {"1.2.3", 1.2}, {"2e3", 2000}, {"2D-1", 0.2}, {"2e", 2},       {"&HFF", 255},  {"&o17", 15},
        {"&HG", 0},     {"1,000", 1},  {"$5", 0},     {"-", 0},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(Val(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(VbNumeric, IsNumericAgreesWithWhatValReadsInFull)
{
    for (const char *yes : {"0", " 12 ", "-3.5", "+.5", "5."})
        EXPECT_TRUE(IsNumeric(QString::fromLatin1(yes))) << yes;
    for (const char *no : {"", " ", ".", "1.2.3", "1,000", "12a", "--1", "1e5", "$5"})
        EXPECT_FALSE(IsNumeric(QString::fromLatin1(no))) << no;
}

TEST(VbNumeric, RoundHalfToEven)
{
    const struct {
        double value;
        int decimals;
        double rounded;
    } cases[] = {
        {2.5, 0, 2},
        {3.5, 0, 4},
        {-2.5, 0, -2},
        {-3.5, 0, -4},
        {2.51, 0, 3},
        {0.125, 2, 0.12},
        {0.135, 2, 0.14},
        {2.675, 2, 2.68},
        {1.005, 2, 1.0},
        {1234.5678, 2, 1234.57},
        {-0.49, 0, 0},
        // Large values keep their digits; only a true half goes to even.
        {123456.7891, 4, 123456.7891},
        {5000000.01, 2, 5000000.01},
        {1234.567749, 4, 1234.5677},
        {1234.56775, 4, 1234.5678},
        {1234.56785, 4, 1234.5678},
        {5000000.005, 2, 5000000},
        {5000000.015, 2, 5000000.02},
        {-123456.78915, 4, -123456.7892},
        {9.99995, 4, 10},
        {0.00005, 4, 0},
        {0.00015, 4, 0.0002},
        {0.1 + 0.2, 2, 0.3},
        {1e20, 2, 1e20},
        {0.9999999999999999, 4, 1},
        {1.1102230246251565e-16, 4, 0},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(Round(c.value, c.decimals), c.rounded) << c.value << " at " << c.decimals;
}

TEST(VbNumeric, CIntRoundsAndRefusesWhatDoesNotFit)
{
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(-1.5), -2);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(CInt(-32768), -32768);
    EXPECT_THROW(CInt(32767.5), std::overflow_error);
    EXPECT_THROW(CInt(std::nan("")), std::overflow_error);
    EXPECT_EQ(CLng(70000.5), 70000);
    EXPECT_THROW(CLng(3e9), std::overflow_error);
}
