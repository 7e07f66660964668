#include <algorithm>
#include <cctype>

#include "FieldCodec.h"
#include "Status.h"
#include "TableImpl.h"

namespace xbase {

Field::Field(Table* table, int index) : table_(table), index_(index) {}

namespace {
const FieldDesc& descOf(Table* t, int index) { return t->impl_->dbf->fields()[index]; }
}  // namespace

const std::string& Field::name() const { return descOf(table_, index_).name; }
char Field::type() const { return descOf(table_, index_).type; }
int Field::width() const { return descOf(table_, index_).width; }
int Field::decimals() const { return descOf(table_, index_).decimals; }

std::string Field::str() const {
  const FieldDesc& d = descOf(table_, index_);
  return std::string(table_->impl_->record.data() + d.offset, d.width);
}

long long Field::asInteger() const { return parseInteger(str()); }
double Field::asDouble() const { return parseNumber(str()); }

bool Field::isTrue() const {
  const FieldDesc& d = descOf(table_, index_);
  char c = table_->impl_->record[d.offset];
  return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

int Field::assign(std::string_view text) {
  const FieldDesc& d = descOf(table_, index_);
  std::string value(d.width, ' ');
  switch (d.type) {
    case 'N':
    case 'F':
      // Numbers sit right-aligned; cutting digits off would change the value.
      if (static_cast<int>(text.size()) > d.width) return table_->impl_->fail(kErrFieldWidth);
      std::copy(text.begin(), text.end(), value.end() - text.size());
      break;
    case 'L':
      if (!text.empty()) value[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
      break;
    default:
      std::copy_n(text.begin(), std::min<size_t>(text.size(), d.width), value.begin());
  }
  std::copy(value.begin(), value.end(), table_->impl_->record.begin() + d.offset);
  table_->impl_->changed = true;
  return kSuccess;
}

bool Field::fits(double value) const {
  const FieldDesc& d = descOf(table_, index_);
  std::string scratch(d.width, ' ');
  return formatNumber(value, d.width, d.decimals, scratch.data());
}

int Field::assignDouble(double value) {
  const FieldDesc& d = descOf(table_, index_);
  std::string text(d.width, ' ');
  if (!formatNumber(value, d.width, d.decimals, text.data()))
    return table_->impl_->fail(kErrFieldWidth);
  std::copy(text.begin(), text.end(), table_->impl_->record.begin() + d.offset);
  table_->impl_->changed = true;
  return kSuccess;
}

int Field::assignInteger(long long value) { return assignDouble(static_cast<double>(value)); }

}  // namespace xbase
