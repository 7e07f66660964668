// The table access calls under the names the program uses, as thin wrappers over the
// table engine. Result codes are the engine's (xbase/Status.h): 0 success, 3 end of
// file, 2 seek found a greater key, below 0 an error.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/Engine.h"
#include "xbase/FileSystem.h"
#include "xbase/Table.h"

class ProgramHost;

using CODE4 = xbase::Engine;
using DATA4 = xbase::Table;
using FIELD4 = xbase::Field;
using TAG4 = xbase::Tag;
using TAG4INFO = xbase::TagSpec;

// The library context for the tables in directory.
std::unique_ptr<CODE4> code4initP(const std::string& directory,
                                  xbase::FileSystem& fs = xbase::FileSystem::posix());
// Closes every table and releases the context; returns the first close error or 0.
int code4initUndoP(std::unique_ptr<CODE4>& code);

// 1: d4open also opens the table's index group and tags; 0: the table alone.
void code4autoOpen(CODE4* code, int on);
// 0: i4create overwrites existing index files.
void code4safety(CODE4* code, int on);
// 1: tables open exclusively (rebuild, pack); 0: shared.
void code4accessMode(CODE4* code, int exclusive);
// 0: d4tag of a missing or empty name gives nullptr without an error.
void code4errTagName(CODE4* code, int on);
// Returns the pending error code and replaces it with newCode (0 clears it).
int code4errorCode(CODE4* code, int newCode);
// The pending error as a person reads it: the file it is about and its cause.
QString code4errorText(CODE4* code);
// When an error is pending, ends the program through host with the error's description.
void error4exitTest(CODE4* code, ProgramHost& host);
// Closes every table; returns the first error or 0.
int code4close(CODE4* code);
// Closes every table and ends the program through host, which shows message first.
// Never returns.
[[noreturn]] void code4exit(CODE4* code, ProgramHost& host, const QString& message);

// The table of that base name, or nullptr with the error pending.
DATA4* d4open(CODE4* code, const std::string& name);
// Writes the changed current record and its keys and closes the table. The engine owns
// its tables, so closing needs the context.
int d4close(CODE4* code, DATA4* data);
FIELD4* d4field(DATA4* data, std::string_view name);
TAG4* d4tag(DATA4* data, std::string_view name);
void d4tagSelectP(DATA4* data, TAG4* tag);
TAG4* d4tagSelected(DATA4* data);
int d4top(DATA4* data);
int d4bottom(DATA4* data);
int d4skip(DATA4* data, long n = 1);
int d4go(DATA4* data, long recno);
int d4seek(DATA4* data, std::string_view key);
long d4recNo(DATA4* data);
// Makes every record current in turn, in record order (deleted ones included, whatever the
// selected tag), and calls visit, which must not change it; then the table is past its end.
int d4scan(DATA4* data, const std::function<void()>& visit);
// The numbers of the records of the selected tag, in its order, for which keep() is true;
// keep sees each record current, in record order, whatever the tag's order. The table is
// then past its end. For lists of a large table whose records lie in any order.
int d4select(DATA4* data, const std::function<bool()>& keep, std::vector<long>* recnos);
long d4recCountDo(DATA4* data);
int d4deleted(DATA4* data);
void d4delete(DATA4* data);
int d4appendBlank(DATA4* data);
int d4refresh(DATA4* data);
// Writes the current record, and its keys, if it changed.
int d4flush(DATA4* data);
int d4pack(DATA4* data);
int d4zap(DATA4* data, long start, long count);
// Creates the index group groupName with these tags and opens them.
int i4create(DATA4* data, const std::string& groupName, const std::vector<TAG4INFO>& tags);

// The raw field text, full width.
std::string f4str(FIELD4* field);
// The field's bytes in place, valid until the table moves to another record.
std::string_view f4view(FIELD4* field);
int f4int(FIELD4* field);
long f4long(FIELD4* field);
// Stores the field's value in *value; returns 0.
int f4double2(FIELD4* field, double* value);
int f4true(FIELD4* field);
// Stores text cut or blank-padded to the width; "T"/"F" for logical, "yyyymmdd" for dates.
int f4assign(FIELD4* field, std::string_view text);
// Numbers: kErrFieldWidth (field unchanged) when the value does not fit.
int f4assignInt(FIELD4* field, int value);
int f4assignLong(FIELD4* field, long value);
int f4assignDouble(FIELD4* field, double value);

// Field text as the program holds it: table bytes are text of the table's code page
// (TableText).
QString f4text(FIELD4* field);
int f4assignText(FIELD4* field, const QString& text);
