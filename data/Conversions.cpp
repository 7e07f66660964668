#include "Conversions.h"

#include <QRegularExpression>
#include <algorithm>

#include "ConversionError.h"
#include "NumberText.h"

namespace {

constexpr int kKeyMax = 60;  // longer than any key of the program's tags

}  // namespace

QString Conversions::PadLeft(int number, int width) {
  return QString::number(number).rightJustified(width, QLatin1Char(' '));
}

std::string Conversions::KeyBuffer(const QString& text) {
  return text.left(kKeyMax).toLatin1().toStdString();
}

QString Conversions::FixedDateFormat(const QLocale& locale) {
  QString format = locale.dateFormat(QLocale::ShortFormat).toUpper();
  for (const QChar letter : {QLatin1Char('M'), QLatin1Char('D'), QLatin1Char('Y')}) {
    const qsizetype single = format.indexOf(letter);
    if (single >= 0 && single != format.indexOf(QString(2, letter))) {
      format.insert(single + 1, letter);
    }
  }
  return format;
}

int Conversions::FindInArray(std::span<const int> list, int number) {
  const auto found = std::find(list.begin(), list.end(), number);
  return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

QString Conversions::ReformatNumber(const QString& text, const char* format,
                                    const QLocale& locale) {
  QString compact = text;
  compact.remove(QLatin1Char(' '));
  QLocale strict = locale;  // digit grouping is no part of what the user types
  strict.setNumberOptions(QLocale::RejectGroupSeparator);
  bool ok = false;
  const double value = strict.toDouble(compact, &ok);
  if (!ok) {
    throw ConversionError("'" + compact.toStdString() + "' is not a valid floating point value");
  }
  // A typed "-0" prints without a sign; the minus is put back below.
  QString result = NumberText::Format(format, value, locale);
  if (compact.startsWith(QLatin1Char('-')) && !(value < 0)) {
    const qsizetype firstNonBlank = result.indexOf(QRegularExpression(QStringLiteral("[^ ]")));
    result = (QLatin1Char('-') + result.mid(std::max<qsizetype>(firstNonBlank, 0)))
                 .rightJustified(text.size(), QLatin1Char(' '));
  }
  return result;
}
