// Private state of an open table, shared by Table.cpp, Field.cpp and TableMaintenance.cpp.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "KeyExpression.h"
#include "NtxIndex.h"
#include "xbase/DbfFile.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

namespace xbase {

struct Table::Impl {
  explicit Impl(Engine& e) : engine(e) {}

  Engine& engine;
  std::string name;     // base name as the caller gave it
  std::string dbfPath;  // resolved path of the .dbf file
  std::unique_ptr<DbfFile> dbf;
  std::vector<std::unique_ptr<Field>> fields;
  std::vector<std::unique_ptr<Tag>> tags;

  Tag* selected = nullptr;
  NtxCursor cursor;           // position in the selected tag
  bool cursorSynced = false;  // cursor sits on the current record's entry

  long recno = 0;            // 0 before any positioning; recCount()+1 at end of file
  std::vector<char> record;  // current record as the caller sees it
  std::vector<char> stored;  // current record as it is on disk (its index keys)
  bool changed = false;
  bool touched = false;  // last-update date written during this open
  // Anything written to the table or its tags during this open: only then do its files
  // need forcing to disk when it closes (a report, which only reads, costs no sync).
  bool wrote = false;
  // The current record is appendBlank's: staged past the counted records and keyed, but
  // counted only when flushed, so a process dying before that leaves no blank record.
  bool appending = false;

  LockMode lockMode() const { return engine.exclusive ? LockMode::Exclusive : LockMode::Shared; }
  long recordCount() const { return static_cast<long>(dbf->recordCount()) + (appending ? 1 : 0); }
  bool onRecord() const { return recno >= 1 && recno <= recordCount(); }

  // Makes the table sit past its last record with a blank buffer.
  void setEof();
  // Writes pending changes first, then reads record n into the buffers.
  int load(long n);
  // Writes the changed record and moves its index entries.
  int flush();
  // flush() for the record appendBlank staged: keys it into the tags, then counts it.
  int flushAppended(std::uint32_t n);
  // On a walk forward in tag order, at the start of a page: asks for its records ahead.
  void readAhead();
  // Key of rec for tag, and whether rec belongs in the tag at all (its filter).
  static std::string keyOf(const Tag& tag, const char* rec);
  static bool inTag(const Tag& tag, const char* rec);
  // Puts the cursor of the selected tag on the current record's place; returns true when
  // the current record itself is in the tag (otherwise the cursor is on its successor).
  int syncCursor(bool* onEntry);
  // Paths of the table file and of every tag file.
  std::vector<std::string> filePaths() const;
  // Forces the table file and every tag file to disk; false when a sync failed.
  bool syncFiles();
  // Reports code to the engine when it is an error, naming the file at fault (the
  // selected tag's for a damaged index, else the table's); returns it.
  int fail(int code) {
    const bool indexFault = code == kErrIndex && selected != nullptr;
    return fail(code, indexFault ? selected->fileName_ : dbfPath);
  }
  int fail(int code, const std::string& file) {
    return code < 0 ? engine.setError(code, file) : code;
  }
  // Loads the record an entry of the selected tag points to; an entry beyond the table
  // is a damaged tag.
  int loadFromTag(std::uint32_t n) {
    return n < 1 || n > static_cast<std::uint32_t>(recordCount()) ? fail(kErrIndex) : load(n);
  }

  // Opens the tag stored in file <tagName>.ntx; used by open and after creation.
  int openTag(const std::string& tagName, std::unique_ptr<Tag>* out);
  // Writes, for each of tags, a complete index of source's records into the file at the
  // matching path and returns the new indexes in *built (tags themselves are untouched).
  int writeTagFiles(DbfFile& source, const std::vector<const Tag*>& tags,
                    const std::vector<NtxInfo>& infos, const std::vector<std::string>& paths,
                    std::vector<std::unique_ptr<NtxIndex>>* built);
};

}  // namespace xbase
