// An open table: its dBASE file, its tags, and the current record.
//
// Field assignments change a record buffer; the record and its index keys are written
// when the table moves to another record, appends, flushes or closes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

class Engine;
class Table;
class DbfFile;
class NtxIndex;
class KeyExpression;
class NtxCursor;
struct FieldDesc;

class Field {
 public:
  const std::string& name() const;
  char type() const;
  int width() const;
  int decimals() const;
  // The language driver byte of the table's header: the code page of its text.
  std::uint8_t languageDriver() const;

  // The raw text of the field in the current record, full width.
  std::string str() const;
  // The same bytes in place, valid until the table moves to another record.
  std::string_view view() const;
  long long asInteger() const;
  double asDouble() const;
  bool isTrue() const;  // logical field holding T, t, Y or y

  // Stores text cut or blank-padded to the width (numeric fields right-aligned; "T"/"F"
  // for logical fields, "yyyymmdd" or "" for dates).
  int assign(std::string_view text);
  // Store a number; kErrFieldWidth (field unchanged) when it does not fit.
  int assignInteger(long long value);
  int assignDouble(double value);
  // Whether assignDouble(value) would succeed.
  bool fits(double value) const;

 private:
  friend class Table;
  friend class Engine;
  Field(Table* table, int index);
  const FieldDesc& desc() const;
  char* bytes() const;  // the field's place in the current record buffer
  int fail(int code) const;
  void markChanged() const;
  Table* table_;
  int index_;
};

struct TagSpec {
  std::string name;        // tag name; its file is <name>.ntx
  std::string expression;  // key expression
  std::string filter;      // FOR expression; empty for none
};

class Tag {
 public:
  const std::string& name() const;
  const std::string& expression() const;
  const std::string& filter() const;
  int keyLength() const;
  ~Tag();

 private:
  friend class Table;
  Tag();
  std::string name_;
  std::string fileName_;
  std::unique_ptr<NtxIndex> index_;
  std::unique_ptr<KeyExpression> key_;
  std::unique_ptr<KeyExpression> filter_;  // null when the tag has no filter
};

class Table {
 public:
  ~Table();
  const std::string& name() const;  // base name as opened

  int fieldCount() const;
  Field* field(int index);
  // The field of that name (any case), or nullptr.
  Field* field(std::string_view name);
  // The tag of that name (any case), or nullptr (with kErrTagName pending when the
  // engine's errTagName is on and name is not empty).
  Tag* tag(std::string_view name);
  const std::vector<std::unique_ptr<Tag>>& tags() const;

  // Orders top/bottom/skip/seek by tag; nullptr for record-number order.
  void selectTag(Tag* tag);
  Tag* selectedTag() const;

  // Positioning: kSuccess, kEof (past the end; the buffer is then blank and recNo() is
  // recCount() + 1), or a negative error. Pending changes are written first.
  int top();
  int bottom();
  int skip(long n = 1);
  int go(long recno);
  // Makes each record current in turn, in record order, deleted ones included, and calls
  // visit, which must not change it; the table is then left past its last record. The
  // records are read in runs straight from the file: a pass over the whole table in a
  // fixed amount of memory. kSuccess or a negative error.
  int scan(const std::function<void()>& visit);
  // The numbers of the records the selected tag holds (every record when none is
  // selected) for which keep() is true, in the tag's order. keep is called once for each
  // record, in record order, with that record current; the table is then left past its
  // last record. The records are read once in record order and the tag's entries walked
  // without reading a record, so the cost is the same however the records lie in the file.
  // kSuccess or a negative error (*recnos then holds what was found before it).
  int select(const std::function<bool()>& keep, std::vector<long>* recnos);
  // Seeks key in the selected tag: kSuccess exact, kAfter next greater current, kEof.
  int seek(std::string_view key);

  long recNo() const;
  long recCount() const;  // deleted records included
  bool deleted() const;
  void markDeleted();
  void recall();

  // Appends a blank record and makes it current. Its bytes and keys are written at once
  // (a full disk refuses the append here), but the record is counted, and seen by another
  // handle, only when flushed: a process dying before that leaves no blank record.
  int appendBlank();
  // Discards pending changes and re-reads the current record from disk.
  int refresh();
  // Writes the changed current record and its index keys.
  int flush();
  // Removes deleted records for good and rebuilds every tag. The new table and index
  // files are written beside the old ones and take their place by rename.
  // REQUIRES: the engine opened the table exclusively.
  int pack();
  // Removes count records from recno start on (all when count covers the rest), rebuilds tags.
  int zap(long start, long count);
  // Creates the index group groupName (.cgp) and one .ntx per tag by sorting the keys of
  // every record, and opens the tags. With the engine's safety on, existing files are
  // not overwritten (kErrCreate).
  int createIndexGroup(const std::string& groupName, const std::vector<TagSpec>& tags);

 private:
  friend class Engine;
  friend class Field;
  struct Impl;
  explicit Table(Engine& engine);
  std::unique_ptr<Impl> impl_;
};

}  // namespace xbase
