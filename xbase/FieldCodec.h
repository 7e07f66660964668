// Text encodings of dBASE field values, shared by records and key expressions.
#pragma once

#include <string>
#include <string_view>

#include "xbase/DbfFile.h"  // formatNumber, public for callers that lay out records

namespace xbase {

// Reads a numeric field's text (blanks around it, an empty field reads as 0).
double parseNumber(std::string_view text);
long long parseInteger(std::string_view text);

// The xBase STR() of a number: right-aligned in width with decimals; asterisks when it
// does not fit.
std::string strFunction(double value, int width, int decimals);

}  // namespace xbase
