#include "InterruptedImport.h"

#include <sstream>

#include "TableDefinitions.h"
#include "xbase/DbfFile.h"
#include "xbase/Status.h"
#include "xbase/TableCheck.h"

namespace {

std::string pathIn(xbase::FileSystem& fs, const std::string& directory, const std::string& name) {
  return fs.resolve(directory + "/" + name);
}

std::string readAll(xbase::File& file) {
  const long long size = file.size();
  std::string text(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  if (size > 0 && file.read(0, text.data(), text.size()) != size) return {};
  return text;
}

// Cuts the table file to its first count records: the end-of-file marker after them and
// the count in the header. Records past the count, counted or not, go.
bool cutTo(xbase::FileSystem& fs, const std::string& path, std::uint32_t count) {
  int rc = 0;
  auto file = fs.open(path, xbase::OpenMode::ReadWrite, xbase::LockMode::Exclusive, &rc);
  xbase::DbfLayout layout;
  if (!file || xbase::DbfFile::readLayout(*file, &layout) < 0) return false;
  if (layout.count <= count && layout.wholeRecords() <= count) return true;
  const char endMarker = 0x1A;
  const unsigned char header[4] = {
      static_cast<unsigned char>(count), static_cast<unsigned char>(count >> 8),
      static_cast<unsigned char>(count >> 16), static_cast<unsigned char>(count >> 24)};
  return file->truncate(layout.end(count)) && file->write(layout.end(count), &endMarker, 1) &&
         file->write(4, header, 4) && file->sync();
}

}  // namespace

std::uint32_t InterruptedImport::RecordCount(xbase::FileSystem& fs, const std::string& directory,
                                             const std::string& baseName) {
  int rc = 0;
  auto file = fs.open(pathIn(fs, directory, baseName + ".dbf"), xbase::OpenMode::ReadOnly,
                      xbase::LockMode::None, &rc);
  xbase::DbfLayout layout;
  if (!file || xbase::DbfFile::readLayout(*file, &layout) < 0) return 0;
  return layout.count;
}

bool InterruptedImport::Begin(xbase::FileSystem& fs, const std::string& directory,
                              const std::vector<Count>& counts) {
  std::string text;
  for (const Count& count : counts)
    text += count.baseName + " " + std::to_string(count.records) + "\n";
  const std::string path = pathIn(fs, directory, kMarker);
  const std::string partial = path + ".new";
  int rc = 0;
  auto file = fs.open(partial, xbase::OpenMode::Create, xbase::LockMode::None, &rc);
  const bool written = file && file->write(0, text.data(), text.size()) && file->sync();
  file.reset();
  // Renamed into place, so a marker is never found half-written.
  return written && fs.rename(partial, path);
}

bool InterruptedImport::End(xbase::FileSystem& fs, const std::string& directory) {
  const std::string path = pathIn(fs, directory, kMarker);
  return !fs.exists(path) || fs.remove(path);
}

std::vector<std::string> InterruptedImport::RollBack(xbase::FileSystem& fs,
                                                     const std::string& directory) {
  std::vector<std::string> done;
  const std::string path = pathIn(fs, directory, kMarker);
  fs.remove(path + ".new");
  if (!fs.exists(path)) return done;
  int rc = 0;
  auto file = fs.open(path, xbase::OpenMode::ReadOnly, xbase::LockMode::None, &rc);
  std::istringstream lines(file ? readAll(*file) : std::string());
  file.reset();
  std::string baseName;
  std::uint32_t count = 0;
  while (lines >> baseName >> count) {
    const TableDefinition* table = TableDefinitions::named(baseName);
    const std::string dbf = pathIn(fs, directory, baseName + ".dbf");
    if (table == nullptr || !fs.exists(dbf)) continue;
    if (!cutTo(fs, dbf, count) ||
        xbase::RepairTable(fs, directory, table->baseName, table->groupName, table->tags) < 0) {
      // The marker stays: the next start tries again.
      done.push_back("could not put " + baseName + ".dbf back as it was before the import");
      return done;
    }
  }
  fs.remove(path);
  done.push_back("a bank statement import did not finish; the books were put back as before it");
  return done;
}
