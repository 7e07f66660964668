// Compiled key and filter expressions of index tags.
//
// The dialect: field names in any case; STR(n, w[, d]); DTOS(d); UPPER(c); string
// literals; "+" concatenating character values; DELETED(); .NOT., .AND., .OR. and
// parentheses for filters. A field alone keys as its stored text (a numeric field thus
// right-aligned to its width, a date as yyyymmdd).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "xbase/DbfFile.h"

namespace xbase {

class KeyExpression {
 public:
  enum class Type { Character, Numeric, Date, Logical };

  // Compiles text against the fields of a table. Returns nullptr and sets *error to
  // kErrExpression when the text is not in the dialect or names an unknown field.
  static std::unique_ptr<KeyExpression> compile(const std::string& text,
                                                const std::vector<FieldDesc>& fields, int* error);
  virtual ~KeyExpression() = default;

  virtual Type type() const = 0;
  // Bytes written by evaluate() (the key length of a tag).
  virtual int length() const = 0;
  // REQUIRES: record is a whole record of the table compiled against (byte 0 the deletion
  // flag). Writes length() bytes of the key text to out.
  virtual void evaluate(const char* record, char* out) const = 0;
  // REQUIRES: type() == Logical.
  virtual bool isTrue(const char* record) const = 0;
};

}  // namespace xbase
