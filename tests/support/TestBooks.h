// A temporary data directory holding the program's six tables, empty except for the
// settings table's one record of default settings, and no index files. Removed with the
// object.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <string>

#include "NewBooks.h"
#include "TableDefinitions.h"
#include "xbase/Engine.h"
#include "xbase/FileSystem.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

class TestBooks {
 public:
  TestBooks() {
    EXPECT_TRUE(dir_.isValid());
    std::string error;
    EXPECT_TRUE(NewBooks::Create(xbase::FileSystem::posix(), dir(), &error)) << error;
  }

  std::string dir() const { return dir_.path().toStdString(); }
  std::string path(const std::string& fileName) const {
    return QDir(dir_.path()).filePath(QString::fromStdString(fileName)).toStdString();
  }

 private:
  QTemporaryDir dir_;
};
