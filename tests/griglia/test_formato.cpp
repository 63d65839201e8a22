// FormatFloat: the display formats of the program and the general format
// language (placeholders, sections, grouping, exponents, literals, rounding).
#include "gridkit/griglia/formato.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

using gridkit::FormatFloat;

TEST(FormatFloat, FormatiDelProgramma)
{
    // Distanza: no integer digit required, three decimals always.
    EXPECT_EQ(FormatFloat("#########.000", 123.4567), "123.457");
    EXPECT_EQ(FormatFloat("#########.000", 1234567.1), "1234567.100");
    EXPECT_EQ(FormatFloat("#########.000", 0.25), ".250");
    EXPECT_EQ(FormatFloat("#########.000", 0), ".000");
    EXPECT_EQ(FormatFloat("#########.000", -2.5), "-2.500");
    // More digits than placeholders all go in front.
    EXPECT_EQ(FormatFloat("#########.000", 123456789012.0), "123456789012.000");
    // ScartoQMedio: one integer digit always.
    EXPECT_EQ(FormatFloat("###0.000", 0), "0.000");
    EXPECT_EQ(FormatFloat("###0.000", 0.012), "0.012");
    EXPECT_EQ(FormatFloat("###0.000", 0.0125), "0.013");
    // A value that rounds to zero has no sign.
    EXPECT_EQ(FormatFloat("###0.000", -0.0004), "0.000");
}

TEST(FormatFloat, SegnapostiSezioniEMigliaia)
{
    EXPECT_EQ(FormatFloat("0", 1234), "1234");
    EXPECT_EQ(FormatFloat("0", -1234), "-1234");
    EXPECT_EQ(FormatFloat("0", 0.5), "1");
    EXPECT_EQ(FormatFloat("0", -0.5), "-1");
    EXPECT_EQ(FormatFloat("0.00", 0.5), "0.50");
    EXPECT_EQ(FormatFloat("#.##", 1234), "1234");
    EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
    EXPECT_EQ(FormatFloat("#.##", 0), "");
    EXPECT_EQ(FormatFloat("0.0#", 1.5), "1.5");
    EXPECT_EQ(FormatFloat("0.0#", 1.25), "1.25");
    EXPECT_EQ(FormatFloat("0.0#", 1.0), "1.0");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234), "1,234.00");
    EXPECT_EQ(FormatFloat("#,##0.00", -1234567.891), "-1,234,567.89");
    EXPECT_EQ(FormatFloat("#,##0", 999), "999");
    EXPECT_EQ(FormatFloat("#,##0.00;(#,##0.00)", -1234), "(1,234.00)");
    EXPECT_EQ(FormatFloat("#,##0.00;(#,##0.00)", 0), "0.00");
    EXPECT_EQ(FormatFloat("#,##0.00;;Zero", 0), "Zero");
    EXPECT_EQ(FormatFloat("#,##0.00;;Zero", -1234), "-1,234.00");
    EXPECT_EQ(FormatFloat("#,##0.00;;Zero", 0.001), "Zero");
    // Separators inside quotes do not split sections.
    EXPECT_EQ(FormatFloat("0 'a;b'", 7), "7 a;b");
}

TEST(FormatFloat, EsponentiLetteraliEArrotondamento)
{
    EXPECT_EQ(FormatFloat("0.000E+00", 1234), "1.234E+03");
    EXPECT_EQ(FormatFloat("0.000E+00", -1234), "-1.234E+03");
    EXPECT_EQ(FormatFloat("0.000E+00", 0.5), "5.000E-01");
    EXPECT_EQ(FormatFloat("0.000E+00", 0), "0.000E+00");
    EXPECT_EQ(FormatFloat("#.###E-0", 1234), "1.234E3");
    EXPECT_EQ(FormatFloat("#.###E-0", 0.5), "5E-1");
    EXPECT_EQ(FormatFloat("#.###E-0", 0), "0E0");
    // Rounding the mantissa can carry into the exponent.
    EXPECT_EQ(FormatFloat("0.0E+00", 9.96), "1.0E+01");

    EXPECT_EQ(FormatFloat("0.0 'm'", 3.14159), "3.1 m");
    EXPECT_EQ(FormatFloat("\"L. \"#,##0", 1234567), "L. 1,234,567");
    EXPECT_EQ(FormatFloat("00-00", 1234), "12-34");
    EXPECT_EQ(FormatFloat("00-00", 123456), "1234-56");
    EXPECT_EQ(FormatFloat("00-00", 7), "00-07");

    // Half away from zero on the 15 significant digits, carrying through.
    EXPECT_EQ(FormatFloat("0.00", 2.675), "2.68");
    EXPECT_EQ(FormatFloat("0.00", 9.995), "10.00");
    EXPECT_EQ(FormatFloat("#.00", 0.999), "1.00");
    EXPECT_EQ(FormatFloat("0", 1e20), "100000000000000000000");

    // No format: the general form with "." and an upper-case exponent.
    EXPECT_EQ(FormatFloat("", 0.1), "0.1");
    EXPECT_EQ(FormatFloat("", 1e20), "1E+20");
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FormatFloat("0.00", -std::numeric_limits<double>::infinity()), "-INF");
}
