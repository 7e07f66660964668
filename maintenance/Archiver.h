// Archiving: marks every expense and income record dated within a range as archived (the
// browse lists leave such records out) or clears the mark again. Nothing else changes:
// records are never moved or deleted, and the reports go on counting them.
#pragma once

#include <QDate>

class Database;
class ProgressSink;

struct ArchiveRequest {
  QDate first;   // inclusive
  QDate last;    // inclusive; a first date after it selects nothing
  bool archive;  // true writes the mark, false clears it
};

class Archiver {
 public:
  // db and progress must outlive the object.
  Archiver(Database& db, ProgressSink& progress) : db_(db), progress_(progress) {}

  // Opens GSTEXP1 and GSTINC1, walks each in date order writing the Archive field of the
  // records in the range, and closes every table; shows "Archiving Data" and the share
  // of records visited, and clears the status at the end. Returns false when the engine
  // could not write a change (the walk stops there; records before it are marked).
  // REQUIRES: no table open.
  bool Run(const ArchiveRequest& request);
  // Records of both tables dated within the range of the last Run, marked or cleared.
  long Marked() const { return marked_; }

 private:
  Database& db_;
  ProgressSink& progress_;
  long marked_ = 0;
};
