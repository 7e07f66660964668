// An in-memory FileSystem for tests, with fault injection.
//
// Files live in a map from path to bytes; a handle refers to the file's content itself,
// so remove and rename behave as on POSIX (an open handle keeps its file). Locks are
// tracked per file and conflict like flock. Faults count File::write calls over all
// files, numbered from 1 after the fault is armed:
//   failWritesAfter(n)  writes 1..n succeed, every later one writes nothing and fails
//                       (the disk is full);
//   fillDiskAfter(n)    writes 1..n succeed; after them no file may grow: a later write
//                       or truncation past a file's end does nothing and fails, one
//                       inside the file still succeeds (the disk has filled up);
//   shortWriteAt(n)     write n stores only the first half of its bytes and fails;
//   failReads(true)     every read fails;
//   crashAfter(n)       changes 1..n (writes, truncations, creations, removals,
//                       renames) happen, every later one does nothing and fails, as if
//                       the process had died there.
#pragma once

#include <strings.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "xbase/FileSystem.h"
#include "xbase/Status.h"

namespace xbase::test {

class FaultFileSystem : public FileSystem {
 public:
  // Contents of path; empty when it does not exist.
  std::string bytes(const std::string& path) const {
    auto it = files_.find(path);
    return it == files_.end() ? std::string() : it->second->data;
  }
  // Creates or replaces path with data.
  void setBytes(const std::string& path, std::string data) {
    auto& node = files_[path];
    if (!node) node = std::make_shared<Node>();
    node->data = std::move(data);
  }

  void failWritesAfter(int n) {
    faults_->writes = 0;
    faults_->failAfter = n;
  }
  void fillDiskAfter(int n) {
    faults_->writes = 0;
    faults_->fillAfter = n;
  }
  void shortWriteAt(int n) {
    faults_->writes = 0;
    faults_->shortAt = n;
  }
  void failReads(bool on) { faults_->failReads = on; }
  void crashAfter(int n) {
    faults_->changes = 0;
    faults_->crashAfter = n;
  }
  // Changes made since crashAfter was armed (or since the start).
  int changeCount() const { return faults_->changes; }
  void clearFaults() {
    faults_->crashAfter = -1;
    faults_->failAfter = -1;
    faults_->fillAfter = -1;
    faults_->shortAt = -1;
    faults_->failReads = false;
  }
  // File::write calls since the last fault was armed (or since the start).
  int writeCount() const { return faults_->writes; }
  // File::read calls so far, over all files.
  int readCount() const { return faults_->reads; }
  // File::sync calls on path's file so far.
  int syncCount(const std::string& path) const {
    auto it = files_.find(path);
    return it == files_.end() ? 0 : it->second->syncs;
  }

  // Every file's content, to put back later with restore().
  std::map<std::string, std::string> snapshot() const {
    std::map<std::string, std::string> out;
    for (const auto& [path, node] : files_) out[path] = node->data;
    return out;
  }
  void restore(const std::map<std::string, std::string>& files) {
    files_.clear();
    for (const auto& [path, data] : files) setBytes(path, data);
  }

