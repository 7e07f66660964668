// Insertion and removal: classic B-tree changes, collected in the page store's working
// set and written together, so a damaged page met on the way leaves the file untouched.
#include "NtxIndexImpl.h"

namespace xbase {

int NtxIndex::Impl::insert(const char* key, std::uint32_t recno) {
  Path path;
  if (int rc = descendToEntry(key, recno, &path); rc != kSuccess) return rc;
  // The pair must not be there yet (entries are unique as pairs).
  int rc = kSuccess;
  const int level = settledLevel(path, &rc);
  if (level >= 0) {
    std::shared_ptr<const NtxPage> page;
    if ((rc = store.read(path[level].first, &page)) != kSuccess) return rc;
    if (compare(*page, path[level].second, key, recno) == 0) return kErrIndex;
  } else if (rc != kEof) {
    return rc;
  }

  const int max = store.maxItems();
  NtxPage* page = nullptr;
  if ((rc = store.edit(path.back().first, &page)) != kSuccess) return rc;
  page->insert(path.back().second, key, recno, 0);
  // Split full pages upwards: the median entry moves into the parent, between the page
  // and its new right sibling; a split root gets a new root above it.
  for (int l = static_cast<int>(path.size()) - 1; page->count() > max; --l) {
    std::uint32_t rightOff = 0;
    NtxPage* right = nullptr;
    if ((rc = store.allocate(&rightOff, &right)) != kSuccess) break;
    std::string median;
    std::uint32_t medianRecno = 0;
    page->split(max / 2, *right, &median, &medianRecno);
    if (l == 0) {
      std::uint32_t rootOff = 0;
      if ((rc = store.allocate(&rootOff, &page)) != kSuccess) break;
      page->setChild(0, path[0].first);
      page->insert(0, median.data(), medianRecno, rightOff);
      store.setRoot(rootOff);
      break;
    }
    if ((rc = store.edit(path[l - 1].first, &page)) != kSuccess) break;
    page->insert(path[l - 1].second, median.data(), medianRecno, rightOff);
  }
  if (rc != kSuccess) {
    store.discard();
    return rc;
  }
  ++version;
  return store.commit();
}

int NtxIndex::Impl::remove(const char* key, std::uint32_t recno) {
  Path path;
  if (int rc = descendToEntry(key, recno, &path); rc != kSuccess) return rc;
  int rc = kSuccess;
  const int level = settledLevel(path, &rc);
  if (level < 0) return rc == kEof ? kErrIndex : rc;
  NtxPage* page = nullptr;
  if ((rc = store.edit(path[level].first, &page)) != kSuccess) return rc;
  const int at = path[level].second;
  if (compare(*page, at, key, recno) != 0) {
    store.discard();
    return kErrIndex;  // not in the index
  }
  if (level == static_cast<int>(path.size()) - 1) {
    page->erase(at);
  } else {
    // An entry inside the tree is replaced by its predecessor, the last entry of the
    // leaf the descent ended in (every level below took its last subtree).
    NtxPage* leaf = nullptr;
    if ((rc = store.edit(path.back().first, &leaf)) != kSuccess || leaf->count() == 0) {
      store.discard();
      return rc != kSuccess ? rc : kErrIndex;
    }
    const int last = leaf->count() - 1;
    page->replace(at, leaf->key(last), leaf->recno(last));
    leaf->erase(last);
  }
  if ((rc = rebalance(path)) != kSuccess) {
    store.discard();
    return rc;
  }
  ++version;
  return store.commit();
}

int NtxIndex::Impl::rebalance(const Path& path) {
  const int half = store.maxItems() / 2;
  for (int l = static_cast<int>(path.size()) - 1; l > 0; --l) {
    NtxPage* node = nullptr;
    int rc = store.edit(path[l].first, &node);
    if (rc != kSuccess) return rc;
    if (node->count() >= half) return kSuccess;
    NtxPage* parent = nullptr;
    if ((rc = store.edit(path[l - 1].first, &parent)) != kSuccess) return rc;
    const int ci = path[l - 1].second;
    // Siblings that are also on the path, or of another kind than the node, mean the
    // tree is damaged; changing them would make it worse.
    const std::uint32_t leftOff = ci > 0 ? parent->child(ci - 1) : 0;
    const std::uint32_t rightOff = ci < parent->count() ? parent->child(ci + 1) : 0;
    NtxPage* left = nullptr;
    NtxPage* right = nullptr;
    for (auto [off, sibling] : {std::pair{leftOff, &left}, std::pair{rightOff, &right}}) {
      if (off == 0) continue;
      if (onPath(path, off)) return kErrIndex;
      if ((rc = store.edit(off, sibling)) != kSuccess) return rc;
      if ((*sibling)->leaf() != node->leaf()) return kErrIndex;
    }
    if (left && left->count() > half) {
      // Borrow through the parent: its separator comes down, the left's last goes up.
      const int last = left->count() - 1;
      node->insertWithLeft(0, parent->key(ci - 1), parent->recno(ci - 1), left->child(last + 1));
      parent->replace(ci - 1, left->key(last), left->recno(last));
      left->erase(last);
      return kSuccess;
    }
    if (right && right->count() > half) {
      node->insert(node->count(), parent->key(ci), parent->recno(ci), right->child(0));
      parent->replace(ci, right->key(0), right->recno(0));
      right->eraseWithLeft(0);
      return kSuccess;
    }
    // Both neighbours are at the minimum: merge with one of them around the separator.
    if (left) {
      left->merge(parent->key(ci - 1), parent->recno(ci - 1), *node);
      parent->erase(ci - 1);
      store.release(path[l].first);
    } else if (right) {
      node->merge(parent->key(ci), parent->recno(ci), *right);
      parent->erase(ci);
      store.release(rightOff);
    } else {
      return kErrIndex;  // an inner page without entries below the root
    }
    if (l == 1 && parent->count() == 0) {
      // The root lost its last entry: its only subtree becomes the root.
      store.setRoot(parent->child(0));
      store.release(path[0].first);
      return kSuccess;
    }
  }
  return kSuccess;
}

}  // namespace xbase
