// The data directory as every program of the suite meets it: the six tables it must
// hold, what to tell a user whose directory lacks them or is held by another program, and
// the lock that keeps two programs (the window program, the command-line tool) from
// working on the same books at once.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <string>

#include "BooksLock.h"
#include "xbase/FileSystem.h"

class Database;

class DataDirectory {
 public:
  // The six tables, in the order they are looked for.
  static constexpr std::array<const char*, 6> kTableFiles{
      "TALY1.dbf", "ACC.dbf", "GSTEXP1.dbf", "FOLDER.dbf", "GSTINC1.dbf", "ACCI.dbf"};
  // The lock file both programs take in the data directory.
  static constexpr char kLockFileName[] = "Tallyworth.lock";

  // Whether all six tables exist in directory (names resolved in any case through fs).
  static bool TablesPresent(xbase::FileSystem& fs, const std::string& directory);
  // What the user is told when TablesPresent is false.
  static QString MissingTablesMessage();
  // What the user is told when another program holds the lock.
  static QString LockedMessage();

  // Takes the lock of directory, held until the returned object goes. Returns null when
  // it was not taken; heldByAnother then tells whether another live program holds it
  // (false: the directory takes no lock file, e.g. read-only books, which is no second
  // program). A program that is gone holds no lock.
  static std::unique_ptr<BooksLock> Lock(const std::string& directory, bool* heldByAnother);

  // What the user is told when the directory takes no lock or marker file.
  static QString ReadOnlyMessage(const std::string& directory);

  // Readies locked books for a session: starts it (finishing an interrupted restore or
  // pack, mending the tables a session that died left disagreeing with their tags, or
  // whose record count disagrees with their length), removes index groups that cannot be
  // read, rebuilds the missing ones and reads the settings into db's settings record;
  // every table is closed again. Returns what the start mended, one line each, for the
  // user. Ends the program through db's host when the marker cannot be written or the
  // settings table holds no valid settings record. End the session with
  // StartupRecovery::EndSession.
  // A session Reading (a report from the command line) writes no marker unless its start
  // must build indexes anew.
  // REQUIRES: the lock of db's directory is held and no table is open.
  enum class Session { Writing, Reading };
  static QStringList OpenBooks(Database& db, xbase::FileSystem& fs, const std::string& directory,
                               Session session = Session::Writing);
};
