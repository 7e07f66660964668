// Whole-table operations: index creation, pack and zap.
#include <algorithm>
#include <cctype>

#include "IndexGroup.h"
#include "KeyExpression.h"
#include "NtxIndex.h"
#include "NtxKeySorter.h"
#include "RecordRuns.h"
#include "TableImpl.h"
#include "xbase/Status.h"

namespace xbase {
namespace {

bool sameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::toupper(x) == std::toupper(y);
         });
}

// One pass over source, in runs of records, giving each tag's sorter the keys of the
// records its filter admits.
int collectKeys(DbfFile& source, const std::vector<const KeyExpression*>& keyExprs,
                const std::vector<const KeyExpression*>& filters,
                std::vector<std::unique_ptr<NtxKeySorter>>& sorters) {
  std::vector<std::string> keys;
  for (const KeyExpression* key : keyExprs) keys.emplace_back(key->length(), ' ');
  int failed = kSuccess;  // a run that could not be written
  const int rc = forEachRecord(source, [&](std::uint32_t recno, const char* rec) {
    for (std::size_t i = 0; i < sorters.size() && failed == kSuccess; ++i) {
      if (filters[i] && !filters[i]->isTrue(rec)) continue;
      keyExprs[i]->evaluate(rec, keys[i].data());
      failed = sorters[i]->add(keys[i].data(), recno);
    }
  });
  if (rc < 0) return rc;
  if (failed < 0) return failed;
  for (auto& sorter : sorters) {
    if (const int finished = sorter->finish(); finished < 0) return finished;
  }
  return kSuccess;
}

}  // namespace

int Table::Impl::writeTagFiles(DbfFile& source, const std::vector<const Tag*>& tags,
                               const std::vector<NtxInfo>& infos,
                               const std::vector<std::string>& paths,
                               std::vector<std::unique_ptr<NtxIndex>>* built) {
  std::vector<const KeyExpression*> keyExprs, filters;
  for (const Tag* tag : tags) {
    keyExprs.push_back(tag->key_.get());
    filters.push_back(tag->filter_.get());
  }
  // Each tag's keys are sorted through runs written beside its file when they outgrow
  // the sorter's memory, so a build's memory is the same whatever the table's size.
  std::vector<std::unique_ptr<NtxKeySorter>> sorters;
  for (std::size_t i = 0; i < tags.size(); ++i) {
    sorters.push_back(
        std::make_unique<NtxKeySorter>(keyExprs[i]->length(), &engine.fs(), paths[i] + ".run"));
  }
  if (int rc = collectKeys(source, keyExprs, filters, sorters); rc < 0) return rc;
  built->clear();
  int rc = kSuccess;
  for (size_t i = 0; i < tags.size(); ++i) {
    auto file = engine.fs().open(paths[i], OpenMode::Create, lockMode(), &rc);
    if (!file) return fail(rc < 0 ? rc : kErrCreate, paths[i]);
    auto index = NtxIndex::build(std::move(file), infos[i], *sorters[i], &rc);
    if (!index) return fail(rc < 0 ? rc : kErrWrite, paths[i]);
    built->push_back(std::move(index));
  }
  return kSuccess;
}

int Table::Impl::openTag(const std::string& tagName, std::unique_ptr<Tag>* out) {
  std::string path = engine.pathOf(tagName + ".ntx");
  int rc = kSuccess;
  auto file = engine.fs().open(path, OpenMode::ReadWrite, lockMode(), &rc);
  if (!file) return rc < 0 ? rc : kErrOpen;
  auto index = NtxIndex::open(std::move(file), &rc);
  if (!index) return rc < 0 ? rc : kErrIndex;
  std::unique_ptr<Tag> tag(new Tag());
  tag->name_ = tagName;
  tag->fileName_ = path;
  tag->key_ = KeyExpression::compile(index->info().keyExpression, dbf->fields(), &rc);
  // A key that evaluates to another length than the file's keys means the index does not
  // belong to this table: walking it would misread every entry.
  if (!tag->key_ || tag->key_->length() != index->keyLength()) return kErrIndex;
  if (!index->info().forExpression.empty()) {
    tag->filter_ = KeyExpression::compile(index->info().forExpression, dbf->fields(), &rc);
    if (!tag->filter_ || tag->filter_->type() != KeyExpression::Type::Logical) return kErrIndex;
  }
  tag->index_ = std::move(index);
  *out = std::move(tag);
  return kSuccess;
}

