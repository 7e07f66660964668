// The books the program opened last, newest first, kept in the user's settings file so
// that a start from the desktop menu opens them again.
#pragma once

#include <QString>
#include <QStringList>

class RecentBooks {
 public:
  // How many folders the list keeps.
  static constexpr int kKept = 5;

  // The settings file in the user's configuration folder ($XDG_CONFIG_HOME or ~/.config).
  static QString defaultFile();

  explicit RecentBooks(QString settingsFile) : file_(std::move(settingsFile)) {}

  // The folders, newest first; empty before the first books were opened.
  QStringList folders() const;
  // The newest folder, or an empty text.
  QString last() const;
  // Puts folder first in the list (absolute, once) and writes the file at once.
  void remember(const QString& folder);

 private:
  QString file_;
};
