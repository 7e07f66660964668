#include "xbase/Table.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

#include "TableImpl.h"
#include "xbase/Status.h"

namespace xbase {
namespace {

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::toupper(x) == std::toupper(y);
         });
}

}  // namespace

// ---- Tag ----

Tag::Tag() = default;
Tag::~Tag() = default;
const std::string& Tag::name() const { return name_; }
const std::string& Tag::expression() const { return index_->info().keyExpression; }
const std::string& Tag::filter() const { return index_->info().forExpression; }
int Tag::keyLength() const { return index_->keyLength(); }

// ---- Table::Impl ----

void Table::Impl::setEof() {
  recno = static_cast<long>(dbf->recordCount()) + 1;
  dbf->blankRecord(record.data());
  stored = record;
  changed = false;
  cursorSynced = false;
}

int Table::Impl::load(long n) {
  int rc = flush();
  if (rc < 0) return rc;
  rc = dbf->readRecord(static_cast<std::uint32_t>(n), stored.data());
  if (rc < 0) return fail(rc);
  record = stored;
  recno = n;
  changed = false;
  cursorSynced = false;
  return kSuccess;
}

std::string Table::Impl::keyOf(const Tag& tag, const char* rec) {
  std::string key(tag.key_->length(), ' ');
  tag.key_->evaluate(rec, key.data());
  return key;
}

bool Table::Impl::inTag(const Tag& tag, const char* rec) {
  return !tag.filter_ || tag.filter_->isTrue(rec);
}

int Table::Impl::flush() {
  if (!changed) return kSuccess;
  if (!onRecord()) {  // nothing to write at end of file
    changed = false;
    return kSuccess;
  }
  auto n = static_cast<std::uint32_t>(recno);
  wrote = true;
  if (!touched) {
    int rc = dbf->touch();
    if (rc < 0) return fail(rc);
    touched = true;
  }
  if (appending) return flushAppended(n);
  int rc = dbf->writeRecord(n, record.data());
  if (rc < 0) return fail(rc);
  for (auto& tag : tags) {
    bool wasIn = inTag(*tag, stored.data());
    bool isIn = inTag(*tag, record.data());
    std::string oldKey = keyOf(*tag, stored.data());
    std::string newKey = keyOf(*tag, record.data());
    if (wasIn == isIn && (!isIn || oldKey == newKey)) continue;
    if (wasIn && (rc = tag->index_->remove(oldKey.data(), n)) < 0) return fail(rc, tag->fileName_);
    if (isIn && (rc = tag->index_->insert(newKey.data(), n)) < 0) return fail(rc, tag->fileName_);
  }
  stored = record;
  changed = false;
  cursorSynced = false;
  return kSuccess;
}

int Table::Impl::flushAppended(std::uint32_t n) {
  // The keys go in first, while the record is still uncounted: a failure takes them back
  // and leaves the table and its tags as they were. Then the record is counted.
  std::size_t keyed = 0;  // tags before this one hold the record's key
  int rc = kSuccess;
  for (; keyed < tags.size(); ++keyed) {
    const Tag& tag = *tags[keyed];
    if (inTag(tag, record.data()) &&
        (rc = tag.index_->insert(keyOf(tag, record.data()).data(), n)) < 0) {
      break;
    }
  }
  if (rc >= 0) rc = dbf->appendRecord(record.data(), &n);
  if (rc < 0) {
    for (std::size_t i = 0; i < keyed; ++i) {
      const Tag& tag = *tags[i];
      if (inTag(tag, record.data())) tag.index_->remove(keyOf(tag, record.data()).data(), n);
    }
    // Nor is the staged record left behind the count (a failed count write cut it already).
    if (keyed < tags.size()) dbf->truncateTo(dbf->recordCount());
    return fail(rc, keyed < tags.size() ? tags[keyed]->fileName_ : dbfPath);
  }
  appending = false;
  stored = record;
  changed = false;
  cursorSynced = false;
  return kSuccess;
}

