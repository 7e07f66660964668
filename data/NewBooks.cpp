#include "NewBooks.h"

#include "BooksCheck.h"
#include "DataDirectory.h"
#include "TableDefinitions.h"
#include "xbase/DbfFile.h"
#include "xbase/Status.h"

bool NewBooks::AnyTablePresent(xbase::FileSystem& fs, const std::string& directory) {
  for (const char* name : DataDirectory::kTableFiles) {
    if (fs.exists(fs.resolve(directory + "/" + name))) return true;
  }
  return false;
}

bool NewBooks::Create(xbase::FileSystem& fs, const std::string& directory, std::string* error) {
  if (AnyTablePresent(fs, directory)) {
    *error = "the folder already holds books";
    return false;
  }
  for (const TableDefinition* table : TableDefinitions::all()) {
    int rc = 0;
    auto file = fs.open(directory + "/" + table->baseName + ".dbf", xbase::OpenMode::Create,
                        xbase::LockMode::None, &rc);
    if (!file || !xbase::DbfFile::create(std::move(file), table->fields, &rc)) {
      *error = table->baseName + ".dbf: " + xbase::statusText(rc);
      return false;
    }
  }
  if (const int rc = BooksCheck::WriteDefaultSettings(fs, directory); rc < 0) {
    *error = std::string("TALY1.dbf: ") + xbase::statusText(rc);
    return false;
  }
  return true;
}
