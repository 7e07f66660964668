// The messages that end the program on an engine error, as the user reads them.
#pragma once

#include <QString>

// The message for a write that failed (a full disk) on file.
inline QString writeErrorIn(const QString& file) {
  return QStringLiteral(
             "Database error -120 in %1: write failed (is the disk full?)\r\n"
             "The books will be checked when Tallyworth next starts.\r\n"
             "Program will now terminate.")
      .arg(file);
}

// Whether message tells of a failed write, on whichever file.
inline bool isWriteError(const QString& message) {
  const QString prefix = QStringLiteral("Database error -120 in ");
  return message.startsWith(prefix) && message.endsWith(writeErrorIn(QString()).mid(prefix.size()));
}
