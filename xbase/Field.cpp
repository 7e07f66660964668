#include <algorithm>
#include <cctype>

#include "FieldCodec.h"
#include "TableImpl.h"
#include "xbase/Status.h"

namespace xbase {

Field::Field(Table* table, int index) : table_(table), index_(index) {}

const FieldDesc& Field::desc() const { return table_->impl_->dbf->fields()[index_]; }
char* Field::bytes() const { return table_->impl_->record.data() + desc().offset; }
int Field::fail(int code) const { return table_->impl_->fail(code); }
void Field::markChanged() const { table_->impl_->changed = true; }

const std::string& Field::name() const { return desc().name; }
char Field::type() const { return desc().type; }
int Field::width() const { return desc().width; }
int Field::decimals() const { return desc().decimals; }
std::uint8_t Field::languageDriver() const { return table_->impl_->dbf->languageDriver(); }

std::string Field::str() const {
  const FieldDesc& d = desc();
  return std::string(bytes(), d.width);
}

std::string_view Field::view() const { return {bytes(), static_cast<std::size_t>(desc().width)}; }

long long Field::asInteger() const { return parseInteger(view()); }
double Field::asDouble() const { return parseNumber(view()); }

bool Field::isTrue() const {
  char c = *bytes();
  return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

int Field::assign(std::string_view text) {
  const FieldDesc& d = desc();
  std::string value(d.width, ' ');
  switch (d.type) {
    case 'N':
    case 'F':
      // Numbers sit right-aligned; cutting digits off would change the value.
      if (static_cast<int>(text.size()) > d.width) return fail(kErrFieldWidth);
      std::copy(text.begin(), text.end(), value.end() - text.size());
      break;
    case 'L':
      if (!text.empty())
        value[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
      break;
    default:
      std::copy_n(text.begin(), std::min<size_t>(text.size(), d.width), value.begin());
  }
  std::copy(value.begin(), value.end(), bytes());
  markChanged();
  return kSuccess;
}

bool Field::fits(double value) const {
  const FieldDesc& d = desc();
  std::string scratch(d.width, ' ');
  return formatNumber(value, d.width, d.decimals, scratch.data());
}

int Field::assignDouble(double value) {
  const FieldDesc& d = desc();
  std::string text(d.width, ' ');
  if (!formatNumber(value, d.width, d.decimals, text.data())) return fail(kErrFieldWidth);
  std::copy(text.begin(), text.end(), bytes());
  markChanged();
  return kSuccess;
}

int Field::assignInteger(long long value) { return assignDouble(static_cast<double>(value)); }

}  // namespace xbase