int Table::createIndexGroup(const std::string& groupName, const std::vector<TagSpec>& definitions) {
  Impl& t = *impl_;
  int rc = t.flush();
  if (rc < 0) return rc;
  t.wrote = true;
  // Compile everything before touching a file, so a bad expression writes nothing.
  std::vector<std::unique_ptr<Tag>> created;
  std::vector<const Tag*> targets;
  std::vector<NtxInfo> infos;
  std::vector<std::string> paths, names;
  for (const TagSpec& definition : definitions) {
    std::unique_ptr<Tag> tag(new Tag());
    tag->name_ = definition.name;
    tag->key_ = KeyExpression::compile(definition.expression, t.dbf->fields(), &rc);
    if (!tag->key_ || tag->key_->type() == KeyExpression::Type::Logical)
      return t.fail(kErrExpression);
    if (!definition.filter.empty()) {
      tag->filter_ = KeyExpression::compile(definition.filter, t.dbf->fields(), &rc);
      if (!tag->filter_ || tag->filter_->type() != KeyExpression::Type::Logical)
        return t.fail(kErrExpression);
    }
    tag->fileName_ = t.engine.pathOf(definition.name + ".ntx");
    NtxInfo info;
    info.keyExpression = definition.expression;
    info.forExpression = definition.filter;
    info.tagName = definition.name;
    info.keyLength = tag->key_->length();
    infos.push_back(info);
    paths.push_back(tag->fileName_);
    names.push_back(definition.name);
    targets.push_back(tag.get());
    created.push_back(std::move(tag));
  }
  std::string groupPath = t.engine.pathOf(groupName + ".cgp");
  if (t.engine.safety) {
    bool exists = t.engine.fs().exists(groupPath);
    for (const auto& p : paths) exists = exists || t.engine.fs().exists(p);
    if (exists) return t.fail(kErrCreate);
  }
  // Tags being replaced let go of their files (and locks) before those are rewritten.
  std::erase_if(t.tags, [&](const std::unique_ptr<Tag>& old) {
    bool replaced = std::any_of(names.begin(), names.end(),
                                [&](const std::string& n) { return sameName(n, old->name()); });
    if (replaced && t.selected == old.get()) t.selected = nullptr;
    return replaced;
  });
  std::vector<std::unique_ptr<NtxIndex>> built;
  if ((rc = t.writeTagFiles(*t.dbf, targets, infos, paths, &built)) < 0) return t.fail(rc);
  if ((rc = writeIndexGroup(t.engine.fs(), groupPath, names)) < 0) return t.fail(rc);
  for (size_t i = 0; i < created.size(); ++i) {
    created[i]->index_ = std::move(built[i]);
    t.tags.push_back(std::move(created[i]));
  }
  t.cursorSynced = false;
  return kSuccess;
}

