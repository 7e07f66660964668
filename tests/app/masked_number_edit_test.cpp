// The masked numeric edit: re-formatting on the decimal separator and on leaving, and
// the red text of a negative value.
#include <gtest/gtest.h>

#include <QTest>

#include "DatePicker.h"
#include "MaskedNumberEdit.h"
#include "ScriptedUi.h"

namespace {

TEST(MaskedNumberEdit, TheSeparatorMovesTheWholePartIntoPlace) {
  ScriptedUi ui;
  MaskedNumberEdit edit(ui, "%7.4f");
  QTest::keyClicks(&edit, QStringLiteral("7"));
  QTest::keyClicks(&edit, QStringLiteral("."));
  EXPECT_EQ(edit.text(), QStringLiteral(" 7.0000"));
  EXPECT_EQ(edit.selectedText(), QStringLiteral("0000"));
  QTest::keyClicks(&edit, QStringLiteral("25"));
  EXPECT_EQ(edit.text(), QStringLiteral(" 7.25"));
  EXPECT_TRUE(edit.runExit());
  EXPECT_EQ(edit.text(), QStringLiteral(" 7.2500"));
  EXPECT_DOUBLE_EQ(edit.value(), 7.25);
}

TEST(MaskedNumberEdit, TheSeparatorInAnEmptyFieldIsAConversionError) {
  ScriptedUi ui;
  MaskedNumberEdit edit(ui, "%9.2f");
  ui.expectErrorBox(QStringLiteral("'' is not a valid floating point value"));
  QTest::keyClicks(&edit, QStringLiteral("."));
  EXPECT_EQ(edit.text(), QString());
}

TEST(MaskedNumberEdit, TakesNoMoreThanTheFormatsWidthAndNoLetters) {
  ScriptedUi ui;
  MaskedNumberEdit edit(ui, "%7.4f");
  QTest::keyClicks(&edit, QStringLiteral("12x3456789"));
  EXPECT_EQ(edit.text(), QStringLiteral("1234567"));
}

TEST(MaskedNumberEdit, IsRedWhileNegative) {
  ScriptedUi ui;
  MaskedNumberEdit edit(ui, "%9.2f");
  edit.setValue(-3.5);
  EXPECT_EQ(edit.text(), QStringLiteral("    -3.50"));
  EXPECT_EQ(edit.palette().color(QPalette::Text), QColor(Qt::red));
  edit.setValue(3.5);
  EXPECT_EQ(edit.palette().color(QPalette::Text), QColor(Qt::black));
  // A minus typed before a zero survives the re-formatting, and stays red.
  edit.setText(QStringLiteral("-0"));
  EXPECT_TRUE(edit.runExit());
  EXPECT_TRUE(edit.text().trimmed().startsWith(QLatin1Char('-')));
  EXPECT_EQ(edit.palette().color(QPalette::Text), QColor(Qt::red));
}

TEST(MaskedNumberEdit, FollowsTheLocalesDecimalSeparator) {
  ScriptedUi ui;
  MaskedNumberEdit edit(ui, "%7.4f");
  edit.setLocale(QLocale(QLocale::German, QLocale::Germany));
  QTest::keyClicks(&edit, QStringLiteral("7,5"));
  EXPECT_EQ(edit.text(), QStringLiteral(" 7,5"));
  EXPECT_TRUE(edit.runExit());
  EXPECT_EQ(edit.text(), QStringLiteral(" 7,5000"));
  EXPECT_DOUBLE_EQ(edit.value(), 7.5);
}

TEST(DatePicker, ShowsFourDigitYearsInTheShortFormat) {
  EXPECT_EQ(DatePicker::displayFormatFor(QLocale(QLocale::English, QLocale::UnitedStates)),
            QStringLiteral("M/d/yyyy"));
  EXPECT_EQ(DatePicker::displayFormatFor(QLocale(QLocale::German, QLocale::Germany)),
            QStringLiteral("dd.MM.yyyy"));
}

}  // namespace
