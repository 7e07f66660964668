#include "Conversions.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <vector>

#include "ConversionError.h"

namespace {

const QLocale kC = QLocale::c();

TEST(PadLeft, RightAlignsAndNeverCuts) {
  EXPECT_EQ(Conversions::PadLeft(12, 4), "  12");
  EXPECT_EQ(Conversions::PadLeft(9999, 4), "9999");
  EXPECT_EQ(Conversions::PadLeft(12345, 4), "12345");
  EXPECT_EQ(Conversions::PadLeft(-5, 4), "  -5");
}

TEST(KeyBuffer, KeepsAtMostSixtyCharacters) {
  EXPECT_EQ(Conversions::KeyBuffer("20010302  12"), "20010302  12");
  const std::string key = Conversions::KeyBuffer(QString(70, QLatin1Char('x')));
  EXPECT_EQ(key, std::string(60, 'x'));
}

TEST(FindInArray, FirstMatchOrMinusOne) {
  const std::vector<int> list{3, 5, 3};
  EXPECT_EQ(Conversions::FindInArray(list, 3), 0);
  EXPECT_EQ(Conversions::FindInArray(list, 5), 1);
  EXPECT_EQ(Conversions::FindInArray(list, 7), -1);
  EXPECT_EQ(Conversions::FindInArray({}, 3), -1);
}

TEST(FixedDateFormat, DoublesSingleLetters) {
  // d.M.yyyy: single day and month letters, four year letters.
  EXPECT_EQ(Conversions::FixedDateFormat(QLocale(QLocale::Hebrew, QLocale::Israel)), "DD.MM.YYYY");
  // M/d/yy: every part single except the two-letter year.
  EXPECT_EQ(Conversions::FixedDateFormat(QLocale(QLocale::English, QLocale::UnitedStates)),
            "MM/DD/YY");
  // dd/MM/yyyy is already fixed-width.
  EXPECT_EQ(Conversions::FixedDateFormat(QLocale(QLocale::English, QLocale::UnitedKingdom)),
            "DD/MM/YYYY");
}

TEST(ReformatNumber, FormatsWithoutBlanks) {
  EXPECT_EQ(Conversions::ReformatNumber(" 7.5   ", "%7.4f", kC), " 7.5000");
  EXPECT_EQ(Conversions::ReformatNumber("12.5", "%9.2f", kC), "    12.50");
  EXPECT_EQ(Conversions::ReformatNumber("1 2 3", "%9.2f", kC), "   123.00");
  EXPECT_EQ(Conversions::ReformatNumber("-3.5", "%7.4f", kC), "-3.5000");
  EXPECT_EQ(Conversions::ReformatNumber("7.", "%7.4f", kC), " 7.0000");
}

TEST(ReformatNumber, KeepsATypedMinusBeforeZero) {
  EXPECT_EQ(Conversions::ReformatNumber("-0.0000", "%7.4f", kC), "-0.0000");
  EXPECT_EQ(Conversions::ReformatNumber("-0", "%7.4f", kC), "-0.0000");
  // Padded on the left to the length of the text given.
  EXPECT_EQ(Conversions::ReformatNumber("   -0   ", "%7.4f", kC), " -0.0000");
  EXPECT_EQ(Conversions::ReformatNumber("    -.00", "%9.2f", kC), "   -0.00");
}

TEST(ReformatNumber, TextWithoutDigitsIsAConversionError) {
  for (const char* text : {" .     ", "-.", "   ", "-", "abc"}) {
    EXPECT_THROW(Conversions::ReformatNumber(text, "%7.4f", kC), ConversionError) << text;
  }
  try {
    Conversions::ReformatNumber("  ", "%7.4f", kC);
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid floating point value");
  }
}

TEST(ReformatNumber, UsesTheLocalesDecimalSeparator) {
  const QLocale german(QLocale::German, QLocale::Germany);
  EXPECT_EQ(Conversions::ReformatNumber(" 7,5 ", "%7.4f", german), " 7,5000");
  EXPECT_EQ(Conversions::ReformatNumber("-0,0", "%7.4f", german), "-0,0000");
  // Digit grouping is not accepted as typed input.
  EXPECT_THROW(Conversions::ReformatNumber("1.234,5", "%9.2f", german), ConversionError);
}

}  // namespace
