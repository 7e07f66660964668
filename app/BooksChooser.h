// Which books the program works on: the folder it is given, else its working directory
// when that holds books, else the books it used last, else, on the very first start, the
// user's answer to the first-start question (open existing books, create new books, or
// try a copy of the sample books). Later the user opens other books from the File menu.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "FirstStartDialog.h"
#include "xbase/FileSystem.h"

class RecentBooks;
class Ui;

class BooksChooser {
 public:
  // An answer to the first-start question given in advance: what to do, and the folder.
  struct Answer {
    FirstStartDialog::Choice choice = FirstStartDialog::Choice::None;
    QString folder;
  };
  // Reads "open:DIR", "new:DIR" or "sample:DIR"; nothing for any other text.
  static std::optional<Answer> ParseAnswer(const QString& text);

  // What the user is told about a folder that lacks the six tables.
  static QString MissingTablesMessage(const QString& folder);

  // ui, fs and recent must outlive the object; sampleFolder holds the sample books.
  BooksChooser(Ui& ui, xbase::FileSystem& fs, RecentBooks& recent, QString sampleFolder);

  // The books to open at start-up: requested when not empty (the start-up checks it), the
  // working directory when it holds the six tables, the books used last when they still
  // do, else the first-start question, answered by answer when given (when carrying that
  // answer out fails the question is shown). Empty when the user chose no books.
  QString startupBooks(const QString& requested, const QString& workingDirectory,
                       const std::optional<Answer>& answer = std::nullopt);
  // Asks for the folder of other books, starting at startFolder. Empty when the user
  // cancelled or the folder lacks the six tables (the user was told).
  QString chooseBooks(const QString& startFolder);
  // Whether folder holds the six tables; when not, tells the user.
  bool acceptBooks(const QString& folder);
  // The books opened last, newest first.
  QStringList recentBooks() const;

 private:
  QString firstStart(std::optional<Answer> answer);
  // Opens, creates or copies the books of answer; empty when that failed (the user was
  // told).
  QString carryOut(const Answer& answer);
  QString createNewBooks(const QString& folder);
  QString copySampleBooks(const QString& folder);
  bool holdsBooks(const QString& folder);

  Ui& ui_;
  xbase::FileSystem& fs_;
  RecentBooks& recent_;
  QString sampleFolder_;
};
