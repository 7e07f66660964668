#include "xbase/Status.h"

namespace xbase {

const char* statusText(int code) {
  switch (code) {
    case kSuccess:
      return "success";
    case kAfter:
      return "no exact match; positioned on the next greater key";
    case kEof:
      return "end of file";
    case kErrCreate:
      return "cannot create file";
    case kErrLength:
      return "file is shorter than its header says";
    case kErrLocked:
      return "file is locked by another user";
    case kErrOpen:
      return "file not found or cannot be opened";
    case kErrAccess:
      return "permission denied (the file or its disk is read-only)";
    case kErrNotFile:
      return "not a regular file";
    case kErrRead:
      return "read error";
    case kErrRemove:
      return "cannot remove file";
    case kErrRename:
      return "cannot rename file";
    case kErrWrite:
      return "write failed (is the disk full?)";
    case kErrTooLarge:
      return "the table has reached the 2 GB limit of dBASE files";
    case kErrData:
      return "table file is damaged or not a dBASE table";
    case kErrFieldName:
      return "unknown field name";
    case kErrFieldWidth:
      return "value does not fit its field";
    case kErrRecordNo:
      return "record number out of range";
    case kErrUncounted:
      return "whole records lie past the record count in the header";
    case kErrIndex:
      return "index file is damaged or does not belong to the table";
    case kErrTagName:
      return "unknown tag name";
    case kErrExpression:
      return "invalid key or filter expression";
    case kErrClosed:
      return "table is not open";
    default:
      return code < 0 ? "unknown error" : "unknown result";
  }
}

}  // namespace xbase
