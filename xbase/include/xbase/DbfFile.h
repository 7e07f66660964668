// A dBASE III+ table file: header, field descriptors and fixed-length records.
// Knows nothing of indexes; the Table ties it to its tags.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/FileSystem.h"

namespace xbase {

struct FieldDesc {
  std::string name;  // upper case as stored, at most 10 characters
  char type = 'C';   // 'C', 'N', 'L', 'D'; other types are kept and read as raw text
  int width = 0;     // bytes in the record
  int decimals = 0;  // numeric fields only
  int offset = 0;    // from the start of the record; byte 0 is the deletion flag
};

struct FieldSpec {  // what a caller gives to create a table
  std::string name;
  char type;
  int width;
  int decimals = 0;
};

// Formats value as a numeric field's text, right-aligned into width characters with the
// given decimals, rounding half away from zero, for callers that lay out records for
// DbfFile themselves. Returns false (out untouched) when the value does not fit.
bool formatNumber(double value, int width, int decimals, char* out);

// Where a table file's records lie, as its header says.
struct DbfLayout {
  std::uint32_t count = 0;  // the header's record count
  std::uint64_t headerLength = 0;
  std::uint64_t recordLength = 0;
  std::uint64_t size = 0;  // of the file
  // Where record n + 1 starts, which is also where the first n records end.
  std::uint64_t end(std::uint64_t n) const { return headerLength + n * recordLength; }
  // Records wholly in the file, counted or not.
  std::uint64_t wholeRecords() const {
    return size < headerLength ? 0 : (size - headerLength) / recordLength;
  }
};

class DbfFile {
 public:
  // Reads file's header into *layout without holding the count against the file's size.
  // Returns kSuccess, kErrRead, or kErrData when the header cannot describe the records
  // (a field list that does not fill the record, record bytes inside the header).
  static int readLayout(File& file, DbfLayout* layout);
  // Opens and validates an existing table file. On failure returns nullptr, sets *error
  // (kErrRead, kErrLength: a count beyond the data, kErrUncounted: more than one whole
  // record past the count, kErrData) and has written nothing.
  static std::unique_ptr<DbfFile> open(std::unique_ptr<File> file, int* error);
  // Writes a new, empty dBASE III+ table (version byte 0x03) with these fields.
  static std::unique_ptr<DbfFile> create(std::unique_ptr<File> file,
                                         const std::vector<FieldSpec>& fields, int* error);
  // Writes a new, empty table whose header and field descriptors are byte copies of
  // model's (foreign header bytes survive a pack), with a record count of 0.
  static std::unique_ptr<DbfFile> createLike(std::unique_ptr<File> file, const DbfFile& model,
                                             int* error);

  const std::vector<FieldDesc>& fields() const;
  // Index of the field named name (any case), or -1.
  int fieldIndex(std::string_view name) const;
  std::uint32_t recordCount() const;
  int recordLength() const;  // including the deletion flag byte
  int headerLength() const;
  // The header's language driver byte, which names the code page of the text (0: none).
  std::uint8_t languageDriver() const;

  // REQUIRES: 1 <= recno <= recordCount(). Copies recordLength() bytes into buf.
  int readRecord(std::uint32_t recno, char* buf);
  // Copies the n records from first on into buf (n * recordLength() bytes) straight from
  // the file, for passes over the whole table in record order: through the map they would
  // leave the whole file resident. kErrRecordNo when they are not all counted records.
  int readRecords(std::uint32_t first, std::uint32_t n, char* buf);
  // Asks the memory for record recno ahead of its read, where the file is mapped; a walk
  // in an order of its own names the records it will read next. Out-of-range numbers are
  // ignored.
  void prefetch(std::uint32_t recno);
  // REQUIRES: 1 <= recno <= recordCount(). Writes recordLength() bytes from buf.
  int writeRecord(std::uint32_t recno, const char* buf);
  // Writes buf as a new last record, then the end-of-file marker, then the new count in
  // the header (in that order, so a crash never leaves a count beyond the data).
  int appendRecord(const char* buf, std::uint32_t* recno);
  // Appends n records held back to back in buf in one write; *first is the number of the
  // first. Same ordering guarantee as appendRecord. Appends that would take the file past
  // 2 GB return kErrTooLarge with nothing written.
  int appendRecords(const char* buf, std::uint32_t n, std::uint32_t* first);
  // Writes buf where the next appended record goes, with the end-of-file marker after it,
  // but leaves the count alone: the room is taken (a full disk fails here) while readers
  // and a reopened table still end at the counted records. appendRecord then counts it.
  // *recno is the number it will have. On failure the file ends as before.
  int stageAppend(const char* buf, std::uint32_t* recno);
  // Cuts the table to its first count records (zap, pack) and rewrites the count.
  int truncateTo(std::uint32_t count);
  // Stores today's date as the last-update date in the header.
  int touch();
  // Fills buf with a blank record (deletion flag ' ', every field blank).
  void blankRecord(char* buf) const;

  File& file();
  ~DbfFile();

 private:
  DbfFile();
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace xbase
