#include "xbase/TableCheck.h"

#include <strings.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <map>
#include <optional>

#include "ByteCoding.h"
#include "DbfFormat.h"
#include "IndexGroup.h"
#include "KeyExpression.h"
#include "NtxIndex.h"
#include "RecordRuns.h"
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

// Whether the bytes after the counted records are nothing or the end-of-file marker.
bool tailIsClean(File& file, const DbfLayout& layout) {
  std::uint64_t end = layout.end(layout.count);
  if (layout.size <= end) return true;
  if (layout.size > end + 1) return false;
  char marker = 0;
  return file.read(end, &marker, 1) == 1 && marker == dbf::kEofMarker;
}

// Why a header cannot be used, for a person deciding what to do about it.
std::string headerProblem(int rc) {
  return rc == kErrData ? "its header length, record length or field list does not fit the "
                          "records, so every record would be read in the wrong place"
                        : statusText(rc);
}

bool hasDeletionFlag(const char* rec) {
  return rec[0] == dbf::kActiveFlag || rec[0] == dbf::kDeletedFlag;
}

// What a field's bytes may hold, by its type; empty for types taken as they are.
// The bytes a field of type may hold, as a table by byte value; nullptr for types whose
// bytes are not checked.
const std::array<bool, 256>* allowedBytes(char type) {
  const auto table = [](const char* bytes) {
    std::array<bool, 256> allowed{};
    for (; *bytes != '\0'; ++bytes) allowed[static_cast<unsigned char>(*bytes)] = true;
    return allowed;
  };
  static const std::array<bool, 256> number = table(" 0123456789.-+");
  static const std::array<bool, 256> date = table(" 0123456789");
  static const std::array<bool, 256> logical = table(" ?TtFfYyNn");
  switch (type) {
    case 'N':
    case 'F':
      return &number;
    case 'D':
      return &date;
    case 'L':
      return &logical;
    default:
      return nullptr;
  }
}

// The first field of rec whose bytes its type does not allow, or nullptr.
const FieldDesc* badField(const std::vector<FieldDesc>& fields, const char* rec) {
  for (const FieldDesc& f : fields) {
    const std::array<bool, 256>* allowed = allowedBytes(f.type);
    if (allowed == nullptr) continue;
    for (int i = 0; i < f.width; ++i) {
      if (!(*allowed)[static_cast<unsigned char>(rec[f.offset + i])]) return &f;
    }
  }
  return nullptr;
}

class Checker {
 public:
  explicit Checker(std::vector<TableFinding>* out) : out_(out) {}

