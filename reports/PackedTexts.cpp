#include "PackedTexts.h"

namespace {

void putLength(std::string& out, std::size_t n) {
  do {
    const auto low = static_cast<char>(n & 0x7F);
    n >>= 7;
    out.push_back(static_cast<char>(low | (n != 0 ? 0x80 : 0)));
  } while (n != 0);
}

std::size_t takeLength(const std::string& in, std::size_t& at) {
  std::size_t n = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(in[at++]);
    n |= static_cast<std::size_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) return n;
  }
}

// Appends text's UTF-8 bytes after their length. Most report text is ASCII, whose bytes
// are its characters: it is copied without a conversion buffer.
void putText(std::string& out, const QString& text) {
  const char16_t* chars = reinterpret_cast<const char16_t*>(text.utf16());
  const auto n = static_cast<std::size_t>(text.size());
  if (std::all_of(chars, chars + n, [](char16_t c) { return c < 0x80; })) {
    putLength(out, n);
    for (std::size_t i = 0; i < n; ++i) out.push_back(static_cast<char>(chars[i]));
    return;
  }
  const QByteArray bytes = text.toUtf8();
  putLength(out, static_cast<std::size_t>(bytes.size()));
  out.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

void PackedTexts::Append(const QStringList& texts) {
  std::string& packed = scratch_;
  packed.clear();
  putLength(packed, static_cast<std::size_t>(texts.size()));
  for (const QString& text : texts) putText(packed, text);
  // A list never straddles two blocks; one larger than a block gets a block of its own.
  if (blocks_.empty() || blocks_.back().size() + packed.size() > blocks_.back().capacity()) {
    blocks_.emplace_back().reserve(std::max(kBlockBytes, packed.size()));
  }
  std::string& block = blocks_.back();
  starts_.push_back(static_cast<std::uint64_t>(blocks_.size() - 1) << 32 | block.size());
  block += packed;
}

QStringList PackedTexts::At(std::size_t index) const {
  const std::string& block = blocks_[starts_[index] >> 32];
  std::size_t at = starts_[index] & 0xFFFFFFFFu;
  QStringList texts;
  const std::size_t count = takeLength(block, at);
  texts.reserve(static_cast<qsizetype>(count));
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t n = takeLength(block, at);
    texts.append(QString::fromUtf8(block.data() + at, static_cast<qsizetype>(n)));
    at += n;
  }
  return texts;
}

void PackedTexts::Clear() {
  starts_ = {};
  blocks_ = {};
}
