// One B-tree node of an .ntx file, decoded from its 1024-byte page. Key i lies between
// the subtrees child[i] and child[i + 1]; a leaf has every child pointer 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace xbase {

class NtxPage {
 public:
  explicit NtxPage(int keyLength) : keyLength_(keyLength), child_(1, 0) {}

  int count() const { return static_cast<int>(recno_.size()); }
  bool leaf() const { return child_[0] == 0; }
  const char* key(int i) const { return keys_.data() + static_cast<std::size_t>(i) * keyLength_; }
  std::uint32_t recno(int i) const { return recno_[i]; }
  std::uint32_t child(int i) const { return child_[i]; }
  void setChild(int i, std::uint32_t page) { child_[i] = page; }

  // Puts (key, recno) at position i, shifting later entries right, and the subtree
  // `right` just after it (at child i + 1).
  void insert(int i, const char* key, std::uint32_t recno, std::uint32_t right);
  // Puts (key, recno) at position i with the subtree `left` just before it (at child i).
  void insertWithLeft(int i, const char* key, std::uint32_t recno, std::uint32_t left);
  // Removes entry i and the subtree after it (child i + 1), or before it (child i).
  void erase(int i);
  void eraseWithLeft(int i);
  void replace(int i, const char* key, std::uint32_t recno);
  // Splits around entry m: the entries after it, with their subtrees, move into `right`
  // (REQUIRES: empty), entry m itself is taken out into *key and *recno, the rest stays.
  void split(int m, NtxPage& right, std::string* key, std::uint32_t* recno);
  // Appends (key, recno) and then all of `from`'s entries and subtrees.
  void merge(const char* key, std::uint32_t recno, const NtxPage& from);
  void clear();

  // Decodes a node page, checking that it can be walked safely: count <= maxItems, every
  // used slot offset inside the item area, child pointers all 0 (a leaf) or all valid
  // page offsets below fileSize. Returns kSuccess or kErrIndex.
  int decode(const char* raw, int maxItems, std::uint64_t fileSize);
  // Writes the node as a full page with slots in order. REQUIRES: count() <= maxItems.
  void encode(int maxItems, char* raw) const;

 private:
  int keyLength_;
  std::vector<std::uint32_t> child_;  // count() + 1 entries
  std::vector<std::uint32_t> recno_;
  std::string keys_;
};

// True when off can be the offset of a node page in a file of fileSize bytes.
bool ntxPageOffsetValid(std::uint64_t off, std::uint64_t fileSize);

}  // namespace xbase