  std::unique_ptr<File> open(const std::string& path, OpenMode mode, LockMode lock,
                             int* error) override {
    if (mode == OpenMode::Create && !faults_->change()) {
      *error = kErrCreate;
      return nullptr;
    }
    auto it = files_.find(path);
    if (it == files_.end()) {
      if (mode != OpenMode::Create) {
        *error = kErrOpen;
        return nullptr;
      }
      it = files_.emplace(path, std::make_shared<Node>()).first;
    }
    std::shared_ptr<Node> node = it->second;
    if ((lock == LockMode::Exclusive && (node->shared > 0 || node->exclusive)) ||
        (lock == LockMode::Shared && node->exclusive)) {
      *error = kErrLocked;
      return nullptr;
    }
    if (mode == OpenMode::Create) node->data.clear();
    return std::make_unique<MemFile>(node, faults_, lock, mode != OpenMode::ReadOnly);
  }
  bool exists(const std::string& path) override { return files_.count(path) > 0; }
  bool remove(const std::string& path) override {
    return faults_->change() && files_.erase(path) > 0;
  }
  bool rename(const std::string& from, const std::string& to) override {
    if (!faults_->change()) return false;
    auto it = files_.find(from);
    if (it == files_.end()) return false;
    std::shared_ptr<Node> node = it->second;
    files_.erase(it);
    files_[to] = node;
    return true;
  }
  std::string resolve(const std::string& path) override {
    if (files_.count(path)) return path;
    std::size_t slash = path.rfind('/');
    std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    for (const auto& [candidate, node] : files_) {  // sorted: the smallest match wins
      if (candidate.size() == path.size() && candidate.compare(0, nameAt, path, 0, nameAt) == 0 &&
          candidate.find('/', nameAt) == std::string::npos &&
          strcasecmp(candidate.c_str() + nameAt, path.c_str() + nameAt) == 0) {
        return candidate;
      }
    }
    return path;
  }

 private:
  struct Node {
    std::string data;
    int shared = 0;
    bool exclusive = false;
    int syncs = 0;
  };
  struct Faults {
    int writes = 0;
    int reads = 0;
    int failAfter = -1;  // -1: off
    int fillAfter = -1;  // -1: off
    int shortAt = -1;
    bool failReads = false;
    int changes = 0;
    int crashAfter = -1;  // -1: off
    // Whether the disk had filled up by write number.
    bool full(int number) const { return fillAfter >= 0 && number > fillAfter; }
    // Counts a change; false once the simulated process has died.
    bool change() { return ++changes, crashAfter < 0 || changes <= crashAfter; }
  };

  class MemFile : public File {
   public:
    MemFile(std::shared_ptr<Node> node, std::shared_ptr<Faults> faults, LockMode lock,
            bool writable)
        : node_(std::move(node)), faults_(std::move(faults)), lock_(lock), writable_(writable) {
      if (lock_ == LockMode::Shared) ++node_->shared;
      if (lock_ == LockMode::Exclusive) node_->exclusive = true;
    }
    ~MemFile() override {
      if (lock_ == LockMode::Shared) --node_->shared;
      if (lock_ == LockMode::Exclusive) node_->exclusive = false;
    }
    long long read(std::uint64_t offset, void* buf, std::size_t n) override {
      ++faults_->reads;
      if (faults_->failReads) return -1;
      const std::string& d = node_->data;
      if (offset >= d.size()) return 0;
      std::size_t take = std::min<std::size_t>(n, d.size() - offset);
      std::memcpy(buf, d.data() + offset, take);
      return static_cast<long long>(take);
    }
    bool write(std::uint64_t offset, const void* buf, std::size_t n) override {
      if (!writable_ || !faults_->change()) return false;
      int number = ++faults_->writes;
      if (faults_->failAfter >= 0 && number > faults_->failAfter) return false;
      if (faults_->full(number) && offset + n > node_->data.size()) return false;
      bool cut = number == faults_->shortAt;
      std::size_t count = cut ? n / 2 : n;
      std::string& d = node_->data;
      if (d.size() < offset + count) d.resize(offset + count, '\0');
      std::memcpy(d.data() + offset, buf, count);
      return !cut;
    }
    long long size() override { return static_cast<long long>(node_->data.size()); }
    bool truncate(std::uint64_t size) override {
      if (!writable_ || !faults_->change()) return false;
      if (faults_->full(faults_->writes) && size > node_->data.size()) return false;
      node_->data.resize(size, '\0');
      return true;
    }
    bool sync() override {
      ++node_->syncs;
      return true;
    }

   private:
    std::shared_ptr<Node> node_;
    std::shared_ptr<Faults> faults_;
    LockMode lock_;
    bool writable_;
  };

  std::map<std::string, std::shared_ptr<Node>> files_;
  std::shared_ptr<Faults> faults_ = std::make_shared<Faults>();
};

}  // namespace xbase::test