void Table::Impl::readAhead() {
  // A page's entries name records anywhere in the table; asking for them all at once lets
  // the memory fetch them side by side instead of one after the other.
  if (!cursor.atPageStart()) return;
  std::array<std::uint32_t, 128> upcoming{};
  const int n = selected->index_->pageRecnos(cursor, upcoming.data(), upcoming.size());
  for (int i = 0; i < n; ++i) dbf->prefetch(upcoming[i]);
}

int Table::Impl::syncCursor(bool* onEntry) {
  *onEntry = false;
  std::string key = keyOf(*selected, stored.data());
  int rc = selected->index_->seekEntry(cursor, key.data(), static_cast<std::uint32_t>(recno));
  if (rc < 0) return fail(rc);
  *onEntry = rc == kSuccess && cursor.recno() == static_cast<std::uint32_t>(recno);
  cursorSynced = true;
  return rc;
}

std::vector<std::string> Table::Impl::filePaths() const {
  std::vector<std::string> paths = {dbfPath};
  for (const auto& tag : tags) paths.push_back(tag->fileName_);
  return paths;
}

bool Table::Impl::syncFiles() {
  bool ok = dbf->file().sync();
  for (auto& tag : tags) ok = tag->index_->sync() && ok;
  return ok;
}

// ---- Table ----

Table::Table(Engine& engine) : impl_(std::make_unique<Impl>(engine)) {}
Table::~Table() { impl_->flush(); }

const std::string& Table::name() const { return impl_->name; }
int Table::fieldCount() const { return static_cast<int>(impl_->fields.size()); }

Field* Table::field(int index) {
  return index >= 0 && index < fieldCount() ? impl_->fields[index].get() : nullptr;
}

Field* Table::field(std::string_view name) {
  int i = impl_->dbf->fieldIndex(name);
  if (i < 0) return nullptr;
  return impl_->fields[i].get();
}

Tag* Table::tag(std::string_view name) {
  for (auto& t : impl_->tags)
    if (sameName(t->name(), name)) return t.get();
  if (impl_->engine.errTagName && !name.empty()) impl_->engine.setError(kErrTagName);
  return nullptr;
}

const std::vector<std::unique_ptr<Tag>>& Table::tags() const { return impl_->tags; }

void Table::selectTag(Tag* tag) {
  impl_->selected = tag;
  impl_->cursorSynced = false;
}

Tag* Table::selectedTag() const { return impl_->selected; }

int Table::top() {
  Impl& t = *impl_;
  int rc = t.flush();
  if (rc < 0) return rc;
  if (!t.selected) {
    if (t.dbf->recordCount() == 0) return t.setEof(), kEof;
    return t.load(1);
  }
  rc = t.selected->index_->first(t.cursor);
  if (rc < 0) return t.fail(rc);
  if (rc == kEof) return t.setEof(), kEof;
  rc = t.loadFromTag(t.cursor.recno());
  t.cursorSynced = rc == kSuccess;
  return rc;
}

int Table::bottom() {
  Impl& t = *impl_;
  int rc = t.flush();
  if (rc < 0) return rc;
  if (!t.selected) {
    if (t.dbf->recordCount() == 0) return t.setEof(), kEof;
    return t.load(t.dbf->recordCount());
  }
  rc = t.selected->index_->last(t.cursor);
  if (rc < 0) return t.fail(rc);
  if (rc == kEof) return t.setEof(), kEof;
  rc = t.loadFromTag(t.cursor.recno());
  t.cursorSynced = rc == kSuccess;
  return rc;
}

