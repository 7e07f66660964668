// The record access layer: opens the tables with their fields and tags, copies the
// current record of each table to and from the shared record structures, commits writes
// at once, ends the program when a table cannot be opened, and carries the date
// conversions and table maintenance. One object per program run; tests make their own.
#pragma once

#include <QDate>
#include <QString>
#include <memory>
#include <string>
#include <string_view>

#include "Clock.h"
#include "DateConversions.h"
#include "IndexMaintenance.h"
#include "Records.h"
#include "TableAccess.h"
#include "TableHandles.h"

class ProgramHost;
class ProgressSink;

class Database {
 public:
  // Starts the table library on the tables in directory. host, progress and clock must
  // outlive the object.
  Database(const std::string& directory, ProgramHost& host, ProgressSink& progress,
           const Clock& clock = Clock::system(),
           xbase::FileSystem& fs = xbase::FileSystem::posix());
  ~Database();  // closes every table
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  CODE4* code() { return code_.get(); }
  ProgramHost& host() { return host_; }

  // Handles of the open tables (see TableHandles.h).
  AccountTable& acc() { return acc_; }
  AccountTable& accI() { return accI_; }
  FolderTable& folder() { return folder_; }
  ExpenseTable& exp() { return exp_; }
  IncomeTable& inc() { return inc_; }
  SettingsTable& settings() { return settings_; }

  // The current-record structures.
  AccountRecord& accRecord() { return accRecord_; }
  AccountRecord& accIRecord() { return accIRecord_; }
  FolderRecord& folderRecord() { return folderRecord_; }
  ExpenseRecord& expRecord() { return expRecord_; }
  IncomeRecord& incRecord() { return incRecord_; }
  SettingsRecord& settingsRecord() { return settingsRecord_; }

  // Open routines: open the table, bind its fields and tags, select its default tag and
  // go to the top. Return true; when the table, a field or a tag cannot be opened they
  // end the program (FatalOpenError) and do not return.
  bool OpenAcc();
  bool OpenAccI();
  bool OpenFolder();
  bool OpenExp();
  bool OpenInc();
  bool OpenSettings();  // the table alone, without indexes; the record is record 1

  // Read routines: copy the current record of the open table into its structure.
  void ReadAcc();
  void ReadAccI();
  void ReadFolder();
  void ReadExp();
  void ReadInc();
  void ReadSettings();

  // Write routines: assign every field of the current record from its structure and
  // commit it (CommitRecord). REQUIRES: the table is open on the record to write.
  // Throws ConversionError, with the record untouched, when a number does not fit its
  // field. WriteSettings only assigns; its caller closes the table.
  void WriteAcc();
  void WriteAccI();
  void WriteFolder();
  void WriteExp();
  void WriteInc();
  void WriteSettings();

  // Append routines: check that record's numbers fit their fields, append it to the open
  // table, write every field and commit it. The table then stands on the new record and
  // its structure holds record. Return the new record number, or kNotAppended when the
  // table refused the append (nothing written). Throw ConversionError, with nothing
  // appended, when a number does not fit. REQUIRES: the table open through its open routine.
  static constexpr long kNotAppended = 0;
  long AppendAcc(const AccountRecord& record);
  long AppendAccI(const AccountRecord& record);
  long AppendFolder(const FolderRecord& record);
  long AppendExp(const ExpenseRecord& record);
  long AppendInc(const IncomeRecord& record);
  // The same for bulk imports, without the commit of each record: the record is written
  // when the table moves on and counted when it is closed (code4close, which also forces
  // it to disk). The table stays open as it was.
  long AppendExpBatched(const ExpenseRecord& record);
  long AppendIncBatched(const IncomeRecord& record);
  // What to tell the user when the last append was refused: the generic refusal, or, for
  // a table at the 2 GB dBASE limit, that the books are full and what to do.
  QString AppendRefusedMessage() const;

  // Writes the current record of data, and its keys, to the table's files and leaves the
  // table open on it with its tag selected, as closing and reopening it through its open
  // routine would (commitName "ACC", "ACCI", "EXP", "FOLDER" or "INC"); the files reach
  // the disk when the command ends. Throws std::invalid_argument, before touching the
  // table, for any other name. A write that fails (a full disk) ends the program through
  // error4exitTest.
  void CommitRecord(DATA4* data, std::string_view commitName);
  // Tells the user fileName cannot be opened, and why when cause is given, and ends the
  // program.
  [[noreturn]] void FatalOpenError(const QString& fileName, const QString& cause = {});
  // The smallest folder number from 1 upward that no live folder uses.
  // REQUIRES: FOLDER opened through OpenFolder.
  int NextFreeFolderNo();

  QString DateToDTOS(const QDate& date) const { return dates_.DateToDTOS(date); }
  static QDate DTOSToDate(const QString& text) { return DateConversions::DTOSToDate(text); }
  QDate WindowYear(const QDate& date) const { return dates_.WindowYear(date); }

  int RebuildIndexes(RebuildMode mode) { return maintenance_.RebuildIndexes(mode); }
  long PackTable(const std::string& baseName) { return maintenance_.PackTable(baseName); }
  long PackAllTables() { return maintenance_.PackAllTables(); }

 private:
  // The table whose last append was refused at the size limit, or empty.
  QString fullTable_;
  // d4appendBlank, noting a refusal at the size limit; false when refused.
  bool appendBlank(DATA4* table);
  DATA4* openTable(const char* baseName, const char* fileMessage);
  FIELD4* bind(DATA4* data, const char* fieldName, const char* fileMessage);
  TAG4* findTag(DATA4* data, const char* tagName, const char* tagMessage);
  void openAccounts(AccountTable& table, const char* baseName, const char* fileMessage,
                    const char* tagName, const char* tagMessage);
  void readAccount(AccountTable& table, AccountRecord& record);
  // Each check throws ConversionError when a number of the record does not fit its field;
  // each assign then stores every field in the current record.
  static void checkAccount(const AccountTable& table, const AccountRecord& record);
  static void assignAccount(AccountTable& table, const AccountRecord& record);
  void checkFolder(const FolderRecord& record) const;
  void assignFolder(const FolderRecord& record);
  void checkExp(const ExpenseRecord& record) const;
  void assignExp(const ExpenseRecord& record);
  void checkInc(const IncomeRecord& record) const;
  void assignInc(const IncomeRecord& record);
  // Appends a blank record to table (a handle member, which the commit reopens), makes
  // record the current structure, stores it through assign and commits it as commitName.
  template <class Record, class Assign>
  long append(DATA4* const& table, Record& current, const Record& record, Assign assign,
              std::string_view commitName);
  void writeDate(FIELD4* field, const QDate& date);

  std::unique_ptr<CODE4> code_;
  ProgramHost& host_;
  DateConversions dates_;
  IndexMaintenance maintenance_;

  AccountTable acc_;
  AccountTable accI_;
  FolderTable folder_;
  ExpenseTable exp_;
  IncomeTable inc_;
  SettingsTable settings_;

  AccountRecord accRecord_;
  AccountRecord accIRecord_;
  FolderRecord folderRecord_;
  ExpenseRecord expRecord_;
  IncomeRecord incRecord_;
  SettingsRecord settingsRecord_;
};
