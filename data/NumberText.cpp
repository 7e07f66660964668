#include "NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

// Significant digits the rounding works on: those of an 80-bit extended value, which
// this display rule was made for.
constexpr int kSignificant = 18;

// The whole and fraction digits of |value| rounded at decimals decimals.
struct Digits {
  std::string whole;     // no leading zeros, "0" for a value below 1
  std::string fraction;  // exactly decimals digits
  bool zero = true;      // every digit is 0
};

Digits roundedDigits(double value, int decimals) {
  char sci[40];  // d.ddddddddddddddddde+XXX
  std::snprintf(sci, sizeof sci, "%.*e", kSignificant - 1, std::fabs(value));
  std::string mantissa(1, sci[0]);
  mantissa.append(sci + 2, kSignificant - 1);
  const int exponent = std::atoi(sci + kSignificant + 2);  // mantissa[0] is worth 10^exponent

  // Digits worth 10^(exponent - k) for k = 0.., kept down to 10^-decimals, with one
  // place in front for a carry; digits beyond the significant ones are zeros.
  const int keep = exponent + 1 + decimals;
  std::string digits = "0";
  for (int k = 0; k < keep; ++k) digits += k < kSignificant ? mantissa[k] : '0';
  const bool roundUp = keep >= 0 && keep < kSignificant && mantissa[keep] >= '5';
  if (roundUp) {
    std::size_t i = digits.size() - 1;
    while (digits[i] == '9') digits[i--] = '0';
    ++digits[i];
  }
  // digits now holds round(|value| * 10^decimals); split it into its two parts.
  if (digits.size() < static_cast<std::size_t>(decimals) + 1) {
    digits.insert(0, decimals + 1 - digits.size(), '0');
  }
  Digits result;
  result.fraction = digits.substr(digits.size() - decimals);
  result.whole = digits.substr(0, digits.size() - decimals);
  const std::size_t firstNonZero = result.whole.find_first_not_of('0');
  result.whole = firstNonZero == std::string::npos ? "0" : result.whole.substr(firstNonZero);
  result.zero = digits.find_first_not_of('0') == std::string::npos;
  return result;
}

QString build(double value, int width, int decimals, const QLocale& locale, bool grouped) {
  if (!std::isfinite(value)) {
    return QString::number(value).rightJustified(width, QLatin1Char(' '));
  }
  const Digits digits = roundedDigits(value, decimals);
  QString whole = QString::fromLatin1(digits.whole);
  if (grouped) {
    const QString separator = locale.groupSeparator();
    for (qsizetype at = whole.size() - 3; at > 0; at -= 3) whole.insert(at, separator);
  }
  QString text = (value < 0 && !digits.zero) ? QStringLiteral("-") + whole : whole;
  if (decimals > 0) text += locale.decimalPoint() + QString::fromLatin1(digits.fraction);
  return text.rightJustified(width, QLatin1Char(' '));
}

}  // namespace

QString NumberText::Fixed(double value, int width, int decimals, const QLocale& locale) {
  return build(value, width, decimals, locale, false);
}

QString NumberText::Grouped(double value, int width, int decimals, const QLocale& locale) {
  return build(value, width, decimals, locale, true);
}

QString NumberText::Format(const char* format, double value, const QLocale& locale) {
  int width = 0, decimals = 0, length = 0;
  char kind = 0;
  if (std::sscanf(format, "%%%d.%d%c%n", &width, &decimals, &kind, &length) != 3 ||
      format[length] != '\0' || (kind != 'f' && kind != 'n') || decimals < 0 || decimals > 20) {
    throw std::invalid_argument(std::string("NumberText: unsupported format ") + format);
  }
  return build(value, width, decimals, locale, kind == 'n');
}