int Table::skip(long n) {
  Impl& t = *impl_;
  int rc = t.flush();
  if (rc < 0) return rc;
  if (!t.onRecord()) {
    if (n >= 0) return t.setEof(), kEof;
    // Stepping back from the end lands on the last record.
    rc = bottom();
    if (rc != kSuccess) return rc;
    ++n;
  }
  if (!t.selected) {
    long target = t.recno + n;
    if (target > static_cast<long>(t.dbf->recordCount())) return t.setEof(), kEof;
    if (target < 1) {
      rc = t.load(1);
      return rc < 0 ? rc : kBof;
    }
    return t.load(target);
  }
  NtxIndex& index = *t.selected->index_;
  bool onEntry = true;
  if (!t.cursorSynced && (rc = t.syncCursor(&onEntry)) < 0) return rc;
  if (n > 0 && !onEntry) {
    // The current record left the tag: the cursor already sits on its successor.
    if (rc == kEof) return t.setEof(), kEof;
    --n;
  }
  if (!onEntry && n < 0 && rc == kEof) {
    // Successor is past the end: stepping back starts from the last entry.
    if ((rc = index.last(t.cursor)) < 0) return t.fail(rc);
    if (rc == kEof) return t.setEof(), kEof;
    ++n;
  }
  for (; n > 0; --n) {
    rc = index.next(t.cursor);
    if (rc < 0) return t.fail(rc);
    if (rc == kEof) return t.setEof(), kEof;
  }
  t.readAhead();
  bool bof = false;
  for (; n < 0; ++n) {
    rc = index.prev(t.cursor);
    if (rc < 0) return t.fail(rc);
    if (rc == kEof) {
      bof = true;
      if ((rc = index.first(t.cursor)) < 0) return t.fail(rc);
      if (rc == kEof) return t.setEof(), kEof;
      break;
    }
  }
  rc = t.loadFromTag(t.cursor.recno());
  if (rc < 0) return rc;
  t.cursorSynced = true;
  return bof ? kBof : kSuccess;
}

int Table::go(long recno) {
  Impl& t = *impl_;
  if (recno < 1 || recno > t.recordCount()) {
    int rc = t.flush();
    return rc < 0 ? rc : kErrRecordNo;
  }
  return t.load(recno);
}

int Table::seek(std::string_view key) {
  Impl& t = *impl_;
  int rc = t.flush();
  if (rc < 0) return rc;
  Tag* tag = t.selected ? t.selected : (t.tags.empty() ? nullptr : t.tags.front().get());
  if (!tag) return t.fail(kErrTagName);
  rc = tag->index_->seek(t.cursor, key);
  if (rc < 0) return t.fail(rc);
  if (rc == kEof) return t.setEof(), kEof;
  int loaded = t.loadFromTag(t.cursor.recno());
  if (loaded < 0) return loaded;
  t.cursorSynced = tag == t.selected;
  return rc;
}

long Table::recNo() const { return impl_->recno; }
long Table::recCount() const { return impl_->recordCount(); }
bool Table::deleted() const { return impl_->record[0] == '*'; }

void Table::markDeleted() {
  if (!impl_->onRecord()) return;
  impl_->record[0] = '*';
  impl_->changed = true;
}

void Table::recall() {
  if (!impl_->onRecord()) return;
  impl_->record[0] = ' ';
  impl_->changed = true;
}

int Table::appendBlank() {
  Impl& t = *impl_;
  int rc = t.flush();
  if (rc < 0) return rc;
  std::vector<char> blank(t.record.size());
  t.dbf->blankRecord(blank.data());
  std::uint32_t n = 0;
  t.wrote = true;
  if ((rc = t.dbf->stageAppend(blank.data(), &n)) < 0) return t.fail(rc);
  t.touched = true;
  // Its keys are written once, when it is flushed with its fields filled in.
  t.record = t.stored = blank;
  t.recno = static_cast<long>(n);
  t.appending = t.changed = true;  // flushing counts the record, even left blank
  t.cursorSynced = false;
  return kSuccess;
}

int Table::refresh() {
  Impl& t = *impl_;
  if (t.appending) {  // nothing of it is on disk to re-read but the blank record
    t.record = t.stored;
    return kSuccess;
  }
  t.changed = false;
  if (!t.onRecord()) return kSuccess;
  return t.load(t.recno);
}

int Table::flush() { return impl_->flush(); }

}  // namespace xbase
