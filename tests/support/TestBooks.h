// A temporary data directory holding the program's six tables, empty except for the
// settings table's one record of default settings, and no index files. Removed with the
// object.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <string>

#include "BooksCheck.h"
#include "TableDefinitions.h"
#include "xbase/DbfFile.h"
#include "xbase/FileSystem.h"
#include "xbase/Status.h"

class TestBooks {
 public:
  TestBooks() {
    EXPECT_TRUE(dir_.isValid());
    xbase::FileSystem& fs = xbase::FileSystem::posix();
    for (const TableDefinition* table : TableDefinitions::all()) {
      int error = 0;
      auto file = fs.open(path(table->baseName + ".dbf"), xbase::OpenMode::Create,
                          xbase::LockMode::None, &error);
      EXPECT_NE(file, nullptr) << table->baseName;
      if (!file) continue;
      EXPECT_NE(xbase::DbfFile::create(std::move(file), table->fields, &error), nullptr)
          << table->baseName << " error " << error;
    }
    EXPECT_EQ(BooksCheck::WriteDefaultSettings(fs, dir()), xbase::kSuccess);
  }

  std::string dir() const { return dir_.path().toStdString(); }
  std::string path(const std::string& fileName) const {
    return QDir(dir_.path()).filePath(QString::fromStdString(fileName)).toStdString();
  }

 private:
  QTemporaryDir dir_;
};
