// Text to a whole number as the windows read their fields and list items: surrounding
// blanks allowed, anything else that is no whole number is a conversion error.
#pragma once

#include <QString>

#include "ConversionError.h"

// Throws ConversionError ("'x' is not a valid integer value") when text is no whole number.
inline int StrToInt(const QString& text) {
  bool ok = false;
  const int number = text.trimmed().toInt(&ok);
  if (!ok) {
    throw ConversionError("'" + text.trimmed().toStdString() + "' is not a valid integer value");
  }
  return number;
}
