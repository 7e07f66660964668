// Every file of a directory with its bytes, to prove a refused operation changed nothing.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <map>
#include <string>

inline std::map<QString, QByteArray> directoryBytes(const std::string& directory) {
  std::map<QString, QByteArray> files;
  const QDir dir(QString::fromStdString(directory));
  for (const QString& name : dir.entryList(QDir::Files)) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    files[name] = file.readAll();
  }
  return files;
}
