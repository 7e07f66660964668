// Command-line tests: the built tallyworth-cli run as a script runs it, and fingerprints of
// the files of a data directory to prove a run changed nothing.
#pragma once

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>

struct CliRun {
  int status = -1;
  QByteArray out;
  QString err;
};

// Runs the tool with arguments; --data directory leads them when directory is given.
inline CliRun runCli(const QStringList& arguments, const std::string& directory = {}) {
  QProcess process;
  QStringList all;
  if (!directory.empty()) all << QStringLiteral("--data") << QString::fromStdString(directory);
  all << arguments;
  process.start(QStringLiteral(TALLYWORTH_CLI), all);
  CliRun run;
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
    ADD_FAILURE() << "tallyworth-cli did not finish: " << all.join(' ').toStdString();
    process.kill();
    process.waitForFinished();
    return run;
  }
  run.status = process.exitCode();
  run.out = process.readAllStandardOutput();
  run.err = QString::fromLocal8Bit(process.readAllStandardError());
  return run;
}

// The SHA-1 of every file of directory but the lock file, by name.
inline QMap<QString, QByteArray> fingerprints(const std::string& directory) {
  QMap<QString, QByteArray> sums;
  const QDir dir(QString::fromStdString(directory));
  for (const QString& name : dir.entryList(QDir::Files)) {
    if (name == QLatin1String("Tallyworth.lock")) continue;
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    sums.insert(name, QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1));
  }
  return sums;
}

inline QByteArray fileBytes(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  return file.readAll();
}
