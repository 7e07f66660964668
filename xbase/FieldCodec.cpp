#include "FieldCodec.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>

namespace xbase {
namespace {

// Widths beyond a byte are not dBASE fields; the bound keeps every buffer on the stack.
constexpr int kMaxWidth = 255;
// Significant decimal digits a double carries faithfully; rounding happens on these so
// that 2.675 (stored as 2.67499999...) rounds like the decimal number it stands for.
constexpr int kSignificant = 15;

// Writes the decimal digits of round(magnitude * 10^decimals), half away from zero, to
// digits (no leading zeros, "0" for zero). Returns the digit count, or -1 when the
// integer part alone has more than maxIntDigits digits.
int scaledDigits(double magnitude, int decimals, int maxIntDigits, char* digits) {
  if (magnitude < 1e15 && magnitude == std::floor(magnitude)) {
    // Whole numbers (account numbers, counts) need no rounding: the common fast path.
    char tmp[24] = {};
    auto res = std::to_chars(tmp, tmp + sizeof tmp, static_cast<long long>(magnitude));
    int n = static_cast<int>(res.ptr - tmp);
    if (n > maxIntDigits) return -1;
    if (n == 1 && tmp[0] == '0') {
      digits[0] = '0';
      return 1;
    }
    std::memcpy(digits, tmp, n);
    std::memset(digits + n, '0', decimals);
    return n + decimals;
  }
  char sci[32];  // d.dddddddddddddde+XXX
  std::snprintf(sci, sizeof sci, "%.*e", kSignificant - 1, magnitude);
  char mant[kSignificant];
  mant[0] = sci[0];
  std::memcpy(mant + 1, sci + 2, kSignificant - 1);
  int exp = std::atoi(sci + kSignificant + 2);
  if (exp + 1 > maxIntDigits) return -1;
  // mant[k] has place value 10^(exp - k); keep those down to 10^-decimals.
  int keep = exp + 1 + decimals;
  if (keep <= 0) {
    bool up = keep == 0 && mant[0] >= '5';
    digits[0] = up ? '1' : '0';
    return 1;
  }
  int n = 0;
  digits[n++] = '0';  // room for a carry out of the top digit
  for (int k = 0; k < keep; ++k) digits[n++] = k < kSignificant ? mant[k] : '0';
  if (keep < kSignificant && mant[keep] >= '5') {
    int i = n - 1;
    while (digits[i] == '9') digits[i--] = '0';
    ++digits[i];
  }
  int skip = 0;
  while (skip < n - 1 && digits[skip] == '0') ++skip;
  std::memmove(digits, digits + skip, n - skip);
  return n - skip;
}

}  // namespace

bool formatNumber(double value, int width, int decimals, char* out) {
  if (!std::isfinite(value) || width < 1 || width > kMaxWidth || decimals < 0 ||
      decimals >= width) {
    return false;
  }
  char digits[2 * kMaxWidth + 2];
  int n = scaledDigits(std::fabs(value), decimals, width, digits);
  if (n < 0) return false;
  bool zero = n == 1 && digits[0] == '0';
  bool negative = value < 0 && !zero;  // no "-0.00"
  int intDigits = n > decimals ? n - decimals : 1;
  int length = (negative ? 1 : 0) + intDigits + (decimals > 0 ? 1 + decimals : 0);
  if (length > width) return false;

  char* p = out;
  std::memset(p, ' ', width - length);
  p += width - length;
  if (negative) *p++ = '-';
  if (n > decimals) {
    std::memcpy(p, digits, intDigits);
  } else {
    *p = '0';
  }
  p += intDigits;
  if (decimals > 0) {
    *p++ = '.';
    // Fraction digits: the last `decimals` of the scaled number, zero-padded on the left.
    int have = n > decimals ? decimals : (zero ? 0 : n);
    std::memset(p, '0', decimals - have);
    std::memcpy(p + decimals - have, digits + n - have, have);
  }
  return true;
}

namespace {

// The number at the start of text (after any blanks and a sign) when it has at most 15
// digits, read as an integer and scaled by a power of ten: both are exact, so the quotient
// is the nearest double, as from_chars gives it, at a fraction of the cost. nullopt for
// longer or missing digits.
std::optional<double> parseShortNumber(std::string_view text) {
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  std::size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (negative) ++i;
  std::uint64_t mantissa = 0;
  int digits = 0, decimals = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      if (++digits > 15) return std::nullopt;
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      decimals += point ? 1 : 0;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  const double value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
  return negative ? -value : value;
}

}  // namespace

double parseNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && text[i] == '+') ++i;  // from_chars takes only '-'
  if (const auto value = parseShortNumber(text.substr(i))) return *value;
  double value = 0;
  auto res =
      std::from_chars(text.data() + i, text.data() + text.size(), value, std::chars_format::fixed);
  if (res.ec != std::errc()) return 0;  // blank or junk; out-of-range too
  return value;
}

long long parseInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  constexpr long long kMax = std::numeric_limits<long long>::max();
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    int d = text[i] - '0';
    if (value > (kMax - d) / 10) return negative ? -kMax : kMax;  // saturate, never wrap
    value = value * 10 + d;
  }
  return negative ? -value : value;
}

std::string strFunction(double value, int width, int decimals) {
  if (width < 1) return std::string();
  if (width > kMaxWidth) width = kMaxWidth;
  std::string out(width, '*');
  formatNumber(value, width, decimals, out.data());
  return out;
}

}  // namespace xbase