int Table::pack() {
  Impl& t = *impl_;
  int rc = t.flush();
  if (rc < 0) return rc;
  t.wrote = true;
  FileSystem& fs = t.engine.fs();
  const std::string tmpSuffix = ".pack";
  std::vector<std::string> tmpPaths = {t.dbfPath + tmpSuffix};
  auto discardTemps = [&] {
    for (const auto& p : tmpPaths) fs.remove(p);
  };

  // 1. The surviving records go into a new table beside the old one.
  auto newFile = fs.open(tmpPaths[0], OpenMode::Create, t.lockMode(), &rc);
  if (!newFile) return t.fail(rc < 0 ? rc : kErrCreate);
  auto packed = DbfFile::createLike(std::move(newFile), *t.dbf, &rc);
  if (!packed) return discardTemps(), t.fail(rc < 0 ? rc : kErrWrite);
  // Survivors are copied in batches so a large table takes few writes.
  const std::uint32_t kBatch = 4096;
  const std::size_t length = static_cast<std::size_t>(t.dbf->recordLength());
  std::vector<char> batch(kBatch * length);
  std::uint32_t inBatch = 0, ignored = 0;
  for (std::uint32_t n = 1; n <= t.dbf->recordCount(); ++n) {
    char* rec = batch.data() + inBatch * length;
    if ((rc = t.dbf->readRecord(n, rec)) < 0) return discardTemps(), t.fail(rc);
    if (rec[0] != '*') ++inBatch;
    bool flushBatch = inBatch == kBatch || (n == t.dbf->recordCount() && inBatch > 0);
    if (flushBatch) {
      if ((rc = packed->appendRecords(batch.data(), inBatch, &ignored)) < 0)
        return discardTemps(), t.fail(rc);
      inBatch = 0;
    }
  }

  // 2. Its indexes, also beside the old ones.
  std::vector<const Tag*> tags;
  std::vector<NtxInfo> infos;
  std::vector<std::string> finalPaths;
  for (auto& tag : t.tags) {
    tags.push_back(tag.get());
    infos.push_back(tag->index_->info());
    finalPaths.push_back(tag->fileName_);
    tmpPaths.push_back(tag->fileName_ + tmpSuffix);
  }
  std::vector<std::string> tagTmpPaths(tmpPaths.begin() + 1, tmpPaths.end());
  std::vector<std::unique_ptr<NtxIndex>> built;
  if ((rc = t.writeTagFiles(*packed, tags, infos, tagTmpPaths, &built)) < 0)
    return discardTemps(), t.fail(rc);
  if (!packed->file().sync()) return discardTemps(), t.fail(kErrWrite);

  // 3. Swap them in. The old indexes go first: should the process die from here on, the
  // table is whole (old or new) and its missing indexes are rebuilt at the next start.
  for (const auto& p : finalPaths) fs.remove(p);
  if (!fs.rename(tmpPaths[0], t.dbfPath)) return t.fail(kErrRename);
  for (size_t i = 0; i < finalPaths.size(); ++i)
    if (!fs.rename(tagTmpPaths[i], finalPaths[i])) return t.fail(kErrRename);

  // The new files stay open through the handles that wrote them.
  t.dbf = std::move(packed);
  for (size_t i = 0; i < t.tags.size(); ++i) t.tags[i]->index_ = std::move(built[i]);
  t.setEof();
  t.recno = 0;
  return kSuccess;
}

int Table::zap(long start, long count) {
  Impl& t = *impl_;
  int rc = t.flush();
  if (rc < 0) return rc;
  t.wrote = true;
  long total = static_cast<long>(t.dbf->recordCount());
  if (start < 1 || start > total || count <= 0) return kSuccess;
  long end = std::min(total, start + count - 1);
  long removed = end - start + 1;
  // Later records move down over the removed ones.
  std::vector<char> rec(t.dbf->recordLength());
  for (long n = end + 1; n <= total; ++n) {
    if ((rc = t.dbf->readRecord(n, rec.data())) < 0) return t.fail(rc);
    if ((rc = t.dbf->writeRecord(n - removed, rec.data())) < 0) return t.fail(rc);
  }
  if ((rc = t.dbf->truncateTo(static_cast<std::uint32_t>(total - removed))) < 0) return t.fail(rc);

  std::vector<const Tag*> tags;
  std::vector<NtxInfo> infos;
  std::vector<std::string> paths;
  for (auto& tag : t.tags) {
    tags.push_back(tag.get());
    infos.push_back(tag->index_->info());
    paths.push_back(tag->fileName_);
    tag->index_.reset();  // let go of the file before it is rewritten
  }
  std::vector<std::unique_ptr<NtxIndex>> built;
  if ((rc = t.writeTagFiles(*t.dbf, tags, infos, paths, &built)) < 0) {
    // Without their files the tags cannot be kept up to date; drop them from this handle.
    t.tags.clear();
    t.selected = nullptr;
    return t.fail(rc);
  }
  for (size_t i = 0; i < t.tags.size(); ++i) t.tags[i]->index_ = std::move(built[i]);
  t.setEof();
  t.recno = 0;
  return kSuccess;
}

}  // namespace xbase