  void report(const std::string& file, const std::string& problem, bool indexMissing = false) {
    int& n = perFile_[file];
    if (++n <= kMaxProblemsPerFile) out_->push_back({file, problem, indexMissing});
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

// A 32-bit fingerprint of a key (FNV-1a), never 0: 0 marks a record the tag should not hold.
std::uint32_t fingerprint(const char* key, std::size_t length) {
  std::uint32_t h = 2166136261u;
  for (std::size_t i = 0; i < length; ++i) h = (h ^ static_cast<unsigned char>(key[i])) * 16777619u;
  return h == 0 ? 1 : h;
}

// One tag of the group, opened for the check, with what the record pass learnt of the
// records it should hold: the fingerprint of each one's current key (0: not in the tag).
// Four bytes per record instead of the records: the tag's entries are then compared
// without reading a record, so records in any order cost no random reads.
struct TagUnderCheck {
  std::string file;
  std::unique_ptr<NtxIndex> index;
  std::unique_ptr<KeyExpression> key;
  std::unique_ptr<KeyExpression> filter;
  std::vector<std::uint32_t> expected;
};

// Opens tagName's file for the check; nullopt (the fault reported) when it cannot be.
std::optional<TagUnderCheck> openTag(FileSystem& fs, const std::string& directory,
                                     const std::string& tagName, const DbfFile& dbf,
                                     Checker& check) {
  TagUnderCheck tag;
  const std::string path = pathIn(fs, directory, tagName + ".ntx");
  tag.file = baseName(path);
  const auto fault = [&](const std::string& problem, bool missing = false) {
    check.report(tag.file, problem, missing);
    return std::nullopt;
  };
  if (!fs.exists(path)) return fault("tag file missing", true);
  int rc = kSuccess;
  auto handle = fs.open(path, OpenMode::ReadOnly, LockMode::None, &rc);
  if (!handle) return fault(std::string("cannot be opened: ") + statusText(rc));
  if (!(tag.index = NtxIndex::open(std::move(handle), &rc)))
    return fault(std::string("unreadable: ") + statusText(rc));
  tag.key = KeyExpression::compile(tag.index->info().keyExpression, dbf.fields(), &rc);
  if (!tag.key || tag.key->length() != tag.index->keyLength())
    return fault("key expression does not fit the table");
  if (!tag.index->info().forExpression.empty()) {
    tag.filter = KeyExpression::compile(tag.index->info().forExpression, dbf.fields(), &rc);
    if (!tag.filter || tag.filter->type() != KeyExpression::Type::Logical)
      return fault("filter does not fit the table");
  }
  tag.expected.assign(dbf.recordCount() + 1ull, 0);
  return tag;
}

// Notes what record recno (readable, bytes in rec) means for tag.
void learn(TagUnderCheck& tag, std::uint32_t recno, const char* rec, std::string& keyBuffer) {
  if (tag.filter && !tag.filter->isTrue(rec)) return;
  keyBuffer.resize(tag.key->length());
  tag.key->evaluate(rec, keyBuffer.data());
  tag.expected[recno] = fingerprint(keyBuffer.data(), keyBuffer.size());
}

// Walks the tag's entries in key order against what the record pass learnt: each record
// once, only records that belong, with their current keys; then the records it should
// list but does not. Entries out of order end the walk as a damaged page. Memory: a bit
// per record besides the fingerprints.
void checkEntries(TagUnderCheck& tag, std::uint32_t count, const std::vector<bool>& unreadable,
                  Checker& check) {
  const std::string& file = tag.file;
  std::vector<bool> listed(count + 1ull, false);
  struct Entry {
    std::uint32_t recno;
    std::uint32_t fingerprint;
  };
  // The entries come in key order, their records in any: they are held to what was learnt
  // in batches, whose fingerprints are asked of the memory together rather than met one
  // miss at a time.
  std::vector<Entry> batch;
  const auto compare = [&] {
    for (const Entry& e : batch)
      if (e.recno >= 1 && e.recno <= count) __builtin_prefetch(&tag.expected[e.recno]);
    for (const Entry& e : batch) {
      const auto record = [&] { return "record " + std::to_string(e.recno); };
      if (e.recno < 1 || e.recno > count) {
        check.report(file, "entry for " + record() + " beyond the table");
      } else if (listed[e.recno]) {
        check.report(file, record() + " listed more than once");
      } else if (tag.expected[e.recno] == 0) {
        if (!unreadable[e.recno]) check.report(file, record() + " does not belong in the tag");
      } else {
        listed[e.recno] = true;
        if (e.fingerprint != tag.expected[e.recno])
          check.report(file, record() + " has a stale key");
      }
    }
    batch.clear();
  };
  const int keyLength = tag.index->keyLength();
  const int rc = tag.index->forEachEntry([&](const char* key, std::uint32_t recno) {
    batch.push_back({recno, fingerprint(key, keyLength)});
    if (batch.size() == 256) compare();
  });
  compare();
  if (rc < 0) return check.report(file, std::string("damaged page: ") + statusText(rc));
  for (std::uint32_t n = 1; n <= count; ++n) {
    if (!listed[n] && tag.expected[n] != 0)
      check.report(file, "record " + std::to_string(n) + " missing from the tag");
  }
}

// The group's tags that can be checked, each fault on the way reported.
std::vector<TagUnderCheck> openGroup(FileSystem& fs, const std::string& directory,
                                     const std::string& groupName,
                                     const std::vector<std::string>& requiredTags,
                                     const DbfFile& dbf, Checker& check) {
  std::vector<TagUnderCheck> tags;
  const std::string groupPath = pathIn(fs, directory, groupName + ".cgp");
  const std::string group = baseName(groupPath);
  if (!fs.exists(groupPath)) {
    check.report(group, "index group file missing", true);
    return tags;
  }
  std::vector<std::string> tagNames;
  if (int rc = readIndexGroup(fs, groupPath, &tagNames); rc < 0) {
    check.report(group, std::string("index group file unreadable: ") + statusText(rc));
    return tags;
  }
  for (const std::string& required : requiredTags) {
    const bool listed = std::any_of(tagNames.begin(), tagNames.end(), [&](const std::string& t) {
      return strcasecmp(t.c_str(), required.c_str()) == 0;
    });
    if (!listed) check.report(group, "does not list the tag " + required);
  }
  for (const std::string& tagName : tagNames) {
    if (auto tag = openTag(fs, directory, tagName, dbf, check)) tags.push_back(std::move(*tag));
  }
  return tags;
}

// Reads every record once, in runs (RecordRuns.h), checks each one's bytes and lets each
// tag learn it. Returns which records could not be read.
std::vector<bool> readRecords(DbfFile& dbf, const std::string& file,
                              std::vector<TagUnderCheck>& tags, Checker& check) {
  const std::uint32_t count = dbf.recordCount();
  const std::size_t length = dbf.recordLength();
  const std::uint32_t perRun = recordsPerRun(dbf);
  std::vector<bool> unreadable(count + 1ull, false);
  std::vector<char> run(perRun * length);
  std::string keyBuffer;
  for (std::uint32_t first = 1; first <= count; first += perRun) {
    const std::uint32_t n = std::min(perRun, count - first + 1);
    const bool whole = dbf.readRecords(first, n, run.data()) == kSuccess;
    for (std::uint32_t i = 0; i < n; ++i) {
      const std::uint32_t recno = first + i;
      char* rec = run.data() + i * length;
      const auto record = [recno] { return "record " + std::to_string(recno); };
      // A run that could not be read whole is read again a record at a time, so that only
      // the records at fault are reported.
      if (!whole && dbf.readRecords(recno, 1, rec) != kSuccess) {
        unreadable[recno] = true;
        check.report(file, record() + " unreadable");
        continue;
      }
      if (!hasDeletionFlag(rec)) {
        check.report(file, record() + " does not start where the header says records start");
      } else if (const FieldDesc* bad = badField(dbf.fields(), rec)) {
        check.report(file, record() + ": " + bad->name + " holds bytes its type does not allow");
      }
      for (TagUnderCheck& tag : tags) learn(tag, recno, rec, keyBuffer);
    }
  }
  return unreadable;
}

void checkAll(FileSystem& fs, const std::string& directory, const std::string& tableName,
              const std::string& groupName, const std::vector<std::string>& requiredTags,
              Checker& check) {
  std::string path = pathIn(fs, directory, tableName + ".dbf");
  std::string file = baseName(path);
  int rc = kSuccess;
  auto handle = fs.open(path, OpenMode::ReadOnly, LockMode::None, &rc);
  if (!handle) return check.report(file, std::string("cannot be opened: ") + statusText(rc));
  DbfLayout layout;
  if ((rc = DbfFile::readLayout(*handle, &layout)) < 0)
    return check.report(file, std::string("header damaged: ") + headerProblem(rc));
  const std::uint64_t whole = layout.wholeRecords();
  if (whole < layout.count) {
    return check.report(file, "header counts " + std::to_string(layout.count) +
                                  " records but the file holds " + std::to_string(whole));
  }
  if (whole > layout.count + 1ull) {
    return check.report(file, std::to_string(whole - layout.count) +
                                  " whole records lie past the " + std::to_string(layout.count) +
                                  " counted records (a damaged count)");
  }
  if (!tailIsClean(*handle, layout)) {
    check.report(file, std::to_string(layout.size - layout.end(layout.count)) + " bytes past the " +
                           std::to_string(layout.count) +
                           " counted records (an append that never finished)");
  }
  auto dbf = DbfFile::open(std::move(handle), &rc);
  if (!dbf) return check.report(file, std::string("header damaged: ") + headerProblem(rc));

  std::vector<TagUnderCheck> tags;
  if (!groupName.empty()) tags = openGroup(fs, directory, groupName, requiredTags, *dbf, check);
  const std::vector<bool> unreadable = readRecords(*dbf, file, tags, check);
  for (TagUnderCheck& tag : tags) {
    checkEntries(tag, dbf->recordCount(), unreadable, check);
    tag = {};  // one tag's page cache and fingerprints at a time
  }
}

// Saves the bytes of file from offset on beside it, under a name dated now, so that a
// repair cutting them loses nothing. Returns the name, or empty when they could not be saved.
std::string saveTail(FileSystem& fs, File& file, const std::string& path, std::uint64_t offset,
                     std::uint64_t size) {
  std::vector<char> bytes(size - offset);
  if (file.read(offset, bytes.data(), bytes.size()) != static_cast<long long>(bytes.size()))
    return {};
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, ".%Y%m%d-%H%M%S.cut", &tm);
  const std::string target = path + stamp;
  int rc = kSuccess;
  auto out = fs.open(target, OpenMode::Create, LockMode::None, &rc);
  if (!out || !out->write(0, bytes.data(), bytes.size()) || !out->sync()) return {};
  return baseName(target);
}

// Whether the records lie where the header says: the first and last whole records, and
// every record about to be counted in, start with a deletion flag.
bool recordsAligned(File& file, const DbfLayout& layout, std::uint64_t keep) {
  auto flagged = [&](std::uint64_t n) {
    char flag = 0;
    return file.read(layout.end(n - 1), &flag, 1) == 1 && hasDeletionFlag(&flag);
  };
  const std::uint64_t whole = layout.wholeRecords();
  if (whole == 0) return true;
  if (!flagged(1) || !flagged(whole)) return false;
  for (std::uint64_t n = layout.count + 1ull; n <= keep; ++n)
    if (!flagged(n)) return false;
  return true;
}

// Makes the header's count and the file's length agree without dropping a record: whole
// records past the count, more than the one an unfinished append leaves, are a damaged
// count and are counted in; what must be cut (that one record, a part record) is first
// saved beside the table. A header that does not describe its records changes nothing.
int mendLength(FileSystem& fs, const std::string& path, std::vector<std::string>* done) {
  int rc = kSuccess;
  auto file = fs.open(path, OpenMode::ReadWrite, LockMode::Exclusive, &rc);
  if (!file) return rc < 0 ? rc : kErrOpen;
  DbfLayout layout;
  if ((rc = DbfFile::readLayout(*file, &layout)) < 0) return rc;
  const std::uint64_t whole = layout.wholeRecords();
  if (whole >= layout.count && whole <= layout.count + 1ull && tailIsClean(*file, layout))
    return kSuccess;
  const std::uint64_t keep =
      whole > layout.count + 1ull ? whole : std::min<std::uint64_t>(layout.count, whole);
  if (keep > 0xFFFFFFFFull || !recordsAligned(*file, layout, keep)) return kErrData;
  const std::string name = baseName(path);
  const std::uint64_t end = layout.end(keep);
  if (layout.size > end + 1) {
    const std::string saved = saveTail(fs, *file, path, end, layout.size);
    if (saved.empty()) return kErrWrite;
    done->push_back("saved the " + std::to_string(layout.size - end) +
                    " bytes past the records to " + saved + " and cut them off");
  }
  const char marker = dbf::kEofMarker;
  if (!file->truncate(end) || !file->write(end, &marker, 1)) return kErrWrite;
  if (keep != layout.count) {
    unsigned char bytes[4];
    writeU32(reinterpret_cast<char*>(bytes), static_cast<std::uint32_t>(keep));
    if (!file->write(dbf::kCountOffset, bytes, sizeof bytes)) return kErrWrite;
    done->push_back(keep > layout.count
                        ? "counted in the " + std::to_string(keep - layout.count) +
                              " records past the header's count of " + std::to_string(layout.count)
                        : "lowered the header's count from " + std::to_string(layout.count) +
                              " to the " + std::to_string(keep) + " records in the file");
  }
  return file->sync() ? kSuccess : kErrWrite;
}

}  // namespace

