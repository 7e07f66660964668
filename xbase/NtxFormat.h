// Byte layout of a Clipper .ntx index file (described in FORMAT.md). All integers are
// little-endian; the file is a sequence of 1024-byte pages, page 0 being the header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace xbase::ntx {

constexpr std::size_t kPageSize = 1024;
constexpr std::uint16_t kSignature = 6;  // Clipper 5.x; Clipper Summer '87 wrote 3
constexpr int kMaxKeyLength = 250;
constexpr int kMaxDepth = 32;  // deeper than any sound tree of 2^32 entries: damage

// Header field offsets.
constexpr std::size_t kHdrSignature = 0;
constexpr std::size_t kHdrVersion = 2;
constexpr std::size_t kHdrRoot = 4;
constexpr std::size_t kHdrFree = 8;
constexpr std::size_t kHdrItemSize = 12;
constexpr std::size_t kHdrKeySize = 14;
constexpr std::size_t kHdrDecimals = 16;
constexpr std::size_t kHdrMaxItems = 18;
constexpr std::size_t kHdrHalfPage = 20;
constexpr std::size_t kHdrNumericEnd = 22;  // the fields above change as the tree changes
constexpr std::size_t kHdrKeyExpr = 22;
constexpr std::size_t kHdrUnique = 278;
constexpr std::size_t kHdrDescending = 279;
constexpr std::size_t kHdrForExpr = 280;
constexpr std::size_t kHdrTagName = 536;
constexpr std::size_t kExprSize = 256;  // both expressions, NUL-terminated
constexpr std::size_t kTagNameSize = 12;
constexpr std::size_t kMaxTagName = 10;

// Items per node page for a key length: each item costs its 2-byte slot offset plus
// child pointer, record number and key; one slot is kept for the rightmost child. Kept
// even so a split of max+1 keys leaves max/2 on each side of the median.
inline int maxItemsFor(int keyLength) {
  int max = static_cast<int>((kPageSize - 2) / static_cast<std::size_t>(keyLength + 10)) - 1;
  return max % 2 ? max - 1 : max;
}

// Byte offset within a node page where the item slots start (after count and offsets).
inline std::size_t itemAreaStart(int maxItems) {
  return 2 + 2 * static_cast<std::size_t>(maxItems + 1);
}

// The numeric and text fields of the header page.
struct Header {
  std::uint16_t signature = kSignature;
  std::uint16_t version = 1;
  std::uint32_t root = 0;
  std::uint32_t freeList = 0;  // first unused page; each links the next in its first 4 bytes
  int keyLength = 0;
  int decimals = 0;
  int maxItems = 0;
  int halfPage = 0;
  std::string keyExpression;
  std::string forExpression;
  std::string tagName;
  bool unique = false;
};

// Decodes a header page, checking everything that does not depend on the file size.
// Returns kSuccess or kErrIndex.
int decodeHeader(const char* page, Header* h);
// Writes a complete header page. REQUIRES: page has kPageSize bytes.
void encodeHeader(const Header& h, char* page);

}  // namespace xbase::ntx
