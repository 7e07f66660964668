#include "xbase/DbfFile.h"

#include <strings.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <ctime>

#include "ByteCoding.h"
#include "DbfFormat.h"
#include "xbase/Status.h"

namespace xbase {
namespace {

// Records are read through a few aligned blocks, so a walk in roughly record order costs
// one read per block instead of one per record. Bounded: kBlocks * kBlockSize per table.
constexpr std::size_t kBlockSize = 16 * 1024;
constexpr int kBlocks = 8;

// Today's local date in the header's three bytes.
void putToday(char* p) {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  p[0] = static_cast<char>(tm.tm_year);  // years since 1900
  p[1] = static_cast<char>(tm.tm_mon + 1);
  p[2] = static_cast<char>(tm.tm_mday);
}

struct Block {
  std::uint64_t start = 0;
  std::size_t valid = 0;   // bytes read from the file; 0 = unused
  std::uint64_t used = 0;  // for least-recently-used replacement
  std::array<char, kBlockSize> data;
};

}  // namespace

struct DbfFile::Impl {
  std::unique_ptr<File> file;
  std::vector<char> header;  // all headerLength bytes as on disk
  std::vector<FieldDesc> fields;
  std::uint32_t count = 0;
  int headerLength = 0;
  int recordLength = 0;
  std::array<Block, kBlocks> cache;
  std::uint64_t clock = 0;
  std::uint64_t lastStart = ~0ull;  // block of the previous read, to spot sequential runs

  // Where record n + 1 starts, which is also where the first n records end.
  std::uint64_t endOf(std::uint64_t n) const { return headerLength + n * recordLength; }
  std::uint64_t recordOffset(std::uint32_t recno) const { return endOf(recno - 1); }

