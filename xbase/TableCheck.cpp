#include "xbase/TableCheck.h"

#include <algorithm>
#include <map>

#include "ByteCoding.h"
#include "DbfFormat.h"
#include "IndexGroup.h"
#include "KeyExpression.h"
#include "NtxIndex.h"
#include "xbase/DbfFile.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"

namespace xbase {
namespace {

// A badly damaged tag could yield a line per record; past this many the rest are counted.
constexpr int kMaxProblemsPerFile = 20;

std::string baseName(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string pathIn(FileSystem& fs, const std::string& directory, const std::string& name) {
  return fs.resolve(directory.empty() ? name : directory + "/" + name);
}

// The numbers of a table header that say where its records lie.
struct Layout {
  std::uint32_t count = 0;
  std::uint64_t headerLength = 0;
  std::uint64_t recordLength = 0;
  std::uint64_t size = 0;
  std::uint64_t end(std::uint64_t n) const { return headerLength + n * recordLength; }
  std::uint64_t wholeRecords() const {
    return size < headerLength ? 0 : (size - headerLength) / recordLength;
  }
};

// Reads the header numbers; kErrData when they cannot describe records.
int readLayout(File& file, Layout* layout) {
  long long size = file.size();
  char h[dbf::kFixedHeaderSize];
  if (size < 0) return kErrRead;
  if (size < static_cast<long long>(sizeof h)) return kErrData;
  if (file.read(0, h, sizeof h) != static_cast<long long>(sizeof h)) return kErrRead;
  layout->size = static_cast<std::uint64_t>(size);
  layout->count = readU32(h + dbf::kCountOffset);
  layout->headerLength = readU16(h + dbf::kHeaderLengthOffset);
  layout->recordLength = readU16(h + dbf::kRecordLengthOffset);
  if (layout->recordLength == 0 || layout->headerLength <= dbf::kFixedHeaderSize ||
      layout->headerLength > layout->size)
    return kErrData;
  return kSuccess;
}

// Whether the bytes after the counted records are nothing or the end-of-file marker.
bool tailIsClean(File& file, const Layout& layout) {
  std::uint64_t end = layout.end(layout.count);
  if (layout.size <= end) return true;
  if (layout.size > end + 1) return false;
  char marker = 0;
  return file.read(end, &marker, 1) == 1 && marker == dbf::kEofMarker;
}

class Checker {
 public:
  explicit Checker(std::vector<TableFinding>* out) : out_(out) {}

  void report(const std::string& file, const std::string& problem) {
    int& n = perFile_[file];
    if (++n <= kMaxProblemsPerFile) out_->push_back({file, problem});
  }
  // Appends a line for each file whose problems were cut short.
  void finish() {
    for (const auto& [file, n] : perFile_)
      if (n > kMaxProblemsPerFile)
        out_->push_back({file, std::to_string(n - kMaxProblemsPerFile) + " more problems"});
  }

 private:
  std::vector<TableFinding>* out_;
  std::map<std::string, int> perFile_;
};

// What every record of the table means to one tag.
struct Expected {
  std::vector<char> belongs;  // per record number (index 0 unused)
  std::vector<std::string> keys;
};

void checkTag(FileSystem& fs, const std::string& directory, const std::string& tagName,
              DbfFile& dbf, const std::vector<std::vector<char>>& records, Checker& check) {
  std::string path = pathIn(fs, directory, tagName + ".ntx");
  std::string file = baseName(path);
  if (!fs.exists(path)) return check.report(file, "tag file missing");
  int rc = kSuccess;
  auto handle = fs.open(path, OpenMode::ReadOnly, LockMode::None, &rc);
  if (!handle) return check.report(file, "tag file cannot be opened");
  auto index = NtxIndex::open(std::move(handle), &rc);
  if (!index) return check.report(file, std::string("unreadable: ") + statusText(rc));
  auto key = KeyExpression::compile(index->info().keyExpression, dbf.fields(), &rc);
  if (!key || key->length() != index->keyLength())
    return check.report(file, "key expression does not fit the table");
  std::unique_ptr<KeyExpression> filter;
  if (!index->info().forExpression.empty()) {
    filter = KeyExpression::compile(index->info().forExpression, dbf.fields(), &rc);
    if (!filter || filter->type() != KeyExpression::Type::Logical)
      return check.report(file, "filter does not fit the table");
  }

  const std::uint32_t count = dbf.recordCount();
  Expected expected;
  expected.belongs.assign(count + 1, 0);
  expected.keys.assign(count + 1, std::string());
  for (std::uint32_t n = 1; n <= count; ++n) {
    const char* rec = records[n].data();
    if (records[n].empty() || (filter && !filter->isTrue(rec))) continue;
    expected.belongs[n] = 1;
    expected.keys[n].assign(key->length(), ' ');
    key->evaluate(rec, expected.keys[n].data());
  }

  std::vector<int> seen(count + 1, 0);
  std::string previousKey;
  std::uint32_t previousRecno = 0;
  std::uint64_t entries = 0;
  NtxCursor cursor;
  for (rc = index->first(cursor); rc == kSuccess; rc = index->next(cursor)) {
    // A damaged page may link back on itself; no sound tag has more entries than records.
    if (++entries > static_cast<std::uint64_t>(count) + 1) {
      check.report(file, "more entries than the table has records");
      break;
    }
    const std::uint32_t recno = cursor.recno();
    const std::string& k = cursor.key();
    if (entries > 1 && (k < previousKey || (k == previousKey && recno <= previousRecno)))
      check.report(file, "keys out of order at record " + std::to_string(recno));
    previousKey = k;
    previousRecno = recno;
    if (recno < 1 || recno > count) {
      check.report(file, "entry for record " + std::to_string(recno) + " beyond the table");
    } else if (!expected.belongs[recno]) {
      check.report(file, "record " + std::to_string(recno) + " does not belong in the tag");
    } else if (k != expected.keys[recno]) {
      check.report(file, "record " + std::to_string(recno) + " has a stale key");
    } else if (++seen[recno] == 2) {
      check.report(file, "record " + std::to_string(recno) + " listed more than once");
    }
  }
  if (rc < 0) check.report(file, std::string("damaged page: ") + statusText(rc));
  for (std::uint32_t n = 1; n <= count; ++n) {
    // A record present under a stale key was reported already.
    if (expected.belongs[n] && seen[n] == 0 && rc >= 0)
      check.report(file, "record " + std::to_string(n) + " missing from the tag");
  }
}

void checkAll(FileSystem& fs, const std::string& directory, const std::string& tableName,
              const std::string& groupName, Checker& check) {
  std::string path = pathIn(fs, directory, tableName + ".dbf");
  std::string file = baseName(path);
  int rc = kSuccess;
  auto handle = fs.open(path, OpenMode::ReadOnly, LockMode::None, &rc);
  if (!handle) return check.report(file, "table file cannot be opened");
  Layout layout;
  if ((rc = readLayout(*handle, &layout)) < 0)
    return check.report(file, std::string("header unreadable: ") + statusText(rc));
  if (layout.wholeRecords() < layout.count) {
    return check.report(file, "header counts " + std::to_string(layout.count) +
                                  " records but the file holds " +
                                  std::to_string(layout.wholeRecords()));
  }
  if (!tailIsClean(*handle, layout)) {
    check.report(file, std::to_string(layout.size - layout.end(layout.count)) + " bytes past the " +
                           std::to_string(layout.count) + " counted records");
  }
  auto dbf = DbfFile::open(std::move(handle), &rc);
  if (!dbf) return check.report(file, std::string("header damaged: ") + statusText(rc));

  // Every record once, kept for the tags; an unreadable one stays empty.
  std::vector<std::vector<char>> records(dbf->recordCount() + 1);
  for (std::uint32_t n = 1; n <= dbf->recordCount(); ++n) {
    records[n].resize(dbf->recordLength());
    if (dbf->readRecord(n, records[n].data()) < 0) {
      records[n].clear();
      check.report(file, "record " + std::to_string(n) + " unreadable");
    }
  }
  if (groupName.empty()) return;
  std::string groupPath = pathIn(fs, directory, groupName + ".cgp");
  if (!fs.exists(groupPath)) return check.report(baseName(groupPath), "index group file missing");
  std::vector<std::string> tagNames;
  if ((rc = readIndexGroup(fs, groupPath, &tagNames)) < 0)
    return check.report(baseName(groupPath), "index group file unreadable");
  for (const std::string& tagName : tagNames)
    checkTag(fs, directory, tagName, *dbf, records, check);
}

// Makes the header count and the file's length agree on the records both hold.
int repairLength(FileSystem& fs, const std::string& path) {
  int rc = kSuccess;
  auto file = fs.open(path, OpenMode::ReadWrite, LockMode::Exclusive, &rc);
  if (!file) return rc < 0 ? rc : kErrOpen;
  Layout layout;
  if ((rc = readLayout(*file, &layout)) < 0) return rc;
  const std::uint64_t whole = layout.wholeRecords();
  if (whole >= layout.count && tailIsClean(*file, layout)) return kSuccess;
  const auto keep = static_cast<std::uint32_t>(std::min<std::uint64_t>(layout.count, whole));
  const std::uint64_t end = layout.end(keep);
  const char marker = dbf::kEofMarker;
  if (!file->truncate(end) || !file->write(end, &marker, 1)) return kErrWrite;
  if (keep != layout.count) {
    unsigned char bytes[4];
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(keep >> (8 * i));
    if (!file->write(dbf::kCountOffset, bytes, sizeof bytes)) return kErrWrite;
  }
  return file->sync() ? kSuccess : kErrWrite;
}

}  // namespace

std::vector<TableFinding> CheckTable(FileSystem& fs, const std::string& directory,
                                     const std::string& tableName, const std::string& groupName) {
  std::vector<TableFinding> findings;
  Checker check(&findings);
  checkAll(fs, directory, tableName, groupName, check);
  check.finish();
  return findings;
}

int RepairTable(FileSystem& fs, const std::string& directory, const std::string& tableName,
                const std::string& groupName, const std::vector<TagSpec>& tags) {
  int rc = repairLength(fs, pathIn(fs, directory, tableName + ".dbf"));
  if (rc < 0 || groupName.empty()) return rc;
  Engine engine(fs, directory);
  engine.autoOpen = false;  // the old tags may be the damaged part
  engine.safety = false;
  engine.exclusive = true;
  Table* table = engine.open(tableName);
  if (table == nullptr) return engine.takeError();
  rc = table->createIndexGroup(groupName, tags);
  int closed = engine.closeAll();
  return rc < 0 ? rc : closed;
}

}  // namespace xbase
