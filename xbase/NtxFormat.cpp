#include "NtxFormat.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "ByteCoding.h"
#include "xbase/Status.h"

namespace xbase::ntx {

namespace {

std::string readText(const char* p, std::size_t n) {
  const auto* end = static_cast<const char*>(std::memchr(p, 0, n));
  return std::string(p, end ? end : p + n);
}

void writeText(char* p, std::size_t n, const std::string& s) {
  std::memcpy(p, s.data(), std::min(s.size(), n - 1));  // always leaves a NUL
}

}  // namespace

int decodeHeader(const char* page, Header* h) {
  h->signature = readU16(page + kHdrSignature);
  // Clipper writes 3 or 6 in the low byte; anything else is not an .ntx file.
  if ((h->signature & 0xFF) != 3 && (h->signature & 0xFF) != 6) return kErrIndex;
  h->version = readU16(page + kHdrVersion);
  h->root = readU32(page + kHdrRoot);
  h->freeList = readU32(page + kHdrFree);
  h->keyLength = readU16(page + kHdrKeySize);
  h->decimals = readU16(page + kHdrDecimals);
  h->maxItems = readU16(page + kHdrMaxItems);
  h->halfPage = readU16(page + kHdrHalfPage);
  // Key sizes outside 1..250 would make the item arithmetic below meaningless.
  if (h->keyLength < 1 || h->keyLength > kMaxKeyLength) return kErrIndex;
  // The item size must match, or the writer laid out items differently from us.
  if (readU16(page + kHdrItemSize) != h->keyLength + 8) return kErrIndex;
  // At least two items per page (a split must leave a key on each side), and all slots
  // must fit in the page, or decoding a node would read past its end.
  if (h->maxItems < 2 ||
      itemAreaStart(h->maxItems) + static_cast<std::size_t>(h->maxItems + 1) *
                                       static_cast<std::size_t>(h->keyLength + 8) >
          kPageSize) {
    return kErrIndex;
  }
  // Descending order is not supported: walking it ascending would give a wrong order.
  if (page[kHdrDescending] != 0) return kErrIndex;
  h->keyExpression = readText(page + kHdrKeyExpr, kExprSize);
  h->forExpression = readText(page + kHdrForExpr, kExprSize);
  h->tagName = readText(page + kHdrTagName, kTagNameSize);
  h->unique = page[kHdrUnique] != 0;
  return kSuccess;
}

void encodeHeader(const Header& h, char* page) {
  std::memset(page, 0, kPageSize);
  writeU16(page + kHdrSignature, h.signature);
  writeU16(page + kHdrVersion, h.version);
  writeU32(page + kHdrRoot, h.root);
  writeU32(page + kHdrFree, h.freeList);
  writeU16(page + kHdrItemSize, static_cast<std::uint16_t>(h.keyLength + 8));
  writeU16(page + kHdrKeySize, static_cast<std::uint16_t>(h.keyLength));
  writeU16(page + kHdrDecimals, static_cast<std::uint16_t>(h.decimals));
  writeU16(page + kHdrMaxItems, static_cast<std::uint16_t>(h.maxItems));
  writeU16(page + kHdrHalfPage, static_cast<std::uint16_t>(h.halfPage));
  writeText(page + kHdrKeyExpr, kExprSize, h.keyExpression);
  page[kHdrUnique] = h.unique ? 1 : 0;
  writeText(page + kHdrForExpr, kExprSize, h.forExpression);
  std::string tag = h.tagName.substr(0, kMaxTagName);
  for (char& c : tag) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  writeText(page + kHdrTagName, kTagNameSize, tag);
}

}  // namespace xbase::ntx
