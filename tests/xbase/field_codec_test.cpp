#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "FieldCodec.h"

namespace xbase {
namespace {

// formatNumber into a fresh buffer; "<no fit>" when it refuses.
std::string format(double value, int width, int decimals) {
  std::string out(width > 0 ? width : 0, '#');
  return formatNumber(value, width, decimals, out.data()) ? out : "<no fit>";
}

TEST(FormatNumber, RoundsHalfAwayFromZeroOnTheDecimalValue) {
  EXPECT_EQ(format(0.125, 4, 2), "0.13");
  EXPECT_EQ(format(-0.125, 5, 2), "-0.13");
  // 2.675 and 1.005 are stored just below the half; they still round up as decimals.
  EXPECT_EQ(format(2.675, 4, 2), "2.68");
  EXPECT_EQ(format(1.005, 4, 2), "1.01");
  EXPECT_EQ(format(-2.675, 5, 2), "-2.68");
  EXPECT_EQ(format(0.124999, 4, 2), "0.12");
  EXPECT_EQ(format(2.5, 1, 0), "3");
  EXPECT_EQ(format(-2.5, 2, 0), "-3");
  EXPECT_EQ(format(0.5, 1, 0), "1");
  EXPECT_EQ(format(0.05, 3, 1), "0.1");
  EXPECT_EQ(format(99.995, 6, 2), "100.00");  // carry through every digit
  EXPECT_EQ(format(9.5, 2, 0), "10");
}

TEST(FormatNumber, RightAlignsAndPads) {
  EXPECT_EQ(format(12, 4, 0), "  12");
  EXPECT_EQ(format(12, 9, 2), "    12.00");
  EXPECT_EQ(format(-7.5, 9, 2), "    -7.50");
  EXPECT_EQ(format(0, 4, 0), "   0");
  EXPECT_EQ(format(0, 9, 2), "     0.00");
  EXPECT_EQ(format(0.001, 5, 2), " 0.00");
  EXPECT_EQ(format(-0.001, 5, 2), " 0.00");  // no negative zero
  EXPECT_EQ(format(12.3456, 7, 4), "12.3456");
  EXPECT_EQ(format(1e-20, 4, 2), "0.00");
  EXPECT_EQ(format(123456789012.0, 15, 2), "123456789012.00");
}

TEST(FormatNumber, RefusesWhatDoesNotFitAndLeavesOutputAlone) {
  EXPECT_EQ(format(999999.99, 9, 2), "999999.99");
  // Seven integer digits plus ".xx" need ten characters: N 9,2 holds at most 999999.99.
  EXPECT_EQ(format(1234567.89, 10, 2), "1234567.89");
  EXPECT_EQ(format(1234567.89, 9, 2), "<no fit>");
  EXPECT_EQ(format(12345678.90, 9, 2), "<no fit>");
  EXPECT_EQ(format(999999.995, 9, 2), "<no fit>");  // fits only before rounding
  EXPECT_EQ(format(-9999, 4, 0), "<no fit>");
  EXPECT_EQ(format(-999, 4, 0), "-999");
  EXPECT_EQ(format(10000, 4, 0), "<no fit>");
  EXPECT_EQ(format(1e300, 20, 0), "<no fit>");
  EXPECT_EQ(format(std::numeric_limits<double>::quiet_NaN(), 9, 2), "<no fit>");
  EXPECT_EQ(format(std::numeric_limits<double>::infinity(), 9, 2), "<no fit>");
  EXPECT_EQ(format(1, 2, 2), "<no fit>");
  EXPECT_EQ(format(1, 0, 0), "<no fit>");
}

TEST(ParseNumber, ReadsFieldTextAndStopsAtJunk) {
  EXPECT_EQ(parseNumber("   12.50"), 12.5);
  EXPECT_EQ(parseNumber("    -7.5"), -7.5);
  EXPECT_EQ(parseNumber("+3"), 3);
  EXPECT_EQ(parseNumber("        "), 0);
  EXPECT_EQ(parseNumber(""), 0);
  EXPECT_EQ(parseNumber("  12abc"), 12);
  EXPECT_EQ(parseNumber("1,234.5"), 1);
  EXPECT_EQ(parseNumber(" .5"), 0.5);
  EXPECT_EQ(parseNumber("12.  "), 12);
  EXPECT_EQ(parseNumber("abc"), 0);
  EXPECT_EQ(parseNumber("-"), 0);
  EXPECT_EQ(parseNumber("2.675"), 2.675);
  EXPECT_EQ(parseNumber("1e5"), 1);  // field text has no exponents
  EXPECT_EQ(parseNumber("  -0.07"), -0.07);
  EXPECT_EQ(parseNumber("123456789.012345"), 123456789.012345);      // 15 digits
  EXPECT_EQ(parseNumber("1234567890.1234567"), 1234567890.1234567);  // more, read as before
  EXPECT_EQ(parseNumber("0.1.2"), 0.1);
}

TEST(ParseInteger, ReadsWholePartAndSaturates) {
  EXPECT_EQ(parseInteger("  12"), 12);
  EXPECT_EQ(parseInteger(" -12"), -12);
  EXPECT_EQ(parseInteger("  12.99"), 12);
  EXPECT_EQ(parseInteger("    "), 0);
  EXPECT_EQ(parseInteger("x12"), 0);
  EXPECT_EQ(parseInteger("99999999999999999999999"), std::numeric_limits<long long>::max());
  EXPECT_EQ(parseInteger("-99999999999999999999999"), -std::numeric_limits<long long>::max());
}

TEST(StrFunction, FormatsOrFillsWithAsterisks) {
  EXPECT_EQ(strFunction(12, 4, 0), "  12");
  EXPECT_EQ(strFunction(12, 10, 0), "        12");
  EXPECT_EQ(strFunction(3.14159, 6, 2), "  3.14");
  EXPECT_EQ(strFunction(12345, 4, 0), "****");
  EXPECT_EQ(strFunction(-1, 1, 0), "*");
  EXPECT_EQ(strFunction(1, 0, 0), "");
}

TEST(FormatAndParse, RoundTripMoneyValues) {
  // Every cent value of a N 9,2 field reads back as the value it was written from.
  for (long cents = -99999; cents <= 99999; cents += 7) {
    double value = cents / 100.0;
    std::string text = format(value, 9, 2);
    ASSERT_NE(text, "<no fit>") << value;
    EXPECT_EQ(parseNumber(text), value) << text;
    EXPECT_EQ(format(parseNumber(text), 9, 2), text);
  }
}

}  // namespace
}  // namespace xbase
