#include "MoneyFormat.h"

#include <charconv>
#include <cmath>

namespace {

// A sum that only differs from zero by rounding noise prints as 0.00, not -0.00.
double shownMoney(double value) { return std::abs(value) < 0.005 ? 0.0 : value; }

}  // namespace

MoneyFormat::MoneyFormat(const QLocale& locale) : locale_(locale) {
  locale_.setNumberOptions(locale_.numberOptions() & ~QLocale::OmitGroupSeparator);
  decimalPoint_ = locale_.decimalPoint();
  groupSeparator_ = locale_.groupSeparator();
  negativeSign_ = locale_.negativeSign();
  const double probe = -1234567.891;
  simple_ = locale_.zeroDigit() == QLatin1String("0") &&
            grouped(probe) == locale_.toString(probe, 'f', 2);
}

int MoneyFormat::digits(double value, char* out, int size) {
  // to_chars rounds the double's exact value, as QLocale does, but a value exactly halfway
  // (0.125) to even where QLocale rounds away from zero: such a value is moved off the tie.
  const double thousandths = value * 1000.0;
  if (std::fma(value, 1000.0, -thousandths) == 0.0 && thousandths == std::trunc(thousandths) &&
      std::fmod(std::abs(thousandths), 10.0) == 5.0) {
    value = std::nextafter(value, value < 0 ? -HUGE_VAL : HUGE_VAL);
  }
  const auto result = std::to_chars(out, out + size, value, std::chars_format::fixed, 2);
  return result.ec == std::errc() ? static_cast<int>(result.ptr - out) : 0;
}

QString MoneyFormat::grouped(double value) const {
  char text[400];
  const int length = digits(value, text, sizeof text);
  const bool negative = length > 0 && text[0] == '-';
  const int whole = length - 3 - (negative ? 1 : 0);  // digits before the point
  QString out;
  out.reserve(length + whole / 3 + 2);
  if (negative) out += negativeSign_;
  for (int i = 0; i < whole; ++i) {
    if (i > 0 && (whole - i) % 3 == 0) out += groupSeparator_;
    out += QLatin1Char(text[(negative ? 1 : 0) + i]);
  }
  out += decimalPoint_;
  out += QLatin1String(text + length - 2, 2);
  return out;
}

QString MoneyFormat::operator()(double value) const {
  const double shown = shownMoney(value);
  const QString text = simple_ ? grouped(shown) : locale_.toString(shown, 'f', 2);
  return text.rightJustified(13, QLatin1Char(' '));
}

QString MoneyFormat::Plain(double value) {
  char text[400];
  return QString::fromLatin1(text, digits(shownMoney(value), text, sizeof text));
}
