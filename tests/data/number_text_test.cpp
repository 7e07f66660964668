#include <gtest/gtest.h>

#include <QLocale>
#include <stdexcept>

#include "Conversions.h"
#include "NumberText.h"

namespace {

const QLocale kC = QLocale::c();

TEST(NumberText, RoundsTheShownDigitsHalfAwayFromZero) {
  // 0.125 is exact in binary: a binary printf rounds it to even, 0.12.
  EXPECT_EQ(NumberText::Money(0.125, kC), "     0.13");
  EXPECT_EQ(NumberText::Money(-0.125, kC), "    -0.13");
  EXPECT_EQ(NumberText::Money(0.375, kC), "     0.38");
  EXPECT_EQ(NumberText::Money(0.005, kC), "     0.01");
  EXPECT_EQ(NumberText::Money(999.995, kC), "  1000.00");
  EXPECT_EQ(NumberText::Money(9.999, kC), "    10.00");
  EXPECT_EQ(NumberText::Money(110.0 / 11.0, kC), "    10.00");
}

TEST(NumberText, RoundsOnEighteenSignificantDigits) {
  // 2.675 is stored as 2.67499999999999982..., 1.005 as 1.00499999999999989...: their
  // eighteen digits end in 4999..., so they round down.
  EXPECT_EQ(NumberText::Money(2.675, kC), "     2.67");
  EXPECT_EQ(NumberText::Money(1.005, kC), "     1.00");
  EXPECT_EQ(NumberText::Money(0.145, kC), "     0.14");
  // 2.345 is 2.34500000000000020...
  EXPECT_EQ(NumberText::Money(2.345, kC), "     2.35");
}

TEST(NumberText, ZeroAndTinyValuesShowWithoutSign) {
  EXPECT_EQ(NumberText::Money(0, kC), "     0.00");
  EXPECT_EQ(NumberText::Money(-0.0, kC), "     0.00");
  EXPECT_EQ(NumberText::Money(-0.004, kC), "     0.00");
  EXPECT_EQ(NumberText::Money(1e-30, kC), "     0.00");
  EXPECT_EQ(NumberText::Fixed(0.4, 3, 0, kC), "  0");
  EXPECT_EQ(NumberText::Fixed(0.5, 3, 0, kC), "  1");
}

TEST(NumberText, NeverCutsAWideValue) {
  EXPECT_EQ(NumberText::Money(1234567.891, kC), "1234567.89");
  EXPECT_EQ(NumberText::Money(-999999.999, kC), "-1000000.00");
  EXPECT_EQ(NumberText::Fixed(1e20, 3, 1, kC), "100000000000000000000.0");
}

TEST(NumberText, GroupsThousandsWithTheLocalesSeparators) {
  EXPECT_EQ(NumberText::Grouped(1234567.125, 12, 2, QLocale(QLocale::English)), "1,234,567.13");
  EXPECT_EQ(NumberText::Grouped(-1234.5, 12, 2, QLocale(QLocale::English)), "   -1,234.50");
  EXPECT_EQ(NumberText::Grouped(999.999, 12, 2, QLocale(QLocale::English)), "    1,000.00");
  EXPECT_EQ(NumberText::Grouped(12.5, 12, 2, QLocale(QLocale::German)), "       12,50");
  EXPECT_EQ(NumberText::Grouped(1234.5, 12, 2, QLocale(QLocale::German)), "    1.234,50");
}

TEST(NumberText, FormatReadsWidthDecimalsAndKind) {
  EXPECT_EQ(NumberText::Format("%7.4f", 7.5, kC), " 7.5000");
  EXPECT_EQ(NumberText::Format("%12.2n", 1234.5, QLocale(QLocale::English)), "    1,234.50");
  EXPECT_EQ(NumberText::Format("%10.4f", 0.00005, kC), "    0.0001");
  for (const char* bad : {"%9.2d", "9.2f", "%9f", "%9.2fx", "%.2f"}) {
    EXPECT_THROW(NumberText::Format(bad, 1, kC), std::invalid_argument) << bad;
  }
}

TEST(NumberText, MaskedEditsReformatWithTheSameRounding) {
  EXPECT_EQ(Conversions::ReformatNumber("0.125", "%9.2f", kC), "     0.13");
  EXPECT_EQ(Conversions::ReformatNumber("-0.125", "%9.2f", kC), "    -0.13");
  EXPECT_EQ(Conversions::ReformatNumber("-0.001", "%9.2f", kC), "     0.00");
}

}  // namespace
