// Lists of texts stored back to back in UTF-8, each text behind its length, in blocks of
// a megabyte: a report of millions of lines costs a little more than its characters,
// where a list of strings per line would cost several allocations each.
#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class PackedTexts {
 public:
  void Append(const QStringList& texts);
  QStringList At(std::size_t index) const;
  std::size_t Size() const { return starts_.size(); }
  void Clear();

 private:
  static constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
  // Where a list starts: block in the high bits, offset in the block in the low 32.
  std::vector<std::uint64_t> starts_;
  std::vector<std::string> blocks_;
  std::string scratch_;  // the list being packed, kept for its room
};
