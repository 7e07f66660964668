#include "NewBooks.h"

#include "DataDirectory.h"
#include "TableDefinitions.h"
#include "xbase/DbfFile.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

namespace {

bool WriteDefaultSettings(xbase::Engine& engine) {
  xbase::Table* settings = engine.open(tables::kSettings);
  if (!settings || settings->appendBlank() != 0) return false;
  settings->field(fields::kFyMonth)->assignInteger(7);
  settings->field(fields::kFyDay)->assignInteger(1);
  settings->field(fields::kFontName)->assign("");
  settings->field(fields::kFontSize)->assignInteger(0);
  settings->field(fields::kGSTRate)->assignDouble(10.0);
  settings->field(fields::kGSTString)->assign("GST");
  return engine.closeAll() >= 0 && engine.errorCode() >= 0;
}

}  // namespace

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
  xbase::Engine engine(fs, directory);
  engine.autoOpen = false;  // the settings table has no indexes
  if (!WriteDefaultSettings(engine)) {
    *error = std::string("TALY1.dbf: ") + xbase::statusText(engine.errorCode());
    return false;
  }
  return true;
}
