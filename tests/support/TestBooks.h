// A temporary data directory holding the program's six tables, empty except for the
// settings table's one blank record, and no index files. Removed with the object.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <string>

#include "TableDefinitions.h"
#include "xbase/DbfFile.h"
#include "xbase/Engine.h"
#include "xbase/FileSystem.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

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
    xbase::Engine engine(fs, dir());
    engine.autoOpen = false;
    xbase::Table* settings = engine.open(tables::kSettings);
    EXPECT_NE(settings, nullptr);
    if (settings) {
      EXPECT_EQ(settings->appendBlank(), xbase::kSuccess);
    }
  }

  std::string dir() const { return dir_.path().toStdString(); }
  std::string path(const std::string& fileName) const {
    return QDir(dir_.path()).filePath(QString::fromStdString(fileName)).toStdString();
  }

 private:
  QTemporaryDir dir_;
};