std::vector<TableFinding> CheckTable(FileSystem& fs, const std::string& directory,
                                     const std::string& tableName, const std::string& groupName,
                                     const std::vector<std::string>& requiredTags) {
  std::vector<TableFinding> findings;
  Checker check(&findings);
  checkAll(fs, directory, tableName, groupName, requiredTags, check);
  check.finish();
  return findings;
}

int RepairTable(FileSystem& fs, const std::string& directory, const std::string& tableName,
                const std::string& groupName, const std::vector<TagSpec>& tags,
                std::vector<std::string>* done) {
  std::vector<std::string> ignored;
  if (done == nullptr) done = &ignored;
  int rc = mendLength(fs, pathIn(fs, directory, tableName + ".dbf"), done);
  if (rc < 0 || groupName.empty()) return rc;
  Engine engine(fs, directory);
  engine.autoOpen = false;  // the old tags may be the damaged part
  engine.safety = false;
  engine.exclusive = true;
  Table* table = engine.open(tableName);
  if (table == nullptr) return engine.takeError();
  rc = table->createIndexGroup(groupName, tags);
  int closed = engine.closeAll();
  if (rc >= 0 && closed >= 0) done->push_back("rebuilt the index group " + groupName + ".cgp");
  return rc < 0 ? rc : closed;
}

}  // namespace xbase
