// Result and error codes shared by every engine call.
#pragma once

namespace xbase {

// Positioning results (never negative).
constexpr int kSuccess = 0;
constexpr int kBof = 1;    // skipped back before the first record; the first is current
constexpr int kAfter = 2;  // seek: no exact match; the next greater key is current
constexpr int kEof = 3;    // moved past the last record (also: empty table or tag)

// Errors are negative. A call that fails leaves files and the current record as they were.
enum Error : int {
  kErrCreate = -20,       // a file could not be created, or exists while safety is on
  kErrLength = -30,       // a file is shorter than its header says
  kErrLocked = -50,       // another handle holds the file in a conflicting access mode
  kErrOpen = -60,         // a file could not be found or opened
  kErrAccess = -62,       // permission denied: the file or its disk is read-only for us
  kErrNotFile = -64,      // a directory, pipe or device stands where a file should be
  kErrRead = -70,         // a read failed or came up short
  kErrRemove = -80,       // a file could not be removed
  kErrRename = -90,       // a file could not be renamed over its target
  kErrWrite = -120,       // a write failed or came up short (disk full)
  kErrTooLarge = -130,    // an append would take the table past 2 GB, the dBASE limit
  kErrData = -200,        // a table header or record layout is damaged or unsupported
  kErrFieldName = -210,   // no field of that name
  kErrFieldWidth = -220,  // a value does not fit its field; the field keeps its value
  kErrRecordNo = -230,    // record number out of range
  kErrUncounted = -240,   // whole records lie past the header's record count
  kErrIndex = -310,       // an index file is damaged or does not belong to the table
  kErrTagName = -330,     // no tag of that name
  kErrExpression = -400,  // a key or filter expression cannot be compiled or evaluated
  kErrClosed = -500,      // the table is not open
};

// A short English description of a result or error code.
const char* statusText(int code);

}  // namespace xbase
