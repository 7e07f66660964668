#include "xbase/Engine.h"

#include <algorithm>
#include <cctype>

#include "IndexGroup.h"
#include "TableImpl.h"
#include "xbase/Status.h"

namespace xbase {
namespace {

bool hasExtension(const std::string& name, const std::string& ext) {
  if (name.size() < ext.size()) return false;
  return std::equal(
      ext.begin(), ext.end(), name.end() - ext.size(),
      [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
}

}  // namespace

Engine::Engine(FileSystem& fs, std::string directory) : fs_(fs), directory_(std::move(directory)) {}

Engine::~Engine() { closeAll(); }

std::string Engine::pathOf(const std::string& fileName) {
  return fs_.resolve(directory_.empty() ? fileName : directory_ + "/" + fileName);
}

int Engine::takeError() {
  int code = error_;
  error_ = 0;
  errorFile_.clear();
  return code;
}

int Engine::setError(int code, const std::string& file) {
  if (code < 0 && error_ >= 0) {
    error_ = code;
    errorFile_ = file;
  }
  return code;
}

Table* Engine::open(const std::string& name) {
  std::unique_ptr<Table> table(new Table(*this));
  Table::Impl& t = *table->impl_;
  t.name = name;
  std::string base = hasExtension(name, ".dbf") ? name.substr(0, name.size() - 4) : name;
  t.dbfPath = pathOf(base + ".dbf");
  int rc = kSuccess;
  auto file = fs_.open(t.dbfPath, OpenMode::ReadWrite, t.lockMode(), &rc);
  if (!file) {
    setError(rc < 0 ? rc : kErrOpen, t.dbfPath);
    return nullptr;
  }
  t.dbf = DbfFile::open(std::move(file), &rc);
  if (!t.dbf) {
    setError(rc < 0 ? rc : kErrData, t.dbfPath);
    return nullptr;
  }
  for (int i = 0; i < static_cast<int>(t.dbf->fields().size()); ++i)
    t.fields.emplace_back(new Field(table.get(), i));
  t.record.assign(t.dbf->recordLength(), ' ');
  t.dbf->blankRecord(t.record.data());
  t.stored = t.record;

  // A table without a group file simply has no tags; a group that lists a tag we cannot
  // open or read makes the whole open fail, so the caller never works with stale order.
  std::string groupPath = pathOf(base + ".cgp");
  if (autoOpen && fs_.exists(groupPath)) {
    std::vector<std::string> tagNames;
    if ((rc = readIndexGroup(fs_, groupPath, &tagNames)) < 0) {
      setError(rc, groupPath);
      return nullptr;
    }
    for (const auto& tagName : tagNames) {
      std::unique_ptr<Tag> tag;
      if ((rc = t.openTag(tagName, &tag)) < 0) {
        setError(rc, pathOf(tagName + ".ntx"));
        return nullptr;
      }
      t.tags.push_back(std::move(tag));
    }
  }
  open_.push_back(std::move(table));
  return open_.back().get();
}

int Engine::close(Table* table) {
  auto it = std::find_if(open_.begin(), open_.end(),
                         [&](const std::unique_ptr<Table>& t) { return t.get() == table; });
  if (it == open_.end()) return setError(kErrClosed);
  int rc = (*it)->flush();
  if ((*it)->impl_->wrote) {
    for (auto& path : (*it)->impl_->filePaths()) unsynced_.push_back(std::move(path));
  }
  open_.erase(it);
  return rc;
}

int Engine::closeAll() {
  int first = kSuccess;
  for (auto& table : open_) {
    int rc = table->flush();
    if (first == kSuccess && rc < 0) first = rc;
    if (!table->impl_->wrote) continue;  // still owed a sync if written before a reopen
    if (!table->impl_->syncFiles() && first == kSuccess) first = kErrWrite;
    // A sync covers what every descriptor of the file wrote.
    for (const auto& path : table->impl_->filePaths()) std::erase(unsynced_, path);
  }
  open_.clear();
  // Tables closed on their own earlier (and not open now) are synced through a fresh
  // descriptor.
  std::sort(unsynced_.begin(), unsynced_.end());
  unsynced_.erase(std::unique(unsynced_.begin(), unsynced_.end()), unsynced_.end());
  for (const auto& path : unsynced_) {
    int rc = kSuccess;
    auto file = fs_.open(path, OpenMode::ReadOnly, LockMode::None, &rc);
    // A file gone since (a pack's replaced tag) has nothing left to save.
    if (file && !file->sync() && first == kSuccess) first = kErrWrite;
  }
  unsynced_.clear();
  return first;
}

}  // namespace xbase