  // Parses header bytes; fileSize bounds what the header may claim. Without checkCount
  // the record count is not held against the file's size.
  int parse(std::uint64_t fileSize, bool checkCount = true);
  Block* block(std::uint64_t start, int* error);
  int readCached(std::uint64_t offset, char* buf, std::size_t n);
  int writeThrough(std::uint64_t offset, const char* buf, std::size_t n);
  // Writes n records and the end-of-file marker past the counted records, leaving the
  // count alone; on a failure cuts the file back to the counted records.
  int writeUncounted(const char* buf, std::uint32_t n);
  // After a failed append: cuts off what part of the records it wrote and puts the
  // end-of-file marker back, so the file ends as it did (needing no room). Returns failure.
  int cutBack(int failure);
  void dropCache() {
    for (Block& b : cache) b.valid = 0;
  }
  static std::unique_ptr<DbfFile> finish(std::unique_ptr<File> file, std::vector<char> header,
                                         int* error);
};

namespace {

// Bytes writers put after the terminator to pad a header. Anything else there is record
// data: the header length is wrong and every record would be read shifted.
bool isHeaderPadding(char c) {
  return c == '\0' || c == dbf::kHeaderTerminator || c == dbf::kEofMarker;
}

// Visual FoxPro's headers end in a backlink that may hold a database container's path.
bool hasBacklink(char version) {
  const auto v = static_cast<unsigned char>(version);
  return v == 0x30 || v == 0x31 || v == 0x32;
}

}  // namespace

int DbfFile::Impl::parse(std::uint64_t fileSize, bool checkCount) {
  const char* h = header.data();
  count = readU32(h + dbf::kCountOffset);
  headerLength = static_cast<int>(readU16(h + dbf::kHeaderLengthOffset));
  recordLength = static_cast<int>(readU16(h + dbf::kRecordLengthOffset));
  // A header must hold the fixed part and at least the terminator; anything shorter is
  // not a table, and a header past the end of the file is cut off.
  if (headerLength < static_cast<int>(dbf::kFixedHeaderSize) + 1) return kErrData;
  if (static_cast<std::uint64_t>(headerLength) > fileSize) return kErrLength;
  fields.clear();
  int offset = 1;  // byte 0 of a record is the deletion flag
  std::size_t pos = dbf::kFixedHeaderSize;
  while (true) {
    // The descriptor list must end with the terminator inside the header; writers may pad
    // the header after it (dBASE IV, FoxPro), so the header length need not match exactly.
    if (pos >= header.size()) return kErrData;
    if (h[pos] == dbf::kHeaderTerminator) break;
    if (pos + dbf::kDescriptorSize > header.size()) return kErrData;
    const char* d = h + pos;
    FieldDesc f;
    f.name.assign(d + dbf::kNameOffset, strnlen(d + dbf::kNameOffset, dbf::kNameSize));
    while (!f.name.empty() && f.name.back() == ' ') f.name.pop_back();
    f.type = d[dbf::kTypeOffset];
    f.width = static_cast<unsigned char>(d[dbf::kWidthOffset]);
    f.decimals = static_cast<unsigned char>(d[dbf::kDecimalsOffset]);
    f.offset = offset;
    // Every field must occupy bytes inside the record, or reading it would run into the
    // next record (or past the buffer).
    if (f.width == 0 || f.offset + f.width > recordLength) return kErrData;
    offset += f.width;
    fields.push_back(std::move(f));
    pos += dbf::kDescriptorSize;
  }
  // The fields must fill the record exactly; otherwise the layout is not the one the
  // records were written with.
  if (fields.empty() || offset != recordLength) return kErrData;
  if (!hasBacklink(h[dbf::kVersionOffset]) &&
      !std::all_of(header.begin() + static_cast<std::ptrdiff_t>(pos) + 1, header.end(),
                   isHeaderPadding)) {
    return kErrData;
  }
  if (!checkCount) return kSuccess;
  // Every counted record must be there. A longer file is fine: a crash between writing a
  // record and its count leaves one uncounted record, and the EOF marker follows the data.
  if (fileSize < endOf(count)) return kErrLength;
  // More whole records than that mean a damaged count: an append would overwrite them.
  if ((fileSize - headerLength) / recordLength > static_cast<std::uint64_t>(count) + 1)
    return kErrUncounted;
  return kSuccess;
}

int DbfFile::readLayout(File& file, DbfLayout* layout) {
  const long long size = file.size();
  if (size < 0) return kErrRead;
  if (size < static_cast<long long>(dbf::kFixedHeaderSize)) return kErrData;
  std::vector<char> header(dbf::kFixedHeaderSize);
  if (file.read(0, header.data(), header.size()) != static_cast<long long>(header.size()))
    return kErrRead;
  const std::size_t length = readU16(header.data() + dbf::kHeaderLengthOffset);
  if (length > static_cast<std::uint64_t>(size)) return kErrData;
  if (length > header.size()) {
    header.resize(length);
    const auto want = static_cast<long long>(length - dbf::kFixedHeaderSize);
    if (file.read(dbf::kFixedHeaderSize, header.data() + dbf::kFixedHeaderSize, want) != want)
      return kErrRead;
  }
  auto impl = std::make_unique<Impl>();
  impl->header = std::move(header);
  if (int rc = impl->parse(static_cast<std::uint64_t>(size), false); rc != kSuccess) return rc;
  layout->count = impl->count;
  layout->headerLength = static_cast<std::uint64_t>(impl->headerLength);
  layout->recordLength = static_cast<std::uint64_t>(impl->recordLength);
  layout->size = static_cast<std::uint64_t>(size);
  return kSuccess;
}

Block* DbfFile::Impl::block(std::uint64_t start, int* error) {
  Block* victim = &cache[0];
  for (Block& b : cache) {
    if (b.valid > 0 && b.start == start) {
      b.used = ++clock;
      return &b;
    }
    if (b.valid == 0 || (victim->valid > 0 && b.used < victim->used)) victim = &b;
  }
  long long got = file->read(start, victim->data.data(), kBlockSize);
  if (got <= 0) {
    *error = kErrRead;
    return nullptr;
  }
  victim->start = start;
  victim->valid = static_cast<std::size_t>(got);
  victim->used = ++clock;
  return victim;
}

int DbfFile::Impl::readCached(std::uint64_t offset, char* buf, std::size_t n) {
  // A mapped file costs a copy per record in any order: a walk in tag order over records
  // entered out of date order reads as fast as one in record order.
  if (const char* bytes = file->view(offset + n)) {
    std::memcpy(buf, bytes + offset, n);
    return kSuccess;
  }
  // A lone record away from the previous read (a seek, a random go) is read by itself:
  // copying a whole block for it costs more than the read. Neighbouring reads (walks in
  // record or date order) go through the blocks.
  std::uint64_t first = offset - offset % kBlockSize;
  bool sequential = first == lastStart || first == lastStart + kBlockSize;
  lastStart = first;
  bool cached = std::any_of(cache.begin(), cache.end(),
                            [&](const Block& b) { return b.valid > 0 && b.start == first; });
  if (!sequential && !cached) {
    return file->read(offset, buf, n) == static_cast<long long>(n) ? kSuccess : kErrRead;
  }
  while (n > 0) {
    std::uint64_t start = offset - offset % kBlockSize;
    int error = kSuccess;
    Block* b = block(start, &error);
    if (b == nullptr) return error;
    std::size_t at = offset - start;
    if (at >= b->valid) return kErrRead;  // the file ends before the data
    std::size_t take = std::min(n, b->valid - at);
    std::memcpy(buf, b->data.data() + at, take);
    buf += take;
    offset += take;
    n -= take;
  }
  return kSuccess;
}

int DbfFile::Impl::writeThrough(std::uint64_t offset, const char* buf, std::size_t n) {
  bool ok = file->write(offset, buf, n);
  std::uint64_t end = offset + n;
  for (Block& b : cache) {
    if (b.valid == 0 || end <= b.start || offset >= b.start + kBlockSize) continue;
    // After a failed write the file's bytes are unknown; a write that leaves a hole after
    // the block's valid bytes cannot be mirrored. Forget the block then.
    if (!ok || offset > b.start + b.valid) {
      b.valid = 0;
      continue;
    }
    std::uint64_t from = std::max(offset, b.start);
    std::uint64_t to = std::min(end, b.start + kBlockSize);
    std::memcpy(b.data.data() + (from - b.start), buf + (from - offset), to - from);
    b.valid = std::max<std::size_t>(b.valid, to - b.start);
  }
  return ok ? kSuccess : kErrWrite;
}

int DbfFile::Impl::writeUncounted(const char* buf, std::uint32_t n) {
  // The end-of-file marker included: a table other dBASE programs cannot read is refused
  // before anything is written.
  if (endOf(static_cast<std::uint64_t>(count) + n) + 1 > dbf::kMaxFileSize) return kErrTooLarge;
  std::vector<char> data(buf, buf + static_cast<std::size_t>(n) * recordLength);
  data.push_back(dbf::kEofMarker);
  int rc = writeThrough(endOf(count), data.data(), data.size());
  return rc == kSuccess ? rc : cutBack(rc);
}

int DbfFile::Impl::cutBack(int failure) {
  const std::uint64_t end = endOf(count);
  const char eof = dbf::kEofMarker;
  dropCache();
  if (file->truncate(end)) writeThrough(end, &eof, 1);
  return failure;
}

std::unique_ptr<DbfFile> DbfFile::Impl::finish(std::unique_ptr<File> file, std::vector<char> header,
                                               int* error) {
  long long size = file->size();
  if (size < 0) {
    *error = kErrRead;
    return nullptr;
  }
  std::unique_ptr<DbfFile> dbf(new DbfFile());
  dbf->impl_->file = std::move(file);
  dbf->impl_->header = std::move(header);
  int rc = dbf->impl_->parse(static_cast<std::uint64_t>(size));
  if (rc != kSuccess) {
    *error = rc;
    return nullptr;
  }
  return dbf;
}

DbfFile::DbfFile() : impl_(std::make_unique<Impl>()) {}
DbfFile::~DbfFile() = default;

std::unique_ptr<DbfFile> DbfFile::open(std::unique_ptr<File> file, int* error) {
  long long size = file->size();
  if (size < 0) {
    *error = kErrRead;
    return nullptr;
  }
  // Too short for the fixed header: nothing in it can be trusted.
  if (size < static_cast<long long>(dbf::kFixedHeaderSize)) {
    *error = kErrData;
    return nullptr;
  }
  std::vector<char> header(dbf::kFixedHeaderSize);
  if (file->read(0, header.data(), header.size()) != static_cast<long long>(header.size())) {
    *error = kErrRead;
    return nullptr;
  }
  std::size_t length = readU16(header.data() + dbf::kHeaderLengthOffset);
  if (length > header.size() && length <= static_cast<std::uint64_t>(size)) {
    header.resize(length);
    long long want = static_cast<long long>(length - dbf::kFixedHeaderSize);
    if (file->read(dbf::kFixedHeaderSize, header.data() + dbf::kFixedHeaderSize, want) != want) {
      *error = kErrRead;
      return nullptr;
    }
  }
  return Impl::finish(std::move(file), std::move(header), error);
}

std::unique_ptr<DbfFile> DbfFile::create(std::unique_ptr<File> file,
                                         const std::vector<FieldSpec>& fields, int* error) {
  std::size_t headerLength = dbf::kFixedHeaderSize + fields.size() * dbf::kDescriptorSize + 1;
  std::size_t recordLength = 1;
  for (const FieldSpec& f : fields) recordLength += f.width > 0 ? f.width : 0;
  bool valid = !fields.empty() && headerLength <= 0xFFFF && recordLength <= 0xFFFF;
  for (const FieldSpec& f : fields) {
    valid = valid && !f.name.empty() && f.name.size() <= dbf::kMaxNameLength && f.width >= 1 &&
            f.width <= 255 && f.decimals >= 0 && f.decimals < 256 &&
            (f.decimals == 0 || f.decimals < f.width);
  }
  if (!valid) {
    *error = kErrData;
    return nullptr;
  }
  std::vector<char> bytes(headerLength + 1, '\0');
  char* h = bytes.data();
  h[dbf::kVersionOffset] = static_cast<char>(dbf::kVersionDbase3);
  putToday(h + dbf::kUpdateOffset);
  writeU16(h + dbf::kHeaderLengthOffset, static_cast<std::uint16_t>(headerLength));
  writeU16(h + dbf::kRecordLengthOffset, static_cast<std::uint16_t>(recordLength));
  char* d = h + dbf::kFixedHeaderSize;
  for (const FieldSpec& f : fields) {
    for (std::size_t i = 0; i < f.name.size(); ++i) {
      d[dbf::kNameOffset + i] =
          static_cast<char>(std::toupper(static_cast<unsigned char>(f.name[i])));
    }
    d[dbf::kTypeOffset] = static_cast<char>(std::toupper(static_cast<unsigned char>(f.type)));
    d[dbf::kWidthOffset] = static_cast<char>(f.width);
    d[dbf::kDecimalsOffset] = static_cast<char>(f.decimals);
    d += dbf::kDescriptorSize;
  }
  *d = dbf::kHeaderTerminator;
  bytes[headerLength] = dbf::kEofMarker;
  if (!file->write(0, bytes.data(), bytes.size()) || !file->truncate(bytes.size())) {
    *error = kErrWrite;
    return nullptr;
  }
  bytes.resize(headerLength);
  return Impl::finish(std::move(file), std::move(bytes), error);
}

std::unique_ptr<DbfFile> DbfFile::createLike(std::unique_ptr<File> file, const DbfFile& model,
                                             int* error) {
  std::vector<char> bytes = model.impl_->header;
  putToday(bytes.data() + dbf::kUpdateOffset);
  writeU32(bytes.data() + dbf::kCountOffset, 0);
  bytes.push_back(dbf::kEofMarker);
  if (!file->write(0, bytes.data(), bytes.size()) || !file->truncate(bytes.size())) {
    *error = kErrWrite;
    return nullptr;
  }
  bytes.pop_back();
  return Impl::finish(std::move(file), std::move(bytes), error);
}

const std::vector<FieldDesc>& DbfFile::fields() const { return impl_->fields; }

int DbfFile::fieldIndex(std::string_view name) const {
  for (std::size_t i = 0; i < impl_->fields.size(); ++i) {
    const std::string& n = impl_->fields[i].name;
    if (n.size() == name.size() && strncasecmp(n.data(), name.data(), n.size()) == 0) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::uint32_t DbfFile::recordCount() const { return impl_->count; }
int DbfFile::recordLength() const { return impl_->recordLength; }
int DbfFile::headerLength() const { return impl_->headerLength; }
std::uint8_t DbfFile::languageDriver() const {
  return static_cast<std::uint8_t>(impl_->header[dbf::kLanguageDriverOffset]);
}
File& DbfFile::file() { return *impl_->file; }

int DbfFile::readRecord(std::uint32_t recno, char* buf) {
  if (recno < 1 || recno > impl_->count) return kErrRecordNo;
  return impl_->readCached(impl_->recordOffset(recno), buf, impl_->recordLength);
}

int DbfFile::readRecords(std::uint32_t first, std::uint32_t n, char* buf) {
  if (first < 1 || n > impl_->count || first - 1 > impl_->count - n) return kErrRecordNo;
  const std::size_t bytes = static_cast<std::size_t>(n) * impl_->recordLength;
  const long long got = impl_->file->read(impl_->recordOffset(first), buf, bytes);
  return got == static_cast<long long>(bytes) ? kSuccess : kErrRead;
}

void DbfFile::prefetch(std::uint32_t recno) {
  if (recno < 1 || recno > impl_->count) return;
  const std::uint64_t at = impl_->recordOffset(recno);
  const char* bytes = impl_->file->view(at + impl_->recordLength);
  if (bytes == nullptr) return;
  for (int line = 0; line < impl_->recordLength; line += 64) __builtin_prefetch(bytes + at + line);
}

int DbfFile::writeRecord(std::uint32_t recno, const char* buf) {
  if (recno < 1 || recno > impl_->count) return kErrRecordNo;
  return impl_->writeThrough(impl_->recordOffset(recno), buf, impl_->recordLength);
}

int DbfFile::appendRecord(const char* buf, std::uint32_t* recno) {
  return appendRecords(buf, 1, recno);
}

int DbfFile::appendRecords(const char* buf, std::uint32_t n, std::uint32_t* first) {
  Impl& m = *impl_;
  if (n == 0 || m.count > 0xFFFFFFFFu - n) return kErrRecordNo;
  int rc = m.writeUncounted(buf, n);
  if (rc != kSuccess) return rc;
  // The count goes last: until it is written the new records are invisible, never torn.
  char stamp[7];
  putToday(stamp);
  writeU32(stamp + 3, m.count + n);
  rc = m.writeThrough(dbf::kUpdateOffset, stamp, sizeof stamp);
  if (rc != kSuccess) return m.cutBack(rc);
  std::memcpy(m.header.data() + dbf::kUpdateOffset, stamp, sizeof stamp);
  *first = m.count + 1;
  m.count += n;
  return kSuccess;
}

int DbfFile::stageAppend(const char* buf, std::uint32_t* recno) {
  if (impl_->count == 0xFFFFFFFFu) return kErrRecordNo;
  int rc = impl_->writeUncounted(buf, 1);
  if (rc == kSuccess) *recno = impl_->count + 1;
  return rc;
}

int DbfFile::truncateTo(std::uint32_t count) {
  Impl& m = *impl_;
  if (count > m.count) return kErrRecordNo;
  // Cut first: a crash after it leaves a count beyond the data, which a repair lowers to
  // the records kept. The reverse order would leave whole records past the count, which
  // a repair must take for records whose count was damaged and count back in.
  const std::uint64_t end = m.endOf(count);
  const char eof = dbf::kEofMarker;
  m.dropCache();
  if (!m.file->truncate(end)) return kErrWrite;
  int rc = m.writeThrough(end, &eof, 1);
  if (rc != kSuccess) return rc;
  char bytes[4];
  writeU32(bytes, count);
  rc = m.writeThrough(dbf::kCountOffset, bytes, sizeof bytes);
  if (rc != kSuccess) return rc;
  std::memcpy(m.header.data() + dbf::kCountOffset, bytes, sizeof bytes);
  m.count = count;
  return kSuccess;
}

int DbfFile::touch() {
  char date[3];
  putToday(date);
  int rc = impl_->writeThrough(dbf::kUpdateOffset, date, sizeof date);
  if (rc == kSuccess) std::memcpy(impl_->header.data() + dbf::kUpdateOffset, date, sizeof date);
  return rc;
}

void DbfFile::blankRecord(char* buf) const {
  // dBASE blanks every field type with spaces: empty text, zero number, no date, unset flag.
  std::memset(buf, ' ', impl_->recordLength);
  // Visual FoxPro's binary fields (integer, double, currency, date-time, 4-byte memo
  // pointers, null flags) are blank when zero; spaces would read as huge numbers.
  for (const FieldDesc& f : impl_->fields) {
    bool binary = std::strchr("IBYT0", f.type) != nullptr && !(f.type == 'B' && f.width != 8);
    bool memoPointer = std::strchr("MGPW", f.type) != nullptr && f.width == 4;
    if (binary || memoPointer) std::memset(buf + f.offset, 0, f.width);
  }
}

}  // namespace xbase
